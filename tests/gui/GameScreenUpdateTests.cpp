// The game screen's frame update and lifetime: camera, the Escape latch, the key table, life bars, and what a failed or erased game leaves behind.
#include "GameScreenTestKit.h"

#include "game/Map.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/TestFiles.h"

namespace {

// 1/64 s steps add up without rounding, so "exactly one second" is exact.
constexpr float kStep = 1.0f / 64.0f;

using GameScreenUpdateTest = GameScreenTest;

TEST_F(GameScreenUpdateTest, CameraMovesAThousandPixelsASecondAndStaysOnTheMap) {
    device.width = 1024;
    device.height = 768;
    gfx.SetScreenSize(1024, 768);
    gui.KeyDown(VK_SUBTRACT); // zoomed out as far as it goes: 40.96 pixels a tile
    Frames(64, kStep);
    gui.KeyUp(VK_SUBTRACT);
    Frame(0.0f); // a step of no time lays the zoom out as the view shows it
    EXPECT_FLOAT_EQ(gfx.screenWidthF / Game().tileSize, CGameScreen::kMaxTilesAcross);
    Game().camX = 10.0f;
    for (int key : {VK_RIGHT, VK_UP, VK_DOWN}) gui.KeyDown(key); // up and down held together cancel out
    Frames(16, kStep);
    EXPECT_NEAR(Game().camX, 10.0f + 0.25f * 1000.0f / 40.96f, 1e-3f);
    EXPECT_FLOAT_EQ(Game().camY, 7.0f);

    gui.KeyUp(VK_DOWN);
    Frames(128, kStep);
    EXPECT_EQ(Game().camX, float(GameMap().width));
    EXPECT_EQ(Game().camY, 0.0f);
    for (int key : {VK_RIGHT, VK_UP}) gui.KeyUp(key);
    for (int key : {VK_LEFT, VK_DOWN}) gui.KeyDown(key);
    Frames(128, kStep);
    gui.KeyUp(VK_LEFT); // released at the edge, the camera rests there
    Frame(kStep);
    EXPECT_EQ(Game().camX, 0.0f);
    EXPECT_EQ(Game().camY, float(GameMap().height));
}

// A tap within one frame still opens the menu, once; keys released while the game does not see
// them (under the menu, after a focus change) do not stay held; codes beyond the table are ignored.
TEST_F(GameScreenUpdateTest, EscapeLatchesAndKeysReleasedElsewhereDoNotStayHeld) {
    gui.KeyDown(VK_ESCAPE);
    gui.KeyUp(VK_ESCAPE);
    Frame(kStep);
    EXPECT_TRUE(screen->ReadEscape());
    EXPECT_FALSE(screen->ReadEscape());

    for (int key : {VK_RIGHT, VK_ESCAPE}) gui.KeyDown(key);
    ASSERT_TRUE(screen->ReadEscape());
    Frames(8, kStep);
    EXPECT_FLOAT_EQ(Game().camX, 10.0f);
    gui.KeyDown(VK_LEFT);
    screen->OnFocusLost();
    gui.KeyDown(VK_MENU);
    screen->OnActivate();
    for (int key : {VK_ESCAPE, VK_RIGHT, VK_LEFT, VK_MENU}) EXPECT_FALSE(GameGUI().IsKeyDown(key)) << key;
    for (int key : {70000, -5}) gui.KeyDown(key);
    EXPECT_FALSE(GameGUI().IsKeyDown(70000));
}

// The life-bar batch is the view's only batch of plain rectangles: two per bar.
TEST_F(GameScreenUpdateTest, LifeBarsShowForTheHoveredUnitTheSidesKeysAltAndCapsLock) {
    const auto bars = [&] {
        device.draws.clear();
        View().Draw(0, 0, 800, 480);
        std::size_t count = 0;
        for (const auto& draw : device.draws)
            if (draw.format == VertexFormat::XyzrhwDiffuse) count += draw.vertexCount / 8;
        return count;
    };
    const CGUIPoint ground = Pixel(20.0f, 2.0f), boy = Pixel(Unit(kOwnBoy)->x, Unit(kOwnBoy)->y);
    gui.MouseMove(ground.x, ground.y);
    EXPECT_EQ(bars(), 0u);
    gui.MouseMove(boy.x, boy.y);
    EXPECT_EQ(bars(), 1u);
    gui.MouseMove(ground.x, ground.y);
    for (auto [key, count] : {std::pair{0xDB, 3u}, {0xDD, 4u}, {int(VK_MENU), 7u}}) {
        gui.KeyDown(key);
        EXPECT_EQ(bars(), count) << key;
        gui.KeyUp(key);
    }
    gui.SetModifiers(kModCapsLock);
    EXPECT_EQ(bars(), 7u);
}

// A game that fails to load, or one erased from the stack, leaves no world and no shared values.
TEST(GameScreenLifetime, AFailedOrErasedGameLeavesNothingBehind) {
    CGUIManager gui;
    const auto nothingLeft = [] {
        EXPECT_FALSE(Game().map || Game().objects || Game().console || Game().canvas || Game().sound ||
                     GameGUI().screen || GameGUI().hint || GameGUI().console);
    };
    tundrel_test::TempDir dir;
    vexo::WriteStringToFile(dir.File("broken.tlm"), "<map><matrix>... ....</matrix><objects/></map>");
    for (const std::string& file : {dir.File("broken.tlm"), std::string("Maps\\no such mission.tlm")}) {
        EXPECT_THROW(CGameScreen screen(file), vexo::CError);
        nothingLeft();
    }
    gui.screens.push_back(new CGameScreen(tundrel_test::SourcePath("tests/gui/missions/Battle.tlm")));
    EXPECT_NE(Game().canvas, nullptr);
    EXPECT_NE(Game().sound, nullptr);
    gui.KeyDown(VK_RIGHT);
    gui.screens.Erase(0);
    nothingLeft();
    EXPECT_FALSE(GameGUI().IsKeyDown(VK_RIGHT));
    Announce("nobody listens", 0xFFFFFFFF);
}

} // namespace
