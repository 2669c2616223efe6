// The frame's shell: nested pauses, the lost device, and the exit codes of the loop and the entry
// point.
#include "HookApp.h"
#include "support/TestFiles.h"

#include <functional>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class FrameTest : public ::testing::Test {
protected:
    void CreateApp() { ASSERT_TRUE(app.Create({})); }

    tundrel_test::CapturedErrorLog errors;
    CTestFrameHost host;
    CDesktopDisplayConfig config;
    CHookApp app{host, config};
};

TEST_F(FrameTest, NestedPausesNeedAsManyResumesAndStopTheClock) {
    EXPECT_FALSE(app.IsActive()) << "the application starts paused until Create";
    CreateApp();
    EXPECT_TRUE(app.IsActive());

    host.Advance(1.0);
    const float before = (app.FrameStep(), app.GetTime());
    app.Pause(true, true);
    app.Pause(true, true);
    host.Advance(10.0);
    app.Pause(false, true);
    EXPECT_FALSE(app.IsActive());
    EXPECT_TRUE(host.TimerStopped()) << "the timer restarts only when the last stop is undone";
    host.Advance(10.0);
    app.Pause(false, true);
    EXPECT_TRUE(app.IsActive());
    host.Advance(0.5);
    app.FrameStep();
    EXPECT_NEAR(app.GetTime() - before, 0.5, 1e-3) << "time spent paused is not application time";
    EXPECT_NEAR(app.GetElapsedTime(), 0.5, 1e-3);
}

// A paused application with its timer running, or a minimized one, goes on updating without
// drawing; a step in which no time passed neither updates nor draws; an inactive loop sleeps.
TEST_F(FrameTest, PausedOrMinimizedGamesUpdateWithoutDrawingAndTimelessStepsDoNothing) {
    CreateApp();
    for (const auto& pause : std::vector<std::function<void()>>{[&] { app.Pause(true, false); },
                                                                 [&] { app.SendMessage(WM_SIZE, SIZE_MINIMIZED); }}) {
        pause();
        host.log.clear();
        host.Advance(0.25);
        app.FrameStep();
        EXPECT_EQ(host.log, (std::vector<std::string>{"UpdateFrame"}));
        app.FrameStep(); // the clock has not moved
        EXPECT_EQ(host.log.size(), 1u);
    }
    int idle = 0;
    host.whenIdle = [&](SMessage& m) {
        if (++idle <= 3) return false;
        m = {WM_CLOSE, 0, 0};
        return true;
    };
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(host.sleptMilliseconds, 300u);
}

TEST_F(FrameTest, LostDeviceUpdatesWithoutDrawingUntilReset) {
    CreateApp();
    host.device.presentResult = kRenderDeviceLost;
    host.Advance(0.02);
    app.FrameStep();
    EXPECT_TRUE(app.IsDeviceLost());
    EXPECT_FALSE(app.IsActive());

    host.device.presentResult = kRenderOk;
    host.cooperativeLevel = kRenderDeviceLost;
    host.log.clear();
    host.Advance(0.02);
    app.FrameStep();
    EXPECT_EQ(host.log, (std::vector<std::string>{"UpdateFrame"})) << "the game goes on while nothing is drawn";

    host.cooperativeLevel = kRenderDeviceNotReset;
    host.log.clear();
    host.Advance(0.02);
    app.FrameStep();
    EXPECT_EQ(host.log,
              (std::vector<std::string>{"OnInvalidateDevice", "ResetDevice", "OnRestoreDevice", "UpdateFrame"}));

    host.cooperativeLevel = kRenderOk;
    host.Advance(0.02);
    app.FrameStep(); // resuming restarts the elapsed reading: this step has no time to run
    EXPECT_FALSE(app.IsDeviceLost());
    EXPECT_TRUE(app.IsActive());
    host.log.clear();
    host.Advance(0.02);
    app.FrameStep();
    EXPECT_EQ(host.log, (std::vector<std::string>{"UpdateFrame", "RenderFrame"}));
}

TEST_F(FrameTest, ErrorInAFrameStepClosesTheWindowAndEndsWithZero) {
    CreateApp();
    app.failing = {"RenderFrame"};
    host.whenIdle = [&](SMessage&) {
        host.Advance(0.02);
        return false;
    };
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(host.HasMainWindow());
    EXPECT_EQ(Steps(host.log, {"RenderFrame", "OnShutdown"}), (std::vector<std::string>{"RenderFrame", "OnShutdown"}));
    EXPECT_NE(errors.Contents().find("RenderFrame failed"), std::string::npos);
}

TEST(EntryPoint, ExitCodes) {
    tundrel_test::CapturedErrorLog errors;
    CDesktopDisplayConfig config;
    const auto run = [&](const std::function<void(CTestFrameHost&, CHookApp&)>& setUp) {
        CTestFrameHost host;
        return RunApplication(
            [&] {
                auto app = std::make_unique<CHookApp>(host, config);
                setUp(host, *app);
                return app;
            },
            {});
    };

    EXPECT_EQ(run([](CTestFrameHost&, CHookApp&) {}), 0);
    EXPECT_EQ(run([](CTestFrameHost&, CHookApp& app) { app.canStart = false; }), 1);
    EXPECT_EQ(run([](CTestFrameHost&, CHookApp& app) { app.failing = {"OnCreateDevice"}; }), 2);
    EXPECT_EQ(run([](CTestFrameHost& host, CHookApp&) { host.canCreateWindow = false; }), 2);
    EXPECT_NE(errors.Contents().find(vexo::Utf8ToCp1250("Nie można utworzyć okna. no display")), std::string::npos);
    EXPECT_EQ(run([](CTestFrameHost& host, CHookApp&) { host.canCreateDevice = false; }), 2);
    EXPECT_NE(errors.Contents().find(vexo::Utf8ToCp1250("Nie można utworzyć urządzenia.")), std::string::npos);
}

} // namespace
