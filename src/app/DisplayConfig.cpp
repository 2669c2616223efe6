// The display choice without a settings file: the desktop's mode for full screen and the window.
#include "app/DisplayConfig.h"

bool CDesktopDisplayConfig::Load(CWindowSettings&) { return false; }

bool CDesktopDisplayConfig::ChooseInitial(CFrameHost& host, const CWindowSettings& window, bool,
                                          CDisplaySettings& settings) {
    const CDisplayMode desktop = host.GetDesktopMode();
    if (desktop.width == 0 || desktop.height == 0) return false;
    settings.windowedMode = desktop;
    settings.windowedMode.refreshRate = 0;
    settings.fullScreenMode = desktop;
    settings.windowed = !window.fullScreen;
    return true;
}

void CDesktopDisplayConfig::Save(const CWindowSettings&, const CDisplaySettings&) {}

// With the desktop's mode as the only choice there is nothing to offer; the settings stay.
bool CDesktopDisplayConfig::RunSettingsDialog(CFrameHost&, CDisplaySettings&) { return false; }
