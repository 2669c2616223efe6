// CConsole: the game's message list in the bottom panel, through which the game tells the player
// what happens; newer lines push the oldest out.
#pragma once

#include "game/GameState.h"
#include "gui/GUIWindow.h"

#include <cstdint>
#include <list>
#include <string>

class CConsole : public CGUIWindow, public IGameConsole {
public:
    struct CLine {
        std::string text; // Windows-1250
        std::uint32_t colour;
    };

    // Laid out by the game panel; until then it is empty and keeps no lines.
    CConsole() = default;
    ~CConsole() override;

    void AddMessage(const std::string& text, std::uint32_t colour);
    // The simulation's announcements arrive here.
    void AddLine(const std::string& text, std::uint32_t colour) override { AddMessage(text, colour); }

    // How many 12-pixel lines fit between the 4-pixel margins of the current rectangle.
    int Capacity() const;

    void Draw(float left, float top, float right, float bottom) override;

private:
    std::list<CLine> lines; // oldest first
};
