// The OpenGL device offscreen, driven through the graphics objects: pixel centres, the doubled
// colour modulation, the colour key, sheet frames, a substitute typeface and refused draws.
#include "RenderTestKit.h"

#include "gfx/GfxFilledRect.h"
#include "gfx/GfxFont.h"
#include "gfx/GfxLine.h"
#include "gfx/GfxSprite.h"
#include "platform/FontFace.h"

#include <algorithm>
#include <cmath>
#include <tuple>

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

// Drawn twice: through the text's pipeline, as in the first frames, and after them through their own.
TEST_F(GlDeviceTest, UntexturedDrawsCoverPixelCentresAsDirect3DDoesInTheirOwnColours) {
    CGfxLine frame;
    frame.Create(device);
    for (const int presents : {0, 60}) {
        for (int i = 0; i < presents; ++i) device->Present();
        device->Clear(0xFF000000);
        rects.Begin(2);
        rects.Add({10, 10, 20, 20}, 0xFFFF0000);
        rects.Add({15, 15, 25, 25}, 0x800000FF); // half blue, over the red and over black
        rects.Flush();
        frame.DrawFrame(40, 40, 60, 60, 0xFF00FF00);
        // Only the last three of six vertices, as a batch that starts further in hands them over.
        const CColorVertex v[6] = {{}, {}, {}, {70, 70, 0, 1, 0xFFFFFF00}, {90, 70, 0, 1, 0xFFFFFF00},
                                   {70, 90, 0, 1, 0xFFFFFF00}};
        const std::uint16_t last[3] = {3, 4, 5};
        EXPECT_EQ(device->DrawIndexedTriangleList(3, 3, 1, last, v, sizeof(CColorVertex)), kRenderOk);
        Grab();
        for (auto [x, y, colour] :
             {std::tuple{10, 10, 0xFFFF0000u}, {14, 19, 0xFFFF0000u}, {9, 10, 0xFF000000u},
              {20, 12, 0xFF000000u}, {12, 20, 0xFF000000u}, {17, 17, 0xFF7F0080u}, {22, 22, 0xFF000080u},
              {50, 40, 0xFF00FF00u}, {60, 50, 0xFF00FF00u}, {50, 50, 0xFF000000u}, {72, 72, 0xFFFFFF00u},
              {88, 88, 0xFF000000u}})
            EXPECT_TRUE(Near(Pixel(x, y), colour)) << x << "," << y << " after " << presents << " frames";
    }
    frame.Destroy();
}

TEST_F(GlDeviceTest, HalfGreyShowsTheImageAndBrighterColoursDoubleItSaturating) {
    LoadSprite(Solid(8, 8, 0xFF804020), 8, 8);
    // A darker red channel at 100; vertex alpha scales the image's at 140.
    const std::tuple<int, std::uint32_t, std::uint32_t> cases[] = {
        {20, 0xFF7F7F7F, 0xFF804020}, {60, 0xFFFFFFFF, 0xFFFF8040}, {100, 0xFF3F7F7F, 0xFF404020}, {140, 0x807F7F7F, 0xFF402010}};
    for (auto [x, colour, seen] : cases) DrawSprite(float(x), 20, 16, colour);
    Grab();
    for (auto [x, colour, seen] : cases) EXPECT_TRUE(Near(Pixel(x, 20), seen)) << x;
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

// A sheet of four 8-pixel frames: red over blue, then green, white and yellow. A neighbouring
// frame never bleeds into a tile's edge, and a quarter turn counter-clockwise takes the top left.
TEST_F(GlDeviceTest, SheetFramesNeitherBleedNorTurnTheWrongWay) {
    const std::uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF, 0xFFFFFF00};
    std::vector<std::uint32_t> sheet(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            sheet[std::size_t(y * 16 + x)] = x < 8 && y >= 4 && y < 8 ? 0xFF0000FF : colours[(y / 8) * 2 + x / 8];
    LoadSprite(sheet, 16, 8);
    sprite.Begin(1, 2, false);
    for (int i : {0, 1}) sprite.Add(i, 16.0f + 32.0f * float(i), 116, 32, 0xFF7F7F7F, 0.0f);
    sprite.Flush();
    sprite.Begin(1, 1, true);
    sprite.Add(0, 100, 40, 32, 0xFF7F7F7F, float(M_PI / 2));
    sprite.Flush();
    Grab();
    for (auto [x, y, colour] : {std::tuple{31, 102, 0xFFFE0000u}, {32, 102, 0xFF00FE00u}, {16, 125, 0xFF0000FEu},
                                {90, 40, 0xFFFE0000u}, {110, 40, 0xFF0000FEu}})
        EXPECT_TRUE(Near(Pixel(x, y), colour)) << x << "," << y;
}

TEST_F(GlDeviceTest, ATypefaceThatIsNotInstalledIsDrawnInASubstitute) {
    CGfxFont missing;
    missing.Create(device);
    missing.LoadText(true, "Fonts.xml", 0,
                     "<fonts><font><id>2</id><name>Nieistniejaca Czcionka</name><size>24</size></font></fonts>");
    missing.Select(2);
    missing.DrawTextInRect(20, 20, 300, 80, "Nowa gra", kTextSingleLine, 0xFFFFFFFF);
    Grab();
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != 0xFF000000u; }), 100);
    missing.Destroy();
}

// A face rasterised at start-up is taken by the first font with its description, once, and by no other.
TEST(FontFace, AFaceMadeAheadIsTheOneMadeNowAndGoesOnlyToItsDescription) {
    const CFontDesc bold{20, 700, "DejaVu Sans"}, regular{20, 400, "DejaVu Sans"};
    const auto made = [](const CFontDesc& desc) {
        CFontFace face;
        std::string error;
        EXPECT_TRUE(face.Create(desc, error)) << error;
        return std::tuple{face.Atlas(), face.AtlasWidth(), face.LineHeight(), face.Glyph('W').advance};
    };
    const CFontLibrariesStart start({bold});
    const auto other = made(regular);
    const auto ahead = made(bold);
    EXPECT_NE(other, ahead);
    EXPECT_EQ(ahead, made(bold));
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

    TextureHandle texture = TextureHandle::None;
    const std::string junk = "GIF89a but not really";
    EXPECT_EQ(device->CreateTextureFromMemory(junk.data(), std::uint32_t(junk.size()), 0, texture),
              kRenderInvalidData);
}

} // namespace
