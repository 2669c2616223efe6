// The game's display configuration: enumeration, initial choice, the file and the dialog.
#include "app/SettingsDisplayConfig.h"

#include "app/SettingsDialog.h"
#include "gfx/Gfx.h"

bool CSettingsDisplayConfig::Load(CWindowSettings& window) {
    return file.Load(window);
}

bool CSettingsDisplayConfig::ChooseInitial(CFrameHost&, const CWindowSettings& window, bool loaded,
                                           CDisplaySettings& settings) {
    enumeration.Enumerate(system);
    CDisplaySettings chosen;
    chosen.fullScreenAvailable = enumeration.FindBestFullScreen(chosen);
    chosen.windowedAvailable = enumeration.FindBestWindowed(chosen);
    if (!chosen.fullScreenAvailable && !chosen.windowedAvailable) return false;
    if (loaded) file.ReadBlocks(enumeration, chosen);
    chosen.windowed = chosen.windowedAvailable && !(window.fullScreen && chosen.fullScreenAvailable);
    settings = chosen;
    return true;
}

void CSettingsDisplayConfig::Save(const CWindowSettings& window, const CDisplaySettings& settings) {
    file.Save(enumeration, window, settings);
}

bool CSettingsDisplayConfig::RunSettingsDialog(CFrameHost& host, CDisplaySettings& settings) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx || !gfx->GetDevice()) return false;
    const CRect client = host.GetClientRect();
    CSettingsDialogModel model(enumeration, settings, client.Width(), client.Height());
    CSettingsDialog dialog(model);
    if (!dialog.Run(host, *gfx)) return false;
    settings = model.Result();
    return true;
}
