// The game application on a test host with the shipped game data: the window mode it starts in
// and the menu's "Informacje".
#include "../gui/RecordingWindows.h"
#include "TestFrameHost.h"
#include "app/MyD3DApp.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "gui/Menu.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class GameAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(tundrel_test::SourcePath("data/GameData"), "GameData");
        ASSERT_TRUE(app.Create({})) << errors.Contents();
        Step();
        menu = dynamic_cast<CMenu*>(gui.screens.back());
        ASSERT_NE(menu, nullptr);
    }
    void Step() {
        host.Advance(0.05);
        app.FrameStep();
    }

    tundrel_test::CapturedErrorLog errors;
    CCallLog calls; // outlives the screens that write into it
    tundrel_test::TempDir folder;
    tundrel_test::InFolder inside{folder.path};
    CGUIManager gui;
    CGfx gfx;
    CTestFrameHost host;
    CDesktopDisplayConfig config;
    CMyD3DApplication app{host, config};
    CMenu* menu = nullptr;
};

// Without a settings file the game starts in full screen in the desktop's mode; a window is at
// least 640 by 480.
TEST_F(GameAppTest, StartsInFullScreenAndAWindowKeepsTheSmallestSize) {
    EXPECT_EQ(gfx.screenWidth, 1280u);
    EXPECT_TRUE(gui.fullScreen);
    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_FALSE(gui.fullScreen);
    EXPECT_EQ(gfx.screenWidth, 640u);
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
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
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
        const CMenuButton& b = *menu->GetButton(CMenu::kInformation);
        for (std::uint32_t message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
            app.SendMessage(message, 0, MakeLParam(int((b.left + b.right) / 2), int((b.top + b.bottom) / 2)));
        Step();
        setenv("PATH", savedPath.c_str(), 1);

        const std::string record = errors.Contents().substr(logged);
        if (c.record) EXPECT_NE(record.find(c.record), std::string::npos) << record;
        else EXPECT_EQ(record, "");
        std::string args;
        vexo::ReadFileToString(bin.File("args"), args);
        EXPECT_EQ(args, c.readme && c.opener ? readme + "\n" : "");
        EXPECT_TRUE(host.HasMainWindow());
    }
    // Double clicks reach the screen on top with their own button.
    gui.screens.push_back(new CRecScreen(calls, "s"));
    for (auto message : {WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) app.SendMessage(message, 0, MakeLParam(5, 6));
    EXPECT_EQ(calls, (CCallLog{"s.Double 5,6,1", "s.Double 5,6,2"}));
}

} // namespace
