// The order buttons' grid: four columns of 32-pixel buttons with 4-pixel gaps.
#include "gui/ButtonPanel.h"

#include "gui/Button.h"
#include "gui/GameWindows.h"

namespace {

// Icon frames of the unit sprite set, by order index.
constexpr std::array<int, CButtonPanel::kButtonCount> kIcons = {14, 15, 16, 17, 20, 21};
constexpr int kColumns = 4;
constexpr float kSide = 32, kGap = 4;

} // namespace

CButtonPanel::CButtonPanel() {
    for (int i = 0; i < kButtonCount; ++i) {
        const float left = kGap + float(i % kColumns) * (kSide + kGap);
        const float top = kGap + float(i / kColumns) * (kSide + kGap);
        buttons[std::size_t(i)] = new CButton(i, kIcons[std::size_t(i)], left, top, left + kSide, top + kSide);
        AddChild(buttons[std::size_t(i)]);
    }
}

bool CButtonPanel::WasClicked(int i) { return i >= 0 && i < kButtonCount && buttons[std::size_t(i)]->WasClicked(); }

void CButtonPanel::Draw(float left, float top, float right, float bottom) { DrawPanelBox(left, top, right, bottom); }
