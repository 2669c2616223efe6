// A running game screen for the GUI tests: the menu screens' kit with the small battle of
// tests/gui/missions, and helpers that feed input through the dispatcher the way the frame does.
#pragma once

#include "MenuTestKit.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "gui/Console.h"
#include "gui/GameGUI.h"
#include "gui/GameScreen.h"
#include "gui/GameView.h"
#include "gui/Overlay.h"
#include "platform/VirtualKeys.h"
#include "support/Random.h"

#include <tuple>

using namespace platform;

// The battle's units in list order.
enum BattleUnit : int { kOwnBoy, kOwnGirl, kEnemyBoy, kEnemyChild, kLyingEnemy, kBuriedEnemy, kLyingFriend };

class GameScreenTest : public MenuScreensTest {
protected:
    void SetUp() override {
        vexo::SeedRand(11);
        MenuScreensTest::SetUp();
        screen = new CGameScreen(tundrel_test::SourcePath("tests/gui/missions/Battle.tlm"));
        gui.screens.push_back(screen);
        Frame(0.0f);
        // 32 pixels a tile and a camera on whole tiles keep the pixel arithmetic exact.
        std::tie(Game().tileSize, Game().camX, Game().camY) = std::tuple(32.0f, 10.0f, 7.0f);
    }
    void TearDown() override {
        gui.screens.Erase(gui.screens.IndexOf(screen));
        MenuScreensTest::TearDown();
    }

    void Frame(float elapsed) {
        time += elapsed;
        gui.Update(time, elapsed, true);
    }
    void Frames(int count, float elapsed) {
        for (int i = 0; i < count; ++i) Frame(elapsed);
    }

    static CUnit* Unit(int index) {
        int i = 0;
        for (const auto& object : GameObjects().All())
            if (CUnit* unit = object->AsUnit(); unit && i++ == index) return unit;
        return nullptr;
    }
    CGameView& View() const { return *screen->GetView(); }

    // The back-buffer pixel of a world point in the view (which starts at the top-left corner).
    CGUIPoint Pixel(float wx, float wy) const {
        CGUIPoint p;
        WorldToView(wx, wy, View().right - View().left, View().bottom - View().top, p.x, p.y);
        return p;
    }
    void ClickPixel(CGUIPoint p, int button = kMouseLeft) {
        gui.MouseMove(p.x, p.y);
        gui.MouseDown(p.x, p.y, button);
        gui.MouseUp(p.x, p.y, button);
    }
    void Click(float wx, float wy, int button = kMouseLeft) { ClickPixel(Pixel(wx, wy), button); }
    void ClickUnit(int index, int button = kMouseLeft) { Click(Unit(index)->x, Unit(index)->y, button); }
    void Tap(int key) {
        gui.KeyDown(key);
        gui.KeyUp(key);
    }

    // The console's lines as it draws them now, oldest first.
    std::vector<CRecordingDevice::Text> ConsoleDrawn() {
        device.texts.clear();
        if (CConsole* console = GameGUI().console)
            console->Draw(console->left, console->top, console->right, console->bottom);
        return std::exchange(device.texts, {});
    }

    CGameScreen* screen = nullptr;
    float time = 0.0f;
};
