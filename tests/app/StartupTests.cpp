// The real start-up on SDL's offscreen video: the window and its OpenGL device, the shipped
// GameData loaded in two passes, frames drawn and read back, then the shutdown.
#include "app/MyD3DApp.h"
#include "app/SdlFrameHost.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "platform/DriverAllocations.h"
#include "support/TestFiles.h"


#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {

// SDL's offscreen video keeps a window's surface at the size it was opened with, so the run
// stays in a window of the smallest size the game allows, as a settings file would ask.
class CStoredWindow : public CDesktopDisplayConfig {
public:
    bool Load(CWindowSettings& window) override {
        window = {640, 480, false, false};
        return true;
    }
};

TEST(Startup, LoadsTheGameDataAndRendersFrames) {
    [[maybe_unused]] const CDriverAllocations driver{};
    tundrel_test::CapturedErrorLog errors;
    tundrel_test::InFolder inData(tundrel_test::SourcePath("data")); // where the shipped GameData is
    CGUIManager gui;
    CGfx gfx;
    CSdlFrameHost host;
    CStoredWindow config;
    CMyD3DApplication app(host, config);
    ASSERT_TRUE(app.Create({})) << errors.Contents();
    ASSERT_NE(gfx.sprite.FindSet(kUnitSpriteSet), nullptr);
    EXPECT_NE(gfx.sprite.FindSet(kUnitSpriteSet)->texture, TextureHandle::None);
    EXPECT_EQ(gfx.screenWidth, 640u);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    app.FrameStep();
    EXPECT_TRUE(errors.Contents().empty()) << errors.Contents();

    // Frames as RenderFrame draws them for the pointer here and there, read before they are shown.
    const auto draw = [&](int x, int y) {
        app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(x, y));
        app.RenderFrame();
        std::vector<std::uint32_t> pixels;
        std::uint32_t width = 0, height = 0;
        EXPECT_EQ(app.GetDevice()->ReadBackBuffer(pixels, width, height), kRenderOk);
        EXPECT_EQ(width * height, 640u * 480u);
        pixels.resize(640 * 480);
        return pixels;
    };
    const auto here = draw(300, 200), there = draw(400, 300);
    // "FPS: n" near the top-left corner, in the complement of the screen's colour; the cursor
    // follows the pointer.
    const std::uint32_t text = ~gui.GetBackgroundColor() | 0xFF000000u;
    int inked = 0, moved = 0;
    for (std::size_t y = 4; y < 24; ++y)
        for (std::size_t x = 4; x < 60; ++x) inked += here[y * 640 + x] == text;
    for (std::size_t y = 200; y < 232; ++y)
        for (std::size_t x = 300; x < 332; ++x) moved += here[y * 640 + x] != there[y * 640 + x];
    EXPECT_GT(inked, 10);
    EXPECT_GT(moved, 20);

    app.SendMessage(WM_CLOSE);
    EXPECT_FALSE(host.HasMainWindow());
    EXPECT_EQ(app.GetDevice(), nullptr);
}

} // namespace
