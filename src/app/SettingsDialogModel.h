// CSettingsDialogModel: the lists of the "Direct3D Settings" dialog over a copy of the display
// settings, and how each change refills the lists that depend on it. No drawing, no input.
#pragma once

#include "app/DisplayEnumeration.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The drop-down lists in the dialog's order.
enum class EDialogList : int {
    Adapter,
    Device,
    AdapterFormat,
    Resolution,
    RefreshRate,
    BackBufferFormat,
    DepthStencilFormat,
    MultisampleType,
    MultisampleQuality,
    VertexProcessing,
    PresentInterval,
};
inline constexpr int kDialogListCount = 11;

struct CChoiceList {
    std::vector<std::string> texts;
    std::vector<std::uint32_t> values;
    int selected = -1; // -1 while the list is empty
    bool enabled = true;
    std::uint32_t Value() const { return selected < 0 ? 0 : values[std::size_t(selected)]; }
};

// A format as the lists show it: its name, or "Unknown format".
std::string FormatText(std::uint32_t format);

class CSettingsDialogModel {
public:
    // clientWidth and clientHeight are the window's size, which a windowed choice keeps.
    CSettingsDialogModel(const CD3DEnumeration& enumeration, const CDisplaySettings& settings,
                         int clientWidth, int clientHeight);

    const CChoiceList& List(EDialogList list) const { return lists[std::size_t(list)]; }
    // The player picked entry index of the list; its dependants are refilled.
    void Select(EDialogList list, int index);

    bool IsWindowed() const { return settings.windowed; }
    bool CanUseWindow() const { return windowAllowed; }
    bool CanUseFullScreen() const { return fullScreenAllowed; }
    // The radio buttons; a case the device does not offer is refused.
    void SetWindowed(bool windowed);

    // The settings as edited.
    const CDisplaySettings& Result() const { return settings; }

private:
    CChoiceList& Get(EDialogList list) { return lists[std::size_t(list)]; }
    CDeviceSettings& Device() {
        return settings.windowed ? settings.windowedDevice : settings.fullScreenDevice;
    }
    CDisplayMode& Mode() { return settings.windowed ? settings.windowedMode : settings.fullScreenMode; }
    const CDeviceCombo* Combo() const;

    void AdapterChanged();
    void DeviceChanged();
    void WindowedChanged();
    void AdapterFormatChanged();
    void ResolutionChanged();
    void RefreshRateChanged();
    void BackBufferFormatChanged();
    void DepthStencilFormatChanged();
    void MultisampleTypeChanged();

    const CD3DEnumeration& enumeration;
    CDisplaySettings settings;
    int clientWidth;
    int clientHeight;
    bool windowAllowed = false;
    bool fullScreenAllowed = false;
    std::array<CChoiceList, kDialogListCount> lists;
};
