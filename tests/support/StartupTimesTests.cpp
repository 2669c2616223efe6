// Start-up marks: a player who did not ask for them sees nothing of them.
#include "support/StartupTimes.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(StartupTimes, MarksAreSilentUnlessAskedFor) {
    ASSERT_EQ(std::getenv("TUNDREL_STARTUP_TIMES"), nullptr);
    testing::internal::CaptureStderr();
    vexo::MarkStartup("menu");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
