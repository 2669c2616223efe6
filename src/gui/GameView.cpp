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

void CGameView::Begin(EOrderEntry entry, const char* prompt) {
    pending = entry;
    Prompt(prompt);
}

void CGameView::BeginOrder(int index) {
    struct COrderStart {
        EOrderEntry entry;
        const char* prompt;
    };
    // By the buttons' and hot-keys' numbering; Stop, the first, acts at once.
    static constexpr std::array<COrderStart, 6> kStarts{{
        {EOrderEntry::None, nullptr},
        {EOrderEntry::GoTo, "Wskaz miejsce docelowe."},
        {EOrderEntry::Follow, "Wskaz jednostke."},
        {EOrderEntry::Attack, "Wskaz jednostke."},
        {EOrderEntry::BuryOrDigOut, "Wskaz lezaca lub zakopana jednostke."},
        {EOrderEntry::CarryWhom, "Wskaz lezaca jednostke."},
    }};
    CUnit* unit = SelectedOwnUnit();
    if (!unit || index < 0 || index >= int(kStarts.size())) return;
    if (index == 0)
        Act(CPlayerAction::kStop, unit);
    else
        Begin(kStarts[std::size_t(index)].entry, kStarts[std::size_t(index)].prompt);
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
    if (button == kMouseLeft) LeftClick(wx, wy);
    if (button == kMouseRight) RightClick(wx, wy);
    return true;
}

void CGameView::LeftClick(float wx, float wy) {
    const EOrderEntry entry = std::exchange(pending, EOrderEntry::None);
    if (entry == EOrderEntry::None) {
        if (CUnit* hit = GameObjects().UnitAt(wx, wy)) Act(CPlayerAction::kSelect, hit);
        return;
    }
    // The selection may have moved to an enemy (a group key) since the entry began; the entry
    // then only ends, so the player never commands the computer's units.
    CUnit* unit = SelectedOwnUnit();
    if (!unit) return;
    switch (entry) {
    case EOrderEntry::GoTo: Act(CPlayerAction::kGo, unit, nullptr, wx, wy); break;
    case EOrderEntry::Follow:
    case EOrderEntry::Attack:
        if (CUnit* target = GameObjects().UnitAt(wx, wy))
            Act(entry == EOrderEntry::Follow ? CPlayerAction::kFollow : CPlayerAction::kAttack, unit, target);
        break;
    case EOrderEntry::BuryOrDigOut: ClickBuryOrDigOut(*unit, wx, wy); break;
    case EOrderEntry::CarryWhom: ClickCarryWhom(wx, wy); break;
    case EOrderEntry::CarryWhere:
        if (CUnit* target = remembered.Get()) Act(CPlayerAction::kCarry, unit, target, wx, wy);
        break;
    case EOrderEntry::LyingClicked: ClickLying(*unit, wx, wy); break;
    case EOrderEntry::None: break;
    }
}

void CGameView::ClickBuryOrDigOut(CUnit& unit, float wx, float wy) {
    if (CUnit* target = UnitAtWhere(wx, wy, IsLying))
        Act(target->buried ? CPlayerAction::kDigOut : CPlayerAction::kBury, &unit, target);
}

void CGameView::ClickCarryWhom(float wx, float wy) {
    CUnit* target = UnitAtWhere(wx, wy, [](const CUnit& u) { return IsLying(u) && !u.buried; });
    if (!target) return;
    remembered = target;
    Begin(EOrderEntry::CarryWhere, "Wskaz miejsce docelowe lub brzeg wody.");
}

// A lying unit was right-clicked: elsewhere carries it there, the unit itself again buries it.
void CGameView::ClickLying(CUnit& unit, float wx, float wy) {
    CUnit* target = remembered.Get();
    if (!target) return;
    if (!Covers(*target, wx, wy))
        Act(CPlayerAction::kCarry, &unit, target, wx, wy);
    else if (IsLying(*target) && !target->buried)
        Act(CPlayerAction::kBury, &unit, target);
}

void CGameView::RightClick(float wx, float wy) {
    if (pending != EOrderEntry::None) {
        pending = EOrderEntry::None;
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
        Begin(EOrderEntry::LyingClicked, "Wskaz miejsce docelowe, brzeg wody lub ponownie ta jednostke.");
    } else {
        Act(target->team != 0 ? CPlayerAction::kAttack : CPlayerAction::kFollow, unit, target);
    }
}

bool CGameView::OnKeyDown(int key) {
    if (key < '0' || key > '9') return true;
    TObjectRef<CUnit>& group = groups[std::size_t(key - '0')];
    if (ModifierOn(kModControl)) {
        if (CUnit* unit = Game().Selected()) {
            group = unit;
            if (CGameScreen* screen = GameGUI().screen) screen->RecordGroup(key - '0', unit);
        }
    } else if (CUnit* unit = group.Get()) {
        Act(CPlayerAction::kSelect, unit);
    }
    return true;
}

int CGameView::GetCursor(float, float) { return pending != EOrderEntry::None ? kCursorTarget : kCursorPointer; }

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
    const bool all = gui.IsKeyDown(platform::VK_MENU) || ModifierOn(kModCapsLock);
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
