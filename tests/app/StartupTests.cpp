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
    bool Load(SWindowSettings& window) override {
        window = {640, 480, false, false};
        return true;
    }
};

struct SFrame {
    std::vector<std::uint32_t> pixels;
    std::uint32_t width = 0, height = 0;
    std::uint32_t At(std::uint32_t x, std::uint32_t y) const { return pixels[std::size_t(y) * width + x]; }
    // How many pixels of the box differ from the other frame.
    int Differences(const SFrame& other, std::uint32_t x0, std::uint32_t y0, std::uint32_t x1,
                    std::uint32_t y1) const {
        int count = 0;
        for (std::uint32_t y = y0; y < y1; ++y)
            for (std::uint32_t x = x0; x < x1; ++x) count += At(x, y) != other.At(x, y);
        return count;
    }
};

// The frame as RenderFrame draws it for the pointer at (x, y), read before it is shown.
SFrame Draw(CMyD3DApplication& app, int x, int y) {
    app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(x, y));
    app.RenderFrame();
    SFrame frame;
    EXPECT_EQ(app.GetDevice()->ReadBackBuffer(frame.pixels, frame.width, frame.height), kRenderOk);
    return frame;
}

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
    EXPECT_FALSE(gfx.font.Fonts().empty());
    EXPECT_EQ(gfx.screenWidth, 640u);

    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    app.FrameStep();
    EXPECT_TRUE(errors.Contents().empty()) << errors.Contents();

    const SFrame here = Draw(app, 300, 200);
    const SFrame there = Draw(app, 400, 300);
    ASSERT_EQ(here.width, 640u);
    ASSERT_EQ(here.height, 480u);
    EXPECT_GT(here.Differences(there, 300, 200, 332, 232), 20) << "the cursor follows the pointer";

    // "FPS: n" near the top-left corner, in the complement of the screen's colour.
    const std::uint32_t text = ~gui.GetBackgroundColor() | 0xFF000000u;
    int inked = 0;
    for (std::uint32_t y = 4; y < 24; ++y)
        for (std::uint32_t x = 4; x < 60; ++x) inked += here.At(x, y) == text;
    EXPECT_GT(inked, 10);

    app.SendMessage(WM_CLOSE);
    EXPECT_FALSE(host.HasMainWindow());
    EXPECT_EQ(app.GetDevice(), nullptr);
}

} // namespace
