// CSdlFrameHost: the frame's host on the real system: an SDL window with its OpenGL device,
// SDL's events as window messages, and the high-resolution counter.
#pragma once

#include "app/FrameHost.h"
#include "platform/Window.h"

#include <memory>

class CSdlFrameHost : public CFrameHost {
public:
    CSdlFrameHost();
    ~CSdlFrameHost() override;

    bool CreateMainWindow(const std::string& title, int clientWidth, int clientHeight, bool maximized,
                          std::string& reason) override;
    void DestroyMainWindow() override;
    void SetMinimumClientSize(int width, int height) override;
    bool HasMainWindow() const override { return window.IsOpen(); }
    CRect GetWindowBounds() override;
    void SetWindowBounds(const CRect& bounds) override;
    CRect GetClientRect() override;
    CDisplayMode GetDesktopMode() override;

    void SetCursorVisible(bool visible) override;
    void ClipCursor(bool clip) override;
    void SetMouseCapture(bool capture) override;
    void PaintCentredText(const std::string& text) override;
    // The font the loading message is painted in: the system's default at 16 pixels.
    static inline const CFontDesc kLoadingMessageFont{16, 400, ""};

    CRenderDevice* CreateDevice(const CPresentParameters& parameters, RenderResult& result,
                                std::string& reason) override;
    RenderResult ResetDevice(const CPresentParameters& parameters) override;
    RenderResult TestCooperativeLevel() override;
    void ReleaseDevice() override;

    bool PeekMessage(platform::CMessage& message) override;
    void PutBackMessages(const std::vector<platform::CMessage>& messages) override;
    void Sleep(std::uint32_t milliseconds) override;
    CFrameTimer& Timer() override { return timer; }

private:
    // The device lives on the window's GL context; it is made on first need.
    CRenderDevice* EnsureDevice(std::string& reason);
    // kRenderOk, kRenderFullScreenRefused, or a failure with the reason.
    RenderResult ApplyMode(const CPresentParameters& parameters, std::string& reason);

    CVideoSystem video;
    CGLWindow window;
    std::unique_ptr<CRenderDevice> device;
    CFrameTimer timer;
};
