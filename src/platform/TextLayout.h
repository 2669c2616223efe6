// Laying text out in a rectangle the way the Windows DrawText flags ask: lines broken at the
// text's own line ends and, with word breaking, between words; aligned left, centred or right,
// top, centred or bottom.
#pragma once

#include "platform/RenderDevice.h"

#include <functional>
#include <string_view>
#include <vector>

struct CLaidOutLine {
    std::size_t begin = 0, end = 0; // byte range of the text drawn on this line
    int x = 0, y = 0;               // top-left corner of the line in pixels
    int width = 0;
};

struct CTextLayoutResult {
    std::vector<CLaidOutLine> lines;
    // The height DrawText reports: the text's height, or with vertical centring or bottom
    // alignment the distance from the rectangle's top to the text's bottom.
    int height = 0;
};

// advance gives each byte's pen movement in pixels; lineHeight is the font's line spacing.
CTextLayoutResult LayOutText(std::string_view text, const CTextRect& rect, std::uint32_t format, int lineHeight,
                            const std::function<int(unsigned char)>& advance);
