// CButtonPanel: the grid of the six order buttons at the right of the game panel.
#pragma once

#include "gui/GUIWindow.h"

#include <array>

class CButton;

class CButtonPanel : public CGUIWindow {
public:
    CButtonPanel();

    static constexpr int kButtonCount = 6;

    // Button i's one-shot click; false for an index that names no button.
    bool WasClicked(int i);
    CButton* GetButton(int i) const { return buttons[std::size_t(i)]; }

    void Draw(float left, float top, float right, float bottom) override;

private:
    std::array<CButton*, kButtonCount> buttons;
};
