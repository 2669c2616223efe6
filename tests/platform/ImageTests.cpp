// Image decoding: the colour key matches exact ARGB values only, and bad bytes are refused.
#include "RenderTestKit.h"

#include "platform/ImageDecode.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageDecode, KeyTurnsExactlyMatchingPixelsTransparentBlack) {
    const std::vector<std::uint32_t> image = {0xFFFF00FF, 0xFEFF00FF, 0xFFFF00FE, 0x80102030};
    const std::string png = EncodePng(image, 2, 2);
    std::vector<std::uint32_t> argb;
    int w = 0, h = 0;
    ASSERT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0xFFFF00FF, argb, w, h), kRenderOk);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(argb, (std::vector<std::uint32_t>{0, 0xFEFF00FF, 0xFFFF00FE, 0x80102030}));

    ASSERT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, argb, w, h), kRenderOk);
    EXPECT_EQ(argb, image);
}

TEST(ImageDecode, BytesThatAreNoImageAreInvalidData) {
    std::vector<std::uint32_t> argb;
    int w = 0, h = 0;
    const std::string junk = "not an image at all";
    EXPECT_EQ(DecodeImage(junk.data(), std::uint32_t(junk.size()), 0, argb, w, h), kRenderInvalidData);
    EXPECT_EQ(DecodeImage(nullptr, 0, 0, argb, w, h), kRenderInvalidData);
    std::string truncated = EncodePng(Solid(16, 16, 0xFF123456), 16, 16);
    truncated.resize(truncated.size() / 3);
    EXPECT_EQ(DecodeImage(truncated.data(), std::uint32_t(truncated.size()), 0, argb, w, h),
              kRenderInvalidData);
}

} // namespace
