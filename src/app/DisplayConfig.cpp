// The display choice without a settings file: the desktop's mode for full screen and the window.
#include "app/DisplayConfig.h"

bool CDesktopDisplayConfig::Load(SWindowSettings&) { return false; }

bool CDesktopDisplayConfig::ChooseInitial(CFrameHost& host, const SWindowSettings& window, bool,
                                          SDisplaySettings& settings) {
    const SDisplayMode desktop = host.GetDesktopMode();
    if (desktop.width == 0 || desktop.height == 0) return false;
    settings.windowedMode = desktop;
    settings.windowedMode.refreshRate = 0;
    settings.fullScreenMode = desktop;
    settings.windowed = !window.fullScreen;
    return true;
}

void CDesktopDisplayConfig::Save(const SWindowSettings&, const SDisplaySettings&) {}

// With the desktop's mode as the only choice there is nothing to offer; the settings stay.
bool CDesktopDisplayConfig::RunSettingsDialog(CFrameHost&, SDisplaySettings&) { return false; }
