// CTestFrameHost: the frame's host without a system. Messages are fed by the test, the clock
// moves only when the test says, the device is a recording double, and every window and device
// step is written to a log in order.
#pragma once

#include "app/D3DApp.h"
#include "gfx/RecordingDevice.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The recording device, whose Present can report a lost device or fail.
class CTestDevice : public CRecordingDevice {
public:
    RenderResult presentResult = kRenderOk;
    RenderResult Present() override {
        CRecordingDevice::Present();
        return presentResult;
    }
};

class CTestFrameHost : public CFrameHost {
public:
    static constexpr std::uint64_t kTicksPerSecond = 1000000;

    // The system's state as the test sets it.
    std::vector<std::string> log;
    CTestDevice device;
    RenderResult cooperativeLevel = kRenderOk;
    CDisplayMode desktop{1280, 1024, 60};
    CRect bounds{100, 50, 100, 50}; // the client area on the screen, sized at creation
    bool fullScreen = false;
    std::uint64_t ticks = 5 * kTicksPerSecond;
    // Messages handed to the loop, then what the loop gets when they are gone (the default closes
    // the window, so Run always ends).
    std::deque<platform::CMessage> messages;
    std::function<bool(platform::CMessage&)> whenIdle = [](platform::CMessage& m) {
        m = {platform::WM_CLOSE, 0, 0};
        return true;
    };

    void Advance(double seconds) { ticks += std::uint64_t(seconds * double(kTicksPerSecond)); }
    // Whether the frame timer stands still: its application time ignores the clock moving on. The
    // clock goes back to where it was.
    bool TimerStopped() {
        const double before = timer(ETimerCommand::AppTime);
        ticks += kTicksPerSecond;
        const double after = timer(ETimerCommand::AppTime);
        ticks -= kTicksPerSecond;
        return after == before;
    }
    // The window took a new client size (a drag, or the window manager).
    void ResizeClient(int width, int height) {
        bounds.right = bounds.left + width;
        bounds.bottom = bounds.top + height;
        device.width = std::uint32_t(std::max(width, 0));
        device.height = std::uint32_t(std::max(height, 0));
    }

    bool CreateMainWindow(const std::string&, int width, int height, bool, std::string&) override {
        log.push_back("CreateMainWindow");
        windowOpen = true;
        ResizeClient(width, height);
        return true;
    }
    void DestroyMainWindow() override {
        log.push_back("DestroyMainWindow");
        windowOpen = false;
    }
    void SetMinimumClientSize(int width, int height) override {
        ResizeClient(std::max(bounds.Width(), width), std::max(bounds.Height(), height));
    }
    bool HasMainWindow() const override { return windowOpen; }
    // In full screen the window covers the desktop; its windowed place is remembered by the system.
    CRect GetWindowBounds() override {
        return fullScreen ? CRect{0, 0, int(desktop.width), int(desktop.height)} : bounds;
    }
    void SetWindowBounds(const CRect& b) override {
        if (fullScreen) return;
        bounds = b;
        ResizeClient(b.Width(), b.Height());
    }
    CRect GetClientRect() override { return {0, 0, GetWindowBounds().Width(), GetWindowBounds().Height()}; }
    CDisplayMode GetDesktopMode() override { return desktop; }

    void SetCursorVisible(bool) override {}
    void ClipCursor(bool) override {}
    void SetMouseCapture(bool) override {}
    void PaintCentredText(const std::string&) override {}

    CRenderDevice* CreateDevice(const CPresentParameters& parameters, RenderResult& result,
                                std::string&) override {
        log.push_back("CreateDevice");
        result = Present(parameters);
        return &device;
    }
    RenderResult ResetDevice(const CPresentParameters& parameters) override {
        log.push_back("ResetDevice");
        return Present(parameters);
    }
    RenderResult TestCooperativeLevel() override { return cooperativeLevel; }
    void ReleaseDevice() override { log.push_back("ReleaseDevice"); }

    bool PeekMessage(platform::CMessage& message) override {
        if (messages.empty()) return whenIdle(message);
        message = messages.front();
        messages.pop_front();
        return true;
    }
    void PutBackMessages(const std::vector<platform::CMessage>& taken) override {
        messages.insert(messages.begin(), taken.begin(), taken.end());
    }
    void Sleep(std::uint32_t) override {}
    CFrameTimer& Timer() override { return timer; }

private:
    // Full screen shows the mode's size; a window keeps its client area.
    RenderResult Present(const CPresentParameters& parameters) {
        fullScreen = !parameters.windowed;
        device.width = fullScreen ? parameters.backBufferWidth : std::uint32_t(bounds.Width());
        device.height = fullScreen ? parameters.backBufferHeight : std::uint32_t(bounds.Height());
        return kRenderOk;
    }

    bool windowOpen = false;
    CFrameTimer timer{[this] { return ticks; }, kTicksPerSecond};
};
