// Files and paths. Inside the program paths use backslashes ("Maps\\a.tlm"); HostPath turns them
// into the host's form at the operating-system boundary, and nowhere else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexo {

// The host form of a program path: separators turned into '/', and where a component does not
// exist as spelled, an entry of its folder whose name differs only in ASCII letter case.
std::string HostPath(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Reads a regular file whole. Anything else (a pipe, a device, a folder) is refused at once
// instead of blocking or reading for ever: false, with errno set. A file above maxBytes is refused
// before it is read, with EFBIG.
bool ReadFileToString(const std::string& path, std::string& text, std::uint64_t maxBytes = UINT64_MAX);
// Never leaves a half-written file: writes a temporary file "<target>.tmp<PID>" beside the target
// and renames it over the target; on any failure the old file stays as it was. A symbolic link is
// followed, so its target is replaced and the link stays; the target keeps its permission bits.
// A target that exists but is no regular file is refused. False with errno set on failure.
bool WriteStringToFile(const std::string& path, const std::string& text);
// Removes the temporaries WriteStringToFile left beside path in runs that were killed part way
// (those whose process is gone). Called once at start by the owner of the file.
void RemoveStaleTemporaries(const std::string& path);
// Adds text at the end of the file, creating it when missing; false when not all of it was written.
bool AppendStringToFile(const std::string& path, const std::string& text);
// Creates the folder (its parent must exist); true when it exists afterwards.
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);

// The full path of the running program (host form).
std::string GetModulePath();

struct CDirectoryEntry {
    std::string name; // the name as the file system holds it (UTF-8 on Linux)
    bool isDirectory = false;
    bool isRegularFile = false;
    bool isSymlink = false;
    std::uint64_t size = 0;
};
// The entries of a folder (no "." or ".."), sorted by the bytes of their names; false if the
// folder cannot be opened. Symbolic links are reported with what they point to, flagged isSymlink;
// a dangling one, or an entry removed while the folder is read, is left out. When the listing
// fails part way, or an entry cannot be described, readError (if given) is set and the entries
// found so far are kept.
bool ListDirectory(const std::string& path, std::vector<CDirectoryEntry>& entries, bool* readError = nullptr);

} // namespace vexo
