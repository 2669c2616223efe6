// A whole frame as the game draws one, from a game data folder through CGfx and the OpenGL
// device: terrain tiles, turned sprites, rectangles, an outline and Polish text.
#include "RenderTestKit.h"

#include "gfx/Gfx.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace vexo::literals;

namespace {

constexpr std::uint32_t kTileColours[4] = {0xFF2E8B57, 0xFFE0F0FF, 0xFF87CEEB, 0xFF555555};

// Terrain: 2 × 2 frames of 16 pixels in four colours. Units: one 32-pixel frame, red above
// and blue below, so a turn shows where the top went.
void WriteGameData(const std::filesystem::path& root) {
    std::filesystem::create_directories(root);
    std::vector<std::uint32_t> terrain(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            terrain[y * 32 + x] = kTileColours[(y / 16) * 2 + x / 16];
    std::vector<std::uint32_t> unit(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            unit[y * 32 + x] = y < 16 ? 0xFFFF0000 : 0xFF0000FF;
    std::ofstream(root / "terrain.png", std::ios::binary) << EncodePng(terrain, 32, 32);
    std::ofstream(root / "units.png", std::ios::binary) << EncodePng(unit, 32, 32);
    std::ofstream(root / "Sprites.xml") << "<sprites>"
                                           "<sprite><id>1</id><file>terrain.png</file><size>32</size>"
                                           "<sprite-size>16</sprite-size></sprite>"
                                           "<sprite><id>2</id><file>units.png</file><size>32</size>"
                                           "<sprite-size>32</sprite-size></sprite></sprites>";
    std::ofstream(root / "Fonts.xml") << "<fonts><font><id>0</id><name>Tahoma</name><size>18</size>"
                                         "<bold>1</bold></font></fonts>";
}

class GlFrameTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        WriteGameData(root);
        gfx.Create(device);
        gfx.LoadGameData(root.string());
        std::uint32_t w = 0, h = 0;
        device->GetBackBufferSize(w, h);
        gfx.SetScreenSize(w, h);
        gfx.Restore();
    }
    void TearDown() override {
        gfx.Invalidate();
        gfx.Destroy();
    }

    // The ink of one string drawn alone at (10, 150), as a set of lit pixels.
    std::vector<bool> Ink(const std::string& text) {
        device->Clear(0xFF000000);
        gfx.font.Select(0);
        gfx.font.DrawText(10, 150, text, 0xFFFFFFFF);
        Grab();
        std::vector<bool> lit(pixels.size());
        for (std::size_t i = 0; i < pixels.size(); ++i)
            lit[i] = pixels[i] != 0xFF000000;
        return lit;
    }

    tundrel_test::TempDir dir;
    std::filesystem::path root = std::filesystem::path(dir.path) / "GameData";
    CGfx gfx;
};

TEST_F(GlFrameTest, TilesSpritesRectanglesLinesAndPolishTextAllReachTheScreen) {
    device->Clear(0xFF000000);
    ASSERT_EQ(gfx.screenWidth, std::uint32_t(kWidth));

    // Terrain: a 4 × 2 grid of 32-pixel tiles cycling through the frames.
    gfx.sprite.Begin(kTerrainSpriteSet, 8, false);
    for (int i = 0; i < 8; ++i)
        gfx.sprite.Add(i % 4, 16.0f + 32 * (i % 4), 16.0f + 32 * (i / 4), 32, 0xFF7F7F7F, 0);
    gfx.sprite.Flush();

    // Units: one upright, one turned a quarter counter-clockwise, one half a turn.
    gfx.sprite.Begin(kUnitSpriteSet, 3, true);
    gfx.sprite.Add(0, 200, 40, 0, 0xFF7F7F7F, 0);
    gfx.sprite.Add(0, 250, 40, 0, 0xFF7F7F7F, float(M_PI / 2));
    gfx.sprite.Add(0, 290, 40, -1, 0xFF7F7F7F, float(M_PI));
    gfx.sprite.Flush();

    gfx.filledRect.Begin(2);
    gfx.filledRect.Add({10, 80, 60, 100}, 0xFFFFFF00);
    gfx.filledRect.Add({70, 80, 120, 100}, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF);
    gfx.filledRect.Flush();
    gfx.line.DrawFrame(140, 75, 180, 105, 0xFF00FF00);

    gfx.font.Select(0);
    const std::string polish(std::string("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"_pl));
    gfx.font.DrawTextInRect(0, 120, 320, 160, polish, kTextCenter | kTextSingleLine, 0xFFFFFFFF);
    Grab();

    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(Near(Pixel(16 + 32 * (i % 4), 16 + 32 * (i / 4)), kTileColours[i % 4])) << "tile " << i;
    // Neighbouring frames never bleed into a tile's edge.
    EXPECT_TRUE(Near(Pixel(31, 16), kTileColours[0]));
    EXPECT_TRUE(Near(Pixel(32, 16), kTileColours[1]));

    EXPECT_TRUE(Near(Pixel(200, 30), 0xFFFE0000));
    EXPECT_TRUE(Near(Pixel(200, 50), 0xFF0000FE));
    EXPECT_TRUE(Near(Pixel(240, 40), 0xFFFE0000)); // the top turned to the left
    EXPECT_TRUE(Near(Pixel(260, 40), 0xFF0000FE));
    EXPECT_TRUE(Near(Pixel(290, 30), 0xFF0000FE)); // upside down
    EXPECT_TRUE(Near(Pixel(290, 50), 0xFFFE0000));

    EXPECT_EQ(Pixel(35, 90), 0xFFFFFF00u);
    EXPECT_LT(Pixel(71, 90) & 0xFF, 0x10u);
    EXPECT_GT(Pixel(118, 90) & 0xFF, 0xF0u);
    EXPECT_EQ(Pixel(160, 75), 0xFF00FF00u);
    EXPECT_EQ(Pixel(180, 90), 0xFF00FF00u);
    EXPECT_EQ(Pixel(160, 90), 0xFF000000u);

    int l, t, r, b;
    ASSERT_TRUE(InkBox(0xFF000000, 0, 110, kWidth, 170, l, t, r, b));
    EXPECT_GE(t, 120);
    EXPECT_LT(b, 160);
    EXPECT_NEAR((l + r) / 2.0, 160.0, 4.0);
}

TEST_F(GlFrameTest, EveryPolishLetterHasItsOwnGlyph) {
    const std::string accented(std::string("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"_pl));
    const std::string plain = "acelnoszzACELNOSZZ";
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto withMark = Ink(accented.substr(i, 1));
        const auto without = Ink(plain.substr(i, 1));
        EXPECT_NE(withMark, without) << vexo::Cp1250ToUtf8(accented.substr(i, 1));
        EXPECT_NE(withMark, Ink("?")) << vexo::Cp1250ToUtf8(accented.substr(i, 1));
    }
    EXPECT_NE(Ink(std::string("ź"_pl)), Ink(std::string("ż"_pl)));
}

} // namespace
