// Files and paths at the operating-system boundary.
#include "support/Files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
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

// Follows symbolic links to the file they name, which may not exist yet; a loop of links is left
// to the open that follows to report.
std::string ResolveLinks(std::string host) {
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(host.c_str(), target, sizeof target - 1);
        if (n <= 0) break;
        const std::string link(target, std::size_t(n));
        const std::size_t slash = host.rfind('/');
        host = link[0] == '/' || slash == std::string::npos ? link : host.substr(0, slash + 1) + link;
    }
    return host;
}

std::string TemporaryPrefix(const std::string& target) {
    return target + ".tmp";
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

bool ReadFileToString(const std::string& path, std::string& text, std::uint64_t maxBytes) {
    // Non-blocking, so that a pipe put in a file's place cannot hang the open.
    const int fd = ::open(HostPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && !S_ISREG(st.st_mode)) {
        ok = false;
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    if (ok && std::uint64_t(st.st_size) > maxBytes) {
        ok = false;
        errno = EFBIG;
    }
    text.clear();
    char block[1 << 16];
    while (ok) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        text.append(block, std::size_t(n));
        if (text.size() > maxBytes) { // grown since it was measured
            ok = false;
            errno = EFBIG;
        }
    }
    const int savedErrno = errno;
    ::close(fd);
    errno = savedErrno;
    return ok;
}

bool WriteStringToFile(const std::string& path, const std::string& text) {
    const std::string target = ResolveLinks(HostPath(path));
    struct stat st;
    const bool replacing = ::stat(target.c_str(), &st) == 0;
    if (replacing && !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    const std::string temporary = TemporaryPrefix(target) + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // A file the player made read-only stays read-only.
    bool ok = !replacing || ::fchmod(fd, st.st_mode & 07777) == 0;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, std::min<std::size_t>(text.size() - done, 1 << 16));
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += std::size_t(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int savedErrno = errno;
        ::unlink(temporary.c_str());
        errno = savedErrno;
    }
    return ok;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string target = ResolveLinks(HostPath(path));
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string prefix =
        TemporaryPrefix(slash == std::string::npos ? target : target.substr(slash + 1));
    DIR* d = ::opendir(folder.c_str());
    if (!d) return;
    const int savedErrno = errno;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t owner = pid_t(std::stol(digits));
        // Another copy of the game still writing its own temporary keeps it.
        if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlink((slash == std::string::npos ? name : folder + name).c_str());
    }
    ::closedir(d);
    errno = savedErrno;
}

bool AppendStringToFile(const std::string& path, const std::string& text) {
    // Non-blocking and regular files only, as for reading: a pipe in the file's place is refused.
    const int fd = ::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += std::size_t(n);
    }
    return ::close(fd) == 0 && ok;
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

bool ListDirectory(const std::string& path, std::vector<CDirectoryEntry>& entries, bool* readError) {
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
        CDirectoryEntry entry;
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
              [](const CDirectoryEntry& a, const CDirectoryEntry& b) { return a.name < b.name; });
    return true;
}

} // namespace vexo
