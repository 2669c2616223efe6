// CGameView: the battlefield window. It draws the map, the units with their markers and life
// bars, keeps the selection and turns clicks and hot-keys into orders for the selected unit.
#pragma once

#include "game/Object.h"
#include "gui/GUIWindow.h"

#include <array>
#include <cstdint>
#include <string>

class CUnit;

class CGameView : public CGUIWindow {
public:
    // Order index as the buttons and hot-keys number them: Stop, Go, Follow, Attack, Bury or dig
    // out, Carry. Needs a selected unit of the player's team.
    void BeginOrder(int index);

    bool OnMouseMove(float x, float y) override;
    bool OnMouseDown(float x, float y, int button) override;
    bool OnKeyDown(int key) override;
    int GetCursor(float x, float y) override;
    void Draw(float left, float top, float right, float bottom) override;

    // The unit under the pointer's last position over the view, or nullptr.
    CUnit* Hovered() const;

private:
    // What the next left click on the battlefield means.
    enum class EOrderEntry {
        None, // it selects
        GoTo,
        Follow,
        Attack,
        LyingClicked, // a lying unit was right-clicked: a destination, a bank or itself again
        BuryOrDigOut,
        CarryWhom,
        CarryWhere,
    };

    // The world point under (x, y) of the view's own coordinates.
    void ToWorld(float x, float y, float& wx, float& wy) const;
    void LeftClick(float wx, float wy);
    void ClickBuryOrDigOut(CUnit& unit, float wx, float wy);
    void ClickCarryWhom(float wx, float wy);
    void ClickLying(CUnit& unit, float wx, float wy);
    void Begin(EOrderEntry entry, const char* prompt);
    void RightClick(float wx, float wy);
    void Prompt(const std::string& text) const;
    void DrawMarker(const CUnit& unit, std::uint32_t alpha, float left, float top, float right, float bottom) const;
    void DrawLifeBars(const CUnit* hovered, float left, float top, float right, float bottom) const;

    float mouseX = 0.0f;
    float mouseY = 0.0f;
    // Serial-checked: a slot whose unit has left the world reads as empty, even if a new unit
    // took its address.
    std::array<TObjectRef<CUnit>, 10> groups;
    EOrderEntry pending = EOrderEntry::None;
    TObjectRef<CUnit> remembered;
};
