// Image files held in memory turned into ARGB pixels, with the colour key applied.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>
#include <functional>
#include <list>
#include <string_view>
#include <thread>
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

// Images decoded ahead of their use: produce runs on a thread of its own and hands every image
// file it reads to Add. While the store lives, DecodeImage first waits for produce to end and
// then takes the pixels decoded from exactly the same bytes, each once, instead of decoding them
// again; the checks against the device and the colour key are still its own. One store serves at
// a time; produce must not call DecodeImage.
class CImagesAhead {
public:
    explicit CImagesAhead(std::function<void(CImagesAhead&)> produce);
    CImagesAhead(const CImagesAhead&) = delete;
    CImagesAhead& operator=(const CImagesAhead&) = delete;
    ~CImagesAhead();

    // On the producing thread: decodes the bytes if they are an image and keeps the result.
    void Add(const void* bytes, std::uint32_t size);

private:
    struct CAheadImage;
    friend RenderResult DecodeImage(const void*, std::uint32_t, std::uint32_t, int, std::vector<std::uint32_t>&,
                                    int&, int&);
    bool Take(const void* bytes, std::uint32_t size, struct CDecodedImage& out);

    // 64 MB of pixels: a sprite sheet is a few megabytes at most.
    static constexpr std::uint64_t kMaxPixelsAhead = std::uint64_t(16) << 20;

    std::list<CAheadImage> images;
    std::uint64_t pixelsAhead = 0;
    std::thread producer;
};

// Writes ARGB pixels (top row first) as a PNG file at a host path.
RenderResult WritePng(const std::string& path, const std::vector<std::uint32_t>& argb, int width, int height);
