// A running mission drawn for real: the OpenGL device in an offscreen window, the shipped game
// data, the battlefield with the panel, the info panel, the hint and the console, read back and
// saved as a picture for the documentation.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "gui/GameScreen.h"
#include "platform/OpenGLDevice.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"
#include "support/Random.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 800, kHeight = 600;

std::string SourcePath(const std::string& relative) {
    const char* root = std::getenv("TUNDREL_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + relative;
}

bool IsGrey(std::uint32_t pixel, int level) {
    for (int shift : {0, 8, 16})
        if (std::abs(int(pixel >> shift & 0xFF) - level) > 2) return false;
    return true;
}

class BattleScreenshotTest : public ::testing::Test {
protected:
    // The window stays open until the process ends: shutting SDL's video down unloads Mesa's
    // driver, which leaves a few bytes of its own behind for the leak checker to report.
    static void SetUpTestSuite() {
        std::string error;
        window = new CGLWindow;
        if (!window->Create("battle", kWidth, kHeight, WindowMode::Windowed, error)) FAIL() << error;
        device = CreateOpenGLDevice(*window, error).release();
        if (!device) FAIL() << error;
    }
    static void TearDownTestSuite() {
        delete device;
        device = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(device, nullptr);
        // The frame state the application sets after every device creation.
        device->SetRenderState(RenderState::AlphaBlendEnable, 1);
        device->SetRenderState(RenderState::SrcBlend, std::uint32_t(BlendFactor::SrcAlpha));
        device->SetRenderState(RenderState::DestBlend, std::uint32_t(BlendFactor::InvSrcAlpha));
        device->SetRenderState(RenderState::ZEnable, 0);
        device->SetRenderState(RenderState::CullMode, std::uint32_t(CullMode::None));
        gfx.Create(device);
        gfx.LoadGameData(SourcePath("data/GameData"));
        gfx.SetScreenSize(kWidth, kHeight);
        gfx.Restore();
    }
    void TearDown() override {
        while (!gui.screens.empty()) gui.screens.Erase(0);
        gfx.Invalidate();
        gfx.Destroy();
    }

    static CGLWindow* window;
    static CRenderDevice* device;
    CGUIManager gui;
    CGfx gfx;
};

CGLWindow* BattleScreenshotTest::window = nullptr;
CRenderDevice* BattleScreenshotTest::device = nullptr;

TEST_F(BattleScreenshotTest, ARunningMissionWithItsPanelsHintAndConsole) {
    vexo::SeedRand(5);
    gui.screens.push_back(new CGameScreen(SourcePath("tests/gui/missions/Battle.tlm")));
    // Past the fade-in, with the enemies well into their first decisions.
    float time = 0;
    for (int i = 0; i < 200; ++i) gui.Update(time += 1.0f / 60, 1.0f / 60, true);
    const CUnit* boy = nullptr;
    for (const auto& object : GameObjects().All())
        if (CUnit* unit = object->AsUnit(); unit && unit->team == 0) {
            boy = unit;
            break;
        }
    ASSERT_NE(boy, nullptr);
    float x, y;
    WorldToView(boy->x, boy->y, kWidth, kHeight - 120, x, y);
    gui.MouseMove(x, y);
    gui.MouseDown(x, y, kMouseLeft);
    gui.MouseUp(x, y, kMouseLeft);
    gui.KeyDown('A');
    gui.KeyUp('A');
    gui.KeyDown(platform::VK_MENU);
    gui.MouseMove(770, 500); // over the attack button: its hint shows
    for (int i = 0; i < 20; ++i) gui.Update(time += 1.0f / 60, 1.0f / 60, true);

    device->Clear(gui.GetBackgroundColor());
    ASSERT_FALSE(RenderFailed(device->BeginScene()));
    gui.Draw(float(kWidth), float(kHeight));
    device->EndScene();
    std::vector<std::uint32_t> pixels;
    std::uint32_t w = 0, h = 0;
    ASSERT_FALSE(RenderFailed(device->ReadBackBuffer(pixels, w, h)));
    ASSERT_EQ(w, std::uint32_t(kWidth));
    const auto pixel = [&](int px, int py) { return pixels[std::size_t(py) * kWidth + std::size_t(px)]; };

    // The panel's margins are black but for the boxes' frames at their edges: the terrain reaching
    // under the panel never shows around the boxes. Then the grey boxes, and something written in
    // the console, the info panel and the hint strip.
    int litMargin = 0;
    for (int py = 480; py < 600; ++py)
        for (int px = 0; px < kWidth; ++px) {
            const bool margin = py < 483 || py > 596 || px < 3 || (px > 320 && px < 323) ||
                                (px > 644 && px < 647) || px > 796;
            litMargin += margin && !IsGrey(pixel(px, py), 0);
        }
    EXPECT_EQ(litMargin, 0);
    EXPECT_TRUE(IsGrey(pixel(300, 590), 0x60));
    EXPECT_TRUE(IsGrey(pixel(630, 590), 0x60));
    const auto inked = [&](int x0, int y0, int x1, int y1, int background) {
        int count = 0;
        for (int py = y0; py < y1; ++py)
            for (int px = x0; px < x1; ++px) count += !IsGrey(pixel(px, py), background);
        return count;
    };
    EXPECT_GT(inked(8, 488, 316, 512, 0x60), 20);  // console lines
    EXPECT_GT(inked(330, 490, 640, 580, 0x60), 100); // the selected unit's information
    int bright = 0;
    for (int px = 600; px < 792; ++px)
        for (int py = 458; py < 476; ++py) bright += IsGrey(pixel(px, py), 0xFF);
    EXPECT_GT(bright, 10); // the hint's white text

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tundrel-battle.png";
    EXPECT_FALSE(RenderFailed(device->SaveBackBufferPng(file.string())));
    std::printf("screenshot: %s\n", file.string().c_str());
}

} // namespace
