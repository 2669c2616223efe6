// CScriptedDisplays: displays and modes as a test writes them, for the enumeration, the settings
// file and the dialog.
#pragma once

#include "app/DisplayEnumeration.h"

#include <vector>

inline CDisplayMode Mode(std::uint32_t width, std::uint32_t height, std::uint32_t refreshRate,
                         std::uint32_t format = kFormatX8R8G8B8) {
    return {width, height, refreshRate, format};
}

// One display as a desktop PC has it: 32-bit and 16-bit modes, 4 samples at most, every interval.
inline CAdapterReport DesktopDisplay(const char* name = "Monitor A") {
    CAdapterReport report;
    report.description = name;
    report.desktop = Mode(1280, 1024, 60);
    report.modes = {
        Mode(1280, 1024, 75), Mode(800, 600, 60),  Mode(1280, 1024, 60), Mode(640, 480, 60, kFormatR5G6B5),
        Mode(320, 240, 60),   Mode(1024, 768, 60), Mode(640, 480, 60),   Mode(800, 600, 60, kFormatR5G6B5)};
    report.maxSamples = 4;
    report.swapIntervals = {0, 1, 2, 3, 4};
    return report;
}

class CScriptedDisplays : public CDisplaySystem {
public:
    std::vector<CAdapterReport> reports{DesktopDisplay()};
    std::vector<CAdapterReport> ReportAdapters() override { return reports; }
};
