// Image decoding: the size an image announces is checked before a pixel is decoded, and images
// decoded ahead answer as decoding them now would.
#include "RenderTestKit.h"

#include "platform/ImageDecode.h"

#include <SDL.h>
#include <SDL_image.h>
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

TEST(ImageDecode, APaletteGivesItsColours) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 2, 1, 8, SDL_PIXELFORMAT_INDEX8);
    const SDL_Color colours[2] = {{0x12, 0x34, 0x56, 0xFF}, {0xAB, 0xCD, 0xEF, 0xFF}};
    SDL_SetPaletteColors(surface->format->palette, colours, 0, 2);
    static_cast<Uint8*>(surface->pixels)[1] = 1;
    std::string png(4096, '\0');
    SDL_RWops* out = SDL_RWFromMem(png.data(), int(png.size()));
    ASSERT_EQ(IMG_SavePNG_RW(surface, out, 0), 0);
    png.resize(std::size_t(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    std::vector<std::uint32_t> argb;
    int w = 0, h = 0;
    ASSERT_EQ(DecodeImage(png.data(), std::uint32_t(png.size()), 0, 16, argb, w, h), kRenderOk);
    EXPECT_EQ(argb, (std::vector<std::uint32_t>{0xFF123456, 0xFFABCDEF}));
}

TEST(ImageDecode, ImagesDecodedAheadAnswerAsDecodingThemNowWould) {
    const std::vector<std::uint32_t> image = {0xFFFF00FF, 0x80102030, 0xFF000000, 0xFFFFFFFF};
    const std::string png = EncodePng(image, 2, 2);
    // Same length, other pixels: only the very bytes read ahead may take their pixels.
    const std::vector<std::uint32_t> otherImage = {0xFFFFFFFF, 0xFF000000, 0x80102030, 0xFFFF00FF};
    const std::string other = EncodePng(otherImage, 2, 2);
    ASSERT_EQ(other.size(), png.size());
    const std::string truncated = png.substr(0, png.size() / 2);
    bool produced = false;
    CImagesAhead ahead([&](CImagesAhead& store) {
        for (const std::string* bytes : {&png, &truncated}) store.Add(bytes->data(), std::uint32_t(bytes->size()));
        produced = true;
    });
    struct Case {
        const std::string& bytes;
        std::uint32_t key;
        int maxSide;
        RenderResult result;
        std::vector<std::uint32_t> pixels;
    };
    const Case cases[] = {
        {png, 0xFFFF00FF, 64, kRenderOk, {0, 0x80102030, 0xFF000000, 0xFFFFFFFF}},
        {png, 0, 1, kRenderOutOfMemory, {}}, // the device's limit is checked as ever
        {png, 0, 64, kRenderOk, image}, // taken once; decoded again the second time
        {other, 0, 64, kRenderOk, otherImage},
        {truncated, 0, 64, kRenderInvalidData, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> argb;
        int w = 0, h = 0;
        EXPECT_EQ(DecodeImage(c.bytes.data(), std::uint32_t(c.bytes.size()), c.key, c.maxSide, argb, w, h), c.result);
        EXPECT_TRUE(produced) << "decoding waits for the images read ahead";
        if (c.result == kRenderOk) {
            EXPECT_EQ(argb, c.pixels);
        }
    }
}

} // namespace
