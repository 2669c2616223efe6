// Byte-string helpers: trimming, collapsing, newline styles, replacing, words.
#include "support/Strings.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vexo;

TEST(Strings, TrimAndCollapse) {
    EXPECT_EQ(TrimView(""), "");
    EXPECT_EQ(TrimView(" \r\n \r\n"), "");
    EXPECT_EQ(TrimView("\t a \v b \r\n"), "a \v b") << "vertical tab is not whitespace here";
    EXPECT_EQ(TrimView(std::string("\0 x", 3)), std::string("\0 x", 3));
    EXPECT_EQ(CollapseWhitespace(" a \t b "), " a b ");
    EXPECT_EQ(CollapseWhitespace("\r\n\r\n"), " ");
    EXPECT_EQ(CollapseWhitespace("a\xA0\xA0z"), "a\xA0\xA0z") << "a no-break space is an ordinary byte";
    EXPECT_EQ(CollapseWhitespace(""), "");
}

TEST(Strings, NewlineStyles) {
    EXPECT_EQ(NewlineString(1), "\r\n");
    EXPECT_EQ(NewlineString(2), "\n");
    EXPECT_EQ(NewlineString(3), "\r");
    EXPECT_EQ(NewlineString(0), "");
    EXPECT_EQ(NewlineString(4), "");
    const std::string mixed = "a\r\nb\rc\nd\n\re";
    EXPECT_EQ(NormalizeNewlines(mixed, 0), mixed);
    EXPECT_EQ(NormalizeNewlines(mixed, 1), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(NormalizeNewlines(mixed, 2), "a\nb\nc\nd\n\ne");
    EXPECT_EQ(NormalizeNewlines(mixed, 3), "a\rb\rc\rd\r\re");
    EXPECT_EQ(NormalizeNewlines("\r", 2), "\n");
    EXPECT_EQ(NormalizeNewlines("x\r\n", 1), "x\r\n");
}

TEST(Strings, AddBackslashAddsOnlyAMissingOne) {
    EXPECT_EQ(AddBackslash("Maps"), "Maps\\");
    EXPECT_EQ(AddBackslash("Maps\\"), "Maps\\");
}

TEST(Strings, ReplaceAllGoesLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("a&b&", "&", "&amp;"), "a&amp;b&amp;");
    EXPECT_EQ(ReplaceAll("xx", "x", "xx"), "xxxx");
    EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(Strings, NextWordReadsPlainAndQuotedWords) {
    const std::string text = "one  two \"three four\"";
    std::size_t position = 0;
    std::vector<std::string> words;
    for (std::string word; NextWord(text, position, word);)
        words.push_back(word);
    EXPECT_EQ(words, (std::vector<std::string>{"one", "two", "three four"}));

    // An unclosed quote takes the rest; trailing whitespace ends with false.
    position = 0;
    std::string word;
    EXPECT_TRUE(NextWord("\"open end", position, word));
    EXPECT_EQ(word, "open end");
    EXPECT_FALSE(NextWord("\"open end", position, word));
    position = 1;
    EXPECT_FALSE(NextWord("a  \r\n", position, word));
    EXPECT_EQ(position, 5u);
    position = 0;
    EXPECT_TRUE(NextWord("\"\" x", position, word));
    EXPECT_EQ(word, "") << "an empty quoted word is still a word";
}
