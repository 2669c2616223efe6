// The settings dialog's lists: what each holds and the order in which a change refills them.
#include "app/SettingsDialogModel.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string DeviceTypeText(std::uint32_t type) {
    switch (type) {
    case kDeviceHal:
        return "D3DDEVTYPE_HAL";
    case kDeviceSw:
        return "D3DDEVTYPE_SW";
    case kDeviceRef:
        return "D3DDEVTYPE_REF";
    default:
        return "Unknown device type";
    }
}

std::string Printed(const char* format, std::uint32_t a, std::uint32_t b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string RefreshText(std::uint32_t rate) {
    return rate == 0 ? "Default Rate" : Printed("%u Hz", rate);
}

std::string MultisampleText(std::uint32_t type) {
    if (type == kMultisampleNone) return "D3DMULTISAMPLE_NONE";
    if (type == kMultisampleNonMaskable) return "D3DMULTISAMPLE_NONMASKABLE";
    return Printed("D3DMULTISAMPLE_%u_SAMPLES", type);
}

std::string VertexProcessingText(std::uint32_t type) {
    switch (type) {
    case kSoftwareVertexProcessing:
        return "SOFTWARE_VP";
    case kMixedVertexProcessing:
        return "MIXED_VP";
    case kHardwareVertexProcessing:
        return "HARDWARE_VP";
    case kPureHardwareVertexProcessing:
        return "PURE_HARDWARE_VP";
    default:
        return "Unknown vertex processing";
    }
}

std::string IntervalText(std::uint32_t interval) {
    switch (interval) {
    case kIntervalImmediate:
        return "D3DPRESENT_INTERVAL_IMMEDIATE";
    case kIntervalDefault:
        return "D3DPRESENT_INTERVAL_DEFAULT";
    case kIntervalOne:
        return "D3DPRESENT_INTERVAL_ONE";
    case kIntervalTwo:
        return "D3DPRESENT_INTERVAL_TWO";
    case kIntervalThree:
        return "D3DPRESENT_INTERVAL_THREE";
    case kIntervalFour:
        return "D3DPRESENT_INTERVAL_FOUR";
    default:
        return "Unknown interval";
    }
}

// Resolutions are listed as one value each.
std::uint32_t PackSize(std::uint32_t width, std::uint32_t height) {
    return (width << 16) | (height & 0xFFFF);
}

class CFiller {
public:
    explicit CFiller(CChoiceList& list, bool enabled = true) : list(list) {
        list = CChoiceList{};
        list.enabled = enabled;
    }
    // Adds an entry once, whatever the order of the values it comes from.
    void Add(std::uint32_t value, const std::string& text) {
        if (std::find(list.values.begin(), list.values.end(), value) != list.values.end()) return;
        list.values.push_back(value);
        list.texts.push_back(text);
    }
    // Keeps the current value where it is listed, otherwise the first entry.
    std::uint32_t Select(std::uint32_t current) {
        if (list.values.empty()) return current;
        const auto found = std::find(list.values.begin(), list.values.end(), current);
        list.selected = found == list.values.end() ? 0 : int(found - list.values.begin());
        return list.Value();
    }

private:
    CChoiceList& list;
};

} // namespace

std::string FormatText(std::uint32_t format) {
    const char* name = FormatName(format);
    return name ? name : "Unknown format";
}

CSettingsDialogModel::CSettingsDialogModel(const CD3DEnumeration& enumeration,
                                           const CDisplaySettings& settings, int clientWidth,
                                           int clientHeight)
    : enumeration(enumeration), settings(settings), clientWidth(clientWidth), clientHeight(clientHeight) {
    CFiller adapters(Get(EDialogList::Adapter));
    for (const CAdapterInfo& adapter : enumeration.adapters)
        adapters.Add(adapter.ordinal, adapter.description);
    Device().adapter = adapters.Select(Device().adapter);
    AdapterChanged();
}

const CDeviceCombo* CSettingsDialogModel::Combo() const {
    const CDeviceSettings& device = settings.windowed ? settings.windowedDevice : settings.fullScreenDevice;
    return enumeration.FindCombo(device, settings.windowed);
}

void CSettingsDialogModel::Select(EDialogList list, int index) {
    CChoiceList& chosen = Get(list);
    if (!chosen.enabled || index < 0 || std::size_t(index) >= chosen.values.size()) return;
    chosen.selected = index;
    const std::uint32_t value = chosen.Value();
    switch (list) {
    case EDialogList::Adapter:
        Device().adapter = value;
        AdapterChanged();
        break;
    case EDialogList::Device:
        Device().deviceType = value;
        DeviceChanged();
        break;
    case EDialogList::AdapterFormat:
        Device().adapterFormat = value;
        AdapterFormatChanged();
        break;
    case EDialogList::Resolution:
        Mode().width = value >> 16;
        Mode().height = value & 0xFFFF;
        ResolutionChanged();
        break;
    case EDialogList::RefreshRate:
        Mode().refreshRate = value;
        RefreshRateChanged();
        break;
    case EDialogList::BackBufferFormat:
        Device().backBufferFormat = value;
        BackBufferFormatChanged();
        break;
    case EDialogList::DepthStencilFormat:
        Device().depthStencilFormat = value;
        DepthStencilFormatChanged();
        break;
    case EDialogList::MultisampleType:
        Device().multisampleType = value;
        MultisampleTypeChanged();
        break;
    case EDialogList::MultisampleQuality:
        Device().multisampleQuality = value;
        break;
    case EDialogList::VertexProcessing:
        Device().vertexProcessing = value;
        break;
    case EDialogList::PresentInterval:
        Device().presentInterval = value;
        break;
    }
}

void CSettingsDialogModel::SetWindowed(bool windowed) {
    if (windowed ? !windowAllowed : !fullScreenAllowed) return;
    if (windowed == settings.windowed) return;
    settings.windowed = windowed;
    // The case now edited lives on the adapter and device the lists show.
    Device().adapter = List(EDialogList::Adapter).Value();
    Device().deviceType = List(EDialogList::Device).Value();
    WindowedChanged();
}

void CSettingsDialogModel::AdapterChanged() {
    CFiller devices(Get(EDialogList::Device));
    if (const CAdapterInfo* adapter = enumeration.FindAdapter(Device().adapter))
        for (const CDeviceInfo& device : adapter->devices)
            devices.Add(device.deviceType, DeviceTypeText(device.deviceType));
    Device().deviceType = devices.Select(Device().deviceType);
    DeviceChanged();
}

void CSettingsDialogModel::DeviceChanged() {
    windowAllowed = fullScreenAllowed = false;
    if (const CDeviceInfo* device = enumeration.FindDevice(Device().adapter, Device().deviceType))
        for (const CDeviceCombo& combo : device->combos)
            (combo.windowed ? windowAllowed : fullScreenAllowed) = true;
    // The case in use stays unless this device cannot show it.
    if (settings.windowed ? !windowAllowed && fullScreenAllowed : !fullScreenAllowed && windowAllowed) {
        const CDeviceSettings here = Device();
        settings.windowed = !settings.windowed;
        Device().adapter = here.adapter;
        Device().deviceType = here.deviceType;
    }
    WindowedChanged();
}

void CSettingsDialogModel::WindowedChanged() {
    const CAdapterInfo* adapter = enumeration.FindAdapter(Device().adapter);
    if (!adapter) return;
    if (settings.windowed) {
        // A window keeps the desktop's mode and takes the window's size; nothing here to pick.
        settings.windowedMode = adapter->desktop;
        CFiller formats(Get(EDialogList::AdapterFormat), false);
        formats.Add(adapter->desktop.format, FormatText(adapter->desktop.format));
        Device().adapterFormat = formats.Select(adapter->desktop.format);
        CFiller sizes(Get(EDialogList::Resolution), false);
        sizes.Add(PackSize(std::uint32_t(clientWidth), std::uint32_t(clientHeight)),
                  Printed("%u x %u", std::uint32_t(clientWidth), std::uint32_t(clientHeight)));
        sizes.Select(0);
        CFiller rates(Get(EDialogList::RefreshRate), false);
        rates.Add(adapter->desktop.refreshRate, RefreshText(adapter->desktop.refreshRate));
        rates.Select(adapter->desktop.refreshRate);
    } else {
        CFiller formats(Get(EDialogList::AdapterFormat));
        if (const CDeviceInfo* device = enumeration.FindDevice(Device().adapter, Device().deviceType))
            for (const CDeviceCombo& combo : device->combos)
                if (!combo.windowed) formats.Add(combo.adapterFormat, FormatText(combo.adapterFormat));
        Device().adapterFormat = formats.Select(Device().adapterFormat);
    }
    AdapterFormatChanged();
}

void CSettingsDialogModel::AdapterFormatChanged() {
    if (!settings.windowed) {
        CFiller sizes(Get(EDialogList::Resolution));
        if (const CAdapterInfo* adapter = enumeration.FindAdapter(Device().adapter))
            for (const CDisplayMode& mode : adapter->modes)
                if (mode.format == Device().adapterFormat)
                    sizes.Add(PackSize(mode.width, mode.height), Printed("%u x %u", mode.width, mode.height));
        const std::uint32_t size = sizes.Select(PackSize(Mode().width, Mode().height));
        Mode().width = size >> 16;
        Mode().height = size & 0xFFFF;
        ResolutionChanged();
    }

    CFiller formats(Get(EDialogList::BackBufferFormat));
    if (const CDeviceInfo* device = enumeration.FindDevice(Device().adapter, Device().deviceType))
        for (const CDeviceCombo& combo : device->combos)
            if (combo.windowed == settings.windowed && combo.adapterFormat == Device().adapterFormat)
                formats.Add(combo.backBufferFormat, FormatText(combo.backBufferFormat));
    Device().backBufferFormat = formats.Select(Device().backBufferFormat);
    BackBufferFormatChanged();
}

void CSettingsDialogModel::ResolutionChanged() {
    CFiller rates(Get(EDialogList::RefreshRate));
    if (const CAdapterInfo* adapter = enumeration.FindAdapter(Device().adapter))
        for (const CDisplayMode& mode : adapter->modes)
            if (mode.format == Device().adapterFormat && mode.width == Mode().width &&
                mode.height == Mode().height)
                rates.Add(mode.refreshRate, RefreshText(mode.refreshRate));
    Mode().refreshRate = rates.Select(Mode().refreshRate);
    RefreshRateChanged();
}

void CSettingsDialogModel::RefreshRateChanged() {
    if (!settings.windowed) Mode().format = Device().adapterFormat;
}

void CSettingsDialogModel::BackBufferFormatChanged() {
    const CDeviceCombo* combo = Combo();
    CFiller depths(Get(EDialogList::DepthStencilFormat));
    CFiller processing(Get(EDialogList::VertexProcessing));
    CFiller intervals(Get(EDialogList::PresentInterval));
    if (combo) {
        for (std::uint32_t format : combo->depthStencilFormats)
            depths.Add(format, FormatText(format));
        for (std::uint32_t type : combo->vertexProcessingTypes)
            processing.Add(type, VertexProcessingText(type));
        for (std::uint32_t interval : combo->presentIntervals)
            intervals.Add(interval, IntervalText(interval));
    }
    Device().depthStencilFormat = depths.Select(Device().depthStencilFormat);
    Device().vertexProcessing = processing.Select(Device().vertexProcessing);
    Device().presentInterval = intervals.Select(Device().presentInterval);
    DepthStencilFormatChanged();
}

void CSettingsDialogModel::DepthStencilFormatChanged() {
    CFiller types(Get(EDialogList::MultisampleType));
    if (const CDeviceCombo* combo = Combo())
        for (std::uint32_t type : combo->multisampleTypes)
            types.Add(type, MultisampleText(type));
    Device().multisampleType = types.Select(Device().multisampleType);
    MultisampleTypeChanged();
}

void CSettingsDialogModel::MultisampleTypeChanged() {
    CFiller qualities(Get(EDialogList::MultisampleQuality));
    if (const CDeviceCombo* combo = Combo())
        for (std::size_t i = 0; i < combo->multisampleTypes.size(); ++i)
            if (combo->multisampleTypes[i] == Device().multisampleType)
                for (std::uint32_t q = 0; q < combo->multisampleQualities[i]; ++q)
                    qualities.Add(q, Printed("%u", q));
    Device().multisampleQuality = qualities.Select(Device().multisampleQuality);
}
