// Image decoding: the size an image announces is checked before a pixel is decoded.
#include "RenderTestKit.h"

#include "platform/ImageDecode.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageDecode, SizeAboveTheDeviceOrThePixelBudgetIsRefusedBeforeDecoding) {
    std::string png = EncodePng(Solid(16, 16, 0xFF123456), 16, 16);
    std::vector<std::uint32_t> argb;
    int w = 0, h = 0;
    EXPECT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 16, argb, w, h), kRenderOk);
    EXPECT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 15, argb, w, h), kRenderOutOfMemory);
    // 8193 x 8193 fits a 16384 device but not the budget; the data behind the header is never read.
    png.replace(16, 8, std::string("\0\0\x20\x01\0\0\x20\x01", 8));
    EXPECT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 16384, argb, w, h), kRenderOutOfMemory);
}

} // namespace
