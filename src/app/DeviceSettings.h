// The device choice of one case (window or full screen) with the Direct3D codes Settings.xml
// stores: formats, device types, vertex processing types, multisample types, intervals.
#pragma once

#include <cstdint>

// Format codes.
inline constexpr std::uint32_t kFormatUnknown = 0;
inline constexpr std::uint32_t kFormatA8R8G8B8 = 21;
inline constexpr std::uint32_t kFormatX8R8G8B8 = 22;
inline constexpr std::uint32_t kFormatR5G6B5 = 23;
inline constexpr std::uint32_t kFormatX1R5G5B5 = 24;
inline constexpr std::uint32_t kFormatA1R5G5B5 = 25;
inline constexpr std::uint32_t kFormatA2R10G10B10 = 35;
inline constexpr std::uint32_t kFormatD32 = 71;
inline constexpr std::uint32_t kFormatD15S1 = 73;
inline constexpr std::uint32_t kFormatD24S8 = 75;
inline constexpr std::uint32_t kFormatD24X8 = 77;
inline constexpr std::uint32_t kFormatD24X4S4 = 79;
inline constexpr std::uint32_t kFormatD16 = 80;

// Device types.
inline constexpr std::uint32_t kDeviceHal = 1;
inline constexpr std::uint32_t kDeviceRef = 2;
inline constexpr std::uint32_t kDeviceSw = 3;

// Vertex processing types.
inline constexpr std::uint32_t kSoftwareVertexProcessing = 0;
inline constexpr std::uint32_t kMixedVertexProcessing = 1;
inline constexpr std::uint32_t kHardwareVertexProcessing = 2;
inline constexpr std::uint32_t kPureHardwareVertexProcessing = 3;

// Multisample types: none, non-maskable (its quality picks the sample count), or 2 to 16 samples.
inline constexpr std::uint32_t kMultisampleNone = 0;
inline constexpr std::uint32_t kMultisampleNonMaskable = 1;

// Presentation intervals.
inline constexpr std::uint32_t kIntervalDefault = 0;
inline constexpr std::uint32_t kIntervalOne = 1;
inline constexpr std::uint32_t kIntervalTwo = 2;
inline constexpr std::uint32_t kIntervalThree = 4;
inline constexpr std::uint32_t kIntervalFour = 8;
inline constexpr std::uint32_t kIntervalImmediate = 0x80000000u;

// The choice for one case; the adapter, device type and the two formats name a device combination
// of the enumeration.
struct CDeviceSettings {
    std::uint32_t adapter = 0; // the display's ordinal
    std::uint32_t deviceType = kDeviceHal;
    std::uint32_t adapterFormat = kFormatUnknown;
    std::uint32_t backBufferFormat = kFormatUnknown;
    std::uint32_t depthStencilFormat = kFormatUnknown;
    std::uint32_t multisampleType = kMultisampleNone;
    std::uint32_t multisampleQuality = 0;
    std::uint32_t vertexProcessing = kHardwareVertexProcessing;
    std::uint32_t presentInterval = kIntervalDefault;
    bool operator==(const CDeviceSettings&) const = default;
};

// The swap interval an OpenGL window presents with for a presentation interval.
constexpr int SwapIntervalOf(std::uint32_t presentInterval) {
    switch (presentInterval) {
    case kIntervalImmediate:
        return 0;
    case kIntervalTwo:
        return 2;
    case kIntervalThree:
        return 3;
    case kIntervalFour:
        return 4;
    default:
        return 1;
    }
}

// The samples per pixel of a multisample type and quality; the non-maskable type's quality q
// stands for 2^(q+1) samples.
constexpr std::uint32_t MultisampleSamples(std::uint32_t type, std::uint32_t quality) {
    if (type == kMultisampleNone) return 0;
    if (type == kMultisampleNonMaskable) return quality < 4 ? 2u << quality : 16u;
    return type;
}
