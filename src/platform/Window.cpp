// The SDL window with its OpenGL 3.3 core context.
#include "platform/Window.h"

#include <SDL.h>

namespace {

Uint32 ModeFlags(WindowMode mode) {
    switch (mode) {
    case WindowMode::FullScreen:
        return SDL_WINDOW_FULLSCREEN_DESKTOP;
    case WindowMode::Maximized:
        return SDL_WINDOW_MAXIMIZED;
    case WindowMode::Windowed:
        break;
    }
    return 0;
}

void SetContextAttributes(int samples) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
}

} // namespace

CGLWindow::~CGLWindow() {
    Destroy();
}

bool CGLWindow::Create(const std::string& titleUtf8, int width, int height, WindowMode newMode,
                       std::string& error) {
    Destroy();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("SDL video: ") + SDL_GetError();
        return false;
    }
    videoStarted = true;

    SetContextAttributes(0);

    window = SDL_CreateWindow(
        titleUtf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
        SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | ModeFlags(newMode));
    if (!window) {
        error = std::string("SDL window: ") + SDL_GetError();
        Destroy();
        return false;
    }
    context = SDL_GL_CreateContext(window);
    if (!context) {
        error = std::string("OpenGL 3.3 core context: ") + SDL_GetError();
        Destroy();
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    mode = newMode;
    samples = 0;
    return true;
}

bool CGLWindow::Reopen(int newSamples, std::string& error) {
    if (!window) return false;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &width, &height);
    // The window opens as a window; the caller puts it back in full screen with the mode it wants.
    const Uint32 flags =
        SDL_GetWindowFlags(window) & (SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_MAXIMIZED);
    SetContextAttributes(newSamples);
    SDL_Window* reopened =
        SDL_CreateWindow(SDL_GetWindowTitle(window), x, y, width, height, SDL_WINDOW_OPENGL | flags);
    SDL_GLContext newContext = reopened ? SDL_GL_CreateContext(reopened) : nullptr;
    SetContextAttributes(0);
    if (!newContext) {
        error = std::string("OpenGL multisampling: ") + SDL_GetError();
        if (reopened) SDL_DestroyWindow(reopened);
        SDL_GL_MakeCurrent(window, context);
        return false;
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    window = reopened;
    context = newContext;
    SDL_GL_MakeCurrent(window, context);
    samples = newSamples;
    if (mode == WindowMode::FullScreen) mode = WindowMode::Windowed;
    return true;
}

void CGLWindow::Destroy() {
    if (context) SDL_GL_DeleteContext(context);
    context = nullptr;
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted = false;
}

void CGLWindow::Resize(int width, int height) {
    if (window) SDL_SetWindowSize(window, width, height);
}

bool CGLWindow::SetMode(WindowMode newMode, std::string& error) {
    if (!window) return false;
    if (SDL_SetWindowFullscreen(window,
                                newMode == WindowMode::FullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        error = std::string("SDL full screen: ") + SDL_GetError();
        return false;
    }
    if (newMode == WindowMode::Maximized)
        SDL_MaximizeWindow(window);
    else if (newMode == WindowMode::Windowed && mode == WindowMode::Maximized)
        SDL_RestoreWindow(window);
    mode = newMode;
    return true;
}

bool CGLWindow::SetFullScreenMode(int display, int width, int height, int refreshRate, std::string& error) {
    if (!window) return false;
    SDL_DisplayMode wanted{SDL_PIXELFORMAT_UNKNOWN, width, height, refreshRate, nullptr};
    SDL_DisplayMode closest{};
    // A display without a mode list (a virtual one) shows its desktop mode.
    const bool listed = SDL_GetClosestDisplayMode(display, &wanted, &closest) != nullptr;
    if (SDL_GetWindowDisplayIndex(window) != display)
        SDL_SetWindowPosition(window, int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)),
                              int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)));
    if ((listed && SDL_SetWindowDisplayMode(window, &closest) != 0) ||
        SDL_SetWindowFullscreen(window, listed ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_FULLSCREEN_DESKTOP) !=
            0) {
        error = std::string("SDL full screen: ") + SDL_GetError();
        return false;
    }
    mode = WindowMode::FullScreen;
    return true;
}

void CGLWindow::SetTitle(const std::string& titleUtf8) {
    if (window) SDL_SetWindowTitle(window, titleUtf8.c_str());
}

void CGLWindow::GetDrawableSize(int& width, int& height) const {
    width = height = 0;
    if (window) SDL_GL_GetDrawableSize(window, &width, &height);
}

void CGLWindow::GetClientSize(int& width, int& height) const {
    width = height = 0;
    if (window) SDL_GetWindowSize(window, &width, &height);
}

void CGLWindow::Swap() {
    if (window) SDL_GL_SwapWindow(window);
}

void CGLWindow::MakeCurrent() {
    if (window && context) SDL_GL_MakeCurrent(window, context);
}

bool CGLWindow::SetSwapInterval(int interval) {
    return context && SDL_GL_SetSwapInterval(interval) == 0;
}

std::uint32_t CGLWindow::GetWindowId() const {
    return window ? SDL_GetWindowID(window) : 0;
}
