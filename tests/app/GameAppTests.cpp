// The game application: loading the game data, the render states, drawing a frame, and window
// messages turned into input for the GUI manager.
#include "GameDataFolder.h"
#include "TestFrameHost.h"
#include "app/MyD3DApp.h"
#include "gfx/Gfx.h"
#include "gui/RecordingWindows.h"
#include "platform/VirtualKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace platform;
using namespace vexo::literals;

namespace {

// The left and right edges of a drawn quad, and whether all its corners have one colour.
struct SQuadSpan {
    float left = 1e9f, right = -1e9f;
    bool oneColour = true;
};
SQuadSpan Span(const std::vector<CTexturedVertex>& quad, std::uint32_t colour) {
    SQuadSpan span;
    for (const CTexturedVertex& v : quad) {
        span.left = std::min(span.left, v.x);
        span.right = std::max(span.right, v.x);
        span.oneColour = span.oneColour && v.color == colour;
    }
    return span;
}

class GameAppTest : public ::testing::Test {
protected:
    void Start() {
        ASSERT_TRUE(app.Create({}));
        host.device.calls.clear();
        host.log.clear();
    }
    // A recording screen on top of whatever the application put on the stack.
    CRecScreen* Push(std::uint32_t background) {
        auto* screen = new CRecScreen(calls, "s", background);
        gui.screens.push_back(screen);
        return screen;
    }
    CCallLog Take() { return std::exchange(calls, {}); }

    tundrel_test::CapturedErrorLog errors;
    CGameDataFolder data;
    CCallLog calls;
    CGUIManager gui;
    CGfx gfx;
    CTestFrameHost host;
    CDesktopDisplayConfig config;
    CMyD3DApplication app{host, config};
};

TEST_F(GameAppTest, LoadingMessageShowsWhileTheGameDataLoads) {
    Start();
    EXPECT_EQ(host.painted, (std::vector<std::string>{std::string("Ładowanie... Proszę czekać"_pl)}));
    app.SendMessage(WM_PAINT);
    EXPECT_EQ(host.painted.size(), 1u) << "once loaded, painting is the frame's business";
}

TEST_F(GameAppTest, LoadingMessageIsPaintedBeforeTheDeviceIsMade) {
    ASSERT_TRUE(app.Create({}));
    const auto paint = std::find(host.log.begin(), host.log.end(), "PaintCentredText");
    const auto device = std::find(host.log.begin(), host.log.end(), "CreateDevice");
    EXPECT_LT(paint, device);
}

TEST_F(GameAppTest, DeviceCreationLoadsEveryWantedEntryOfTheGameData) {
    Start();
    ASSERT_EQ(gfx.font.Fonts().size(), 1u);
    const CGfxSpriteSet* units = gfx.sprite.FindSet(kUnitSpriteSet);
    ASSERT_NE(units, nullptr);
    ASSERT_NE(units->texture, TextureHandle::None);
    EXPECT_EQ(host.device.textures.at(units->texture).bytes, CGameDataFolder::Bitmap(64, 0x3366CC));
    EXPECT_EQ(host.device.textures.size(), 1u) << "the entry nobody wants is skipped";
}

TEST_F(GameAppTest, RestoreSetsScreenSizeModeAndRenderStates) {
    Start();
    // No settings file: the game starts full screen in the desktop's mode.
    EXPECT_EQ(gfx.screenWidth, 1280u);
    EXPECT_EQ(gfx.screenHeightF, 1024.0f);
    EXPECT_TRUE(gui.fullScreen);
    const auto& states = host.device.renderStates;
    EXPECT_EQ(states.at(RenderState::AlphaBlendEnable), 1u);
    EXPECT_EQ(states.at(RenderState::SrcBlend), std::uint32_t(BlendFactor::SrcAlpha));
    EXPECT_EQ(states.at(RenderState::DestBlend), std::uint32_t(BlendFactor::InvSrcAlpha));
    EXPECT_EQ(states.at(RenderState::ZEnable), 0u);
    EXPECT_EQ(states.at(RenderState::CullMode), std::uint32_t(CullMode::None));

    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_FALSE(gui.fullScreen);
    EXPECT_EQ(gfx.screenWidth, 640u) << "a window of at least 640 by 480";
}

TEST_F(GameAppTest, MissingGameDataEndsTheStartWithExitCodeTwo) {
    CGameDataFolder empty(false);
    CTestFrameHost otherHost;
    const int code = RunApplication([&] { return std::make_unique<CMyD3DApplication>(otherHost, config); }, {});
    EXPECT_EQ(code, 2);
    EXPECT_NE(errors.Contents().find("GameData nie istnieje."), std::string::npos);
    EXPECT_TRUE(otherHost.device.textures.empty());
    EXPECT_EQ(otherHost.log.back(), "ReleaseDevice");
}

TEST_F(GameAppTest, KeysRepeatAsTheLowFourBitsOfTheCountSay) {
    Start();
    Push(0xFF000000);
    app.SendMessage(WM_KEYDOWN, 'A', 2);
    app.SendMessage(WM_KEYUP, 'A', 0x11);
    app.SendMessage(WM_CHAR, 0xB9, 16); // a count with zero low bits delivers nothing
    app.SendMessage(WM_CHAR, 0xB9, 1);
    EXPECT_EQ(Take(), (CCallLog{"s.KeyDown 65", "s.KeyDown 65", "s.KeyUp 65", "s.Char 185"}));
}

TEST_F(GameAppTest, MouseMessagesBecomePointerInput) {
    Start();
    Push(0xFF000000);
    app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(-5, 300));
    app.SendMessage(WM_LBUTTONDOWN, 0, MakeLParam(10, 20));
    EXPECT_TRUE(host.captured);
    app.SendMessage(WM_LBUTTONUP, 0, MakeLParam(11, 21));
    EXPECT_FALSE(host.captured);
    app.SendMessage(WM_RBUTTONDBLCLK, 0, MakeLParam(12, 22));
    app.SendMessage(WM_MBUTTONDOWN, 0, MakeLParam(13, 23));
    app.SendMessage(WM_MBUTTONUP, 0, MakeLParam(14, 24));
    const CCallLog events = Take();
    EXPECT_EQ(Only(events, "Move").front(), "s.Move -5,300");
    EXPECT_EQ(Only(events, "Down"), (CCallLog{"s.Down 10,20,0", "s.Down 13,23,2"}));
    EXPECT_EQ(Only(events, "Up"), (CCallLog{"s.Up 11,21,0", "s.Up 14,24,2"}));
    EXPECT_EQ(Only(events, "Double"), (CCallLog{"s.Double 12,22,1"}));
}

TEST_F(GameAppTest, WheelAmountIsSignedLinesPerNotch) {
    Start();
    Push(0xFF000000);
    app.SendMessage(WM_MOUSEWHEEL, MakeWParam(0, -WHEEL_DELTA), MakeLParam(30, 40));
    app.SendMessage(WM_MOUSEWHEEL, MakeWParam(0, 2 * WHEEL_DELTA), MakeLParam(30, 40));
    app.SendMessage(WM_MOUSEWHEEL, MakeWParam(0, 40), MakeLParam(30, 40));
    EXPECT_EQ(Only(Take(), "Wheel"), (CCallLog{"s.Wheel 30,40,-3", "s.Wheel 30,40,6", "s.Wheel 30,40,1"}));
}

TEST_F(GameAppTest, AltReachesTheGameWhileAltEnterTogglesFullScreen) {
    Start();
    Push(0xFF000000);
    host.messages = {{WM_KEYDOWN, VK_MENU, 1 | KEY_ALT_DOWN},
                     {WM_KEYDOWN, VK_RETURN, 1 | KEY_ALT_DOWN},
                     {WM_KEYDOWN, VK_RETURN, 1 | KEY_ALT_DOWN | KEY_WAS_DOWN},
                     {WM_KEYUP, VK_RETURN, 1 | KEY_ALT_DOWN | KEY_WAS_DOWN},
                     {WM_KEYUP, VK_MENU, 1 | KEY_WAS_DOWN}};
    EXPECT_EQ(app.Run(), 0);
    const CCallLog events = Take();
    EXPECT_EQ(Only(events, "KeyDown"), (CCallLog{"s.KeyDown 18", "s.KeyDown 13"}))
        << "only the first Alt+Enter press is the accelerator; the held key goes on to the game";
    EXPECT_EQ(Only(events, "KeyUp"), (CCallLog{"s.KeyUp 13", "s.KeyUp 18"}));
    EXPECT_TRUE(app.IsWindowed()) << "one toggle, from full screen to a window";
}

TEST_F(GameAppTest, FrameClearsToTheScreenColourWithTheRateInItsComplement) {
    Start();
    Push(0xFFFFFFFF)->answers.cursor = kCursorTarget;
    app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(100, 200));
    host.Advance(0.05);
    app.FrameStep();
    EXPECT_EQ(host.device.clearColor, 0xFFFFFFFFu);
    ASSERT_EQ(host.device.texts.size(), 1u);
    EXPECT_EQ(host.device.texts[0].text, "FPS: 0");
    EXPECT_EQ(host.device.texts[0].color, 0xFF000000u) << "black on the white menu screens";
    EXPECT_EQ(host.device.texts[0].rect.left, 4);
    EXPECT_EQ(host.device.texts[0].rect.top, 4);

    // The targeting cursor: frame 23 centred on the pointer.
    ASSERT_EQ(host.device.draws.size(), 1u);
    ASSERT_EQ(host.device.draws[0].texturedVertices.size(), 4u);
    const SQuadSpan cursor = Span(host.device.draws[0].texturedVertices, 0xFF7F7F7F);
    EXPECT_TRUE(cursor.oneColour) << "neutral grey under the batch's doubled modulation";
    EXPECT_NEAR((cursor.left + cursor.right) / 2.0f, 100.0f, 1.0f);
    EXPECT_NEAR(cursor.right - cursor.left, 32.0f, 0.01f);
    EXPECT_EQ(host.device.calls.back(), "Present");
}

TEST_F(GameAppTest, EmptyStackDrawsBlackWithWhiteRateAndThePointer) {
    Start();
    app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(100, 200));
    // Only the drawing sees the empty stack: the screen flow keeps its menu for the whole run.
    while (!gui.screens.empty()) gui.screens.Erase(0);
    app.RenderFrame();
    EXPECT_EQ(host.device.clearColor, 0xFF000000u);
    ASSERT_EQ(host.device.texts.size(), 1u);
    EXPECT_EQ(host.device.texts[0].color, 0xFFFFFFFFu);
    // The pointer hangs from its top-left corner: frame 22 centred 16 pixels down and right.
    ASSERT_EQ(host.device.draws.size(), 1u);
    EXPECT_NEAR(Span(host.device.draws[0].texturedVertices, 0xFF7F7F7F).left, 100.0f, 1.0f);
}

TEST_F(GameAppTest, UpdateGivesTheTopScreenTimeAndActivity) {
    Start();
    Push(0xFF000000);
    host.Advance(0.25);
    app.FrameStep();
    const CCallLog updates = Only(Take(), "Update");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_THAT(updates[0], ::testing::EndsWith("," + Args({0.25f, 1.0f})));
}

TEST_F(GameAppTest, ModifierAndToggleKeysReachTheGuiWithMessagesAndFrames) {
    Start();
    Push(0xFF000000);
    SDL_SetModState(SDL_Keymod(KMOD_RCTRL | KMOD_SCROLL));
    app.SendMessage(WM_KEYDOWN, '1', 1);
    EXPECT_TRUE(gui.HasModifier(kModControl));
    EXPECT_TRUE(gui.HasModifier(kModScrollLock));
    EXPECT_FALSE(gui.HasModifier(kModCapsLock));
    // Caps Lock switched on while no message came: the next frame step brings it.
    SDL_SetModState(KMOD_CAPS);
    host.Advance(0.25);
    app.FrameStep();
    EXPECT_TRUE(gui.HasModifier(kModCapsLock));
    EXPECT_FALSE(gui.HasModifier(kModControl));
    SDL_SetModState(KMOD_NONE);
}

TEST_F(GameAppTest, LosingTheFocusTellsOnlyTheTopScreen) {
    struct CFocusScreen : CRecScreen {
        using CRecScreen::CRecScreen;
        void OnFocusLost() override { ++lost; }
        int lost = 0;
    };
    Start();
    auto* below = new CFocusScreen(calls, "below");
    auto* top = new CFocusScreen(calls, "top");
    gui.screens.push_back(below);
    gui.screens.push_back(top);
    app.SendMessage(WM_KILLFOCUS);
    EXPECT_EQ(top->lost, 1);
    EXPECT_EQ(below->lost, 0);
}

} // namespace
