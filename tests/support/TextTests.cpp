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

TEST(Text1250, NamesSortInThePolishAlphabetWithoutRegardToCase) {
    const char* const ordered[] = {"01 Start",  "Arka", "árka",   "Arkan", "ąb",    "Bór",  "Čaj",    "cis",
                                   "Ćwiczenia", "Dąb",  "Echo",   "ęc",    "Las",   "Łąka", "Mróz",   "Nora",
                                   "ńa",        "Osa",  "Ósemka", "Sanki", "Śnieg", "Zima", "Źródło", "żaba"};
    for (std::size_t i = 0; i + 1 < std::size(ordered); ++i) {
        const std::string a = Utf8ToCp1250(ordered[i]), b = Utf8ToCp1250(ordered[i + 1]);
        EXPECT_LT(ComparePolishNoCase(a, b), 0) << ordered[i] << " < " << ordered[i + 1];
        EXPECT_GT(ComparePolishNoCase(b, a), 0) << ordered[i + 1] << " > " << ordered[i];
    }
    EXPECT_EQ(ComparePolishNoCase(Utf8ToCp1250("ŁĄKA Źródło"), Utf8ToCp1250("łąka źRÓDŁO")), 0);
}
