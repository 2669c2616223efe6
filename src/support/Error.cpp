// The error family and the process-wide error log.
#include "support/Error.h"

#include "support/Files.h"
#include "support/Text1250.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <new>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vexo {

namespace {

// Deliberately never destroyed at exit: errors raised while other process-wide objects are torn
// down must still find it. The file itself is closed after every record.
CErrorLog* g_log = nullptr;
unsigned g_recordNumber = 1;
ErrorNameLookup g_errorNames = nullptr;
// Freed just before an out-of-memory record is written, so that its strings find room. Below the
// allocator's mmap threshold, so freeing it leaves the room in this process.
std::unique_ptr<char[]> g_outOfMemoryReserve;
// Set while this thread's errors go unrecorded (CUnrecordedErrors).
thread_local bool t_unrecorded = false;

// The log this thread's records go to; nullptr writes none.
CErrorLog* RecordingLog() { return t_unrecorded ? nullptr : g_log; }

// One part of a record: the log is opened for appending at the start and closed at the end.
class CRecordPart {
public:
    CRecordPart() : log(RecordingLog()) {
        if (log) opened = log->Open(false);
    }
    ~CRecordPart() {
        if (log && opened) log->Close();
    }
    void Line(std::string_view label, const std::string& value) {
        Line("  " + std::string(label) + std::string(label.size() < 11 ? 11 - label.size() : 0, ' ') + ": " +
             value);
    }
    void Line(const std::string& text) {
        if (log) log->WriteLine(text);
    }

private:
    CErrorLog* log;
    bool opened = false;
};

} // namespace

CRecordEnvironment SystemRecordEnvironment() {
    // The user database and the program's path may set errno, which the error being recorded
    // still has to report.
    const int savedErrno = errno;
    CRecordEnvironment env;
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%.4u-%.2u-%.2u %.2u:%.2u:%.2u", unsigned(utc.tm_year + 1900),
                  unsigned(utc.tm_mon + 1), unsigned(utc.tm_mday), unsigned(utc.tm_hour), unsigned(utc.tm_min),
                  unsigned(utc.tm_sec));
    env.timeUtc = stamp;

    // A Windows computer name has to fit a 16-byte buffer, terminator included.
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0 && std::strlen(host) < 16) env.computer = host;

    const char* user = nullptr;
    if (const passwd* pw = getpwuid(geteuid())) user = pw->pw_name;
    if (user && std::strlen(user) < 257) env.user = user;

    env.program = Utf8ToCp1250(GetModulePath()).substr(0, 260);
    errno = savedErrno;
    return env;
}

void SetDirectXErrorNames(ErrorNameLookup lookup) { g_errorNames = lookup; }

std::string DirectXErrorName(std::uint32_t code) {
    const char* name = g_errorNames ? g_errorNames(code) : nullptr;
    return name ? name : "Unknown";
}

CError::CError(const std::string& message, const std::string& sourceFile, int line)
    : message(message), sourceFile(sourceFile), line(line) {
    WriteBaseRecord();
}

CError::CError(const std::string& message, const std::string& sourceFile, int line, CDeferRecord)
    : message(message), sourceFile(sourceFile), line(line) {}

void CError::WriteBaseRecord() const {
    if (!RecordingLog()) return;
    const CRecordEnvironment env = SystemRecordEnvironment();
    CRecordPart part;
    part.Line("");
    part.Line(std::string("Środowisko"_pl));
    part.Line("Czas", env.timeUtc);
    if (!env.computer.empty()) part.Line("Komputer", env.computer);
    if (!env.user.empty()) part.Line(std::string("Użytkownik"_pl), env.user);
    part.Line("Plik", env.program);
    if (!sourceFile.empty() || line >= 0) {
        part.Line(std::string("Źródło"_pl));
        if (!sourceFile.empty()) part.Line("Plik", sourceFile);
        if (line >= 0) part.Line("Wiersz", std::to_string(line));
    }
    part.Line(std::string("Błąd"_pl));
    part.Line("Numer", std::to_string(g_recordNumber++));
    part.Line("Komunikat", message);
}

namespace {
int TakeErrno() { return errno; }
} // namespace

CWin32APIError::CWin32APIError(const std::string& message, const std::string& sourceFile, int line)
    : CError(message, sourceFile, line, CDeferRecord{}), code(static_cast<std::uint32_t>(TakeErrno())) {
    WriteBaseRecord();
    if (!RecordingLog()) return;
    CRecordPart part;
    part.Line("Win32API");
    part.Line("Kod", std::to_string(code));
    // The system's message text comes with a line break of its own.
    part.Line("Komunikat", Utf8ToCp1250(std::strerror(static_cast<int>(code))) + "\r\n");
}

CDirectXError::CDirectXError(const std::string& message, std::uint32_t code, const std::string& sourceFile,
                             int line)
    : CError(message, sourceFile, line), code(code) {
    if (!RecordingLog()) return;
    const std::string name = DirectXErrorName(code);
    CRecordPart part;
    part.Line("DirectX");
    part.Line("Kod", std::to_string(code));
    part.Line("Komunikat", name);
    part.Line("Opis", name);
}

bool CErrorLog::Open(bool truncate) {
    if (isOpen) return true;
    const int savedErrno = errno; // writing the log must not change what an error reports
    const std::string host = HostPath(path);
    const int fd = ::open(
        host.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | (truncate ? O_TRUNC : O_APPEND), 0644);
    struct stat st;
    const bool regular = fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (regular) file = ::fdopen(fd, truncate ? "wb" : "ab");
    const int failure = fd < 0 ? errno : regular ? 0 : EINVAL;
    if (fd >= 0 && !file) ::close(fd);
    toStderr = file == nullptr;
    if (toStderr) {
        if (!toldStderr)
            std::fprintf(stderr, "%s cannot be written (%s); error records follow here.\n", host.c_str(),
                         std::strerror(failure ? failure : errno));
        toldStderr = true;
        file = stderr;
    }
    errno = savedErrno;
    isOpen = true;
    return true;
}

void CErrorLog::Close() {
    if (!isOpen) return;
    const int savedErrno = errno;
    if (toStderr)
        std::fflush(stderr);
    else
        std::fclose(file);
    errno = savedErrno;
    file = nullptr;
    isOpen = false;
}

void CErrorLog::WriteLine(const std::string& text) {
    const bool wasOpen = isOpen;
    if (!wasOpen && !Open(false)) return;
    const int savedErrno = errno;
    if (toStderr) {
        const std::string line = Cp1250ToUtf8(text) + "\n";
        std::fwrite(line.data(), 1, line.size(), file);
    } else {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fwrite("\r\n", 1, 2, file);
    }
    errno = savedErrno;
    if (!wasOpen) Close();
}

void RecordCurrentException(const std::string& sourceFile) {
    try {
        throw;
    } catch (const CError&) {
    } catch (const std::bad_alloc&) {
        g_outOfMemoryReserve.reset();
        try {
            CError(std::string("Brak pamięci."_pl), sourceFile, -1);
        } catch (...) {
        }
    } catch (const std::exception& error) {
        try {
            CError(error.what(), sourceFile, -1);
        } catch (...) {
        }
    } catch (...) {
    }
}

void SetErrorLogFile(const std::string& path) {
    if (g_log && g_log->path == path) return;
    delete g_log;
    g_log = path.empty() ? nullptr : new CErrorLog(path);
    if (g_log && !g_outOfMemoryReserve) g_outOfMemoryReserve.reset(new char[64 * 1024]);
}

CErrorLog* GetErrorLog() { return g_log; }

CUnrecordedErrors::CUnrecordedErrors() : wasUnrecorded(std::exchange(t_unrecorded, true)) {}

CUnrecordedErrors::~CUnrecordedErrors() { t_unrecorded = wasUnrecorded; }

} // namespace vexo
