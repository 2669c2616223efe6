// The error family: every failure is thrown as one of these, and each writes its own record to
// Errors.log the moment it is constructed, so even errors that are caught later leave a trace.
#pragma once

#include <cstdint>
#include <string>

namespace vexo {

class CError {
public:
    // Copies the fields, then appends the base record to the log (if a log is set).
    CError(const std::string& message, const std::string& sourceFile, int line);
    CError(const CError&) = default;
    CError& operator=(const CError&) = default;

    std::string message;    // Windows-1250, what the player or mission maker reads
    std::string sourceFile; // the raising source, e.g. "RARLoad\\RARLoad"; "" for none
    int line;               // the raising line; -1 for none

protected:
    // For derived errors whose base record is written later (XML builds its position first).
    struct CDeferRecord {};
    CError(const std::string& message, const std::string& sourceFile, int line, CDeferRecord);
    void WriteBaseRecord() const;
};

// An operating-system failure: takes errno before anything else can change it.
class CWin32APIError : public CError {
public:
    CWin32APIError(const std::string& message, const std::string& sourceFile, int line);
    std::uint32_t code;
};

// A render device failure with the device's result code.
class CDirectXError : public CError {
public:
    CDirectXError(const std::string& message, std::uint32_t code, const std::string& sourceFile, int line);
    std::uint32_t code;
};

// The device's table of symbolic names for its result codes; nullptr means "no name".
// The render device installs it when it starts; until then every code is "Unknown".
using ErrorNameLookup = const char* (*)(std::uint32_t code);
void SetDirectXErrorNames(ErrorNameLookup lookup);
std::string DirectXErrorName(std::uint32_t code);

// The process-wide log. Records are appended; the file is opened and closed around each part of
// a record, so it is never held open between errors. Only a regular file is written, opened
// without blocking; when it cannot be (a read-only folder, a pipe in its place) the records go to
// stderr, in UTF-8, and stderr is told once why.
class CErrorLog {
public:
    explicit CErrorLog(std::string path) : path(std::move(path)) {}
    ~CErrorLog() { Close(); }
    CErrorLog(const CErrorLog&) = delete;
    CErrorLog& operator=(const CErrorLog&) = delete;

    bool Open(bool truncate);
    void Close();
    void WriteLine(const std::string& text);

    std::string path;

private:
    std::FILE* file = nullptr;
    bool isOpen = false;
    bool toStderr = false;
    bool toldStderr = false;
};

// Creates, replaces or removes (empty path) the process-wide log.
void SetErrorLogFile(const std::string& path);
CErrorLog* GetErrorLog();

// While it lives, errors built on its thread write no record and take no number: for work done
// ahead on another thread, whose failures the main thread meets again and records in its turn.
class CUnrecordedErrors {
public:
    CUnrecordedErrors();
    CUnrecordedErrors(const CUnrecordedErrors&) = delete;
    CUnrecordedErrors& operator=(const CUnrecordedErrors&) = delete;
    ~CUnrecordedErrors();

private:
    bool wasUnrecorded;
};

// What a record says about the machine.
struct CRecordEnvironment {
    std::string timeUtc;  // "YYYY-MM-DD hh:mm:ss"
    std::string computer; // "" leaves the line out
    std::string user;     // "" leaves the line out
    std::string program;
};
CRecordEnvironment SystemRecordEnvironment();

// For the top-level handlers (main, the frame loop), inside their catch blocks: gives the exception
// being handled a record unless it has one (every CError wrote its own). Running out of memory is
// recorded with memory set aside when the log was set, so the record can be written even then.
void RecordCurrentException(const std::string& sourceFile);

} // namespace vexo
