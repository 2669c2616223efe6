// Image decoding: the colour key matches exact ARGB values only, and the size an image announces
// is checked before a pixel is decoded.
#include "RenderTestKit.h"

#include "platform/ImageDecode.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageDecode, KeyTurnsExactlyMatchingPixelsTransparentBlack) {
    const std::vector<std::uint32_t> image = {0xFFFF00FF, 0xFEFF00FF, 0xFFFF00FE, 0x80102030};
    const std::string png = EncodePng(image, 2, 2);
    std::vector<std::uint32_t> argb;
    int w = 0, h = 0;
    ASSERT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0xFFFF00FF, 64, argb, w, h), kRenderOk);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(argb, (std::vector<std::uint32_t>{0, 0xFEFF00FF, 0xFFFF00FE, 0x80102030}));

    ASSERT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 64, argb, w, h), kRenderOk);
    EXPECT_EQ(argb, image);
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values)
        bytes += char(value);
    return bytes;
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    const char* format; // nullptr: refused
    std::uint32_t width, height;
};

TEST(ImageDecode, HeaderGivesFormatAndSizeWithoutDecoding) {
    const std::string png = "\x89PNG\r\n\x1a\n" + Bytes({0, 0, 0, 13}) + "IHDR";
    const std::string bmp = "BM" + std::string(12, '\0');
    const HeaderCase cases[] = {
        {"png", png + Bytes({0, 0, 0x75, 0x30, 0, 0, 0x75, 0x30}), "PNG", 30000, 30000},
        {"png above 2^31", png + Bytes({0x80, 0, 0, 0, 0, 0, 0, 1}), nullptr, 0, 0},
        {"bmp stored top first", bmp + Bytes({40, 0, 0, 0, 3, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF}), "BMP", 3, 5},
        {"bmp of the lowest height", bmp + Bytes({40, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0x80}), nullptr, 0, 0},
        {"jpeg after an app segment and fill",
         Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 1, 2, 0xFF, 0xFF, 0xC2, 0, 11, 8, 0x01, 0x00, 0x02, 0x00, 3}),
         "JPG", 512, 256},
        {"jpeg whose data comes before a frame", Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0, 4, 0, 0, 0, 0, 0, 0}),
         nullptr, 0, 0},
        {"gif", "GIF89a" + Bytes({1, 0, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0}), nullptr, 0, 0},
        {"netpbm", "P6\n30000 30000\n255\n", nullptr, 0, 0},
    };
    for (const HeaderCase& c : cases) {
        ImageHeader header;
        EXPECT_EQ(ReadImageHeader(c.bytes, header), c.format != nullptr) << c.name;
        if (!c.format) continue;
        EXPECT_STREQ(header.format, c.format) << c.name;
        EXPECT_EQ(header.width, c.width) << c.name;
        EXPECT_EQ(header.height, c.height) << c.name;
    }
}

TEST(ImageDecode, SizeAboveTheDeviceOrThePixelBudgetIsRefusedBeforeDecoding) {
    std::string png = EncodePng(Solid(16, 16, 0xFF123456), 16, 16);
    std::vector<std::uint32_t> argb;
    int w = 0, h = 0;
    EXPECT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 16, argb, w, h), kRenderOk);
    EXPECT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 15, argb, w, h), kRenderOutOfMemory);
    // 8193 x 8193 fits a 16384 device but not the budget; the data behind the header is never read.
    png.replace(16, 8, Bytes({0, 0, 0x20, 0x01, 0, 0, 0x20, 0x01}));
    EXPECT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 16384, argb, w, h), kRenderOutOfMemory);
}

} // namespace
