// The battlefield view: order entry, clicks, group keys and drawing of the world.
#include "gui/GameView.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/OrderLog.h"
#include "game/Unit.h"
#include "gfx/Gfx.h"
#include "gui/Console.h"
#include "gui/GUIManager.h"
#include "gui/GameGUI.h"
#include "gui/GameScreen.h"
#include "platform/VirtualKeys.h"

#include <numbers>
#include <utility>

namespace {

constexpr std::uint32_t kPromptColour = 0xFFC0C0C0;
constexpr int kMarkerFrame = 9;
constexpr float kMarkerScale = 1.25f;
// The life-bar keys: [ shows the player's side, ] the computer's.
constexpr int kOwnBarsKey = 0xDB;
constexpr int kEnemyBarsKey = 0xDD;

bool IsLying(const CUnit& unit) { return !unit.IsStanding(); }

bool Covers(const CUnit& unit, float x, float y) {
    const float half = unit.GetSize() / 2;
    return x >= unit.x - half && x <= unit.x + half && y >= unit.y - half && y <= unit.y + half;
}

// The first unit in list order under the point that meets the condition.
template <class Condition> CUnit* UnitAtWhere(float x, float y, const Condition& condition) {
    for (const auto& object : GameObjects().All()) {
        CUnit* unit = object->AsUnit();
        if (unit && Covers(*unit, x, y) && condition(*unit)) return unit;
    }
    return nullptr;
}

// Everything the player does to the world goes through the game screen, which records it.
void Act(int kind, CUnit* unit, CUnit* target = nullptr, float x = 0.0f, float y = 0.0f) {
    if (CGameScreen* screen = GameGUI().screen) screen->Act(kind, unit, target, x, y);
}

// Orders and prompts are for the player's own units only.
CUnit* SelectedOwnUnit() {
    CUnit* unit = Game().Selected();
    return unit && unit->team == 0 ? unit : nullptr;
}

} // namespace

void CGameView::Prompt(const std::string& text) const {
    if (CConsole* console = GameGUI().console) console->AddMessage(text, kPromptColour);
}

void CGameView::BeginOrder(int index) {
    CUnit* unit = SelectedOwnUnit();
    if (!unit) return;
    switch (index) {
    case 0: Act(CPlayerAction::kStop, unit); break;
    case 1:
        pending = kGoTo;
        Prompt("Wskaz miejsce docelowe.");
        break;
    case 2:
        pending = kFollow;
        Prompt("Wskaz jednostke.");
        break;
    case 3:
        pending = kAttack;
        Prompt("Wskaz jednostke.");
        break;
    case 4:
        pending = kBuryOrDigOut;
        Prompt("Wskaz lezaca lub zakopana jednostke.");
        break;
    case 5:
        pending = kCarryWhom;
        Prompt("Wskaz lezaca jednostke.");
        break;
    default: break;
    }
}

void CGameView::ToWorld(float x, float y, float& wx, float& wy) const {
    ViewToWorld(x, y, right - left, bottom - top, wx, wy);
}

CUnit* CGameView::Hovered() const {
    if (!Game().objects) return nullptr;
    float wx, wy;
    ToWorld(mouseX, mouseY, wx, wy);
    return GameObjects().UnitAt(wx, wy);
}

bool CGameView::OnMouseMove(float x, float y) {
    mouseX = x;
    mouseY = y;
    GameGUI().UpdateEdges(x + left, y + top);
    return true;
}

bool CGameView::OnMouseDown(float x, float y, int button) {
    if (!Game().objects) return true;
    float wx, wy;
    ToWorld(x, y, wx, wy);
    if (button == GUIMouseLeft) LeftClick(wx, wy);
    if (button == GUIMouseRight) RightClick(wx, wy);
    return true;
}

void CGameView::LeftClick(float wx, float wy) {
    // The selection may have moved to an enemy (a group key) since the entry began; the entry
    // then only ends, so the player never commands the computer's units.
    CUnit* unit = SelectedOwnUnit();
    const int state = std::exchange(pending, kNone);
    switch (state) {
    case kNone:
        if (CUnit* hit = GameObjects().UnitAt(wx, wy)) Act(CPlayerAction::kSelect, hit);
        break;
    case kGoTo:
        if (unit) Act(CPlayerAction::kGo, unit, nullptr, wx, wy);
        break;
    case kFollow:
    case kAttack: {
        CUnit* target = unit ? GameObjects().UnitAt(wx, wy) : nullptr;
        if (target) Act(state == kFollow ? CPlayerAction::kFollow : CPlayerAction::kAttack, unit, target);
        break;
    }
    case kBuryOrDigOut:
        if (!unit) break;
        if (CUnit* target = UnitAtWhere(wx, wy, IsLying)) {
            Act(target->buried ? CPlayerAction::kDigOut : CPlayerAction::kBury, unit, target);
        }
        break;
    case kCarryWhom: {
        CUnit* target =
            unit ? UnitAtWhere(wx, wy, [](const CUnit& u) { return IsLying(u) && !u.buried; }) : nullptr;
        if (!target) break;
        remembered = target;
        pending = kCarryWhere;
        Prompt("Wskaz miejsce docelowe lub brzeg wody.");
        break;
    }
    case kCarryWhere:
        if (CUnit* target = remembered.Get(); unit && target) Act(CPlayerAction::kCarry, unit, target, wx, wy);
        break;
    case kLyingClicked: {
        CUnit* target = remembered.Get();
        if (!unit || !target) break;
        if (!Covers(*target, wx, wy))
            Act(CPlayerAction::kCarry, unit, target, wx, wy);
        else if (IsLying(*target) && !target->buried)
            Act(CPlayerAction::kBury, unit, target);
        break;
    }
    default: break;
    }
}

void CGameView::RightClick(float wx, float wy) {
    if (pending != kNone) {
        pending = kNone;
        return;
    }
    CUnit* unit = SelectedOwnUnit();
    if (!unit) return;
    CUnit* target = GameObjects().UnitAt(wx, wy);
    if (!target) {
        Act(CPlayerAction::kGo, unit, nullptr, wx, wy);
    } else if (target->buried) {
        Act(CPlayerAction::kDigOut, unit, target);
    } else if (IsLying(*target)) {
        remembered = target;
        pending = kLyingClicked;
        Prompt("Wskaz miejsce docelowe, brzeg wody lub ponownie ta jednostke.");
    } else {
        Act(target->team != 0 ? CPlayerAction::kAttack : CPlayerAction::kFollow, unit, target);
    }
}

bool CGameView::OnKeyDown(int key) {
    if (key < '0' || key > '9') return true;
    TObjectRef<CUnit>& group = groups[std::size_t(key - '0')];
    if (ModifierOn(GUIModControl)) {
        if (CUnit* unit = Game().Selected()) {
            group = unit;
            if (CGameScreen* screen = GameGUI().screen) screen->RecordGroup(key - '0', unit);
        }
    } else if (CUnit* unit = group.Get()) {
        Act(CPlayerAction::kSelect, unit);
    }
    return true;
}

int CGameView::GetCursor(float, float) { return pending != kNone ? GUICursorTarget : GUICursorPointer; }

void CGameView::DrawMarker(const CUnit& unit, std::uint32_t alpha, float left, float top, float right,
                           float bottom) const {
    float vx, vy;
    WorldToView(unit.x, unit.y, right - left, bottom - top, vx, vy);
    const std::uint32_t rgb = unit.team == 0 ? 0x40FF40 : 0xFF4040;
    CGfx::Instance()->sprite.Add(kMarkerFrame, vx + left, vy + top, unit.GetSize() * Game().tileSize * kMarkerScale,
                                 alpha << 24 | rgb, unit.angle - std::numbers::pi_v<float> / 2);
}

void CGameView::DrawLifeBars(const CUnit* hovered, float left, float top, float right, float bottom) const {
    const CGameGUI& gui = GameGUI();
    const bool all = gui.IsKeyDown(platform::VK_MENU) || ModifierOn(GUIModCapsLock);
    CGfxFilledRect& rects = CGfx::Instance()->filledRect;
    bool open = false;
    for (const auto& object : GameObjects().All()) {
        const CUnit* unit = object->AsUnit();
        if (!unit) continue;
        const bool shown = all || unit == hovered || (unit->team == 0 && gui.IsKeyDown(kOwnBarsKey)) ||
                           (unit->team != 0 && gui.IsKeyDown(kEnemyBarsKey));
        if (!shown) continue;
        if (!open) rects.Begin(0);
        open = true;
        unit->DrawLifeBar(left, top, right, bottom);
    }
    if (open) rects.Flush();
}

void CGameView::Draw(float left, float top, float right, float bottom) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx || !Game().map || !Game().objects) return;
    GameMap().Draw(left, top, right, bottom);
    CUnit* hovered = Hovered();
    const CUnit* selected = Game().Selected();
    gfx->sprite.Begin(kUnitSpriteSet, std::uint32_t(GameObjects().Size() + 2), true);
    if (selected) DrawMarker(*selected, 0xFF, left, top, right, bottom);
    if (hovered && hovered != selected) DrawMarker(*hovered, 0x60, left, top, right, bottom);
    GameObjects().DrawAll(left, top, right, bottom);
    gfx->sprite.Flush();
    DrawLifeBars(hovered, left, top, right, bottom);
}
