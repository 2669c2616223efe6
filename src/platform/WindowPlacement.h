// The window services the application frame needs besides CGLWindow: where the window lies, the
// desktop's mode, and how the pointer behaves over the window.
#pragma once

class CGLWindow;

namespace platform {

struct CDesktopMode {
    int width = 0;
    int height = 0;
    int refreshRate = 0;
};

// The client area's top-left corner on the desktop.
void GetWindowPosition(const CGLWindow& window, int& x, int& y);
void SetWindowPosition(CGLWindow& window, int x, int y);
// The smallest client size a user can drag the window to.
void SetMinimumClientSize(CGLWindow& window, int width, int height);
// The mode of the display the window is on (the first display before there is a window).
CDesktopMode GetDesktopMode(const CGLWindow* window);

void ShowSystemCursor(bool visible);
// Keeps the pointer inside the window while grab is set.
void GrabPointer(CGLWindow& window, bool grab);
// Keeps mouse events coming while a button is held outside the window.
void CapturePointer(bool capture);

} // namespace platform
