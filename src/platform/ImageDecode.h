// Image files held in memory turned into ARGB pixels, with the colour key applied.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>
#include <vector>

// Decodes any format SDL2_image reads. Pixels whose ARGB value equals colorKey become 0
// (transparent black); a key of 0 keys nothing. kRenderInvalidData when the bytes are no image.
RenderResult DecodeImage(const void* bytes, std::uint32_t size, std::uint32_t colorKey,
                         std::vector<std::uint32_t>& argb, int& width, int& height);

// Writes ARGB pixels (top row first) as a PNG file at a host path.
RenderResult WritePng(const std::string& path, const std::vector<std::uint32_t>& argb, int width, int height);
