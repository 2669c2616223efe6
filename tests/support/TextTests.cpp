// Windows-1250 text to and from UTF-8, the 15-bit generator that recorded battles replay, and the
// start-up marks a player who did not ask for them never sees.
#include "support/Random.h"
#include "support/StartupTimes.h"
#include "support/Text1250.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace vexo;

TEST(Text1250, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += char(c);
    const std::string utf8 = Cp1250ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1250(utf8), all);
    EXPECT_EQ(Cp1250ToUtf8("\xA3\xF3\x80"), "Łó€");
}

TEST(Random, SeedOneGivesTheClassicSequence) {
    SeedRand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(Rand(), value);
}

TEST(StartupTimes, MarksAreSilentUnlessAskedFor) {
    ASSERT_EQ(std::getenv("TUNDREL_STARTUP_TIMES"), nullptr);
    testing::internal::CaptureStderr();
    MarkStartup("menu");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
