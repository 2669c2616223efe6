// The adapter reports of the real system.
#include "app/SdlDisplaySystem.h"

#include "platform/DisplayModes.h"
#include "support/Text1250.h"

#include <algorithm>

namespace {

CDisplayMode ModeOf(const platform::CVideoMode& mode) {
    return {std::uint32_t(std::max(mode.width, 0)), std::uint32_t(std::max(mode.height, 0)),
            std::uint32_t(std::max(mode.refreshRate, 0)), mode.format};
}

} // namespace

std::vector<CAdapterReport> CSdlDisplaySystem::ReportAdapters() {
    const platform::CGLLimits limits = platform::QueryGLLimits();
    std::vector<CAdapterReport> reports;
    for (const platform::CVideoDisplay& display : platform::ListDisplays()) {
        CAdapterReport report;
        report.description = vexo::Utf8ToCp1250(display.name);
        if (report.description.empty()) report.description = "Display " + std::to_string(reports.size() + 1);
        report.desktop = ModeOf(display.desktop);
        for (const platform::CVideoMode& mode : display.modes)
            report.modes.push_back(ModeOf(mode));
        // Some drivers list no modes at all; the desktop's own mode can always be shown.
        if (std::find(report.modes.begin(), report.modes.end(), report.desktop) == report.modes.end())
            report.modes.push_back(report.desktop);
        // Without a GL context nothing can be drawn on any display.
        report.canRender = limits.depthBits > 0 || !limits.swapIntervals.empty();
        report.depthBits = limits.depthBits;
        report.stencilBits = limits.stencilBits;
        report.maxSamples = std::uint32_t(std::max(limits.maxSamples, 0));
        report.swapIntervals = limits.swapIntervals;
        reports.push_back(report);
    }
    return reports;
}
