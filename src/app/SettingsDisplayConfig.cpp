// The game's display configuration: enumeration, initial choice, the file and the dialog.
#include "app/SettingsDisplayConfig.h"

#include "app/SettingsDialog.h"
#include "gfx/Gfx.h"

bool CSettingsDisplayConfig::Load(SWindowSettings& window) {
    return file.Load(window);
}

bool CSettingsDisplayConfig::ChooseInitial(CFrameHost&, const SWindowSettings& window, bool loaded,
                                           SDisplaySettings& settings) {
    enumeration.Enumerate(system);
    SDisplaySettings chosen;
    chosen.fullScreenAvailable = enumeration.FindBestFullScreen(chosen);
    chosen.windowedAvailable = enumeration.FindBestWindowed(chosen);
    if (!chosen.fullScreenAvailable && !chosen.windowedAvailable) return false;
    if (loaded) file.ReadBlocks(enumeration, chosen);
    chosen.windowed = chosen.windowedAvailable && !(window.fullScreen && chosen.fullScreenAvailable);
    settings = chosen;
    return true;
}

void CSettingsDisplayConfig::Save(const SWindowSettings& window, const SDisplaySettings& settings) {
    file.Save(enumeration, window, settings);
}

bool CSettingsDisplayConfig::RunSettingsDialog(CFrameHost& host, SDisplaySettings& settings) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx || !gfx->GetDevice()) return false;
    const SRect client = host.GetClientRect();
    CSettingsDialogModel model(enumeration, settings, client.Width(), client.Height());
    CSettingsDialog dialog(model);
    if (!dialog.Run(host, *gfx)) return false;
    settings = model.Result();
    return true;
}
