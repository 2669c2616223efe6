// Windows-1250 text: conversion to and from UTF-8, lower case, comparison, the _pl literal.
#include "support/Text1250.h"

#include <gtest/gtest.h>

using namespace vexo;

// The conversion itself happens at compile time.
static_assert(cp1250::kConverted<"Zażółć gęślą jaźń">.size == 17);

TEST(Text1250, PolishLiteralsBecomeWindows1250Bytes) {
    EXPECT_EQ("Ładowanie"_pl, "\xA3"
                              "adowanie");
    EXPECT_EQ("źródło"_pl, "\x9Fr\xF3" "d\xB3o");
}

TEST(Text1250, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += char(c);
    const std::string utf8 = Cp1250ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1250(utf8), all);
    EXPECT_EQ(Cp1250ToUtf8("\xA3\xF3\x80"), "Łó€");
}

TEST(Text1250, UnmappableAndMalformedUtf8BecomesAQuestionMark) {
    EXPECT_EQ(Utf8ToCp1250("ĄΩ😀x"), "\xA5??x");
    EXPECT_EQ(Utf8ToCp1250("a\xC5"), "a?");
    EXPECT_EQ(Utf8ToCp1250("\xFF\x80"), "??");
}

TEST(Text1250, LowerCaseFollowsThePolishTableNotTheLocale) {
    EXPECT_EQ(ToLower(Utf8ToCp1250("ZAŻÓŁĆ GĘŚLĄ JAŹŃ ŠŤŽĽŔ")), Utf8ToCp1250("zażółć gęślą jaźń šťžľŕ"));
    EXPECT_EQ(ToLower(Utf8ToCp1250("×ß€ 123")), Utf8ToCp1250("×ß€ 123"));
}

TEST(Text1250, CompareNoCaseOrdersNamesIgnoringCase) {
    EXPECT_EQ(CompareNoCase(Utf8ToCp1250("Łąka"), Utf8ToCp1250("łĄKA")), 0);
    EXPECT_LT(CompareNoCase("apple", "Banana"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_LT(CompareNoCase("ab", "AbC"), 0);
    EXPECT_GT(CompareNoCase("abc", "AB"), 0);
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
