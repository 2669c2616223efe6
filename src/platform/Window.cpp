// The SDL window with its OpenGL 3.3 core context.
#include "platform/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(TUNDREL_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#define TUNDREL_ASK_X11 1
#endif

namespace {

// How long a window manager may take to show the window in full screen before the request counts
// as refused. It answers in a few milliseconds when idle; the bound is for a loaded machine.
constexpr Uint64 kFullScreenWaitMilliseconds = 3000;

#ifdef TUNDREL_ASK_X11
struct CX11Window {
    Display* display = nullptr;
    ::Window window = 0;
};

bool X11Of(SDL_Window* window, CX11Window& x11) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    x11 = {info.info.x11.display, info.info.x11.window};
    return true;
}

// A window manager that follows the common conventions names itself on the root window; without
// one nobody ever answers a request for full screen.
bool HasWindowManager(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool named = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       count == 1;
    if (data) XFree(data);
    return named;
}
#endif

// The size the window system really gives the window, asked of the X server: SDL keeps the size it
// last asked for, which lags behind the window manager and, without one, claims a full screen that
// never came. False where the system cannot be asked; SDL's own size is all there is then.
bool RealWindowSize(SDL_Window* window, int& width, int& height) {
#ifdef TUNDREL_ASK_X11
    CX11Window x11;
    ::Window root = 0;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (X11Of(window, x11) && XGetGeometry(x11.display, x11.window, &root, &x, &y, &w, &h, &border, &depth)) {
        width = int(w);
        height = int(h);
        return true;
    }
#else
    (void)window, (void)width, (void)height;
#endif
    return false;
}

// Whether a window manager could show the window in full screen at all.
bool FullScreenPossible(SDL_Window* window) {
#ifdef TUNDREL_ASK_X11
    CX11Window x11;
    if (X11Of(window, x11)) return HasWindowManager(x11.display);
#else
    (void)window;
#endif
    return true;
}

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

CVideoSystem::CVideoSystem() : started(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}

CVideoSystem::~CVideoSystem() {
    if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

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
    if (newMode == WindowMode::FullScreen && !AwaitFullScreen(error)) return false;
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
    if (!AwaitFullScreen(error)) return false;
    mode = WindowMode::FullScreen;
    return true;
}

bool CGLWindow::AwaitFullScreen(std::string& error) {
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode shown{};
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &shown) != 0) return true;
    const bool possible = FullScreenPossible(window);
    const Uint64 deadline = SDL_GetTicks64() + kFullScreenWaitMilliseconds;
    int width = 0, height = 0;
    while (RealWindowSize(window, width, height) && (width != shown.w || height != shown.h)) {
        if (!possible || SDL_GetTicks64() >= deadline) {
            // SDL believes the window is in full screen until told otherwise.
            SDL_SetWindowFullscreen(window, 0);
            error = "the window system kept the window at " + std::to_string(width) + "x" + std::to_string(height) +
                    (possible ? "" : " (no window manager)");
            return false;
        }
        SDL_Delay(10);
    }
    return true;
}

void CGLWindow::GetDrawableSize(int& width, int& height) const {
    width = height = 0;
    if (window && !RealWindowSize(window, width, height)) SDL_GL_GetDrawableSize(window, &width, &height);
}

void CGLWindow::GetClientSize(int& width, int& height) const {
    width = height = 0;
    if (window && !RealWindowSize(window, width, height)) SDL_GetWindowSize(window, &width, &height);
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
