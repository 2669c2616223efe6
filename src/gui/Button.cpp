// Order buttons: a click is a press and a release on the button, any mouse button, edges included.
#include "gui/Button.h"

#include "gfx/Gfx.h"
#include "gui/GameGUI.h"
#include "gui/Hint.h"

#include <array>
#include <utility>

namespace {

constexpr int kIdleFrame = 10;
constexpr int kHoverFrame = 11;
constexpr int kPressedFrame = 13;
constexpr std::uint32_t kNeutralColour = 0xFF7F7F7F;

} // namespace

const std::string& OrderHint(int index) {
    static const std::array<std::string, 6> hints = {"Stop [S]",         "Idz [G]",   "Podazaj [F]",
                                                     "Atakuj [A]",       "Zakop lub wykop [W]", "Przenies [P]"};
    static const std::string none;
    return index >= 0 && index < int(hints.size()) ? hints[std::size_t(index)] : none;
}

CButton::CButton(int index, int icon, float left, float top, float right, float bottom)
    : CGUIWindow(left, top, right, bottom), icon(icon), index(index) {}

bool CButton::WasClicked() { return std::exchange(clicked, false); }

bool CButton::OnMouseDown(float, float, int) {
    pressed = true;
    return true;
}

bool CButton::OnMouseUp(float x, float y, int) {
    // The button holds the capture while pressed, so the release may come from anywhere.
    if (pressed && x >= 0 && x <= right - left && y >= 0 && y <= bottom - top) clicked = true;
    pressed = false;
    return true;
}

void CButton::OnMouseEnter(float, float) {
    hovered = true;
    if (CHint* hint = GameGUI().hint) hint->SetText(OrderHint(index));
}

void CButton::OnMouseLeave(float, float) {
    if (CHint* hint = GameGUI().hint) hint->SetText("");
    hovered = false;
}

void CButton::Draw(float left, float top, float right, float bottom) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    const float x = (left + right) / 2, y = (top + bottom) / 2;
    const float size = ((right - left) + (bottom - top)) / 2;
    const int background = pressed ? kPressedFrame : hovered ? kHoverFrame : kIdleFrame;
    const float shift = pressed ? 1.0f : 0.0f;
    gfx->sprite.Begin(kUnitSpriteSet, 10, false);
    gfx->sprite.Add(background, x, y, size, kNeutralColour, 0.0f);
    gfx->sprite.Add(icon, x + shift, y + shift, size, kNeutralColour, 0.0f);
    gfx->sprite.Flush();
}
