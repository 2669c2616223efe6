// CFrameHost: what the application frame needs of the system (the main window, the render device
// on it, the message queue, the clock), so the frame's logic runs against fed messages in tests.
#pragma once

#include "app/DeviceSettings.h"
#include "app/FrameTimer.h"
#include "platform/RenderDevice.h"
#include "platform/WindowMessages.h"

#include <cstdint>
#include <string>
#include <vector>

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect&) const = default;
};

// How the back buffer is presented: in a window at the client size, or full screen in a mode.
struct CPresentParameters {
    bool windowed = true;
    std::uint32_t backBufferWidth = 0;
    std::uint32_t backBufferHeight = 0;
    std::uint32_t refreshRate = 0; // 0 in a window
    // The device choice of the case in use: display, formats, multisampling, interval.
    CDeviceSettings device;
    bool operator==(const CPresentParameters&) const = default;
};

struct CDisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t refreshRate = 0;
    std::uint32_t format = kFormatUnknown;
    bool operator==(const CDisplayMode&) const = default;
};

// CreateDevice and ResetDevice succeeded, but the window system would not show the window in full
// screen: the device presents in a window at the size the window has.
inline constexpr RenderResult kRenderFullScreenRefused = 0x0876087C;

class CFrameHost {
public:
    virtual ~CFrameHost() = default;

    // Opens the main window with that client size (title in Windows-1250), shown maximized or
    // normally. False with the system's reason.
    virtual bool CreateMainWindow(const std::string& title, int clientWidth, int clientHeight, bool maximized,
                                  std::string& reason) = 0;
    virtual void DestroyMainWindow() = 0;
    // The smallest client area the user can drag the window to; a smaller window grows to it.
    virtual void SetMinimumClientSize(int width, int height) = 0;
    virtual bool HasMainWindow() const = 0;
    // The client area on the screen; its size is the window's client size.
    virtual CRect GetWindowBounds() = 0;
    virtual void SetWindowBounds(const CRect& bounds) = 0;
    virtual CRect GetClientRect() = 0;
    virtual CDisplayMode GetDesktopMode() = 0;

    virtual void SetCursorVisible(bool visible) = 0;
    // Keeps the pointer inside the window (full screen) or frees it.
    virtual void ClipCursor(bool clip) = 0;
    // Mouse events keep coming to the window while a button is held outside it.
    virtual void SetMouseCapture(bool capture) = 0;
    // Text drawn centred on the window straight away, for the time before the device exists.
    virtual void PaintCentredText(const std::string& text) = 0;

    // The device on the main window, presenting as asked (or kRenderFullScreenRefused); nullptr
    // with the result code and the system's reason when it cannot be made.
    virtual CRenderDevice* CreateDevice(const CPresentParameters& parameters, RenderResult& result,
                                        std::string& reason) = 0;
    virtual RenderResult ResetDevice(const CPresentParameters& parameters) = 0;
    // kRenderOk, kRenderDeviceLost (nothing can be drawn yet) or kRenderDeviceNotReset.
    virtual RenderResult TestCooperativeLevel() = 0;
    virtual void ReleaseDevice() = 0;

    virtual bool PeekMessage(platform::CMessage& message) = 0;
    // Messages taken but not used (by the settings dialog's own loop) go back to the front of the
    // queue, in their order, for the frame.
    virtual void PutBackMessages(const std::vector<platform::CMessage>& messages) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual CFrameTimer& Timer() = 0;
};
