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
bool ReadFileToString(const std::string& path, std::string& text);
// Never leaves a half-written file: writes a temporary file beside the target and renames it
// over the target; on any failure the old file stays as it was. Reports nothing.
void WriteStringToFile(const std::string& path, const std::string& text);
// Adds text at the end of the file, creating it when missing; false when not all of it was written.
bool AppendStringToFile(const std::string& path, const std::string& text);
// Creates the folder (its parent must exist); true when it exists afterwards.
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);

// The full path of the running program (host form).
std::string GetModulePath();

struct DirectoryEntry {
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
bool ListDirectory(const std::string& path, std::vector<DirectoryEntry>& entries, bool* readError = nullptr);

} // namespace vexo
