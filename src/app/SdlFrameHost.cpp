// The frame's host on SDL and OpenGL.
#include "app/SdlFrameHost.h"

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/OpenGLDevice.h"
#include "platform/WindowPlacement.h"
#include "support/Error.h"
#include "support/Text1250.h"

using namespace vexo::literals;

CSdlFrameHost::CSdlFrameHost() : timer(platform::PerformanceCounter, platform::PerformanceFrequency()) {}

CSdlFrameHost::~CSdlFrameHost() { DestroyMainWindow(); }

bool CSdlFrameHost::CreateMainWindow(const std::string& title, int clientWidth, int clientHeight, bool maximized,
                                     std::string& reason) {
    return window.Create(vexo::Cp1250ToUtf8(title), clientWidth, clientHeight,
                         maximized ? WindowMode::Maximized : WindowMode::Windowed, reason);
}

void CSdlFrameHost::SetMinimumClientSize(int width, int height) {
    if (window.IsOpen()) platform::SetMinimumClientSize(window, width, height);
}

void CSdlFrameHost::DestroyMainWindow() {
    device.reset();
    window.Destroy();
}

CRect CSdlFrameHost::GetWindowBounds() {
    int x = 0, y = 0, width = 0, height = 0;
    platform::GetWindowPosition(window, x, y);
    window.GetClientSize(width, height);
    return {x, y, x + width, y + height};
}

void CSdlFrameHost::SetWindowBounds(const CRect& bounds) {
    if (!window.IsOpen() || window.GetMode() == WindowMode::FullScreen) return;
    if (bounds.Width() > 0 && bounds.Height() > 0) window.Resize(bounds.Width(), bounds.Height());
    platform::SetWindowPosition(window, bounds.left, bounds.top);
}

CRect CSdlFrameHost::GetClientRect() {
    int width = 0, height = 0;
    if (window.IsOpen()) window.GetClientSize(width, height);
    return {0, 0, width, height};
}

CDisplayMode CSdlFrameHost::GetDesktopMode() {
    const platform::CDesktopMode mode = platform::GetDesktopMode(window.IsOpen() ? &window : nullptr);
    return {std::uint32_t(mode.width), std::uint32_t(mode.height), std::uint32_t(mode.refreshRate)};
}

void CSdlFrameHost::SetCursorVisible(bool visible) { platform::ShowSystemCursor(visible); }

void CSdlFrameHost::ClipCursor(bool clip) {
    if (window.IsOpen()) platform::GrabPointer(window, clip);
}

void CSdlFrameHost::SetMouseCapture(bool capture) { platform::CapturePointer(capture); }

void CSdlFrameHost::PaintCentredText(const std::string& text) {
    std::string reason;
    CRenderDevice* target = EnsureDevice(reason);
    if (!target) return; // the device's own creation reports the failure
    std::uint32_t width = 0, height = 0;
    target->GetBackBufferSize(width, height);
    FontHandle font = FontHandle::None;
    if (RenderFailed(target->CreateFont(kLoadingMessageFont, font))) return;
    // White behind black text, as a window's own background would be before anything is drawn.
    target->Clear(0xFFFFFFFF);
    if (!RenderFailed(target->BeginScene())) {
        target->SetRenderState(RenderState::AlphaBlendEnable, 1);
        target->SetRenderState(RenderState::SrcBlend, std::uint32_t(BlendFactor::SrcAlpha));
        target->SetRenderState(RenderState::DestBlend, std::uint32_t(BlendFactor::InvSrcAlpha));
        const CTextRect rect{0, 0, int(width), int(height)};
        target->DrawText(font, text.c_str(), -1, rect, kTextCenter | kTextVCenter | kTextSingleLine, 0xFF000000);
        target->EndScene();
    }
    target->Present();
    target->ReleaseFont(font);
}

CRenderDevice* CSdlFrameHost::EnsureDevice(std::string& reason) {
    if (!device && window.IsOpen()) {
        device = CreateOpenGLDevice(window, reason);
        // Presenting waits for the display's refresh where the driver allows, as the default
        // presentation interval does; where it does not, frames simply run unpaced.
        if (device) window.SetSwapInterval(1);
    }
    return device.get();
}

RenderResult CSdlFrameHost::ApplyMode(const CPresentParameters& parameters, std::string& reason) {
    if (parameters.windowed) {
        const bool left = window.GetMode() != WindowMode::FullScreen || window.SetMode(WindowMode::Windowed, reason);
        return left ? kRenderOk : kRenderInvalidCall;
    }
    const bool shown = parameters.backBufferWidth == 0 || parameters.backBufferHeight == 0
                           ? window.SetMode(WindowMode::FullScreen, reason)
                           : window.SetFullScreenMode(int(parameters.device.adapter), int(parameters.backBufferWidth),
                                                      int(parameters.backBufferHeight), int(parameters.refreshRate),
                                                      reason);
    // The window stays a window and the game goes on in it; the frame records why.
    return shown ? kRenderOk : kRenderFullScreenRefused;
}

CRenderDevice* CSdlFrameHost::CreateDevice(const CPresentParameters& parameters, RenderResult& result,
                                           std::string& reason) {
    result = kRenderNotAvailable;
    if (!window.IsOpen()) return nullptr;
    const int samples = int(MultisampleSamples(parameters.device.multisampleType, parameters.device.multisampleQuality));
    if (samples != window.GetSamples()) {
        // The device's GL objects live on the context the window is reopened without.
        device.reset();
        std::string refused;
        // The driver listed these samples but will not give them to a window: the game is drawn
        // without multisampling, and the log says why.
        if (!window.Reopen(samples, refused))
            vexo::CError(std::string("Nie można włączyć wielopróbkowania."_pl) + " " + refused, "d3dapp", __LINE__);
    }
    const RenderResult mode = ApplyMode(parameters, reason);
    if (RenderFailed(mode)) {
        result = mode;
        return nullptr;
    }
    CRenderDevice* created = EnsureDevice(reason);
    if (created) {
        result = mode;
        window.SetSwapInterval(SwapIntervalOf(parameters.device.presentInterval));
    }
    return created;
}

RenderResult CSdlFrameHost::ResetDevice(const CPresentParameters& parameters) {
    std::string reason;
    const RenderResult mode = ApplyMode(parameters, reason);
    if (!RenderFailed(mode)) window.SetSwapInterval(SwapIntervalOf(parameters.device.presentInterval));
    return mode;
}

// An OpenGL context is not lost the way a Direct3D device is; drawing can always go on.
RenderResult CSdlFrameHost::TestCooperativeLevel() { return kRenderOk; }

void CSdlFrameHost::ReleaseDevice() { device.reset(); }

bool CSdlFrameHost::PeekMessage(platform::CMessage& message) { return platform::PeekPlatformMessage(message); }

void CSdlFrameHost::PutBackMessages(const std::vector<platform::CMessage>& messages) {
    platform::PutBackPlatformMessages(messages);
}

void CSdlFrameHost::Sleep(std::uint32_t milliseconds) { platform::SleepMilliseconds(milliseconds); }
