// Numbers read from text (saturation, independence of the locale), Windows-1250 text to and from
// UTF-8, the 15-bit generator that recorded battles replay, and the start-up marks a player who did
// not ask for them never sees.
#include "support/Convert.h"
#include "support/Random.h"
#include "support/StartupTimes.h"
#include "support/Strings.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vexo;

TEST(Convert, ToIntReadsLikeTheCLibraryButSaturates) {
    for (const auto& [text, value] :
         {std::pair{"", 0}, {"abc", 0}, {"  -42xyz", -42}, {"2147483647", INT_MAX}, {"2147483648", INT_MAX},
          {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"99999999999999999999999999", INT_MAX}})
        EXPECT_EQ(ToInt(text), value) << text;
}

TEST(Convert, ToFloatAcceptsOnlyDecimalNumbersWithinTheFloatRange) {
    EXPECT_DOUBLE_EQ(ToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ToFloat("  -2e3z"), -2000.0);
    EXPECT_DOUBLE_EQ(ToFloat("1,5"), 1.0);
    for (const char* text : {"", ".", "e5", "inf", "-infinity", "nan", "0x10", "x"})
        EXPECT_EQ(ToFloat(text), 0.0) << text;
    EXPECT_EQ(ToFloat("1e39"), FLT_MAX);
    EXPECT_EQ(ToFloat("-1e999"), -FLT_MAX);
    EXPECT_EQ(ToFloat("1e-999"), 0.0);
    EXPECT_EQ(ToFloat("0.000000000000000000000000000000000000000000000000000000001e99999"), FLT_MAX);
}

// A locale whose decimal separator is a comma, compiled into a temporary folder: a C library
// reading of numbers would take "0,5" for one half there, and "0.5" for zero.
TEST(Convert, ToFloatIgnoresTheDecimalCommaOfTheLocale) {
    tundrel_test::TempDir dir;
    WriteStringToFile(dir.File("comma.def"),
                      "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
    const std::string compile = "localedef -c -f UTF-8 -i '" + dir.File("comma.def") + "' '" +
                                dir.File("tundrel_comma") + "' >/dev/null 2>&1";
    (void)std::system(compile.c_str()); // warns, and fails, about the categories it leaves out
    ::setenv("LOCPATH", dir.path.c_str(), 1);
    const bool loaded = std::setlocale(LC_NUMERIC, "tundrel_comma") != nullptr;
    ::unsetenv("LOCPATH");
    if (!loaded) GTEST_SKIP() << "localedef could not build a locale with a decimal comma";
    char cFormatted[8];
    std::snprintf(cFormatted, sizeof cFormatted, "%.1f", 1.5);
    const double point = ToFloat("0.5");
    const double comma = ToFloat("0,5");
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_STREQ(cFormatted, "1,5") << "the locale is active";
    EXPECT_DOUBLE_EQ(point, 0.5);
    EXPECT_DOUBLE_EQ(comma, 0.0);
}

TEST(Text1250, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += char(c);
    const std::string utf8 = Cp1250ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1250(utf8), all);
    EXPECT_EQ(Cp1250ToUtf8("\xA3\xF3\x80"), "Łó€");
    EXPECT_EQ(CollapseWhitespace(" a \t\r\n b  "), " a b ");
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
