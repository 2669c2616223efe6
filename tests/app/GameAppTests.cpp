// The game application on a test host with the shipped game data: the loading message, the
// window mode it starts in, window messages turned into input for the GUI manager, and the menu's
// "Ustawienia", "Informacje" and "Wyjscie" clicked through window messages.
#include "TestFrameHost.h"
#include "app/MyD3DApp.h"
#include "gfx/Gfx.h"
#include "gui/ButtonLook.h"
#include "gui/GUIManager.h"
#include "gui/Menu.h"
#include "gui/RecordingWindows.h"
#include "platform/Shell.h"
#include "platform/VirtualKeys.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace platform;
using namespace vexo::literals;

namespace {

// Notes how the frame stands while the settings dialog would run.
class CSettingsApp : public CMyD3DApplication {
public:
    using CMyD3DApplication::CMyD3DApplication;
    void ChangeDevice() override {
        dialogs.push_back(std::string(active ? "running" : "paused") +
                          (testHost->TimerStopped() ? ", timer stopped" : ", timer running"));
    }
    bool IsActive() const { return active; }
    CTestFrameHost* testHost = nullptr;
    std::vector<std::string> dialogs;
};

class GameAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(tundrel_test::SourcePath("data/GameData"), "GameData");
        app.testHost = &host;
        ASSERT_TRUE(app.Create({})) << errors.Contents();
        Step();
        menu = dynamic_cast<CMenu*>(gui.screens.back());
        ASSERT_NE(menu, nullptr);
    }
    void Step() {
        host.Advance(0.05);
        app.FrameStep();
    }
    void ClickMenu(int button) {
        const CMenuButton& b = *menu->GetButton(button);
        const LPARAM at = MakeLParam(int((b.left + b.right) / 2), int((b.top + b.bottom) / 2));
        app.SendMessage(WM_MOUSEMOVE, 0, at);
        app.SendMessage(WM_LBUTTONDOWN, 0, at);
        app.SendMessage(WM_LBUTTONUP, 0, at);
        Step();
    }
    // A recording screen on top of the menu.
    void Push() { gui.screens.push_back(new CRecScreen(calls, "s", 0xFF000000)); }
    CCallLog Take() { return std::exchange(calls, {}); }

    tundrel_test::CapturedErrorLog errors;
    tundrel_test::TempDir folder;
    tundrel_test::InFolder inside{folder.path};
    CCallLog calls;
    CGUIManager gui;
    CGfx gfx;
    CTestFrameHost host;
    CDesktopDisplayConfig config;
    CSettingsApp app{host, config};
    CMenu* menu = nullptr;
};

TEST_F(GameAppTest, LoadingMessageShowsWhileTheGameDataLoads) {
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
    Push();
    for (const Case& c : cases) {
        app.SendMessage(c.message.message, c.message.wParam, c.message.lParam);
        EXPECT_EQ(Only(Take(), c.event), c.screen) << c.message.message;
        EXPECT_EQ(host.captured, c.event == std::string("Down")) << c.message.message;
    }
}

TEST_F(GameAppTest, AltReachesTheGameWhileAltEnterTogglesFullScreen) {
    Push();
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

TEST_F(GameAppTest, SettingsRunWhileTheFramePausesWithItsTimer) {
    ClickMenu(CMenu::kSettings);
    EXPECT_EQ(app.dialogs, std::vector<std::string>{"paused, timer stopped"});
    EXPECT_TRUE(app.IsActive());
    EXPECT_FALSE(host.TimerStopped());
}

// "Informacje" hands Readme.txt's full path to the desktop's opener, or leaves a record saying
// why it could not; the menu stays either way.
TEST_F(GameAppTest, InformationOpensTheReadMeOrLeavesARecord) {
    struct Case {
        const char* name;
        bool readme;
        const char* opener; // the body of a fake xdg-open on PATH; nullptr: none on PATH
        const char* record; // what the log says; nullptr: nothing
    };
    const Case cases[] = {
        {"missing read-me", false, "exit 0", "no such file"},
        {"no opener", true, nullptr, "xdg-open: No such file or directory"},
        {"opener gives up", true, "exit 3", "xdg-open ended with status 3"},
        {"opener opens it", true, "exit 0", nullptr},
    };
    const std::string readme = folder.File("Readme.txt");
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tundrel_test::TempDir bin;
        if (c.opener) {
            std::ofstream(bin.File("xdg-open")) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"${0%/*}/args\"\n" << c.opener << "\n";
            std::filesystem::permissions(bin.File("xdg-open"), std::filesystem::perms::owner_all);
        }
        if (c.readme) std::ofstream(readme) << "Tundrel\r\n";
        else std::filesystem::remove(readme);
        const std::size_t logged = errors.Contents().size();
        setenv("PATH", bin.path.c_str(), 1);
        ClickMenu(CMenu::kInformation);
        setenv("PATH", savedPath.c_str(), 1);

        const std::string record = errors.Contents().substr(logged);
        if (c.record) EXPECT_NE(record.find(c.record), std::string::npos) << record;
        else EXPECT_EQ(record, "");
        std::string args;
        vexo::ReadFileToString(bin.File("args"), args);
        EXPECT_EQ(args, c.readme && c.opener ? readme + "\n" : "");
        EXPECT_TRUE(host.HasMainWindow());
    }
}

// The window took another size without the pointer moving: once the menu is laid out for it, the
// button now under the pointer is lit, not the one that lay there before.
TEST_F(GameAppTest, PointerIsFoundAgainInTheNewLayout) {
    CMenuButton& play = *menu->GetButton(CMenu::kNewGame);
    const float x = (play.left + play.right) / 2, y = (play.top + play.bottom) / 2;
    app.SendMessage(WM_MOUSEMOVE, 0, MakeLParam(int(x), int(y)));
    ASSERT_EQ(Look(play, host.device), "lit");
    host.lateWindowSystem = true;
    host.device.width = 640;
    host.device.height = 480;
    for (int i = 0; i < 3; ++i) Step();
    ASSERT_EQ(gfx.screenWidth, 640u);
    for (int button = 0; button < CMenu::kButtonCount; ++button) {
        CMenuButton& b = *menu->GetButton(button);
        EXPECT_EQ(Look(b, host.device) == "lit", !Greyed(b, host.device) && x >= b.left && x < b.right && y >= b.top && y < b.bottom)
            << "button " << button;
    }
}

// The desktop gets the read-me's absolute path as a URL, whatever the folder is called.
TEST(FileUrl, EncodesEverythingButPlainPathCharacters) {
    EXPECT_EQ(FileUrl("/home/gracz/Gry/Tundrel/Readme.txt"), "file:///home/gracz/Gry/Tundrel/Readme.txt");
    EXPECT_EQ(FileUrl("/a b/Łąka#1%.txt"), "file:///a%20b/%C5%81%C4%85ka%231%25.txt");
}

} // namespace
