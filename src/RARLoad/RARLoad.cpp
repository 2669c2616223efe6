// Opening "GameData", and the error and naming rules both sources follow.
#include "RARLoad/RARLoad.h"

#include "RARLoad/LoaderCommon.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"

#include <algorithm>
#include <cstdint>
#include <sys/stat.h>

using namespace vexo::literals;

namespace rarload {

void Raise(const std::string& message, int line) {
    throw vexo::CError(message, kSource, line);
}

void RaiseSystem(const std::string& message, int line) {
    throw vexo::CWin32APIError(message, kSource, line);
}

std::string ReadErrorMessage() {
    return std::string("Błąd odczytu."_pl);
}

std::string TooLargeMessage(const std::string& name, std::uint64_t size) {
    return std::string("Plik \""_pl) + name + std::string("\" jest za duży ("_pl) + std::to_string(size) +
           std::string(" bajtów)."_pl);
}

void CheckReadableSize(const std::string& name, std::uint64_t size, int line) {
    if (size > CRARLoader::kMaxEntrySize) Raise(TooLargeMessage(name, size), line);
}

std::uint32_t AnnouncedSize(std::uint64_t size) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(size, UINT32_MAX));
}

std::string NameFromUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (vexo::cp1250::DecodeUtf8(text, i) == 0xFFFD) return std::string(text);
    return vexo::Utf8ToCp1250(text);
}

} // namespace rarload

CRARLoader* OpenGameData(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(vexo::HostPath(path).c_str(), &st) != 0)
        rarload::Raise(path + std::string(" nie istnieje."_pl), __LINE__);
    if (S_ISDIR(st.st_mode)) return new CRARLoader_dir(path);
    return new CRARLoader_rar(path);
}
