// Fuzzes Settings.xml as the game reads it at start: any file is read or raises a CError, the
// stored indexes select only what the displays offer, and what was read is written back whole.
#include "../app/ScriptedDisplays.h"

#include "app/SettingsFile.h"
#include "support/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One file per process keeps parallel fuzzing jobs apart.
    static const std::string path = "/tmp/fuzz-settings-" + std::to_string(getpid()) + ".xml";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    static const CD3DEnumeration enumeration = [] {
        CScriptedDisplays displays;
        displays.reports.push_back(DesktopDisplay("Monitor B"));
        CD3DEnumeration e;
        e.Enumerate(displays);
        return e;
    }();
    CWindowSettings window{500, 375, true, false};
    CDisplaySettings settings;
    enumeration.FindBestWindowed(settings);
    enumeration.FindBestFullScreen(settings);
    try {
        CSettingsFile file(path);
        if (file.Load(window)) file.ReadBlocks(enumeration, settings);
    } catch (const vexo::CError&) {
        return 0;
    }
    if (window.width < kMinStoredWindowSize || window.width > kMaxStoredWindowSize) std::abort();
    // Whatever was read must be writable again.
    (void)CSettingsFile::Format(enumeration, window, settings);
    return 0;
}
