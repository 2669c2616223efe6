// CButton: one order button of the game panel, with its icon, hover and press looks, the hint it
// shows while hovered and a one-shot click flag its owner polls.
#pragma once

#include "gui/GUIWindow.h"

#include <string>

// The hint strip's text for order button index (0 to 5), the hot-key in brackets.
const std::string& OrderHint(int index);

class CButton : public CGUIWindow {
public:
    // Placed in the button panel's grid by its index; icon is a frame of the unit sprite set.
    CButton(int index, int icon, float left, float top, float right, float bottom);

    // Reads and clears the click.
    bool WasClicked();

    bool OnMouseDown(float x, float y, int button) override;
    bool OnMouseUp(float x, float y, int button) override;
    void OnMouseEnter(float x, float y) override;
    void OnMouseLeave(float x, float y) override;
    void Draw(float left, float top, float right, float bottom) override;


private:
    int icon;
    int index;
    bool hovered = false;
    bool pressed = false;
    bool clicked = false;
};
