// The per-game values the game screen's windows share: the key table, the current game screen,
// the hint and console windows and the edge-scroll flags. They exist once and are cleared when
// the game screen goes.
#pragma once

#include <array>
#include <cstddef>

class CGameScreen;
class CHint;
class CConsole;

// Width of the order-button panel: four 32-pixel buttons with 4-pixel gaps and margins.
inline constexpr float kButtonPanelWidth = 4 * 5 + 32 * 4;

struct CGameGUI {
    // One flag per virtual-key code, true while the key is down as the game screen saw it.
    static constexpr std::size_t kKeyCount = 65535;
    std::array<bool, kKeyCount> keys{};

    CGameScreen* screen = nullptr;
    CHint* hint = nullptr;
    CConsole* console = nullptr;

    // Set by mouse moves over the view or the panel near the screen's edges, full screen only.
    bool edgeLeft = false;
    bool edgeTop = false;
    bool edgeRight = false;
    bool edgeBottom = false;

    // Codes outside the table read as released and are never stored.
    bool IsKeyDown(int key) const;
    void SetKey(int key, bool down);
    void ClearKeys();

    // (x, y) in back-buffer pixels; windowed play never scrolls by the edges, where the pointer
    // leaves the window instead.
    void UpdateEdges(float x, float y);

    // Console and hint go with the windows that own them: the game console of the simulation is
    // dropped too, so no announcement reaches a deleted window.
    void SetConsole(CConsole* window);
    void ForgetConsole(const CConsole* window);
    void ForgetHint(const CHint* window);

    // Everything back to the state before any game screen existed.
    void Clear();
};

CGameGUI& GameGUI();

// The back-buffer size the game screen lays itself out in; 0 x 0 without a graphics manager.
float ScreenWidth();
float ScreenHeight();
