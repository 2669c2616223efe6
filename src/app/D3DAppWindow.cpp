// The frame's window and device: creating, resetting and releasing the device with the game's
// hooks, size changes, the switch between window and full screen, the base message handling and
// the shutdown.
#include "app/D3DApp.h"

#include "support/Error.h"
#include "support/Text1250.h"

#include <algorithm>
#include <exception>

using namespace platform;
using namespace vexo::literals;

namespace {

const char* const kSource = "d3dapp";
// The smallest client area the game's screens are laid out for.
constexpr int kMinimumClientWidth = 640;
constexpr int kMinimumClientHeight = 480;

// Pauses the frame with its timer stopped while it lives, also when an error leaves early.
class CPausedFrame {
public:
    explicit CPausedFrame(CD3DApplication& app) : app(app) { app.Pause(true, true); }
    ~CPausedFrame() { app.Pause(false, true); }
    CPausedFrame(const CPausedFrame&) = delete;
    CPausedFrame& operator=(const CPausedFrame&) = delete;

private:
    CD3DApplication& app;
};

std::string WithReason(std::string_view message, const std::string& reason) {
    return reason.empty() ? std::string(message) : std::string(message) + " " + reason;
}

} // namespace

void CD3DApplication::CreateMainWindow() {
    if (!host.HasMainWindow()) {
        std::string reason;
        // Opened no smaller than the minimum at once: a window grown afterwards would be drawn
        // into at its old size until the system caught up, the loading message first.
        const int width = std::max(windowSettings.width, kMinimumClientWidth);
        const int height = std::max(windowSettings.height, kMinimumClientHeight);
        if (!host.CreateMainWindow(windowTitle, width, height, windowSettings.maximized, reason))
            throw vexo::CWin32APIError(WithReason("Nie można utworzyć okna."_pl, reason), kSource, __LINE__);
        maximized = windowSettings.maximized;
        host.SetMinimumClientSize(kMinimumClientWidth, kMinimumClientHeight);
    }
    windowBounds = host.GetWindowBounds();
    clientRect = host.GetClientRect();
}

void CD3DApplication::ApplyWindowStyle() { UpdateCursor(); }

void CD3DApplication::UpdateCursor() {
    // In full screen the frame draws its own cursor sprite only.
    host.SetCursorVisible(windowed || !active);
}

void CD3DApplication::BuildPresentParameters() {
    presentParameters.windowed = windowed;
    presentParameters.device = windowed ? displaySettings.windowedDevice : displaySettings.fullScreenDevice;
    if (windowed) {
        presentParameters.backBufferWidth = std::uint32_t(std::max(clientRect.Width(), 1));
        presentParameters.backBufferHeight = std::uint32_t(std::max(clientRect.Height(), 1));
        presentParameters.refreshRate = 0;
    } else {
        presentParameters.backBufferWidth = displaySettings.fullScreenMode.width;
        presentParameters.backBufferHeight = displaySettings.fullScreenMode.height;
        presentParameters.refreshRate = displaySettings.fullScreenMode.refreshRate;
    }
}

void CD3DApplication::ReadBackBuffer() {
    device->GetBackBufferSize(backBufferWidth, backBufferHeight);
    if (clipCursorWhenFullScreen) host.ClipCursor(!windowed);
}

void CD3DApplication::InitialiseDevice() {
    windowed = displaySettings.windowed;
    ApplyWindowStyle();
    BuildPresentParameters();

    RenderResult result = kRenderOk;
    std::string reason;
    device = host.CreateDevice(presentParameters, result, reason);
    if (!device) {
        // Nothing else can stand in for the device here; going on would draw with nothing.
        throw vexo::CDirectXError(WithReason("Nie można utworzyć urządzenia."_pl, reason),
                                  std::uint32_t(RenderFailed(result) ? result : kRenderNotAvailable), kSource,
                                  __LINE__);
    }
    if (result == kRenderFullScreenRefused) StayInWindow(reason);
    if (windowed) host.SetWindowBounds(windowBounds);
    ReadBackBuffer();

    try {
        OnCreateDevice();
    } catch (...) {
        OnDestroyDevice();
        ReleaseDevice();
        throw;
    }
    deviceObjectsCreated = true;
    RestoreDeviceObjects();
}

void CD3DApplication::RestoreDeviceObjects() {
    try {
        OnRestoreDevice();
    } catch (...) {
        OnInvalidateDevice();
        throw;
    }
    deviceObjectsRestored = true;
}

void CD3DApplication::ResetDevice() {
    if (deviceObjectsRestored) {
        deviceObjectsRestored = false;
        OnInvalidateDevice();
    }
    const RenderResult result = host.ResetDevice(presentParameters);
    if (RenderFailed(result))
        throw vexo::CDirectXError(std::string("Błąd podczas resetowania urządzenia."_pl), std::uint32_t(result),
                                  kSource, __LINE__);
    if (result == kRenderFullScreenRefused) StayInWindow("");
    ReadBackBuffer();
    RestoreDeviceObjects();
}

void CD3DApplication::StayInWindow(const std::string& reason) {
    // Recorded, not raised: the game goes on in the window, and the settings file will say so.
    vexo::CError(WithReason("Nie udało się przejść na pełny ekran; gra działa w oknie."_pl, reason), kSource, __LINE__);
    windowed = true;
    displaySettings.windowed = true;
    ApplyWindowStyle();
    clientRect = host.GetClientRect();
    BuildPresentParameters();
}

bool CD3DApplication::BackBufferStale() const {
    std::uint32_t width = 0, height = 0;
    device->GetBackBufferSize(width, height);
    return width > 0 && height > 0 && (width != backBufferWidth || height != backBufferHeight);
}

void CD3DApplication::ReleaseDevice() {
    if (!device) return;
    // The device goes even when a hook fails, so nothing is left drawing with it; the first
    // failure is reported afterwards.
    std::exception_ptr failure;
    if (deviceObjectsRestored) {
        deviceObjectsRestored = false;
        try {
            OnInvalidateDevice();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (deviceObjectsCreated) {
        deviceObjectsCreated = false;
        try {
            OnDestroyDevice();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    host.ReleaseDevice();
    device = nullptr;
    if (failure) std::rethrow_exception(failure);
}

void CD3DApplication::ReleaseDeviceOnExit() {
    try {
        ReleaseDevice();
    } catch (...) {
        // Recorded in Errors.log; the process is ending anyway.
    }
}

void CD3DApplication::ToggleFullScreen() {
    if (!(windowed ? displaySettings.fullScreenAvailable : displaySettings.windowedAvailable)) return;
    const CPausedFrame paused(*this);
    ignoreSizeChange = true;
    windowed = !windowed;
    displaySettings.windowed = windowed;
    ApplyWindowStyle();
    BuildPresentParameters();
    try {
        ResetDevice();
    } catch (...) {
        ignoreSizeChange = false;
        throw;
    }
    ignoreSizeChange = false;
    if (windowed) host.SetWindowBounds(windowBounds);
}

void CD3DApplication::ChangeDevice() {
    if (!windowed) ToggleFullScreen();
    CDisplaySettings chosen = displaySettings;
    if (!displayConfig.RunSettingsDialog(host, chosen)) return;
    displaySettings = chosen;
    ReleaseDevice();
    InitialiseDevice();
}

void CD3DApplication::HandleSizeChange() {
    if (ignoreSizeChange) return;
    const CRect client = host.GetClientRect();
    // A window being minimized may report an empty client area; there is nothing to draw into.
    if (client.Width() <= 0 || client.Height() <= 0) return;

    // In full screen the window's place and size are kept for the return to a window.
    if (windowed) {
        windowBounds = host.GetWindowBounds();
        clientRect = client;
        if (!maximized) {
            windowSettings.width = client.Width();
            windowSettings.height = client.Height();
        }
    }
    // The back buffer the device really has is what counts: the window system may have given the
    // window another size than the one asked for, or given it later.
    if (!device || !BackBufferStale()) return;

    const CPausedFrame paused(*this);
    BuildPresentParameters();
    ResetDevice();
}

void CD3DApplication::Shutdown() {
    // An error raised here is handled by closing the window, which must not start the shutdown a
    // second time.
    if (shuttingDown || !host.HasMainWindow()) return;
    shuttingDown = true;
    std::exception_ptr failure;
    try {
        ReleaseDevice();
        OnShutdown();
        windowSettings.fullScreen = !displaySettings.windowed;
        displayConfig.Save(windowSettings, displaySettings);
    } catch (...) {
        failure = std::current_exception();
    }
    host.DestroyMainWindow();
    PostQuitMessage(0);
    shuttingDown = false;
    if (failure) std::rethrow_exception(failure);
}

void CD3DApplication::HandleSize(WPARAM kind) {
    switch (kind) {
    case SIZE_MINIMIZED:
        // Some systems repeat the notice; the pause is taken once per minimize.
        if (minimized) return;
        if (clipCursorWhenFullScreen && !windowed) host.ClipCursor(false);
        Pause(true, false);
        minimized = true;
        maximized = false;
        break;
    case SIZE_MAXIMIZED:
        if (minimized) Pause(false, false);
        minimized = false;
        maximized = true;
        HandleSizeChange();
        break;
    case SIZE_RESTORED:
        if (maximized) {
            maximized = false;
            HandleSizeChange();
        } else if (minimized) {
            Pause(false, false);
            minimized = false;
            HandleSizeChange();
        }
        break;
    default: break;
    }
}

LRESULT CD3DApplication::HandleMessage(const CMessage& message) {
    try {
        return HandleBaseMessage(message);
    } catch (...) {
        SendMessage(WM_CLOSE);
        return 0;
    }
}

LRESULT CD3DApplication::HandleBaseMessage(const CMessage& message) {
    switch (message.message) {
    case WM_PAINT:
        if (device && !active && windowed && deviceObjectsCreated && deviceObjectsRestored) {
            RenderFrame();
            device->Present();
        }
        return 0;
    case WM_ENTERSIZEMOVE: Pause(true, true); return 0;
    case WM_EXITSIZEMOVE:
        Pause(false, true);
        HandleSizeChange();
        return 0;
    case WM_SIZE: HandleSize(message.wParam); return 0;
    case WM_COMMAND:
        if (message.wParam == kCommandToggleFullScreen && device) {
            ToggleFullScreen();
        } else if (message.wParam == kCommandChangeDevice && device) {
            const CPausedFrame paused(*this);
            ChangeDevice();
        } else if (message.wParam == kCommandExit) {
            SendMessage(WM_CLOSE);
        }
        return 0;
    case WM_CLOSE: Shutdown(); return 0;
    default: return 0;
    }
}
