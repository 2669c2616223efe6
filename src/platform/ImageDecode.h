// Image files held in memory turned into ARGB pixels, with the colour key applied.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The largest image decoded, in pixels, whatever the device could hold: a few hundred bytes of
// compressed data can announce gigabytes of pixels.
inline constexpr std::uint64_t kMaxImagePixels = std::uint64_t(64) << 20;

struct CImageHeader {
    const char* format = nullptr; // SDL2_image's name for the decoder: "PNG", "JPG" or "BMP"
    std::uint32_t width = 0, height = 0;
};
// Reads the format and size an image announces, without decoding it; false for anything that is
// not a PNG, JPEG or BMP image with a readable header.
bool ReadImageHeader(std::string_view bytes, CImageHeader& header);

// Decodes a PNG, JPEG or BMP image. The size is read from the header first, and an image
// wider or taller than maxSide, or above kMaxImagePixels, is refused with kRenderOutOfMemory before
// any pixel is decoded. Pixels whose ARGB value equals colorKey become 0 (transparent black); a
// key of 0 keys nothing. kRenderInvalidData when the bytes are no such image.
RenderResult DecodeImage(const void* bytes, std::uint32_t size, std::uint32_t colorKey, int maxSide,
                         std::vector<std::uint32_t>& argb, int& width, int& height);

// Writes ARGB pixels (top row first) as a PNG file at a host path.
RenderResult WritePng(const std::string& path, const std::vector<std::uint32_t>& argb, int width, int height);
