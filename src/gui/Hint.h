// CHint: the one-line hint strip above the game panel; it shows only while it has text and never
// takes the mouse.
#pragma once

#include "gui/GameWindows.h"

#include <string>

class CHint : public CPassThroughWindow {
public:
    // Empty and hidden until an order button is hovered.
    CHint();
    ~CHint() override;

    void SetText(const std::string& text);

    void Update(float time, float elapsed, bool active) override;
    void Draw(float left, float top, float right, float bottom) override;

private:
    std::string text;
};
