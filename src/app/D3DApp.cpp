// The frame's shell: start-up, the message loop, the frame step, pausing and the frame rate.
#include "app/D3DApp.h"

#include "platform/VirtualKeys.h"
#include "support/Error.h"
#include "support/StartupTimes.h"
#include "support/Text1250.h"

using namespace platform;
using namespace vexo::literals;

namespace {
const char* const kSource = "d3dapp";
}

CD3DApplication::CD3DApplication(CFrameHost& host, CDisplayConfig& displayConfig)
    : host(host), displayConfig(displayConfig) {
    Pause(true, true);
}

bool CD3DApplication::Create(const std::vector<std::string>& commandLineWords) {
    for (const std::string& word : commandLineWords) OnCommandLineWord(word);
    if (!CanStart()) return false;

    const bool loaded = displayConfig.Load(windowSettings);
    CreateMainWindow();
    vexo::MarkStartup("window");
    if (!displayConfig.ChooseInitial(host, windowSettings, loaded, displaySettings))
        throw vexo::CError(std::string("Nie znaleziono żadnych kompatybilnych ustawień wyświetlania."_pl), kSource,
                           __LINE__);

    host.Timer()(ETimerCommand::Start);
    InitApplication();
    vexo::MarkStartup("loading message");
    InitialiseDevice();
    Pause(false, true); // balances the constructor's pause: active, timer running
    return true;
}

bool CD3DApplication::TakeMessage(CMessage& message) {
    // Messages the frame posted to itself (the quit) go before the system's.
    if (!posted.empty()) {
        message = posted.front();
        posted.pop_front();
        return true;
    }
    return host.PeekMessage(message);
}

void CD3DApplication::PostQuitMessage(int code) { posted.push_back({WM_QUIT, WPARAM(code), 0}); }

bool CD3DApplication::TranslateAccelerator(const CMessage& message) {
    if (!host.HasMainWindow()) return false;
    // Alt+Enter; holding the keys down does not toggle back and forth.
    const bool altEnter = message.message == WM_KEYDOWN && message.wParam == WPARAM(VK_RETURN) &&
                          (message.lParam & KEY_ALT_DOWN) && !(message.lParam & KEY_WAS_DOWN);
    if (!altEnter) return false;
    HandleMessage({WM_COMMAND, kCommandToggleFullScreen, 0});
    return true;
}

int CD3DApplication::Run() {
    for (;;) {
        CMessage message;
        if (TakeMessage(message)) {
            if (message.message == WM_QUIT) return int(message.wParam);
            if (!TranslateAccelerator(message)) HandleMessage(message);
            continue;
        }
        if (!active) host.Sleep(100);
        try {
            FrameStep();
        } catch (...) {
            // Closing saves the settings and ends with 0.
            vexo::RecordCurrentException("d3dapp");
            SendMessage(WM_CLOSE);
        }
        // Drawing faster than the display shows only burns the processor; an inactive loop has
        // slept already.
        if (!active || !device) {
            pacer.Reset();
            continue;
        }
        const std::uint32_t refreshRate =
            presentParameters.windowed ? host.GetDesktopMode().refreshRate : presentParameters.refreshRate;
        if (const std::uint32_t sleep = pacer.AfterFrame(host.Timer()(ETimerCommand::AbsoluteTime),
                                                         SwapIntervalOf(presentParameters.device.presentInterval),
                                                         refreshRate))
            host.Sleep(sleep);
    }
}

LRESULT CD3DApplication::SendMessage(std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    return HandleMessage({message, wParam, lParam});
}

void CD3DApplication::FrameStep() {
    if (!device) return;
    if (deviceLost) {
        const RenderResult level = host.TestCooperativeLevel();
        if (level == kRenderDeviceNotReset) {
            ResetDevice();
        } else if (level != kRenderDeviceLost) {
            if (RenderFailed(level))
                throw vexo::CDirectXError(
                    std::string("Błąd podczas testowania poziomu kooperatywności urządzenia"_pl), std::uint32_t(level),
                    kSource, __LINE__);
            deviceLost = false;
            Pause(false, false);
        }
    }
    // Size notices come late, or not at all (a refused full screen, a dialog's own loop): each frame
    // follows the size the window really has.
    if (!deviceLost && !minimized && BackBufferStale()) HandleSizeChange();

    CFrameTimer& timer = host.Timer();
    const double appTime = timer(ETimerCommand::AppTime);
    const double elapsed = timer(ETimerCommand::ElapsedTime);
    if (elapsed == 0.0) return; // the timer is stopped

    time = float(appTime);
    elapsedTime = float(elapsed);
    UpdateFrameRate();
    UpdateFrame();
    // UpdateFrame may have closed the window ("Wyjscie"), which released the device.
    if (!device || !active) return;

    RenderFrame();
    const RenderResult presented = device->Present();
    vexo::MarkStartup("first frame");
    if (presented == kRenderDeviceLost) {
        deviceLost = true;
        Pause(true, false);
    } else if (RenderFailed(presented)) {
        throw vexo::CDirectXError(std::string("Nie można wyświetlić klatki."_pl), std::uint32_t(presented), kSource,
                                  __LINE__);
    }
}

void CD3DApplication::UpdateFrameRate() {
    const double now = host.Timer()(ETimerCommand::AbsoluteTime);
    ++frameCount;
    if (now - lastFrameRateTime > 1.0) {
        framesPerSecond = float(double(frameCount) / (now - lastFrameRateTime));
        lastFrameRateTime = now;
        frameCount = 0;
    }
}

void CD3DApplication::Pause(bool pause, bool stopTimer) {
    const int step = pause ? 1 : -1;
    pauseCount += step;
    if (stopTimer) timerStopCount += step;
    active = pauseCount == 0;
    if (pause && timerStopCount == 1) host.Timer()(ETimerCommand::Stop);
    if (timerStopCount == 0) host.Timer()(ETimerCommand::Start);
    UpdateCursor();
}

int RunApplication(const std::function<std::unique_ptr<CD3DApplication>()>& makeApplication,
                   const std::vector<std::string>& commandLineWords) {
    try {
        std::unique_ptr<CD3DApplication> application = makeApplication();
        if (!application->Create(commandLineWords)) return 1;
        return application->Run();
    } catch (...) {
        vexo::RecordCurrentException("d3dapp");
        return 2;
    }
}
