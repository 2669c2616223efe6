// CDisplayConfig: where the window size, the window state and the display settings come from at
// start and go to at shutdown. CDesktopDisplayConfig is the choice without a settings file.
#pragma once

#include "app/FrameHost.h"

// The values kept from one run to the next besides the display settings.
struct CWindowSettings {
    int width = 0;  // the client size of the window when it is not maximized
    int height = 0;
    bool fullScreen = false;
    bool maximized = false;
};

// The settings for a window and for full screen, and which of the two is in use.
struct CDisplaySettings {
    bool windowed = true;
    CDisplayMode windowedMode;   // the desktop's mode; the back buffer takes the client size
    CDisplayMode fullScreenMode;
    CDeviceSettings windowedDevice;
    CDeviceSettings fullScreenDevice;
    // Whether a choice exists for each case; toggling to a case without one does nothing.
    bool windowedAvailable = true;
    bool fullScreenAvailable = true;
};

class CDisplayConfig {
public:
    virtual ~CDisplayConfig() = default;
    // Replaces what is stored in window; false when nothing is stored.
    virtual bool Load(CWindowSettings& window) = 0;
    // Fills settings once the main window exists; false when no display can be used.
    virtual bool ChooseInitial(CFrameHost& host, const CWindowSettings& window, bool loaded,
                               CDisplaySettings& settings) = 0;
    virtual void Save(const CWindowSettings& window, const CDisplaySettings& settings) = 0;
    // Lets the player edit settings (a copy of the current ones); true when they were accepted.
    virtual bool RunSettingsDialog(CFrameHost& host, CDisplaySettings& settings) = 0;
};

// Full screen in the desktop's mode, or a window; nothing is stored between runs.
class CDesktopDisplayConfig : public CDisplayConfig {
public:
    bool Load(CWindowSettings& window) override;
    bool ChooseInitial(CFrameHost& host, const CWindowSettings& window, bool loaded,
                       CDisplaySettings& settings) override;
    void Save(const CWindowSettings& window, const CDisplaySettings& settings) override;
    bool RunSettingsDialog(CFrameHost& host, CDisplaySettings& settings) override;
};
