// CD3DApplication: the frame that knows nothing of the game. It owns the main window and the render
// device through its host, runs the message loop with its timed frame step, pauses, counts frames,
// and calls the game's hooks at the right moments.
#pragma once

#include "app/DisplayConfig.h"
#include "app/FrameHost.h"
#include "app/FramePacer.h"
#include "platform/WindowMessages.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The commands the frame understands (the accelerator gives 40003 for Alt+Enter).
inline constexpr platform::WPARAM kCommandChangeDevice = 40002;
inline constexpr platform::WPARAM kCommandToggleFullScreen = 40003;
inline constexpr platform::WPARAM kCommandExit = 40006;

class CD3DApplication {
public:
    // Starts paused with the timer stopped; Create makes it active.
    CD3DApplication(CFrameHost& host, CDisplayConfig& displayConfig);
    virtual ~CD3DApplication() = default;
    CD3DApplication(const CD3DApplication&) = delete;
    CD3DApplication& operator=(const CD3DApplication&) = delete;

    virtual void UpdateFrameRate();
    // Called once the main window shows and before the device exists.
    virtual void InitApplication() {}
    virtual void OnCreateDevice() {}
    virtual void OnRestoreDevice() {}
    virtual void UpdateFrame() {}
    virtual void RenderFrame() {}
    virtual void OnInvalidateDevice() {}
    virtual void OnDestroyDevice() {}
    virtual void OnShutdown() {}
    virtual void OnCommandLineWord(const std::string& /*word*/) {}
    virtual bool CanStart() { return true; }
    // True when the window and the device exist and Run may follow.
    virtual bool Create(const std::vector<std::string>& commandLineWords);
    // The message loop; returns the quit code (0 after a normal close).
    virtual int Run();
    virtual platform::LRESULT HandleMessage(const platform::CMessage& message);
    // Nestable: every Pause(true, s) is matched later by a Pause(false, s) with the same s.
    virtual void Pause(bool pause, bool stopTimer);
    // The display settings dialog, over a window: what the player chose becomes the current
    // settings on a new device; a cancelled dialog changes nothing. Callers pause the frame with
    // its timer around it.
    virtual void ChangeDevice();

    // One step of the loop: device-lost handling, update, then draw and present.
    void FrameStep();
    // Handles a message at once, as the window procedure would.
    platform::LRESULT SendMessage(std::uint32_t message, platform::WPARAM wParam = 0, platform::LPARAM lParam = 0);

    bool IsWindowed() const { return windowed; }
    CRenderDevice* GetDevice() const { return device; }

protected:
    // Releases the device with the hooks; called by the game's destructor, while its hooks still
    // exist, in case the frame ends without a shutdown (a failed start).
    void ReleaseDeviceOnExit();

    CFrameHost& host;
    CDisplayConfig& displayConfig;
    CDisplaySettings displaySettings;

    bool windowed = true;
    bool active = false;
    bool deviceLost = false;
    bool minimized = false;
    bool maximized = false;
    bool ignoreSizeChange = false;
    bool deviceObjectsCreated = false;
    bool deviceObjectsRestored = false;

    CPresentParameters presentParameters;
    CRenderDevice* device = nullptr;
    std::uint32_t backBufferWidth = 0; // the screen size everything else uses
    std::uint32_t backBufferHeight = 0;
    CRect windowBounds; // the window's place and size, kept while in full screen
    CRect clientRect;

    float time = 0.0f;
    float elapsedTime = 0.0f;
    float framesPerSecond = 0.0f;

    std::string windowTitle;
    // Creation size and the flags a settings file may replace.
    CWindowSettings windowSettings{400, 300, false, false};
    bool clipCursorWhenFullScreen = true;

private:
    platform::LRESULT HandleBaseMessage(const platform::CMessage& message);
    void HandleSize(platform::WPARAM kind);
    bool TranslateAccelerator(const platform::CMessage& message);
    bool TakeMessage(platform::CMessage& message);
    void PostQuitMessage(int code);

    void CreateMainWindow();
    void InitialiseDevice();
    void ResetDevice();
    void RestoreDeviceObjects();
    void ReleaseDevice();
    void ToggleFullScreen();
    void HandleSizeChange();
    void Shutdown();
    void ApplyWindowStyle();
    void BuildPresentParameters();
    void ReadBackBuffer();
    // The device's back buffer differs from the size the game is laid out for.
    bool BackBufferStale() const;
    // Full screen was refused (for the reason given, when known): the game goes on windowed.
    void StayInWindow(const std::string& reason);
    void UpdateCursor();

    std::deque<platform::CMessage> posted;
    int pauseCount = 0;
    int timerStopCount = 0;
    int frameCount = 0;
    double lastFrameRateTime = 0.0;
    bool shuttingDown = false;
    CFramePacer pacer;
};

// The entry point's part after the process-wide objects: makes the application, creates it and
// runs it. 0 after a normal close, 1 when Create declined, 2 when an error got this far.
int RunApplication(const std::function<std::unique_ptr<CD3DApplication>()>& makeApplication,
                   const std::vector<std::string>& commandLineWords);
