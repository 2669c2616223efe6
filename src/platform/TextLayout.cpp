// Text layout for DrawText.
#include "platform/TextLayout.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

int Width(std::string_view text, std::size_t begin, std::size_t end,
          const std::function<int(unsigned char)>& advance) {
    int width = 0;
    for (std::size_t i = begin; i < end; ++i)
        width += advance(static_cast<unsigned char>(text[i]));
    return width;
}

// Splits one paragraph (no line ends inside) into lines no wider than maxWidth, breaking after
// spaces; a word wider than the rectangle keeps a line of its own and overflows it.
void BreakParagraph(std::string_view text, std::size_t begin, std::size_t end, int maxWidth,
                    const std::function<int(unsigned char)>& advance, std::vector<CLaidOutLine>& lines) {
    std::size_t lineBegin = begin;
    while (true) {
        std::size_t lineEnd = lineBegin; // end of the last word that fits
        std::size_t pos = lineBegin;
        int width = 0;
        while (pos < end) {
            std::size_t wordEnd = pos;
            while (wordEnd < end && text[wordEnd] == ' ')
                ++wordEnd;
            while (wordEnd < end && text[wordEnd] != ' ')
                ++wordEnd;
            const int wordWidth = Width(text, pos, wordEnd, advance);
            if (lineEnd != lineBegin && width + wordWidth > maxWidth) break;
            width += wordWidth;
            lineEnd = pos = wordEnd;
        }
        lines.push_back({lineBegin, lineEnd, 0, 0, Width(text, lineBegin, lineEnd, advance)});
        if (lineEnd >= end) return;
        // The spaces where a line breaks are not drawn on either line.
        lineBegin = lineEnd;
        while (lineBegin < end && text[lineBegin] == ' ')
            ++lineBegin;
        if (lineBegin >= end) return;
    }
}

} // namespace

CTextLayoutResult LayOutText(std::string_view text, const CTextRect& rect, std::uint32_t format, int lineHeight,
                            const std::function<int(unsigned char)>& advance) {
    CTextLayoutResult layout;
    if (format & kTextSingleLine) {
        layout.lines.push_back({0, text.size(), 0, 0, Width(text, 0, text.size(), advance)});
    } else {
        std::size_t begin = 0;
        while (true) {
            std::size_t end = begin;
            while (end < text.size() && !IsLineEnd(text[end]))
                ++end;
            if (format & kTextWordBreak)
                BreakParagraph(text, begin, end, rect.right - rect.left, advance, layout.lines);
            else
                layout.lines.push_back({begin, end, 0, 0, Width(text, begin, end, advance)});
            if (end >= text.size()) break;
            // "\r\n" is one line end.
            begin = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        }
    }

    const int total = static_cast<int>(layout.lines.size()) * lineHeight;
    int y = rect.top;
    if (format & kTextVCenter)
        y = rect.top + (rect.bottom - rect.top - total) / 2;
    else if (format & kTextBottom)
        y = rect.bottom - total;
    for (CLaidOutLine& line : layout.lines) {
        if (format & kTextCenter)
            line.x = rect.left + (rect.right - rect.left - line.width) / 2;
        else if (format & kTextRight)
            line.x = rect.right - line.width;
        else
            line.x = rect.left;
        line.y = y;
        y += lineHeight;
    }
    layout.height = (format & (kTextVCenter | kTextBottom)) ? y - rect.top : total;
    return layout;
}
