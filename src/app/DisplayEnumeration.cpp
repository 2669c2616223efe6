// The enumeration of displays, modes and device combinations, and the best-mode searches.
#include "app/DisplayEnumeration.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace {

constexpr std::array<std::uint32_t, 4> kAdapterFormats = {kFormatX8R8G8B8, kFormatX1R5G5B5, kFormatR5G6B5,
                                                          kFormatA2R10G10B10};
constexpr std::array<std::uint32_t, 6> kBackBufferFormats = {
    kFormatA8R8G8B8, kFormatX8R8G8B8, kFormatA2R10G10B10, kFormatR5G6B5, kFormatA1R5G5B5, kFormatX1R5G5B5};
constexpr std::array<std::uint32_t, 6> kDepthStencilFormats = {kFormatD16,   kFormatD15S1,   kFormatD24X8,
                                                               kFormatD24S8, kFormatD24X4S4, kFormatD32};
// The sample counts a GL window offers: drivers expose the powers of two.
constexpr std::array<std::uint32_t, 4> kSampleCounts = {2, 4, 8, 16};

struct CFormatBits {
    std::uint32_t format;
    const char* name;
    int color, alpha, depth, stencil;
};
constexpr std::array<CFormatBits, 12> kFormats = {{
    {kFormatA8R8G8B8, "D3DFMT_A8R8G8B8", 8, 8, 0, 0},
    {kFormatX8R8G8B8, "D3DFMT_X8R8G8B8", 8, 0, 0, 0},
    {kFormatR5G6B5, "D3DFMT_R5G6B5", 5, 0, 0, 0},
    {kFormatX1R5G5B5, "D3DFMT_X1R5G5B5", 5, 0, 0, 0},
    {kFormatA1R5G5B5, "D3DFMT_A1R5G5B5", 5, 1, 0, 0},
    {kFormatA2R10G10B10, "D3DFMT_A2R10G10B10", 10, 2, 0, 0},
    {kFormatD32, "D3DFMT_D32", 0, 0, 32, 0},
    {kFormatD15S1, "D3DFMT_D15S1", 0, 0, 15, 1},
    {kFormatD24S8, "D3DFMT_D24S8", 0, 0, 24, 8},
    {kFormatD24X8, "D3DFMT_D24X8", 0, 0, 24, 0},
    {kFormatD24X4S4, "D3DFMT_D24X4S4", 0, 0, 24, 4},
    {kFormatD16, "D3DFMT_D16", 0, 0, 16, 0},
}};

const CFormatBits* Bits(std::uint32_t format) {
    for (const CFormatBits& bits : kFormats)
        if (bits.format == format) return &bits;
    return nullptr;
}

// Formats of one colour layout present into each other; a 10-bit back buffer only in full screen,
// and a window only on the desktop's format, as the display cannot change under a window.
bool AcceptsPair(std::uint32_t adapterFormat, std::uint32_t backBufferFormat, bool windowed,
                 const CAdapterReport& report) {
    if (windowed && adapterFormat != report.desktop.format) return false;
    switch (adapterFormat) {
    case kFormatX8R8G8B8:
        return backBufferFormat == kFormatA8R8G8B8 || backBufferFormat == kFormatX8R8G8B8;
    case kFormatX1R5G5B5:
        return backBufferFormat == kFormatA1R5G5B5 || backBufferFormat == kFormatX1R5G5B5;
    case kFormatR5G6B5:
        return backBufferFormat == kFormatR5G6B5;
    case kFormatA2R10G10B10:
        return !windowed && backBufferFormat == kFormatA2R10G10B10;
    default:
        return false;
    }
}

bool Accepted(const CAdapterReport& report, int swapInterval) {
    return std::find(report.swapIntervals.begin(), report.swapIntervals.end(), swapInterval) !=
           report.swapIntervals.end();
}

void FillOptions(CDeviceCombo& combo, const CAdapterReport& report) {
    for (std::uint32_t format : kDepthStencilFormats)
        if (DepthBits(format) >= kMinDepthBits && DepthBits(format) <= report.depthBits &&
            StencilBits(format) <= report.stencilBits)
            combo.depthStencilFormats.push_back(format);

    combo.multisampleTypes.push_back(kMultisampleNone);
    combo.multisampleQualities.push_back(1);
    std::vector<std::uint32_t> counts;
    for (std::uint32_t count : kSampleCounts)
        if (count <= report.maxSamples) counts.push_back(count);
    if (!counts.empty()) {
        combo.multisampleTypes.push_back(kMultisampleNonMaskable);
        combo.multisampleQualities.push_back(std::uint32_t(counts.size()));
    }
    for (std::uint32_t count : counts) {
        combo.multisampleTypes.push_back(count);
        combo.multisampleQualities.push_back(1);
    }

    if (report.hardwareVertexProcessing) {
        combo.vertexProcessingTypes.push_back(kPureHardwareVertexProcessing);
        combo.vertexProcessingTypes.push_back(kHardwareVertexProcessing);
    }
    combo.vertexProcessingTypes.push_back(kSoftwareVertexProcessing);

    if (Accepted(report, 0)) combo.presentIntervals.push_back(kIntervalImmediate);
    combo.presentIntervals.push_back(kIntervalDefault);
    if (Accepted(report, 1)) combo.presentIntervals.push_back(kIntervalOne);
    if (!combo.windowed) {
        if (Accepted(report, 2)) combo.presentIntervals.push_back(kIntervalTwo);
        if (Accepted(report, 3)) combo.presentIntervals.push_back(kIntervalThree);
        if (Accepted(report, 4)) combo.presentIntervals.push_back(kIntervalFour);
    }
}

CAdapterInfo EnumerateAdapter(std::uint32_t ordinal, const CAdapterReport& report) {
    CAdapterInfo adapter;
    adapter.ordinal = ordinal;
    adapter.description = report.description;
    adapter.desktop = report.desktop;
    std::vector<std::uint32_t> formats;
    for (std::uint32_t format : kAdapterFormats) {
        if (ColorChannelBits(format) < kMinColorChannelBits) continue;
        for (const CDisplayMode& mode : report.modes) {
            if (mode.format != format || mode.width < kMinFullScreenWidth ||
                mode.height < kMinFullScreenHeight)
                continue;
            adapter.modes.push_back(mode);
            if (std::find(formats.begin(), formats.end(), format) == formats.end()) formats.push_back(format);
        }
    }
    std::sort(adapter.modes.begin(), adapter.modes.end(), [](const CDisplayMode& a, const CDisplayMode& b) {
        return std::tie(a.width, a.height, a.format, a.refreshRate) <
               std::tie(b.width, b.height, b.format, b.refreshRate);
    });
    adapter.modes.erase(std::unique(adapter.modes.begin(), adapter.modes.end()), adapter.modes.end());

    // OpenGL offers one kind of device; the software and reference kinds are not there to make.
    if (!report.canRender) return adapter;
    CDeviceInfo device{ordinal, kDeviceHal, {}};
    for (std::uint32_t adapterFormat : formats)
        for (std::uint32_t backBufferFormat : kBackBufferFormats)
            for (bool windowed : {false, true}) {
                if (AlphaBits(backBufferFormat) < 0 ||
                    !AcceptsPair(adapterFormat, backBufferFormat, windowed, report))
                    continue;
                CDeviceCombo combo;
                combo.adapter = ordinal;
                combo.deviceType = kDeviceHal;
                combo.adapterFormat = adapterFormat;
                combo.backBufferFormat = backBufferFormat;
                combo.windowed = windowed;
                FillOptions(combo, report);
                if (combo.depthStencilFormats.empty() || combo.vertexProcessingTypes.empty()) continue;
                device.combos.push_back(std::move(combo));
            }
    if (!device.combos.empty()) adapter.devices.push_back(std::move(device));
    return adapter;
}

// Walks the combinations of one case in enumeration order and keeps the best by the ranks the
// caller gives; a combination with every rank stops the search.
template <class Rank>
const CDeviceCombo* BestCombo(const std::vector<CAdapterInfo>& adapters, bool windowed,
                              std::uint32_t requiredType, Rank rank, int fullRank) {
    const CDeviceCombo* best = nullptr;
    int bestRank = -1;
    for (const CAdapterInfo& adapter : adapters)
        for (const CDeviceInfo& device : adapter.devices) {
            if (requiredType != 0 && device.deviceType != requiredType) continue;
            for (const CDeviceCombo& combo : device.combos) {
                if (combo.windowed != windowed) continue;
                const int r = rank(adapter, combo);
                if (r < 0) continue;
                if (r > bestRank) {
                    best = &combo;
                    bestRank = r;
                }
                if (r == fullRank) return best;
            }
        }
    return best;
}

} // namespace

int ColorChannelBits(std::uint32_t format) {
    return Bits(format) ? Bits(format)->color : -1;
}
int AlphaBits(std::uint32_t format) {
    return Bits(format) ? Bits(format)->alpha : -1;
}
int DepthBits(std::uint32_t format) {
    return Bits(format) ? Bits(format)->depth : -1;
}
int StencilBits(std::uint32_t format) {
    return Bits(format) ? Bits(format)->stencil : -1;
}
const char* FormatName(std::uint32_t format) {
    return Bits(format) ? Bits(format)->name : nullptr;
}

void CD3DEnumeration::Enumerate(CDisplaySystem& system) {
    adapters.clear();
    const std::vector<CAdapterReport> reports = system.ReportAdapters();
    for (std::size_t i = 0; i < reports.size(); ++i)
        adapters.push_back(EnumerateAdapter(std::uint32_t(i), reports[i]));
}

const CAdapterInfo* CD3DEnumeration::FindAdapter(std::uint32_t ordinal) const {
    for (const CAdapterInfo& adapter : adapters)
        if (adapter.ordinal == ordinal) return &adapter;
    return nullptr;
}

const CDeviceInfo* CD3DEnumeration::FindDevice(std::uint32_t adapter, std::uint32_t deviceType) const {
    const CAdapterInfo* info = FindAdapter(adapter);
    if (!info) return nullptr;
    for (const CDeviceInfo& device : info->devices)
        if (device.deviceType == deviceType) return &device;
    return nullptr;
}

const CDeviceCombo* CD3DEnumeration::FindCombo(const CDeviceSettings& settings, bool windowed) const {
    const CDeviceInfo* device = FindDevice(settings.adapter, settings.deviceType);
    if (!device) return nullptr;
    for (const CDeviceCombo& combo : device->combos)
        if (combo.windowed == windowed && combo.adapterFormat == settings.adapterFormat &&
            combo.backBufferFormat == settings.backBufferFormat)
            return &combo;
    return nullptr;
}

const CDisplayMode* ChooseFullScreenMode(const CAdapterInfo& adapter, std::uint32_t adapterFormat) {
    const CDisplayMode& desktop = adapter.desktop;
    const CDisplayMode* lastOfWidth = nullptr;
    const CDisplayMode* first = nullptr;
    for (const CDisplayMode& mode : adapter.modes) {
        if (mode.format != adapterFormat) continue;
        if (mode.width == desktop.width && mode.height == desktop.height &&
            mode.refreshRate == desktop.refreshRate)
            return &mode;
        if (!first) first = &mode;
        if (mode.width == desktop.width) lastOfWidth = &mode;
    }
    return lastOfWidth ? lastOfWidth : first;
}

CDeviceSettings FirstChoices(const CDeviceCombo& combo) {
    CDeviceSettings settings;
    settings.adapter = combo.adapter;
    settings.deviceType = combo.deviceType;
    settings.adapterFormat = combo.adapterFormat;
    settings.backBufferFormat = combo.backBufferFormat;
    settings.depthStencilFormat =
        combo.depthStencilFormats.empty() ? kFormatUnknown : combo.depthStencilFormats[0];
    settings.multisampleType = combo.multisampleTypes.empty() ? kMultisampleNone : combo.multisampleTypes[0];
    settings.multisampleQuality = 0;
    settings.vertexProcessing =
        combo.vertexProcessingTypes.empty() ? kSoftwareVertexProcessing : combo.vertexProcessingTypes[0];
    settings.presentInterval = combo.presentIntervals.empty() ? kIntervalDefault : combo.presentIntervals[0];
    return settings;
}

bool CD3DEnumeration::FindBestWindowed(CDisplaySettings& settings, std::uint32_t requiredType) const {
    // A window sits on the desktop as it is: only the desktop's format will do.
    const auto rank = [](const CAdapterInfo& adapter, const CDeviceCombo& combo) {
        if (combo.adapterFormat != adapter.desktop.format) return -1;
        return (combo.deviceType == kDeviceHal ? 2 : 0) +
               (combo.backBufferFormat == combo.adapterFormat ? 1 : 0);
    };
    const CDeviceCombo* best = BestCombo(adapters, true, requiredType, rank, 3);
    if (!best) return false;
    settings.windowedMode = FindAdapter(best->adapter)->desktop;
    settings.windowedDevice = FirstChoices(*best);
    settings.windowed = true;
    return true;
}

bool CD3DEnumeration::FindBestFullScreen(CDisplaySettings& settings, std::uint32_t requiredType) const {
    const auto rank = [](const CAdapterInfo& adapter, const CDeviceCombo& combo) {
        return (combo.deviceType == kDeviceHal ? 4 : 0) +
               (combo.adapterFormat == adapter.desktop.format ? 2 : 0) +
               (combo.backBufferFormat == combo.adapterFormat ? 1 : 0);
    };
    const CDeviceCombo* best = BestCombo(adapters, false, requiredType, rank, 7);
    if (!best) return false;
    const CDisplayMode* chosen = ChooseFullScreenMode(*FindAdapter(best->adapter), best->adapterFormat);
    if (!chosen) return false;
    settings.fullScreenMode = *chosen;
    settings.fullScreenDevice = FirstChoices(*best);
    settings.windowed = false;
    return true;
}
