// What SDL and OpenGL report of the displays: their names, desktop and full-screen modes with
// the pixel formats as Direct3D format codes, and the limits of the current GL context.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct CVideoMode {
    int width = 0;
    int height = 0;
    int refreshRate = 0;
    std::uint32_t format = 0; // a Direct3D format code; 0 for a layout it has no code for
};

struct CVideoDisplay {
    std::string name; // UTF-8
    CVideoMode desktop;
    std::vector<CVideoMode> modes;
};

// Every display with its modes; SDL's video must be running (a window is open).
std::vector<CVideoDisplay> ListDisplays();

struct CGLLimits {
    int maxSamples = 0;
    int depthBits = 0;
    int stencilBits = 0;
    std::vector<int> swapIntervals; // the intervals 0 to 4 the driver accepts
};

// Of the current context. Probing the swap intervals leaves interval 1 set.
CGLLimits QueryGLLimits();

} // namespace platform
