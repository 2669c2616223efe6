// Opening a file with the desktop's default program, through SDL's URL opener.
#include "platform/Shell.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>

namespace platform {

std::string FileUrl(const std::string& absolutePath) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolutePath) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                           byte == '~' || byte == '/';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

bool OpenWithDesktop(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return false;
    return SDL_OpenURL(FileUrl(absolute.generic_string()).c_str()) == 0;
}

} // namespace platform
