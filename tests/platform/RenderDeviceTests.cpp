// The OpenGL device offscreen, driven through the graphics objects: pixel centres, gradients,
// the doubled colour modulation, the colour key, sampling, outlines, text layout and clipping.
#include "RenderTestKit.h"

#include "gfx/GfxFilledRect.h"
#include "gfx/GfxFont.h"
#include "gfx/GfxLine.h"
#include "gfx/GfxSprite.h"
#include "support/TestFiles.h"

#include <SDL_image.h>
#include <array>

namespace {

class GlDeviceTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        rects.Create(device);
        sprite.Create(device);
    }
    void TearDown() override { sprite.Destroy(); }

    // A one-frame sprite set (id 1) or one cut into frames, from ARGB pixels.
    void LoadSprite(const std::vector<std::uint32_t>& argb, int size, int frame,
                    const std::string& key = "0") {
        const std::string xml = "<sprites><sprite><id>1</id><file>t.png</file><size>" + std::to_string(size) +
                                "</size><sprite-size>" + std::to_string(frame) + "</sprite-size><color-key>" +
                                key + "</color-key></sprite></sprites>";
        sprite.LoadText(true, "Sprites.xml", 0, xml);
        const std::string png = EncodePng(argb, size, size);
        sprite.LoadData(false, "t.png", std::uint32_t(png.size()),
                        reinterpret_cast<const std::uint8_t*>(png.data()));
        sprite.EndLoading(false);
    }
    void DrawSprite(float x, float y, float size, std::uint32_t color, bool filter = false) {
        sprite.Begin(1, 1, filter);
        sprite.Add(0, x, y, size, color, 0.0f);
        sprite.Flush();
    }

    CGfxFilledRect rects;
    CGfxSprite sprite;
};

TEST_F(GlDeviceTest, RectanglesCoverPixelCentresAsDirect3DDoes) {
    rects.Begin(1);
    rects.Add({10, 10, 20, 20}, 0xFFFF0000);
    rects.Flush();
    Grab();
    EXPECT_EQ(Pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(Pixel(19, 19), 0xFFFF0000u);
    EXPECT_EQ(Pixel(9, 10), 0xFF000000u);
    EXPECT_EQ(Pixel(20, 15), 0xFF000000u);
    EXPECT_EQ(Pixel(15, 20), 0xFF000000u);
}

TEST_F(GlDeviceTest, CornerColoursBlendAcrossTheRectangle) {
    rects.Begin(2);
    rects.Add({0, 0, 101, 101}, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF);
    rects.Add({200, 0, 300, 100}, 0x80FFFFFF); // half transparent over black
    rects.Flush();
    Grab();
    EXPECT_TRUE(Near(Pixel(0, 0), 0xFFFF0000, 8));
    EXPECT_TRUE(Near(Pixel(100, 0), 0xFF00FF00, 8));
    EXPECT_TRUE(Near(Pixel(0, 100), 0xFF0000FF, 8));
    EXPECT_TRUE(Near(Pixel(100, 100), 0xFFFFFFFF, 8));
    EXPECT_TRUE(Near(Pixel(50, 0), 0xFF808000, 4));
    EXPECT_TRUE(Near(Pixel(250, 50), 0xFF808080, 2));
}

TEST_F(GlDeviceTest, HalfGreyShowsTheImageAndBrighterColoursDoubleItSaturating) {
    LoadSprite(Solid(8, 8, 0xFF804020), 8, 8);
    DrawSprite(20, 20, 16, 0xFF7F7F7F);
    DrawSprite(60, 20, 16, 0xFFFFFFFF);
    DrawSprite(100, 20, 16, 0xFF3F7F7F); // darker red channel
    DrawSprite(140, 20, 16, 0x807F7F7F); // vertex alpha scales the image's
    Grab();
    EXPECT_TRUE(Near(Pixel(20, 20), 0xFF804020));
    EXPECT_TRUE(Near(Pixel(60, 20), 0xFFFF8040));
    EXPECT_TRUE(Near(Pixel(100, 20), 0xFF404020));
    EXPECT_TRUE(Near(Pixel(140, 20), 0xFF402010));
}

TEST_F(GlDeviceTest, ColourKeyedPixelsShowWhatIsBehind) {
    std::vector<std::uint32_t> image = Solid(8, 8, 0xFFFF00FF);
    for (int i = 32; i < 64; ++i)
        image[i] = 0xFF00FF00; // bottom half green
    device->Clear(0xFF0000FF);
    LoadSprite(image, 8, 8, "FFFF00FF");
    DrawSprite(100, 100, 80, 0xFF7F7F7F);
    Grab();
    EXPECT_EQ(Pixel(100, 80), 0xFF0000FFu);
    EXPECT_TRUE(Near(Pixel(100, 120), 0xFF00FE00));
}

TEST_F(GlDeviceTest, FilterChoosesBetweenNearestTexelsAndBlending) {
    std::vector<std::uint32_t> image = Solid(4, 4, 0xFF000000);
    for (int y = 0; y < 4; ++y)
        image[y * 4 + 2] = image[y * 4 + 3] = 0xFFFFFFFF;
    LoadSprite(image, 4, 4);
    DrawSprite(64, 64, 128, 0xFFFFFFFF, false);
    DrawSprite(64, 192, 96, 0xFFFFFFFF, true);
    Grab();
    int midTones = 0;
    for (int x = 0; x < 128; ++x) {
        const std::uint32_t g = Pixel(x, 64) & 0xFF;
        EXPECT_TRUE(g == 0 || g == 0xFF) << x;
        const std::uint32_t l = Pixel(16 + x * 96 / 128, 192) & 0xFF;
        midTones += l > 0x20 && l < 0xE0;
    }
    EXPECT_GT(midTones, 10);
}

TEST_F(GlDeviceTest, FrameIsAOnePixelOutline) {
    CGfxLine line;
    line.Create(device);
    line.DrawFrame(50, 40, 70, 60, 0xFFFFFFFF);
    Grab();
    int left, top, right, bottom;
    ASSERT_TRUE(InkBox(0xFF000000, left, top, right, bottom));
    EXPECT_EQ((std::array{left, top, right, bottom}), (std::array{50, 40, 70, 60}));
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(Pixel(50 + i, 40), 0xFFFFFFFFu) << i;
        EXPECT_EQ(Pixel(50 + i, 60), 0xFFFFFFFFu) << i;
        EXPECT_EQ(Pixel(50, 40 + i), 0xFFFFFFFFu) << i;
        EXPECT_EQ(Pixel(70, 40 + i), 0xFFFFFFFFu) << i;
    }
    EXPECT_FALSE(InkBox(0xFF000000, 51, 41, 70, 60, left, top, right, bottom)); // hollow
    line.Destroy();
}

class TextTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        font.Create(device);
        font.LoadText(true, "Fonts.xml", 0,
                      "<fonts><font><id>1</id><name>DejaVu Sans</name><size>24</size></font></fonts>");
        font.Select(1);
    }
    void TearDown() override {
        font.Destroy();
        GlDeviceTest::TearDown();
    }
    CGfxFont font;
};

TEST_F(TextTest, EachAlignmentPlacesTheInkInsideItsRectangle) {
    const int top[3] = {10, 80, 150};
    const std::uint32_t align[3] = {kTextLeft, kTextCenter, kTextRight};
    for (int i = 0; i < 3; ++i)
        font.DrawTextInRect(20, float(top[i]), 300, float(top[i] + 50), "Mapa", align[i] | kTextSingleLine,
                            0xFFFFFFFF);
    Grab();
    int inkLeft[3], inkRight[3];
    for (int i = 0; i < 3; ++i) {
        int l, t, r, b;
        ASSERT_TRUE(InkBox(0xFF000000, 0, top[i] - 5, kWidth, top[i] + 55, l, t, r, b)) << i;
        EXPECT_GE(t, top[i]);
        EXPECT_LT(b, top[i] + 30);
        inkLeft[i] = l, inkRight[i] = r;
    }
    EXPECT_LE(inkLeft[0], 23);
    EXPECT_GE(inkLeft[0], 20);
    EXPECT_NEAR((inkLeft[1] + inkRight[1]) / 2.0, 160.0, 3.0);
    EXPECT_LE(inkRight[2], 299);
    EXPECT_GE(inkRight[2], 295);
}

TEST_F(TextTest, VerticalCentringAndTheReportedHeight) {
    const int single = font.DrawTextInRect(0, 0, 320, 240, "Xy", kTextSingleLine, 0xFFFFFFFF);
    EXPECT_GE(single, 24);
    EXPECT_LE(single, 32);
    device->Clear(0xFF000000);
    const int centred =
        font.DrawTextInRect(0, 100, 320, 200, "Xy", kTextSingleLine | kTextVCenter, 0xFFFFFFFF);
    EXPECT_EQ(centred, (100 - single) / 2 + single); // from the rectangle's top to the text's bottom
    Grab();
    int l, t, r, b;
    ASSERT_TRUE(InkBox(0xFF000000, l, t, r, b));
    EXPECT_NEAR((t + b) / 2.0, 150.0, 5.0);
}

TEST_F(TextTest, WordWrappingStacksLinesAndReportsTheirHeight) {
    const int single = font.DrawTextInRect(0, 0, 320, 240, "Xy", kTextSingleLine, 0xFFFFFFFF);
    device->Clear(0xFF000000);
    const int height =
        font.DrawTextInRect(10, 10, 130, 230, "Wygrales bitwe na sniezki", kTextWordBreak, 0xFFFFFFFF);
    EXPECT_EQ(height % single, 0);
    EXPECT_GE(height / single, 3);
    Grab();
    int l, t, r, b;
    ASSERT_TRUE(InkBox(0xFF000000, l, t, r, b));
    EXPECT_GE(l, 10);
    EXPECT_LT(r, 130);
    EXPECT_GT(b - t, 2 * single);
    EXPECT_LE(b, 10 + height);
}

TEST_F(TextTest, TextIsClippedToItsRectangleUnlessToldNotTo) {
    font.DrawTextInRect(100, 100, 130, 110, "Szeroki napis", kTextSingleLine, 0xFFFFFFFF);
    Grab();
    int l, t, r, b;
    ASSERT_TRUE(InkBox(0xFF000000, l, t, r, b));
    EXPECT_GE(l, 100);
    EXPECT_GE(t, 100);
    EXPECT_LT(r, 130);
    EXPECT_LT(b, 110);

    device->Clear(0xFF000000);
    font.DrawTextInRect(100, 100, 130, 110, "Szeroki napis", kTextSingleLine | kTextNoClip, 0xFFFFFFFF);
    Grab();
    ASSERT_TRUE(InkBox(0xFF000000, l, t, r, b));
    EXPECT_GT(r, 150);
    EXPECT_GT(b, 110);
}

TEST_F(GlDeviceTest, BadDrawsAreRefusedAndResultsHaveNames) {
    const CColorVertex v[3] = {{0, 0, 0, 1, 0xFFFFFFFF}, {10, 0, 0, 1, 0xFFFFFFFF}, {0, 10, 0, 1, 0xFFFFFFFF}};
    const std::uint16_t outside[3] = {0, 1, 3};
    device->SetVertexFormat(VertexFormat::XyzrhwDiffuse);
    EXPECT_EQ(device->DrawIndexedTriangleList(0, 3, 1, outside, v, sizeof(CColorVertex)), kRenderInvalidCall);
    const std::uint16_t inside[3] = {0, 1, 2};
    EXPECT_EQ(device->DrawIndexedTriangleList(0, 3, 1, inside, v, sizeof(CTexturedVertex)),
              kRenderInvalidCall);
    EXPECT_EQ(device->DrawIndexedTriangleList(0, 3, 1, inside, v, sizeof(CColorVertex)), kRenderOk);
    EXPECT_EQ(vexo::DirectXErrorName(std::uint32_t(kRenderInvalidCall)), "D3DERR_INVALIDCALL");
    EXPECT_EQ(vexo::DirectXErrorName(std::uint32_t(kRenderInvalidData)), "D3DXERR_INVALIDDATA");

    TextureHandle texture = TextureHandle::None;
    const std::string junk = "GIF89a but not really";
    EXPECT_EQ(device->CreateTextureFromMemory(junk.data(), std::uint32_t(junk.size()), 0, texture),
              kRenderInvalidData);
}

TEST_F(GlDeviceTest, ScreenshotIsAPngOfTheBackBuffer) {
    rects.Begin(1);
    rects.Add({0, 0, 10, 10}, 0xFF336699);
    rects.Flush();
    const tundrel_test::TempDir dir;
    const std::string path = dir.File("screenshot.png");
    ASSERT_EQ(device->SaveBackBufferPng(path), kRenderOk);
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->w, kWidth);
    EXPECT_EQ(loaded->h, kHeight);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    EXPECT_EQ(static_cast<const std::uint32_t*>(argb->pixels)[0], 0xFF336699u);
    EXPECT_EQ(static_cast<const std::uint32_t*>(argb->pixels)[kWidth * 20], 0xFF000000u);
    SDL_FreeSurface(argb);
    SDL_FreeSurface(loaded);
}

} // namespace
