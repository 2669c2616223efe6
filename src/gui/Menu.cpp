// The main menu's layout and look, and the text button's press, release and hover.
#include "gui/Menu.h"

#include "gfx/Gfx.h"
#include "gui/GameGUI.h"
#include "gui/GameWindows.h"
#include "sound/SoundSystem.h"

#include <utility>

namespace {

constexpr int kHoverSound = 0;
constexpr int kClickSound = 1;
// Translucent when disabled: every colour of the button is ANDed with this.
constexpr std::uint32_t kDisabledMask = 0x60FFFFFF;
constexpr float kButtonGap = 8.0f;
constexpr float kPressedTextShift = 4.0f;

void PlaySound(int number) {
    if (CSoundSystem* sound = CSoundSystem::Instance()) sound->Play(number, 0);
}

} // namespace

bool CMenuButton::WasClicked() {
    return std::exchange(clicked, false);
}

void CMenuButton::SetEnabled(bool value) {
    enabled = value;
    if (!enabled) hovered = pressed = false;
}

bool CMenuButton::OnMouseDown(float, float, int) {
    if (enabled) pressed = true;
    return true;
}

bool CMenuButton::OnMouseUp(float x, float y, int) {
    // The button holds the capture while pressed, so the release may come from anywhere.
    if (enabled && pressed && x >= 0 && x <= right - left && y >= 0 && y <= bottom - top) {
        clicked = true;
        PlaySound(kClickSound);
    }
    pressed = false;
    return true;
}

void CMenuButton::OnMouseEnter(float, float) {
    if (!enabled) return;
    hovered = true;
    PlaySound(kHoverSound);
}

void CMenuButton::OnMouseLeave(float, float) {
    if (enabled) hovered = false;
}

void CMenuButton::Draw(float left, float top, float right, float bottom) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    const std::uint32_t mask = enabled ? 0xFFFFFFFFu : kDisabledMask;
    const std::uint32_t fill = pressed ? 0xFFC0C0C0 : hovered ? 0xFFFFFFFF : 0xFFE0E0E0;
    const std::uint32_t outline = pressed ? 0xFF7F7F7F : hovered ? 0xFFE0E0E0 : 0xFFC0C0C0;
    FillRect(left, top, right, bottom, fill & mask);
    gfx->line.DrawFrame(left, top, right, bottom, outline & mask);
    const float shift = pressed ? kPressedTextShift : 0.0f;
    gfx->font.Select(0);
    gfx->font.DrawTextInRect(left + shift, top + shift, right, bottom, label,
                             kTextCenter | kTextVCenter | kTextSingleLine, 0xFF606060 & mask);
}

CMenu::CMenu() {
    static const std::array<const char*, kButtonCount> labels = {"Wroc do gry", "Nowa gra", "Ustawienia",
                                                                 "Informacje", "Wyjscie"};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons[std::size_t(i)] = new CMenuButton(labels[std::size_t(i)]);
        AddChild(buttons[std::size_t(i)]);
    }
}

CMenuButton* CMenu::GetButton(int i) const {
    return i >= 0 && i < kButtonCount ? buttons[std::size_t(i)] : nullptr;
}

bool CMenu::WasClicked(int i) {
    CMenuButton* button = GetButton(i);
    return button && button->WasClicked();
}

void CMenu::SetReturnEnabled(bool enabled) {
    buttons[kReturn]->SetEnabled(enabled);
}

void CMenu::Update(float, float, bool active) {
    if (!active) return;
    const float w = ScreenWidth(), h = ScreenHeight();
    const float height = 0.075f * h;
    // The column ends 8 pixels above 0.85 H, whatever the window's size.
    for (int k = 0; k < kButtonCount; ++k) {
        const float top = 0.925f * h - height * float(6 - k) - kButtonGap * float(5 - k);
        Place(*buttons[std::size_t(k)], w / 4, top, 3 * w / 4, top + height);
    }
}

void CMenu::Draw(float left, float top, float right, float bottom) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    const float w = right - left, h = bottom - top;
    gfx->sprite.Begin(kTitleSpriteSet, 1, true);
    gfx->sprite.Add(0, left + w / 2, top + h / 6, w / 2, 0xFF7F7F7F, 0.0f);
    gfx->sprite.Flush();
}
