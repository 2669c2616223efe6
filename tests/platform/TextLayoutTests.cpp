// Text layout: line breaks, word wrapping and the height DrawText reports.
#include "platform/TextLayout.h"

#include <gtest/gtest.h>

namespace {

// Every byte advances 10 pixels; lines are 20 high.
CTextLayoutResult Lay(std::string_view text, CTextRect rect, std::uint32_t format) {
    return LayOutText(text, rect, format, 20, [](unsigned char) { return 10; });
}

std::vector<std::string> Lines(std::string_view text, const CTextLayoutResult& layout) {
    std::vector<std::string> lines;
    for (const CLaidOutLine& line : layout.lines)
        lines.emplace_back(text.substr(line.begin, line.end - line.begin));
    return lines;
}

TEST(TextLayout, WordBreakWrapsBetweenWordsHonoursTheTextsOwnBreaksAndSingleLinesIgnoreThem) {
    const std::string text = "ala ma kota\r\nbardzo\n\nx";
    const auto layout = Lay(text, {0, 0, 75, 500}, kTextWordBreak);
    EXPECT_EQ(Lines(text, layout), (std::vector<std::string>{"ala ma", "kota", "bardzo", "", "x"}));
    EXPECT_EQ(layout.height, 100);
    EXPECT_EQ(layout.lines[1].y, 20);
    EXPECT_EQ(layout.lines[0].width, 60);
    // A word wider than the rectangle keeps its own line; a single line ignores the breaks.
    const std::string wide = "a dlugiewyrazy\nb";
    EXPECT_EQ(Lines(wide, Lay(wide, {0, 0, 50, 100}, kTextWordBreak)), (std::vector<std::string>{"a", "dlugiewyrazy", "b"}));
    EXPECT_EQ(Lay(wide, {0, 0, 10, 10}, kTextSingleLine | kTextWordBreak).lines.size(), 1u);
}

} // namespace
