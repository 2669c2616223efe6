// Displays, modes and GL limits through SDL and OpenGL.
#include "platform/DisplayModes.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace platform {

namespace {

// The Direct3D codes of the layouts a display mode comes in; alpha does not matter on a screen.
std::uint32_t FormatCode(Uint32 format) {
    switch (format) {
    case SDL_PIXELFORMAT_RGB888:
    case SDL_PIXELFORMAT_BGR888:
    case SDL_PIXELFORMAT_ARGB8888:
    case SDL_PIXELFORMAT_ABGR8888:
    case SDL_PIXELFORMAT_RGBX8888:
    case SDL_PIXELFORMAT_BGRX8888:
    case SDL_PIXELFORMAT_RGB24:
    case SDL_PIXELFORMAT_BGR24:
        return 22; // X8R8G8B8
    case SDL_PIXELFORMAT_RGB565:
    case SDL_PIXELFORMAT_BGR565:
        return 23; // R5G6B5
    case SDL_PIXELFORMAT_RGB555:
    case SDL_PIXELFORMAT_BGR555:
    case SDL_PIXELFORMAT_ARGB1555:
    case SDL_PIXELFORMAT_ABGR1555:
        return 24; // X1R5G5B5
    case SDL_PIXELFORMAT_ARGB2101010:
        return 35; // A2R10G10B10
    default:
        return 0;
    }
}

CVideoMode ModeOf(const SDL_DisplayMode& mode) {
    return {mode.w, mode.h, mode.refresh_rate, FormatCode(mode.format)};
}

} // namespace

std::vector<CVideoDisplay> ListDisplays() {
    std::vector<CVideoDisplay> displays;
    const int count = SDL_GetNumVideoDisplays();
    for (int d = 0; d < count; ++d) {
        CVideoDisplay display;
        const char* name = SDL_GetDisplayName(d);
        display.name = name ? name : "";
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(d, &mode) == 0) display.desktop = ModeOf(mode);
        const int modes = SDL_GetNumDisplayModes(d);
        for (int m = 0; m < modes; ++m)
            if (SDL_GetDisplayMode(d, m, &mode) == 0 && mode.w > 0 && mode.h > 0)
                display.modes.push_back(ModeOf(mode));
        displays.push_back(display);
    }
    return displays;
}

CGLLimits QueryGLLimits() {
    CGLLimits limits;
    if (!SDL_GL_GetCurrentContext()) return limits;
    GLint samples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &samples);
    limits.maxSamples = samples;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &limits.depthBits);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &limits.stencilBits);
    for (int interval = 0; interval <= 4; ++interval)
        if (SDL_GL_SetSwapInterval(interval) == 0) limits.swapIntervals.push_back(interval);
    SDL_GL_SetSwapInterval(1);
    return limits;
}

} // namespace platform
