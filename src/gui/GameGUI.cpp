// The per-game GUI values and the edge-scroll rule.
#include "gui/GameGUI.h"

#include "game/GameState.h"
#include "gfx/Gfx.h"
#include "gui/Console.h"
#include "gui/GUIManager.h"

CGameGUI& GameGUI() {
    static CGameGUI values;
    return values;
}

bool CGameGUI::IsKeyDown(int key) const { return key >= 0 && std::size_t(key) < kKeyCount && keys[std::size_t(key)]; }

void CGameGUI::SetKey(int key, bool down) {
    if (key >= 0 && std::size_t(key) < kKeyCount) keys[std::size_t(key)] = down;
}

void CGameGUI::ClearKeys() { keys.fill(false); }

void CGameGUI::UpdateEdges(float x, float y) {
    const CGUIManager* manager = CGUIManager::Instance();
    if (!manager || !manager->fullScreen) {
        edgeLeft = edgeTop = edgeRight = edgeBottom = false;
        return;
    }
    edgeLeft = x < 2;
    edgeTop = y < 2;
    edgeRight = x >= ScreenWidth() - 2;
    edgeBottom = y >= ScreenHeight() - 2;
}

void CGameGUI::SetConsole(CConsole* window) {
    console = window;
    Game().console = window;
}

void CGameGUI::ForgetConsole(const CConsole* window) {
    if (!window || console != window) return;
    console = nullptr;
    if (Game().console == window) Game().console = nullptr;
}

void CGameGUI::ForgetHint(const CHint* window) {
    if (window && hint == window) hint = nullptr;
}

void CGameGUI::Clear() {
    ForgetConsole(console);
    *this = CGameGUI();
}

float ScreenWidth() {
    const CGfx* gfx = CGfx::Instance();
    return gfx ? gfx->screenWidthF : 0.0f;
}

float ScreenHeight() {
    const CGfx* gfx = CGfx::Instance();
    return gfx ? gfx->screenHeightF : 0.0f;
}
