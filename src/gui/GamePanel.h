// CGamePanel: the 120-pixel strip along the bottom of the game screen with the console, the
// information panel of the selected unit and the order buttons.
#pragma once

#include "gui/GUIWindow.h"

class CButtonPanel;
class CConsole;

// Shows the selected unit.
class CInfoPanel : public CGUIWindow {
public:
    void Draw(float left, float top, float right, float bottom) override;
};

class CGamePanel : public CGUIWindow {
public:
    // Creates the info panel, the button panel and the console, and makes the console the one
    // the game's announcements go to.
    CGamePanel();

    // Reads and clears the one-shot click of order button i (0 to 5).
    bool WasClicked(int i);

    void Update(float time, float elapsed, bool active) override;
    void Draw(float left, float top, float right, float bottom) override;
    bool OnMouseMove(float x, float y) override;

private:
    CInfoPanel* info;
    CButtonPanel* buttons;
    CConsole* console;
};
