// The window and device lifecycle: size changes, maximizing and the shutdown.
#include "HookApp.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

const std::set<std::string> kDeviceSteps = {"CreateDevice", "ResetDevice", "ReleaseDevice", "OnCreateDevice",
    "OnRestoreDevice", "OnInvalidateDevice", "OnDestroyDevice", "InitApplication", "DestroyMainWindow", "OnShutdown",
    "CreateMainWindow"};

class DeviceTest : public ::testing::Test {
protected:
    void Start() {
        ASSERT_TRUE(app.Create({}));
        host.log.clear();
    }
    // The system tells of a finished drag.
    void Drag(int width, int height) {
        host.ResizeClient(width, height);
        for (auto message : {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}) app.SendMessage(message);
    }
    std::vector<std::string> Log() { return Steps(std::exchange(host.log, {}), kDeviceSteps); }

    tundrel_test::CapturedErrorLog errors;
    CTestFrameHost host;
    CDesktopDisplayConfig config;
    CHookApp app{host, config};
};

TEST_F(DeviceTest, DragResetsTheDeviceToTheNewClientSize) {
    Start();
    Drag(1000, 700);
    EXPECT_EQ(Log(), (std::vector<std::string>{"OnInvalidateDevice", "ResetDevice", "OnRestoreDevice"}));
    EXPECT_EQ(app.GetPresentParameters().backBufferWidth, 1000u);
    EXPECT_EQ(app.GetPresentParameters().refreshRate, 0u) << "a window presents at the desktop's rate";
    EXPECT_EQ(app.BackBufferHeight(), 700u);
    EXPECT_EQ(app.GetWindowSettings().width, 1000) << "the size the next start opens with";
    EXPECT_TRUE(app.IsActive()) << "the drag's pause is undone";

    for (auto [width, height] : {std::pair{1000, 700}, {0, 0}, {640, 0}}) Drag(width, height);
    EXPECT_TRUE(Log().empty()) << "an unchanged size or an empty client area resets nothing";
    EXPECT_EQ(app.BackBufferWidth(), 1000u);
}

TEST_F(DeviceTest, MaximizedSizeIsNotTheStoredWindowSize) {
    Start();
    host.ResizeClient(1280, 1000);
    app.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(1280, 1000));
    EXPECT_TRUE(app.IsMaximized());
    EXPECT_EQ(app.BackBufferWidth(), 1280u);
    EXPECT_EQ(app.GetWindowSettings().width, 800) << "the size before maximizing is kept";
    host.ResizeClient(800, 600);
    app.SendMessage(WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600));
    EXPECT_FALSE(app.IsMaximized());
    EXPECT_EQ(app.BackBufferWidth(), 800u);
}

TEST_F(DeviceTest, ErrorInsideTheShutdownDoesNotStartItAgain) {
    Start();
    app.failing = {"OnInvalidateDevice", "OnShutdown"};
    app.SendMessage(WM_CLOSE);
    EXPECT_EQ(Log(), (std::vector<std::string>{"OnInvalidateDevice", "OnDestroyDevice", "ReleaseDevice",
                                               "DestroyMainWindow"}))
        << "the device goes even when a hook fails";
    EXPECT_FALSE(host.HasMainWindow());
    host.whenIdle = [](CMessage&) { return false; };
    EXPECT_EQ(app.Run(), 0);
}

} // namespace
