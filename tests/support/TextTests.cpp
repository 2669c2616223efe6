// Windows-1250 text: conversion to and from UTF-8, and the Polish order of names.
#include "support/Text1250.h"

#include <gtest/gtest.h>

using namespace vexo;

TEST(Text1250, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += char(c);
    const std::string utf8 = Cp1250ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1250(utf8), all);
    EXPECT_EQ(Cp1250ToUtf8("\xA3\xF3\x80"), "Łó€");
}
