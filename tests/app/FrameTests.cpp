// The frame's shell: nested pauses and the lost device.
#include "HookApp.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class FrameTest : public ::testing::Test {
protected:
    tundrel_test::CapturedErrorLog errors;
    CTestFrameHost host;
    CDesktopDisplayConfig config;
    CHookApp app{host, config};
};

TEST_F(FrameTest, NestedPausesNeedAsManyResumesAndStopTheClock) {
    EXPECT_FALSE(app.IsActive()) << "the application starts paused until Create";
    ASSERT_TRUE(app.Create({}));
    EXPECT_TRUE(app.IsActive());
    // The frame rate is measured over each span of just over a second: 2 frames in 1.2 s, then 1 so far.
    for (int frame = 0; frame < 3; ++frame) host.Advance(0.6), app.FrameStep();
    EXPECT_FLOAT_EQ(app.GetFramesPerSecond(), 2 / 1.2f);

    host.Advance(1.0);
    const float before = (app.FrameStep(), app.GetTime());
    for (int nested = 0; nested < 2; ++nested) app.Pause(true, true);
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

TEST_F(FrameTest, LostDeviceUpdatesWithoutDrawingUntilReset) {
    ASSERT_TRUE(app.Create({}));
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

} // namespace
