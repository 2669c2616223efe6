// Files and paths at the operating-system boundary.
#include "support/Files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexo {

namespace {

bool Exists(const std::string& hostPath) {
    struct stat st;
    return ::stat(hostPath.c_str(), &st) == 0;
}

// The entry of folder `dir` whose name equals `name` ignoring ASCII case, or "" if none.
std::string FindIgnoringCase(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return "";
    std::string found;
    while (const dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::string HostPath(const std::string& path) {
    std::string host = path;
    std::replace(host.begin(), host.end(), '\\', '/');
    if (host.empty() || Exists(host)) return host;

    // Windows names ignore letter case; resolve component by component where the exact one is missing.
    const int savedErrno = errno;
    std::string resolved = host[0] == '/' ? "/" : "";
    std::size_t from = host[0] == '/' ? 1 : 0;
    while (from <= host.size()) {
        std::size_t slash = host.find('/', from);
        if (slash == std::string::npos) slash = host.size();
        const std::string part = host.substr(from, slash - from);
        from = slash + 1;
        if (part.empty()) continue;
        std::string candidate = resolved.empty() || resolved.back() == '/' ? resolved + part : resolved + "/" + part;
        if (!Exists(candidate)) {
            const std::string dir = resolved.empty() ? "." : resolved;
            const std::string match = FindIgnoringCase(dir, part);
            if (match.empty()) {
                errno = savedErrno;
                return host; // the caller's open fails with the exact name
            }
            candidate = resolved.empty() || resolved.back() == '/' ? resolved + match : resolved + "/" + match;
        }
        resolved = candidate;
    }
    errno = savedErrno;
    if (!host.empty() && host.back() == '/') resolved += '/';
    return resolved;
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    struct stat st;
    return ::stat(HostPath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    if (path.empty()) return false;
    struct stat st;
    return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadFileToString(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(HostPath(path).c_str(), "rb");
    if (!file) return false;
    text.clear();
    char block[1024];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, file);
        if (n > 0) text.append(block, n);
        if (n < sizeof block) {
            const bool failed = std::ferror(file) != 0;
            std::fclose(file);
            return !failed;
        }
    }
}

void WriteStringToFile(const std::string& path, const std::string& text) {
    const std::string target = HostPath(path);
    const std::string temporary = target + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    bool ok = true;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, std::min<std::size_t>(text.size() - done, 1 << 16));
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += std::size_t(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), target.c_str()) != 0) ::unlink(temporary.c_str());
}

bool AppendStringToFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(HostPath(path).c_str(), "ab");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

bool MakeDirectory(const std::string& path) {
    if (DirectoryExists(path)) return true;
    return ::mkdir(HostPath(path).c_str(), 0755) == 0 || DirectoryExists(path);
}

bool RemoveFile(const std::string& path) { return ::unlink(HostPath(path).c_str()) == 0; }

std::string GetModulePath() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
}

bool ListDirectory(const std::string& path, std::vector<DirectoryEntry>& entries, bool* readError) {
    entries.clear();
    if (readError) *readError = false;
    const std::string host = HostPath(path);
    DIR* d = ::opendir(host.empty() ? "." : host.c_str());
    if (!d) return false;
    const auto failed = [&] {
        if (readError) *readError = true;
    };
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(d);
        if (!e) {
            if (errno != 0) failed();
            break;
        }
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        const std::string full = (host.empty() ? std::string() : host + "/") + name;
        DirectoryEntry entry;
        entry.name = name;
        struct stat st;
        if (::lstat(full.c_str(), &st) != 0) {
            if (errno != ENOENT) failed();
            continue;
        }
        entry.isSymlink = S_ISLNK(st.st_mode);
        if (entry.isSymlink && ::stat(full.c_str(), &st) != 0) continue; // a dangling link
        entry.isDirectory = S_ISDIR(st.st_mode);
        entry.isRegularFile = S_ISREG(st.st_mode);
        entry.size = entry.isRegularFile ? std::uint64_t(st.st_size) : 0;
        entries.push_back(std::move(entry));
    }
    ::closedir(d);
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return true;
}

} // namespace vexo
