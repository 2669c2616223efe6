// The 15-bit generator: the classic sequence that recorded battles replay.
#include "support/Random.h"

#include <gtest/gtest.h>

using namespace vexo;

TEST(Random, SeedOneGivesTheClassicSequence) {
    SeedRand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(Rand(), value);
}
