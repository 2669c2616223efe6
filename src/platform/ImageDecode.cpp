// Image decoding and PNG writing through SDL2_image.
#include "platform/ImageDecode.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

struct CSurfaceCloser {
    SDL_Surface* surface;
    ~CSurfaceCloser() {
        if (surface) SDL_FreeSurface(surface);
    }
};

std::uint32_t Byte(std::string_view b, std::size_t at) {
    return at < b.size() ? std::uint8_t(b[at]) : 0;
}
std::uint32_t BigEndian16(std::string_view b, std::size_t at) {
    return Byte(b, at) << 8 | Byte(b, at + 1);
}
std::uint32_t BigEndian32(std::string_view b, std::size_t at) {
    return BigEndian16(b, at) << 16 | BigEndian16(b, at + 2);
}
std::uint32_t LittleEndian16(std::string_view b, std::size_t at) {
    return Byte(b, at) | Byte(b, at + 1) << 8;
}
std::uint32_t LittleEndian32(std::string_view b, std::size_t at) {
    return LittleEndian16(b, at) | LittleEndian16(b, at + 2) << 16;
}

// The frame header (SOF0 ... SOF15) holds the size; the markers before it are skipped by their lengths.
bool ReadJpegSize(std::string_view b, CImageHeader& header) {
    std::size_t at = 2;
    while (at + 9 <= b.size()) {
        if (Byte(b, at) != 0xFF) return false;
        const std::uint32_t marker = Byte(b, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return false; // image data before any frame header
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            header.height = BigEndian16(b, at + 5);
            header.width = BigEndian16(b, at + 7);
            return true;
        }
        at += 2 + BigEndian16(b, at + 2);
    }
    return false;
}

} // namespace

bool ReadImageHeader(std::string_view b, CImageHeader& header) {
    header = CImageHeader{};
    if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1a\n" && b.substr(12, 4) == "IHDR") {
        header = {"PNG", BigEndian32(b, 16), BigEndian32(b, 20)};
    } else if (b.size() >= 26 && b.substr(0, 2) == "BM") {
        // The old OS/2 header has 16-bit sizes; the later ones 32-bit, the height negative for a
        // picture stored top row first.
        const bool core = LittleEndian32(b, 14) == 12;
        const std::int32_t height =
            core ? std::int32_t(LittleEndian16(b, 20)) : std::int32_t(LittleEndian32(b, 22));
        if (height == INT32_MIN) return false;
        header = {"BMP", core ? LittleEndian16(b, 18) : LittleEndian32(b, 18),
                  std::uint32_t(std::abs(height))};
    } else if (b.size() >= 4 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8 && Byte(b, 2) == 0xFF) {
        header.format = "JPG";
        if (!ReadJpegSize(b, header)) return false;
    } else {
        // GIF among them: this SDL2_image's GIF decoder frees a wild pointer on a damaged file.
        return false;
    }
    return header.width > 0 && header.height > 0 && header.width <= INT_MAX && header.height <= INT_MAX;
}

RenderResult DecodeImage(const void* bytes, std::uint32_t size, std::uint32_t colorKey, int maxSide,
                         std::vector<std::uint32_t>& argb, int& width, int& height) {
    if (!bytes || size == 0 || size > INT_MAX) return kRenderInvalidData;
    CImageHeader header;
    if (!ReadImageHeader({static_cast<const char*>(bytes), size}, header)) return kRenderInvalidData;
    if (header.width > std::uint32_t(std::max(maxSide, 0)) ||
        header.height > std::uint32_t(std::max(maxSide, 0)) ||
        std::uint64_t(header.width) * header.height > kMaxImagePixels)
        return kRenderOutOfMemory;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!stream) return kRenderOutOfMemory;
    // The decoder the header named, and no other: the bytes must not reach a decoder whose size
    // was never checked.
    CSurfaceCloser decoded{IMG_LoadTyped_RW(stream, 1, header.format)};
    if (!decoded.surface) return kRenderInvalidData;
    CSurfaceCloser converted{SDL_ConvertSurfaceFormat(decoded.surface, SDL_PIXELFORMAT_ARGB8888, 0)};
    if (!converted.surface) return kRenderOutOfMemory;
    SDL_Surface* s = converted.surface;
    // The header is only a promise; the decoded size is the one that counts.
    if (s->w <= 0 || s->h <= 0 || s->w > maxSide || s->h > maxSide ||
        std::uint64_t(s->w) * std::uint64_t(s->h) > kMaxImagePixels)
        return kRenderInvalidData;

    width = s->w;
    height = s->h;
    argb.resize(std::size_t(width) * height);
    if (SDL_LockSurface(s) != 0) return kRenderFail;
    for (int row = 0; row < height; ++row) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(s->pixels) +
                                                                 std::ptrdiff_t(row) * s->pitch);
        std::copy_n(src, width, argb.begin() + std::ptrdiff_t(row) * width);
    }
    SDL_UnlockSurface(s);
    if (colorKey != 0) std::replace(argb.begin(), argb.end(), colorKey, std::uint32_t(0));
    return kRenderOk;
}

RenderResult WritePng(const std::string& path, const std::vector<std::uint32_t>& argb, int width,
                      int height) {
    if (width <= 0 || height <= 0 || argb.size() != std::size_t(width) * height) return kRenderInvalidCall;
    CSurfaceCloser surface{SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888)};
    if (!surface.surface) return kRenderOutOfMemory;
    return IMG_SavePNG(surface.surface, path.c_str()) == 0 ? kRenderOk : kRenderFail;
}
