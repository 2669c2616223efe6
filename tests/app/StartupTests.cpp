// The real start-up on SDL's offscreen video: the window and its OpenGL device, a small GameData
// loaded in two passes, one frame drawn and read back, then the shutdown.
#include "GameDataFolder.h"
#include "app/MyD3DApp.h"
#include "app/SdlFrameHost.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"

#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {

// SDL's offscreen video keeps a window's surface at the size it was opened with, so the run
// stays in a window of the smallest size the game allows, as a settings file would ask.
class CStoredWindow : public CDesktopDisplayConfig {
public:
    bool Load(SWindowSettings& window) override {
        window = {640, 480, false, false};
        return true;
    }
};

std::uint32_t At(const std::vector<std::uint32_t>& pixels, std::uint32_t width, std::uint32_t x, std::uint32_t y) {
    return pixels[std::size_t(y) * width + x];
}

TEST(Startup, LoadsTheGameDataAndRendersAFrame) {
    tundrel_test::CapturedErrorLog errors;
    CGameDataFolder data;
    CGUIManager gui;
    CGfx gfx;
    CSdlFrameHost host;
    CStoredWindow config;
    CMyD3DApplication app(host, config);
    ASSERT_TRUE(app.Create({})) << errors.Contents();
    ASSERT_NE(gfx.sprite.FindSet(kUnitSpriteSet), nullptr);
    EXPECT_NE(gfx.sprite.FindSet(kUnitSpriteSet)->texture, TextureHandle::None);
    EXPECT_GT(gfx.screenWidth, 0u);

    app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(200, 150));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    app.FrameStep();
    EXPECT_TRUE(errors.Contents().empty()) << errors.Contents();

    // The same frame again, read back before it is shown.
    CRenderDevice& device = *app.GetDevice();
    app.RenderFrame();
    std::vector<std::uint32_t> pixels;
    std::uint32_t width = 0, height = 0;
    ASSERT_EQ(device.ReadBackBuffer(pixels, width, height), kRenderOk);
    ASSERT_GT(width, 240u);
    ASSERT_GT(height, 190u);
    EXPECT_EQ(At(pixels, width, width - 1, height - 1), 0xFF000000u) << "cleared to the empty stack's black";

    // The pointer sprite: the bitmap's blue under neutral grey, hanging from the pointer.
    const std::uint32_t cursor = At(pixels, width, 216, 166);
    EXPECT_NEAR(int(cursor & 0xFF), 0xCC, 8);
    EXPECT_NEAR(int((cursor >> 8) & 0xFF), 0x66, 8);

    // "FPS: n" in white near the top-left corner.
    int bright = 0;
    for (std::uint32_t y = 4; y < 24; ++y)
        for (std::uint32_t x = 4; x < 60; ++x) bright += (At(pixels, width, x, y) & 0xFF) > 0x80;
    EXPECT_GT(bright, 10);

    app.SendMessage(WM_CLOSE);
    EXPECT_FALSE(host.HasMainWindow());
    EXPECT_EQ(app.GetDevice(), nullptr);
}

} // namespace
