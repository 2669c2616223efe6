// What the game screen's windows share: placing a window laid out by its owner, the filled
// rectangle and panel box they draw with, and the window kind the mouse passes through.
#pragma once

#include "gui/GUIWindow.h"

#include <cstdint>

// Moves a window its owner lays out every frame.
void Place(CGUIWindow& window, float left, float top, float right, float bottom);
// A filled rectangle in back-buffer pixels, all four corners alike.
void FillRect(float left, float top, float right, float bottom, std::uint32_t colour);
// Grey box with a light outline: the background of the console and of both panels.
void DrawPanelBox(float left, float top, float right, float bottom);

// Declines every pointer event, so the windows below it (the view under the hint strip or under a
// fading overlay) get the clicks as if it were not there. The cursor over it is still the ordinary
// pointer, so a fade hides the targeting cross along with the battlefield.
class CPassThroughWindow : public CGUIWindow {
public:
    bool OnMouseMove(float x, float y) override;
    bool OnMouseDown(float x, float y, int button) override;
    bool OnMouseUp(float x, float y, int button) override;
    bool OnDoubleClick(float x, float y, int button) override;
    bool OnMouseWheel(float x, float y, float amount) override;
};
