// The console: capacity from its height, one line out per line in, drawn oldest first.
#include "gui/Console.h"

#include "gfx/Gfx.h"
#include "gui/GameGUI.h"
#include "gui/GameWindows.h"

#include <algorithm>

namespace {

constexpr float kLineHeight = 12.0f;
constexpr float kMargin = 4.0f;

} // namespace

CConsole::~CConsole() { GameGUI().ForgetConsole(this); }

int CConsole::Capacity() const {
    // Anything under 20 pixels holds no line, not yet laid out (or turned inside out) included.
    return std::max(0, int((bottom - top - 2 * kMargin) / kLineHeight));
}

void CConsole::AddMessage(const std::string& text, std::uint32_t colour) {
    lines.push_back({text, colour});
    // One out per one in: a console that shrank keeps its extra lines until newer ones come.
    if (int(lines.size()) > Capacity()) lines.pop_front();
}

void CConsole::Draw(float left, float top, float right, float bottom) {
    DrawPanelBox(left, top, right, bottom);
    CGfx* gfx = CGfx::Instance();
    if (!gfx || lines.empty()) return;
    gfx->font.Select(0);
    float y = top + kMargin;
    for (const CLine& line : lines) {
        gfx->font.DrawTextInRect(left + kMargin, y, right - kMargin, bottom - kMargin, line.text, kTextSingleLine,
                                 line.colour);
        y += kLineHeight;
    }
}
