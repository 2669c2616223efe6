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

void CGamePanel::Draw(float left, float top, float right, float bottom) { FillRect(left, top, right, bottom, 0xFF000000); }

bool CGamePanel::OnMouseMove(float x, float y) {
    GameGUI().UpdateEdges(x + left, y + top);
    return true;
}
