// CGLWindow: the program's SDL window with its OpenGL 3.3 core context.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Window;

enum class WindowMode { Windowed, FullScreen, Maximized };

// Keeps SDL's video started while it lives, so the windows opened meanwhile find it ready. Started
// before any other thread of the program runs it costs less: Xlib reads the keyboard's compose
// tables a character at a time through stdio, which locks for every character once a second
// thread exists. A start that fails is left for the window's own start to report.
class CVideoSystem {
public:
    CVideoSystem();
    CVideoSystem(const CVideoSystem&) = delete;
    CVideoSystem& operator=(const CVideoSystem&) = delete;
    ~CVideoSystem();

private:
    bool started = false;
};

class CGLWindow {
public:
    CGLWindow() = default;
    CGLWindow(const CGLWindow&) = delete;
    CGLWindow& operator=(const CGLWindow&) = delete;
    ~CGLWindow();

    // Starts SDL's video (once per window; SDL counts the users), opens the window and makes its
    // context current. Returns false with the reason in error; nothing stays half open.
    bool Create(const std::string& titleUtf8, int width, int height, WindowMode mode, std::string& error);
    // Opens the window again in its place with that many samples per pixel (0: none), so a
    // multisampled frame buffer can be had: a window's pixel format is fixed when it opens.
    // Every GL object of the old context goes with it. On failure the old window stays.
    bool Reopen(int samples, std::string& error);
    int GetSamples() const { return samples; }
    void Destroy();
    bool IsOpen() const { return window != nullptr; }

    // The client area in window coordinates; in windowed mode the window keeps that size.
    void Resize(int width, int height);
    // Full screen on the desktop's mode, or back to a window. Full screen the window system does
    // not give leaves a window and returns false.
    bool SetMode(WindowMode mode, std::string& error);
    // Full screen on the display in the mode closest to the one asked for.
    bool SetFullScreenMode(int display, int width, int height, int refreshRate, std::string& error);
    WindowMode GetMode() const { return mode; }

    // The sizes the window really has now, asked of the window system where it can be asked.
    void GetDrawableSize(int& width, int& height) const;
    void GetClientSize(int& width, int& height) const;
    void Swap();
    // Makes this window's context current again after another context was used.
    void MakeCurrent();
    // 0 presents at once, 1 waits for the display's refresh; false when the driver refuses.
    bool SetSwapInterval(int interval);

    // For the platform's event and device code.
    SDL_Window* GetSDLWindow() const { return window; }

private:
    // The window manager shows the window in full screen in its own time, or never: the request
    // holds once the window really covers its display. A refused one leaves SDL's window a window
    // again, with the reason in error.
    bool AwaitFullScreen(std::string& error);

    SDL_Window* window = nullptr;
    void* context = nullptr; // SDL_GLContext
    WindowMode mode = WindowMode::Windowed;
    bool videoStarted = false;
    int samples = 0;
};
