// The hint strip: 20 pixels high, 4 pixels above the panel, text right-aligned.
#include "gui/Hint.h"

#include "gfx/Gfx.h"
#include "gui/GameGUI.h"
#include "gui/GameWindows.h"
#include "gui/GameScreen.h"

CHint::CHint() { SetVisible(false); }

CHint::~CHint() { GameGUI().ForgetHint(this); }

void CHint::SetText(const std::string& newText) {
    text = newText;
    SetVisible(!text.empty());
}

void CHint::Update(float, float, bool active) {
    if (!active) return;
    const float w = ScreenWidth(), h = ScreenHeight(), panel = CGameScreen::kPanelHeight;
    Place(*this, 4, h - panel - 24, w - 4, h - panel - 4);
}

void CHint::Draw(float left, float top, float right, float bottom) {
    FillRect(left, top, right, bottom, 0x60000000);
    CGfx* gfx = CGfx::Instance();
    if (!gfx || text.empty()) return;
    gfx->font.Select(0);
    gfx->font.DrawTextInRect(left, top, right - 4, bottom, text,
                             kTextRight | kTextVCenter | kTextSingleLine | kTextNoClip, 0xFFFFFFFF);
}
