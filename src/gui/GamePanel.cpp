// The game panel's layout and drawing, and the info panel.
#include "gui/GamePanel.h"

#include "game/GameState.h"
#include "game/Unit.h"
#include "gfx/Gfx.h"
#include "gui/ButtonPanel.h"
#include "gui/Console.h"
#include "gui/GameGUI.h"
#include "gui/GameWindows.h"

void CInfoPanel::Draw(float left, float top, float right, float bottom) {
    DrawPanelBox(left, top, right, bottom);
    if (const CUnit* unit = Game().Selected()) unit->DrawInfo(left, top, right, bottom);
}

CGamePanel::CGamePanel() : info(new CInfoPanel), buttons(new CButtonPanel), console(new CConsole) {
    AddChild(info);
    AddChild(buttons);
    AddChild(console);
    GameGUI().SetConsole(console);
}

bool CGamePanel::WasClicked(int i) { return buttons->WasClicked(i); }

void CGamePanel::Update(float, float, bool active) {
    if (!active) return;
    // 4-pixel margins and gaps; the info panel takes 0.4 of the width, the buttons their own.
    const float w = right - left, h = bottom - top, b = kButtonPanelWidth;
    Place(*console, 4, 4, w - 12 - b - 0.4f * w, h - 4);
    Place(*info, w - 8 - b - 0.4f * w, 4, w - 8 - b, h - 4);
    Place(*buttons, w - 4 - b, 4, w - 4, h - 4);
}

// The three boxes are opaque and cover the panel but for their margins, so only the margins are
// filled black: under a software renderer the panel's pixels cost as much as the battlefield's, and
// each is drawn once. The terrain's last row reaches under the panel, which the margins hide as the
// boxes do. Until the boxes stand in one row (before the first layout, or one hidden) the whole
// panel is filled.
void CGamePanel::Draw(float left, float top, float right, float bottom) {
    const CGUIWindow* const row[] = {console, info, buttons};
    const float boxTop = console->top, boxBottom = console->bottom;
    bool inRow = boxTop >= 0 && boxTop <= boxBottom && boxBottom <= bottom - top;
    float x = 0;
    for (const CGUIWindow* box : row) {
        inRow = inRow && box->IsVisible() && box->top == boxTop && box->bottom == boxBottom && box->left >= x &&
                box->right >= box->left;
        x = box->right;
    }
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    if (!inRow || x > right - left) {
        FillRect(left, top, right, bottom, 0xFF000000);
        return;
    }
    // Coordinates as the boxes draw with them, so the edges meet without a gap or an overlap.
    const float rowTop = top + boxTop, rowBottom = top + boxBottom;
    gfx->filledRect.Begin(6);
    gfx->filledRect.Add({left, top, right, rowTop}, 0xFF000000);
    gfx->filledRect.Add({left, rowBottom, right, bottom}, 0xFF000000);
    float gapLeft = left;
    for (const CGUIWindow* box : row) {
        gfx->filledRect.Add({gapLeft, rowTop, left + box->left, rowBottom}, 0xFF000000);
        gapLeft = left + box->right;
    }
    gfx->filledRect.Add({gapLeft, rowTop, right, rowBottom}, 0xFF000000);
    gfx->filledRect.Flush();
}

bool CGamePanel::OnMouseMove(float x, float y) {
    GameGUI().UpdateEdges(x + left, y + top);
    return true;
}
