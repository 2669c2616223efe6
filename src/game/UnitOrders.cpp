// What a unit does each frame: passive rules, its standing order, its current state, walking.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Snowball.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <cmath>
#include <numbers>

namespace {
constexpr std::uint32_t kOrderMessage = 0xFFFFFF60;
}

float AimingTime(float speed) { return (2.0f - 0.1f) * std::pow(0.95f, speed) + 0.1f; }

void CUnit::Report(const std::string& text, std::uint32_t colour) const {
    if (team == 0) Announce(text, colour);
}

bool CUnit::SetOrder(EUnitOrder newOrder, CUnit* target, float px, float py) {
    if (buried) return false;
    // A repeated order must not restart an aim or a burying already under way.
    if (order == newOrder && orderTarget.Is(target) && orderX == px && orderY == py) return false;
    order = newOrder;
    orderTarget = TObjectRef<CUnit>(target);
    orderX = px;
    orderY = py;
    goCheckTimer = 0.0f;
    goCheckDistance = -1.0f;
    if (state == EUnitState::Aiming || state == EUnitState::Burying || state == EUnitState::Digging) state = EUnitState::Free;
    return true;
}

void CUnit::GoTo(float px, float py, bool endWhenStalled) {
    if (SetOrder(EUnitOrder::Go, nullptr, px, py)) goEndsWhenStalled = endWhenStalled;
}
void CUnit::Follow(CUnit* target) { SetOrder(EUnitOrder::Follow, target, orderX, orderY); }
void CUnit::Attack(CUnit* target) { SetOrder(EUnitOrder::Attack, target, orderX, orderY); }
void CUnit::BuryUnit(CUnit* target) { SetOrder(EUnitOrder::Bury, target, orderX, orderY); }
void CUnit::DigOutUnit(CUnit* target) { SetOrder(EUnitOrder::DigOut, target, orderX, orderY); }
void CUnit::Carry(CUnit* target, float px, float py) { SetOrder(EUnitOrder::Carry, target, px, py); }

void CUnit::Stop() {
    if (buried || order == EUnitOrder::None) return;
    order = EUnitOrder::None;
    if (state == EUnitState::Aiming || state == EUnitState::Burying || state == EUnitState::Digging) state = EUnitState::Free;
}

void CUnit::Update(float, float elapsed) {
    if (buried) return;
    if (Game().substep == 0) slipDrawn = false;
    if (state == EUnitState::Fallen) {
        life += elapsed;
        if (life > 0.0f) {
            life = 1.0f;
            state = EUnitState::Free;
        }
    } else {
        AddLife(Attribute(kAttrRegeneration) * elapsed, false);
    }
    CMap& map = GameMap();
    if (map.IsBlocked(*this, x, y, false)) Drown();
    const CMapCell& cell = map.CellAt(x, y);
    if (cell.kind == kGround && cell.yellow && cell.snow > 0.0f && life > 0.0f) Damage(0.5f * elapsed, false);
    if (state == EUnitState::Free)
        ActOnOrder(elapsed);
    else if (state != EUnitState::Fallen)
        AdvanceState(elapsed);
}

void CUnit::Drown() {
    if (team == 0) Announce(name + (IsFemale() ? " utonela." : " utonal."), 0xFFFF6060);
    PlayEffect(7);
    GameObjects().Add(std::make_unique<CBubbles>(x, y));
    dead = true;
}

void CUnit::ActOnOrder(float elapsed) {
    CMap& map = GameMap();
    CUnit* target = orderTarget.Get();
    switch (order) {
    case EUnitOrder::Go:
        Face(orderX, orderY);
        // There is no path finding: a point behind a wall or inside an obstacle would hold a
        // computer's unit pushing there for good, never deciding again, and a battle between two
        // computer sides would never end; its stalled walk ends as if it had arrived. The player's
        // unit stands with the order set, so his own decisions stay in his hands.
        if (IsWithin(orderX, orderY, 0.1f) || (goEndsWhenStalled && GoStalled(elapsed)))
            order = EUnitOrder::None;
        else
            Walk(elapsed, false);
        break;
    case EUnitOrder::Follow:
        if (!target) {
            order = EUnitOrder::None;
            break;
        }
        Face(target->x, target->y);
        if (!IsWithin(*target, 3.0f)) Walk(elapsed, false);
        break;
    case EUnitOrder::Attack: {
        if (!target) {
            order = EUnitOrder::None;
            break;
        }
        const float d = DistanceTo(*target);
        if (d > kReach) {
            order = EUnitOrder::None;
            Report(target->name + " jest za daleko.", kOrderMessage);
        } else if (d < 4.0f) {
            order = EUnitOrder::None;
            Report(target->name + " stoi za blisko.", kOrderMessage);
        } else if (!map.HasSnow(x, y)) {
            Report(name + " nie ma czym rzucac.", kOrderMessage);
            order = EUnitOrder::None;
        } else {
            Face(target->x, target->y);
            state = EUnitState::Aiming;
            stateTarget = TObjectRef<CUnit>(target);
            stateTimer = AimingTime(Attribute(kAttrSpeed));
        }
        break;
    }
    case EUnitOrder::Bury:
        if (!target || target->IsStanding() || target->buried || map.CellAt(target->x, target->y).kind != kGround) {
            order = EUnitOrder::None;
        } else if (!map.HasSnow(target->x, target->y)) {
            Report("Tam nie ma sniegu.", kOrderMessage);
            order = EUnitOrder::None;
        } else {
            WorkOn(*target, EUnitState::Burying, elapsed);
        }
        break;
    case EUnitOrder::DigOut:
        if (!target || !target->buried)
            order = EUnitOrder::None;
        else
            WorkOn(*target, EUnitState::Digging, elapsed);
        break;
    case EUnitOrder::Carry:
        if (!target || target->buried || target->IsStanding()) {
            order = EUnitOrder::None;
        } else if (IsWithin(*target, 1.0f)) {
            Face(orderX, orderY);
            Walk(elapsed, true);
            target->x = x;
            target->y = y;
            if (IsWithin(orderX, orderY, 1.5f)) {
                if (!map.IsBlocked(*target, orderX, orderY, true)) {
                    target->x = orderX;
                    target->y = orderY;
                }
                order = EUnitOrder::None;
            }
            GameObjects().Moved(*target);
        } else {
            Face(target->x, target->y);
            Walk(elapsed, false);
        }
        break;
    default: break;
    }
}

bool CUnit::GoStalled(float elapsed) {
    const float distance = DistanceTo(orderX, orderY);
    if (goCheckDistance < 0.0f) {
        goCheckDistance = distance;
        goCheckTimer = 0.0f;
    }
    if (goCheckTimer < kStallTime) {
        goCheckTimer += elapsed;
        return false;
    }
    const bool stalled = goCheckDistance - distance < kStallProgress;
    goCheckDistance = distance;
    goCheckTimer = elapsed;
    return stalled;
}

void CUnit::WorkOn(CUnit& target, EUnitState work, float elapsed) {
    Face(target.x, target.y);
    if (!IsWithin(target, 1.0f)) {
        Walk(elapsed, false);
        return;
    }
    // The work runs without an order, so Stop does not interrupt it.
    state = work;
    stateTarget = TObjectRef<CUnit>(&target);
    stateTimer = 3.0f;
    order = EUnitOrder::None;
}

void CUnit::AdvanceState(float elapsed) {
    CUnit* target = stateTarget.Get();
    switch (state) {
    case EUnitState::Aiming:
        stateTimer -= elapsed;
        if (!target) {
            state = EUnitState::Free;
            break;
        }
        Face(target->x, target->y);
        if (stateTimer <= 0.0f) Throw(target);
        break;
    case EUnitState::Staggered:
        stateTimer -= elapsed;
        if (stateTimer <= 0.0f) state = EUnitState::Free;
        break;
    case EUnitState::Burying:
    case EUnitState::Digging: {
        const bool burying = state == EUnitState::Burying;
        const bool targetReady = target && !target->IsStanding() && target->buried == !burying;
        if (!targetReady || DistanceTo(*target) > 1.0f) {
            state = EUnitState::Free;
            break;
        }
        stateTimer -= elapsed;
        if (stateTimer > 0.0f) break;
        if (burying) {
            target->Bury();
            GameMap().AddSnow(target->x, target->y, 0.2f);
        } else {
            target->Unbury();
            GameMap().TakeSnow(target->x, target->y, 0.2f);
        }
        state = EUnitState::Free;
        break;
    }
    default: break;
    }
}

void CUnit::Throw(CUnit* target) {
    CMap& map = GameMap();
    state = EUnitState::Free;
    map.TakeSnow(x, y, 0.01f);
    const float spread = std::numbers::pi_v<float> / (Attribute(kAttrAccuracy) + 1.0f);
    const float heading = angle + (2.0f * RandUnit() - 1.0f) * spread;
    const CMapCell& cell = map.CellAt(x, y);
    auto ball = std::make_unique<CSniezka>(Attribute(kAttrDamage), heading, DistanceTo(*target), cell.snow, cell.yellow);
    ball->x = x + (GetSize() + 0.1f) * std::cos(angle);
    ball->y = y - (GetSize() + 0.1f) * std::sin(angle);
    GameObjects().Add(std::move(ball));
    PlayEffect(4);
    if (!target->IsStanding()) order = EUnitOrder::None;
}

void CUnit::Walk(float elapsed, bool carrying) {
    CMap& map = GameMap();
    float step = GetTerrainFactor(angle) * Attribute(kAttrSpeed) * elapsed;
    if (carrying) step *= 0.5f;
    const float px = x + std::cos(angle) * step;
    const float py = y - std::sin(angle) * step;
    // Sliding along a wall: the full step first, then each axis alone.
    const float tries[3][2] = {{px, py}, {px, y}, {x, py}};
    for (const auto& p : tries) {
        if (map.IsBlocked(*this, p[0], p[1], false)) continue;
        x = p[0];
        y = p[1];
        map.TakeSnow(x, y, 0.01f * elapsed);
        break;
    }
    // The slip chance is per walking frame: drawn the first time in a frame that a step ends on ice.
    if (map.CellAt(x, y).kind == kIce && !slipDrawn) {
        slipDrawn = true;
        if (GetSlipChance() > RandUnit()) Damage(Attribute(kAttrLife) + 1.0f, false);
    }
}
