// The game screen's frame update and lifetime: camera, edge scrolling, follow, zoom, the
// once-per-second check, the Escape latch, the key table, life bars and markers, and what a
// failed or finished game leaves behind.
#include "GameScreenTestKit.h"

#include "game/Map.h"
#include "support/Error.h"
#include "support/Files.h"

#include <cmath>
#include <filesystem>

namespace {

// 1/64 s steps add up without rounding, so "exactly one second" is exact.
constexpr float kStep = 1.0f / 64.0f;

class GameScreenUpdateTest : public GameScreenTest {
protected:
    // The zoom as the view shows it: a frame step of no time lays out the tile size.
    float TilesAcross() {
        Frame(0.0f);
        return gfx.screenWidthF / Game().tileSize;
    }
};

TEST_F(GameScreenUpdateTest, CameraMovesAThousandPixelsASecondAtAnyZoom) {
    Resize(1024, 768);
    gui.KeyDown(VK_SUBTRACT);
    Frames(64, kStep);
    gui.KeyUp(VK_SUBTRACT);
    EXPECT_FLOAT_EQ(TilesAcross(), CGameScreen::kMaxTilesAcross);
    Frame(0.0f);
    EXPECT_FLOAT_EQ(Game().tileSize, 40.96f);

    Game().camX = 10.0f;
    Game().camY = 7.0f;
    gui.KeyDown(VK_RIGHT);
    Frames(16, kStep);
    EXPECT_NEAR(Game().camX, 10.0f + 0.25f * 1000.0f / 40.96f, 1e-3f);
    EXPECT_FLOAT_EQ(Game().camY, 7.0f);
    // Both directions held cancel out, on either axis.
    gui.KeyDown(VK_LEFT);
    gui.KeyDown(VK_UP);
    gui.KeyDown(VK_DOWN);
    const float x = Game().camX;
    Frames(8, kStep);
    EXPECT_FLOAT_EQ(Game().camX, x);
    EXPECT_FLOAT_EQ(Game().camY, 7.0f);
    gui.KeyUp(VK_RIGHT);
    gui.KeyUp(VK_DOWN);
    Frames(8, kStep);
    EXPECT_LT(Game().camX, x);
    EXPECT_LT(Game().camY, 7.0f);
}

TEST_F(GameScreenUpdateTest, TheCameraCentreStaysOnTheMap) {
    gui.KeyDown(VK_LEFT);
    gui.KeyDown(VK_UP);
    Frames(128, kStep);
    EXPECT_EQ(Game().camX, 0.0f);
    EXPECT_EQ(Game().camY, 0.0f);
    gui.KeyUp(VK_LEFT);
    gui.KeyUp(VK_UP);
    gui.KeyDown(VK_RIGHT);
    gui.KeyDown(VK_DOWN);
    Frames(128, kStep);
    EXPECT_EQ(Game().camX, float(GameMap().width));
    EXPECT_EQ(Game().camY, float(GameMap().height));
}

TEST_F(GameScreenUpdateTest, EdgeScrollingOnlyInFullScreen) {
    gui.MouseMove(0.0f, 0.0f);
    EXPECT_FALSE(GameGUI().edgeLeft || GameGUI().edgeTop);
    Frames(8, kStep);
    EXPECT_FLOAT_EQ(Game().camX, 10.0f);

    gui.fullScreen = true;
    gui.MouseMove(1.0f, 300.0f);
    EXPECT_TRUE(GameGUI().edgeLeft);
    EXPECT_FALSE(GameGUI().edgeTop || GameGUI().edgeRight || GameGUI().edgeBottom);
    Frames(8, kStep);
    EXPECT_LT(Game().camX, 10.0f);
    gui.MouseMove(2.0f, 300.0f);
    EXPECT_FALSE(GameGUI().edgeLeft);
    // Over the panel at the bottom-right corner; the flags hold until the next move.
    gui.MouseMove(798.0f, 599.0f);
    EXPECT_TRUE(GameGUI().edgeRight && GameGUI().edgeBottom && !GameGUI().edgeLeft && !GameGUI().edgeTop);
    gui.MouseMove(797.0f, 597.0f);
    EXPECT_FALSE(GameGUI().edgeRight || GameGUI().edgeBottom);
}

TEST_F(GameScreenUpdateTest, SpaceOrScrollLockKeepsTheCameraOnTheSelectedUnit) {
    gui.KeyDown(VK_SPACE);
    Frame(kStep); // nothing selected: the camera stays
    EXPECT_FLOAT_EQ(Game().camX, 10.0f);
    ClickUnit(kOwnGirl);
    Frame(kStep);
    EXPECT_EQ(Game().camX, Unit(kOwnGirl)->x);
    EXPECT_EQ(Game().camY, Unit(kOwnGirl)->y);
    gui.KeyUp(VK_SPACE);
    Game().camX = 10.0f;
    Frame(kStep);
    EXPECT_FLOAT_EQ(Game().camX, 10.0f);
    gui.SetModifiers(kModScrollLock);
    Frame(kStep);
    EXPECT_EQ(Game().camX, Unit(kOwnGirl)->x);
}

TEST_F(GameScreenUpdateTest, ZoomStaysBetweenFifteenAndTwentyFiveTilesAcross) {
    EXPECT_FLOAT_EQ(TilesAcross(), 17.5f);
    gui.KeyDown(VK_ADD);
    Frames(8, kStep);
    EXPECT_FLOAT_EQ(TilesAcross(), 17.5f - 10.0f * 8 * kStep);
    Frames(64, kStep);
    EXPECT_FLOAT_EQ(TilesAcross(), CGameScreen::kMinTilesAcross);
    Frame(kStep);
    EXPECT_FLOAT_EQ(Game().tileSize, 800.0f / 15.0f);
    gui.KeyDown(VK_SUBTRACT); // both: no change
    Frames(8, kStep);
    EXPECT_FLOAT_EQ(TilesAcross(), CGameScreen::kMinTilesAcross);
    gui.KeyUp(VK_ADD);
    Frames(128, kStep);
    EXPECT_FLOAT_EQ(TilesAcross(), CGameScreen::kMaxTilesAcross);
}

TEST_F(GameScreenUpdateTest, NothingMovesWhileTheApplicationIsInactive) {
    gui.KeyDown(VK_RIGHT);
    const float x = Unit(kOwnBoy)->x;
    Unit(kOwnBoy)->GoTo(20.0f, 5.0f);
    for (int i = 0; i < 64; ++i) gui.Update(time += kStep, kStep, false);
    EXPECT_FLOAT_EQ(Game().camX, 10.0f);
    EXPECT_EQ(Unit(kOwnBoy)->x, x);
    EXPECT_TRUE(screen->HasOverlay());
    Frame(kStep);
    EXPECT_GT(Unit(kOwnBoy)->x, x);
}

TEST_F(GameScreenUpdateTest, TheOncePerSecondCheckStartsJustAfterASecondAndStopsWhenOver) {
    // With every enemy down the first check wins the mission.
    for (int i : {kEnemyBoy, kEnemyChild}) Unit(i)->SetLife(0.0f, true);
    Frames(64, kStep); // exactly one second: not yet
    EXPECT_FALSE(screen->over);
    Frame(kStep);
    EXPECT_TRUE(screen->over);
    EXPECT_TRUE(screen->won);
    EXPECT_EQ(ConsoleTexts(), std::vector<std::string>{"WYGRALES !!!"});
    // The fade-in still runs, so no end overlay comes; the game ends when the fade is gone.
    EXPECT_FALSE(screen->IsFinished());
    Frames(64, kStep);
    EXPECT_FALSE(screen->IsFinished());
    Frames(2, kStep);
    EXPECT_TRUE(screen->IsFinished());
    Frames(256, kStep);
    EXPECT_EQ(ConsoleTexts().size(), 1u);
}

TEST_F(GameScreenUpdateTest, AnEndWithoutAnOverlayFadesToWhiteOrBlack) {
    Frames(200, kStep); // the fade-in is over
    ASSERT_FALSE(screen->HasOverlay());
    for (int i : {kOwnBoy, kOwnGirl}) Unit(i)->SetLife(0.0f, true);
    Frames(64, kStep);
    ASSERT_TRUE(screen->over);
    EXPECT_FALSE(screen->won);
    ASSERT_TRUE(screen->HasOverlay());
    EXPECT_FALSE(screen->IsFinished());
    const auto& windows = screen->GetChildren();
    // Added last, over the hint.
    const auto* overlay = dynamic_cast<const COverlay*>(windows[windows.size() - 1]);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->right, 800.0f);
    device.draws.clear();
    const_cast<COverlay*>(overlay)->Draw(0, 0, 800, 600);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].colorVertices[0].color & 0xFFFFFFu, 0u); // black after a loss
    EXPECT_LT(device.draws[0].colorVertices[0].color >> 24, 0x10u);
    Frames(130, kStep);
    EXPECT_TRUE(screen->IsFinished());
}

TEST_F(GameScreenUpdateTest, AQuickEscapeTapStillOpensTheMenuOnce) {
    gui.KeyDown(VK_ESCAPE);
    gui.KeyUp(VK_ESCAPE);
    Frame(kStep);
    EXPECT_TRUE(screen->ReadEscape());
    EXPECT_FALSE(screen->ReadEscape());
    EXPECT_FALSE(GameGUI().IsKeyDown(VK_ESCAPE));
}

TEST_F(GameScreenUpdateTest, KeysReleasedElsewhereDoNotStayHeld) {
    // Going under the menu: the Right release happens there.
    gui.KeyDown(VK_RIGHT);
    gui.KeyDown(VK_ESCAPE);
    ASSERT_TRUE(screen->ReadEscape());
    EXPECT_FALSE(GameGUI().IsKeyDown(VK_RIGHT));
    Frames(8, kStep);
    EXPECT_FLOAT_EQ(Game().camX, 10.0f);

    gui.KeyDown(VK_LEFT);
    screen->OnFocusLost();
    EXPECT_FALSE(GameGUI().IsKeyDown(VK_LEFT));
    gui.KeyDown(VK_MENU);
    screen->OnActivate();
    EXPECT_FALSE(GameGUI().IsKeyDown(VK_MENU));
    // Codes beyond the table are ignored rather than written past it.
    gui.KeyDown(70000);
    gui.KeyDown(-5);
    EXPECT_FALSE(GameGUI().IsKeyDown(70000));
}

// The life-bar batch is the view's only batch of plain rectangles: two per bar.
std::size_t LifeBars(const CRecordingDevice& device) {
    std::size_t bars = 0;
    for (const auto& draw : device.draws)
        if (draw.format == VertexFormat::XyzrhwDiffuse) bars += draw.vertexCount / 8;
    return bars;
}

class LifeBarTest : public GameScreenTest {
protected:
    std::size_t DrawView() {
        device.draws.clear();
        View().Draw(0, 0, 800, 480);
        return LifeBars(device);
    }
};

TEST_F(LifeBarTest, BarsShowForTheHoveredUnitTheSidesKeysAltAndCapsLock) {
    gui.MouseMove(Pixel(20.0f, 2.0f).x, Pixel(20.0f, 2.0f).y);
    EXPECT_EQ(DrawView(), 0u);
    const CGUIPoint boy = Pixel(Unit(kOwnBoy)->x, Unit(kOwnBoy)->y);
    gui.MouseMove(boy.x, boy.y);
    EXPECT_EQ(DrawView(), 1u);
    gui.MouseMove(Pixel(20.0f, 2.0f).x, Pixel(20.0f, 2.0f).y);
    gui.KeyDown(0xDB);
    EXPECT_EQ(DrawView(), 3u);
    gui.KeyUp(0xDB);
    gui.KeyDown(0xDD);
    EXPECT_EQ(DrawView(), 4u);
    gui.KeyUp(0xDD);
    gui.KeyDown(VK_MENU);
    EXPECT_EQ(DrawView(), 7u);
    gui.KeyUp(VK_MENU);
    gui.SetModifiers(kModCapsLock);
    EXPECT_EQ(DrawView(), 7u);
}

TEST_F(LifeBarTest, MarkersShowTheSelectionOpaqueAndTheHoveredUnitFaint) {
    ClickUnit(kOwnBoy);
    const CGUIPoint enemy = Pixel(Unit(kEnemyChild)->x + 0.3f, Unit(kEnemyChild)->y);
    gui.MouseMove(enemy.x, enemy.y);
    DrawView();
    // Terrain first, then the batch with the markers ahead of the objects.
    ASSERT_GE(device.draws.size(), 2u);
    const auto& sprites = device.draws[1].texturedVertices;
    ASSERT_GE(sprites.size(), 8u);
    EXPECT_EQ(sprites[0].color, 0xFF40FF40u);
    EXPECT_EQ(sprites[4].color, 0x60FF4040u);
    // Centred on the unit, 1.25 times its square, whatever the turn.
    const CGUIPoint centre = Pixel(Unit(kOwnBoy)->x, Unit(kOwnBoy)->y);
    float x = 0, y = 0;
    for (int i = 0; i < 4; ++i) x += sprites[i].x / 4, y += sprites[i].y / 4;
    EXPECT_NEAR(x, centre.x, 0.6f);
    EXPECT_NEAR(y, centre.y, 0.6f);
    const float diagonal = std::hypot(sprites[3].x - sprites[0].x, sprites[3].y - sprites[0].y);
    EXPECT_NEAR(diagonal, std::sqrt(2.0f) * Unit(kOwnBoy)->GetSize() * 32.0f * 1.25f, 0.01f);
}

TEST(GameScreenLifetime, AMissionThatFailsToLoadLeavesNothingBehind) {
    CGUIManager gui;
    const std::filesystem::path broken = std::filesystem::temp_directory_path() / "tundrel-broken.tlm";
    vexo::WriteStringToFile(broken.string(), "<map><matrix>... ....</matrix><objects/></map>");
    for (const std::string& file : {broken.string(), std::string("Maps\\no such mission.tlm")}) {
        EXPECT_THROW(CGameScreen screen(file), vexo::CError);
        EXPECT_EQ(Game().map, nullptr);
        EXPECT_EQ(Game().objects, nullptr);
        EXPECT_EQ(Game().Selected(), nullptr);
        EXPECT_EQ(Game().console, nullptr);
        EXPECT_EQ(GameGUI().screen, nullptr);
        EXPECT_EQ(GameGUI().hint, nullptr);
        EXPECT_EQ(GameGUI().console, nullptr);
    }
    std::filesystem::remove(broken);
}

TEST(GameScreenLifetime, AnErasedGameTakesItsWorldAndSharedValuesWithIt) {
    CGUIManager gui;
    auto* screen = new CGameScreen(SourcePath("tests/gui/missions/Battle.tlm"));
    gui.screens.push_back(screen);
    EXPECT_EQ(GameGUI().screen, screen);
    ASSERT_NE(GameGUI().console, nullptr);
    EXPECT_EQ(Game().console, GameGUI().console);
    // The screen hands the simulation its drawing and its sound, and takes them back.
    EXPECT_NE(Game().canvas, nullptr);
    EXPECT_NE(Game().sound, nullptr);
    EXPECT_EQ(GameObjects().Size(), 7u);
    gui.KeyDown(VK_RIGHT);
    gui.screens.Erase(0);
    EXPECT_EQ(Game().map, nullptr);
    EXPECT_EQ(Game().objects, nullptr);
    EXPECT_EQ(Game().console, nullptr);
    EXPECT_EQ(Game().canvas, nullptr);
    EXPECT_EQ(Game().sound, nullptr);
    EXPECT_EQ(GameGUI().console, nullptr);
    EXPECT_EQ(GameGUI().hint, nullptr);
    EXPECT_EQ(GameGUI().screen, nullptr);
    EXPECT_FALSE(GameGUI().IsKeyDown(VK_RIGHT));
    Announce("nobody listens", 0xFFFFFFFF);
}

TEST(GameScreenLifetime, AnEmptyNameMakesARandomMap) {
    CGUIManager gui;
    vexo::SeedRand(3);
    CGameScreen screen("");
    ASSERT_NE(Game().map, nullptr);
    EXPECT_GT(GameObjects().Size(), 0u);
}

} // namespace
