// Image decoding and PNG writing through SDL2_image.
#include "platform/ImageDecode.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <climits>

namespace {

struct SurfaceCloser {
    SDL_Surface* surface;
    ~SurfaceCloser() {
        if (surface) SDL_FreeSurface(surface);
    }
};

} // namespace

RenderResult DecodeImage(const void* bytes, std::uint32_t size, std::uint32_t colorKey,
                         std::vector<std::uint32_t>& argb, int& width, int& height) {
    if (!bytes || size == 0 || size > INT_MAX) return kRenderInvalidData;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!stream) return kRenderOutOfMemory;
    SurfaceCloser decoded{IMG_Load_RW(stream, 1)};
    if (!decoded.surface) return kRenderInvalidData;
    SurfaceCloser converted{SDL_ConvertSurfaceFormat(decoded.surface, SDL_PIXELFORMAT_ARGB8888, 0)};
    if (!converted.surface) return kRenderOutOfMemory;
    SDL_Surface* s = converted.surface;
    if (s->w <= 0 || s->h <= 0) return kRenderInvalidData;

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
    SurfaceCloser surface{SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888)};
    if (!surface.surface) return kRenderOutOfMemory;
    return IMG_SavePNG(surface.surface, path.c_str()) == 0 ? kRenderOk : kRenderFail;
}
