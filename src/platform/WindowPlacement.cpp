// Window position, desktop mode and pointer behaviour through SDL.
#include "platform/WindowPlacement.h"

#include "platform/Window.h"

#include <SDL.h>

namespace platform {

void GetWindowPosition(const CGLWindow& window, int& x, int& y) {
    x = y = 0;
    if (SDL_Window* sdl = window.GetSDLWindow()) SDL_GetWindowPosition(sdl, &x, &y);
}

void SetWindowPosition(CGLWindow& window, int x, int y) {
    if (SDL_Window* sdl = window.GetSDLWindow()) SDL_SetWindowPosition(sdl, x, y);
}

void SetMinimumClientSize(CGLWindow& window, int width, int height) {
    if (SDL_Window* sdl = window.GetSDLWindow()) SDL_SetWindowMinimumSize(sdl, width, height);
}

CDesktopMode GetDesktopMode(const CGLWindow* window) {
    int display = 0;
    if (window && window->GetSDLWindow()) display = SDL_GetWindowDisplayIndex(window->GetSDLWindow());
    SDL_DisplayMode mode{};
    if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) return {};
    return {mode.w, mode.h, mode.refresh_rate};
}

void ShowSystemCursor(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void GrabPointer(CGLWindow& window, bool grab) {
    if (SDL_Window* sdl = window.GetSDLWindow()) SDL_SetWindowGrab(sdl, grab ? SDL_TRUE : SDL_FALSE);
}

void CapturePointer(bool capture) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

} // namespace platform
