// The folder source: a snapshot of every regular file under the root, read straight from disk.
#include "RARLoad/LoaderCommon.h"
#include "RARLoad/RARLoad.h"
#include "support/Files.h"
#include "support/Strings.h"
#include "support/Text1250.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vexo::literals;

namespace {

std::string CannotOpen(const std::string& path) {
    return std::string("Nie można otworzyć pliku \""_pl) + path + "\".";
}
std::string CannotRead(const std::string& path) {
    return std::string("Nie można odczytać pliku \""_pl) + path + "\".";
}

} // namespace

CRARLoader_dir::CRARLoader_dir(const std::string& path) : root(vexo::AddBackslash(path)) {
    Scan(vexo::HostPath(path), path, "");
}

// Depth first: a sub-folder's files come right where its name sorts among its siblings.
void CRARLoader_dir::Scan(const std::string& hostDir, const std::string& programDir,
                          const std::string& prefix) {
    std::vector<vexo::CDirectoryEntry> found;
    bool readError = false;
    if (!vexo::ListDirectory(hostDir, found, &readError))
        rarload::RaiseSystem(
            std::string("Nie można rozpocząć przeglądania katalogu \""_pl) + programDir + "\".", __LINE__);
    // A folder read only in part would leave files out without saying why; the start would then
    // fail on a missing image, or load without it.
    if (readError)
        rarload::RaiseSystem(std::string("Błąd podczas przeglądania katalogu \""_pl) + programDir + "\".",
                             __LINE__);
    for (const vexo::CDirectoryEntry& item : found) {
        // A backslash is a separator in every entry name, so a Linux name holding one cannot be named.
        if (item.name.find('\\') != std::string::npos) continue;
        const std::string name = prefix + rarload::NameFromUtf8(item.name);
        const std::string hostPath = hostDir + "/" + item.name;
        // A linked folder is left out: a link back up the tree would otherwise never end.
        if (item.isDirectory && !item.isSymlink) {
            Scan(hostPath, root + name, name + "\\");
        } else if (item.isRegularFile) {
            entries.push_back({name, hostPath, item.size});
        }
    }
}

bool CRARLoader_dir::Next(std::string& name, std::uint32_t& size) {
    if (index >= entries.size()) return false;
    const CEntry& entry = Current();
    name = entry.name;
    size = rarload::AnnouncedSize(entry.size);
    return true;
}

const CRARLoader_dir::CEntry& CRARLoader_dir::Current() const {
    if (index >= entries.size()) rarload::Raise(rarload::ReadErrorMessage(), __LINE__);
    return entries[index];
}

// Reads exactly the size taken at the scan: a file that has changed since then is a read failure.
// A file too large to read is refused before anything is written to the buffer.
void CRARLoader_dir::ReadExactly(const CEntry& entry, char* buffer, bool systemError) const {
    rarload::CheckReadableSize(FullPath(entry), entry.size, __LINE__);
    const auto fail = [&](const std::string& message, int line) {
        if (systemError) rarload::RaiseSystem(message, line);
        rarload::Raise(message, line);
    };
    // Non-blocking, so that a file replaced by a pipe since the scan cannot hang the game.
    const int fd = ::open(entry.hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) fail(systemError ? CannotOpen(FullPath(entry)) : CannotRead(FullPath(entry)), __LINE__);
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::size_t done = 0;
    while (ok && done < entry.size) {
        const ssize_t n = ::read(fd, buffer + done, entry.size - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += std::size_t(n);
    }
    char extra;
    ok = ok && ::read(fd, &extra, 1) == 0;
    const int savedErrno = errno;
    ::close(fd);
    errno = savedErrno;
    if (!ok) fail(CannotRead(FullPath(entry)), __LINE__);
}

void CRARLoader_dir::Read(void* buffer) {
    ReadExactly(Current(), static_cast<char*>(buffer), true);
    ++index;
}

void CRARLoader_dir::ReadToString(std::string& text) {
    const CEntry& entry = Current();
    rarload::CheckReadableSize(FullPath(entry), entry.size, __LINE__);
    text.resize(entry.size);
    ReadExactly(entry, text.data(), false);
    ++index;
}

void CRARLoader_dir::Skip() {
    Current();
    ++index;
}
