// CD3DEnumeration: what the machine offers (displays as adapters, their display modes, the device
// combinations of formats and options), and the searches for the best window and full screen.
#pragma once

#include "app/DisplayConfig.h"

#include <cstdint>
#include <string>
#include <vector>

// What the system reports of one display; a test scripts these.
struct CAdapterReport {
    std::string description;
    CDisplayMode desktop;            // with its format
    std::vector<CDisplayMode> modes; // every mode the display offers, in any format
    bool canRender = true;           // a hardware device can be made on it
    bool hardwareVertexProcessing = true;
    int depthBits = 24; // of the depth/stencil buffer a device on it gets
    int stencilBits = 8;
    std::uint32_t maxSamples = 0;   // the largest multisample count; below 2 none
    std::vector<int> swapIntervals; // the swap intervals (0 to 4) the driver accepts
};

class CDisplaySystem {
public:
    virtual ~CDisplaySystem() = default;
    virtual std::vector<CAdapterReport> ReportAdapters() = 0;
};

struct CDeviceCombo {
    std::uint32_t adapter = 0;
    std::uint32_t deviceType = kDeviceHal;
    std::uint32_t adapterFormat = kFormatUnknown;
    std::uint32_t backBufferFormat = kFormatUnknown;
    bool windowed = false;
    std::vector<std::uint32_t> depthStencilFormats;
    std::vector<std::uint32_t> multisampleTypes;
    std::vector<std::uint32_t> multisampleQualities; // the quality count of each type
    std::vector<std::uint32_t> vertexProcessingTypes;
    std::vector<std::uint32_t> presentIntervals;
};

struct CDeviceInfo {
    std::uint32_t adapter = 0;
    std::uint32_t deviceType = kDeviceHal;
    std::vector<CDeviceCombo> combos;
};

struct CAdapterInfo {
    std::uint32_t ordinal = 0;
    std::string description;
    CDisplayMode desktop;
    std::vector<CDisplayMode> modes; // sorted by width, height, format, refresh rate
    std::vector<CDeviceInfo> devices;
};

// The limits every listed mode and combination meets.
inline constexpr std::uint32_t kMinFullScreenWidth = 640;
inline constexpr std::uint32_t kMinFullScreenHeight = 480;
inline constexpr int kMinColorChannelBits = 5;
inline constexpr int kMinDepthBits = 15;

// Bits of a format: colour per channel (the smallest), alpha, depth and stencil; -1 when unknown.
int ColorChannelBits(std::uint32_t format);
int AlphaBits(std::uint32_t format);
int DepthBits(std::uint32_t format);
int StencilBits(std::uint32_t format);
// "D3DFMT_X8R8G8B8" and so on; nullptr for a format without a name.
const char* FormatName(std::uint32_t format);

class CD3DEnumeration {
public:
    void Enumerate(CDisplaySystem& system);

    // The first adapter, device or combination of that identity, or nullptr.
    const CAdapterInfo* FindAdapter(std::uint32_t ordinal) const;
    const CDeviceInfo* FindDevice(std::uint32_t adapter, std::uint32_t deviceType) const;
    const CDeviceCombo* FindCombo(const CDeviceSettings& device, bool windowed) const;

    // Fill the case's mode and device settings; false when no combination fits. requiredType 0
    // takes any device type, preferring the hardware one.
    bool FindBestWindowed(CDisplaySettings& settings, std::uint32_t requiredType = 0) const;
    bool FindBestFullScreen(CDisplaySettings& settings, std::uint32_t requiredType = 0) const;

    std::vector<CAdapterInfo> adapters;
};

// The adapter's mode for full screen in that format: the desktop's own when listed, else the last
// of the desktop's width, else the first; nullptr when the format has no modes.
const CDisplayMode* ChooseFullScreenMode(const CAdapterInfo& adapter, std::uint32_t adapterFormat);
// The first entries of a combination's lists, over the combination's identity.
CDeviceSettings FirstChoices(const CDeviceCombo& combo);
