// The window and device lifecycle: the order of the device hooks, size changes, minimizing, the
// switch to full screen and back, and the shutdown.
#include "HookApp.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

const std::set<std::string> kDeviceSteps = {"CreateDevice",       "ResetDevice",     "ReleaseDevice",
                                            "OnCreateDevice",     "OnRestoreDevice", "OnInvalidateDevice",
                                            "OnDestroyDevice",    "InitApplication", "DestroyMainWindow",
                                            "OnShutdown",         "CreateMainWindow"};

class DeviceTest : public ::testing::Test {
protected:
    void Start() {
        ASSERT_TRUE(app.Create({}));
        host.log.clear();
    }
    // The system tells of a finished drag.
    void Drag(int width, int height) {
        host.ResizeClient(width, height);
        app.SendMessage(WM_ENTERSIZEMOVE);
        app.SendMessage(WM_EXITSIZEMOVE);
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
    EXPECT_EQ(app.BackBufferHeight(), 700u);
    EXPECT_EQ(app.GetWindowSettings().width, 1000) << "the size the next start opens with";
    EXPECT_TRUE(app.IsActive()) << "the drag's pause is undone";

    Drag(1000, 700);
    Drag(0, 0);
    Drag(640, 0);
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

TEST_F(DeviceTest, FullScreenAndBackKeepsTheWindowPlace) {
    Start();
    const SRect windowPlace = host.bounds;
    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_FALSE(app.IsWindowed());
    EXPECT_TRUE(host.fullScreen);
    EXPECT_EQ(app.BackBufferWidth(), 1280u) << "full screen takes the desktop's mode";
    EXPECT_FALSE(host.cursorVisible) << "in full screen only the game's own cursor shows";
    EXPECT_TRUE(host.clipped);
    EXPECT_EQ(Log(), (std::vector<std::string>{"OnInvalidateDevice", "ResetDevice", "OnRestoreDevice"}));

    // The system reports the window's new size afterwards.
    Drag(1280, 1024);
    EXPECT_EQ(app.GetSavedWindowBounds(), windowPlace);
    EXPECT_EQ(app.GetWindowSettings().width, 800);

    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_TRUE(app.IsWindowed());
    EXPECT_EQ(host.bounds, windowPlace) << "back in a window, the window returns to its place";
    EXPECT_TRUE(host.cursorVisible);
    EXPECT_FALSE(host.clipped);
    EXPECT_TRUE(app.IsActive());
}

// X11 gives a window its new size after the request has returned, or on its own: the next frame
// is drawn at the size the window really has, whether a notice came or not.
TEST_F(DeviceTest, SizeTheWindowSystemGivesLateReachesTheNextFrame) {
    Start();
    host.lateWindowSystem = true;
    // The step that lays the game out again stops the clock for it; the one after draws.
    const auto frameAt = [&](std::uint32_t width, std::uint32_t height) {
        host.log.clear();
        for (int step = 0; step < 2; ++step) {
            host.Advance(0.1);
            app.FrameStep();
        }
        EXPECT_EQ(Steps(std::exchange(host.log, {}), {"OnRestoreDevice", "RenderFrame"}),
                  (std::vector<std::string>{"OnRestoreDevice", "RenderFrame"}))
            << "laid out again before anything is drawn";
        EXPECT_EQ(app.BackBufferWidth(), width);
        EXPECT_EQ(app.BackBufferHeight(), height);
    };
    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_EQ(app.BackBufferWidth(), 800u) << "the window is not in full screen yet";
    host.fullScreen = true;
    host.device.width = 1280;
    host.device.height = 1024;
    frameAt(1280, 1024);

    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    host.fullScreen = false;
    host.ResizeClient(800, 600);
    frameAt(800, 600);
    // A window manager's resize that no notice tells of.
    host.ResizeClient(1000, 700);
    frameAt(1000, 700);
    EXPECT_EQ(app.GetWindowSettings().width, 1000);
    host.Advance(0.1);
    app.FrameStep();
    EXPECT_TRUE(Steps(host.log, {"ResetDevice"}).empty()) << "an unchanged size resets nothing";
}

TEST_F(DeviceTest, FailedResetClosesTheWindow) {
    Start();
    host.resetResult = kRenderInvalidCall;
    app.SendMessage(WM_COMMAND, kCommandToggleFullScreen);
    EXPECT_FALSE(host.HasMainWindow());
    EXPECT_NE(errors.Contents().find(vexo::Utf8ToCp1250("Błąd podczas resetowania urządzenia.")), std::string::npos);
}

TEST_F(DeviceTest, ErrorInsideTheShutdownDoesNotStartItAgain) {
    Start();
    app.failing = {"OnInvalidateDevice", "OnShutdown"};
    app.SendMessage(WM_CLOSE);
    EXPECT_EQ(Log(), (std::vector<std::string>{"OnInvalidateDevice", "OnDestroyDevice", "ReleaseDevice",
                                               "DestroyMainWindow"}))
        << "the device goes even when a hook fails";
    EXPECT_FALSE(host.HasMainWindow());
    host.whenIdle = [](SMessage&) { return false; };
    EXPECT_EQ(app.Run(), 0);
}

} // namespace
