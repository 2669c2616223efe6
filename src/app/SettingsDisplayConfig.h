// CSettingsDisplayConfig: the display configuration of the game: the enumeration of what the
// system offers, Settings.xml, and the "Direct3D Settings" dialog.
#pragma once

#include "app/DisplayConfig.h"
#include "app/DisplayEnumeration.h"
#include "app/SettingsFile.h"

#include <string>

class CSettingsDisplayConfig : public CDisplayConfig {
public:
    explicit CSettingsDisplayConfig(CDisplaySystem& system, std::string settingsPath = "Settings.xml")
        : system(system), file(std::move(settingsPath)) {}

    // A syntax error in the file raises vexo::CXMLError, which ends the start.
    bool Load(CWindowSettings& window) override;
    // Enumerates, takes the best modes, then what the file stored where the system offers it.
    bool ChooseInitial(CFrameHost& host, const CWindowSettings& window, bool loaded,
                       CDisplaySettings& settings) override;
    void Save(const CWindowSettings& window, const CDisplaySettings& settings) override;
    // The dialog over the graphics manager's device; false when there is none to draw with.
    bool RunSettingsDialog(CFrameHost& host, CDisplaySettings& settings) override;

private:
    CDisplaySystem& system;
    CSettingsFile file;
    CD3DEnumeration enumeration;
};
