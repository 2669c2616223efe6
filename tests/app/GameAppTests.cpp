// The game application: loading the game data, the window mode it starts in, and window messages
// turned into input for the GUI manager.
#include "TestFrameHost.h"
#include "app/MyD3DApp.h"
#include "gfx/Gfx.h"
#include "gui/RecordingWindows.h"
#include "platform/VirtualKeys.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace platform;
using namespace vexo::literals;

namespace {

// The shipped GameData, seen from a working folder of the test's own.
struct CGameDataFolder {
    CGameDataFolder() { std::filesystem::create_directory_symlink(tundrel_test::SourcePath("data/GameData"), "GameData"); }
    tundrel_test::TempDir dir;
    tundrel_test::InFolder inside{dir.path};
};

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
    ASSERT_TRUE(app.Create({}));
    EXPECT_LT(std::find(host.log.begin(), host.log.end(), "PaintCentredText"),
              std::find(host.log.begin(), host.log.end(), "CreateDevice"))
        << "painted before the device and the game data";
    EXPECT_EQ(host.painted, (std::vector<std::string>{std::string("Ładowanie... Proszę czekać"_pl)}));
    app.SendMessage(WM_PAINT);
    EXPECT_EQ(host.painted.size(), 1u) << "once loaded, painting is the frame's business";
}

// Without a settings file the game starts in full screen in the desktop's mode; a window is at
// least 640 by 480.
TEST_F(GameAppTest, StartsInFullScreenAndAWindowKeepsTheSmallestSize) {
    Start();
    EXPECT_EQ(gfx.screenWidth, 1280u);
    EXPECT_TRUE(gui.fullScreen);
    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_FALSE(gui.fullScreen);
    EXPECT_EQ(gfx.screenWidth, 640u);
}

// Each window message and what the top screen gets of it (events other than the message's kind
// left out); a button down captures the mouse until its release.
TEST_F(GameAppTest, MessagesBecomeInputForTheTopScreen) {
    struct Case {
        SMessage message;
        const char* event;
        CCallLog screen;
    };
    const Case cases[] = {
        {{WM_KEYDOWN, 'A', 2}, "KeyDown", {"s.KeyDown 65", "s.KeyDown 65"}}, // the low four bits count
        {{WM_CHAR, 0xB9, 1}, "Char", {"s.Char 185"}},
        {{WM_LBUTTONDOWN, 0, MakeLParam(10, 20)}, "Down", {"s.Down 10,20,0"}},
        {{WM_LBUTTONUP, 0, MakeLParam(11, 21)}, "Up", {"s.Up 11,21,0"}},
        {{WM_MOUSEWHEEL, MakeWParam(0, 40), MakeLParam(30, 40)}, "Wheel", {"s.Wheel 30,40,1"}},
    };
    Start();
    Push(0xFF000000);
    for (const Case& c : cases) {
        app.SendMessage(c.message.message, c.message.wParam, c.message.lParam);
        EXPECT_EQ(Only(Take(), c.event), c.screen) << c.message.message;
        EXPECT_EQ(host.captured, c.event == std::string("Down")) << c.message.message;
    }
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

} // namespace
