// The computer opponent's once-per-second decisions.
#include "game/Computer.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Unit.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr float kFarBeyondReach = (kReach + 0.1f) * (kReach + 0.1f);
}

void Think(CUnit& unit, bool computer) {
    if (unit.state != EUnitState::Free || (unit.order != EUnitOrder::None && unit.order != EUnitOrder::Attack)) return;
    if (computer && !GameMap().HasSnow(unit.x, unit.y)) {
        const CWorldPoint spot = FindSnowSpot(unit);
        unit.GoTo(spot.x, spot.y, true);
        return;
    }
    CUnit* target = nullptr;
    CUnit* victim = nullptr;
    CUnit* buriedFriend = nullptr;
    for (CObject* object : GameObjects().Near(unit.x, unit.y, kReach)) {
        const float dx = object->x - unit.x, dy = object->y - unit.y;
        // Clearly beyond reach by the squares alone (no rounding brings it back); the exact
        // distance below decides everything closer.
        if (dx * dx + dy * dy > kFarBeyondReach) continue;
        CUnit* other = object->AsUnit();
        if (!other) continue;
        const float d = unit.DistanceTo(*other);
        if (d > kReach) continue;
        const bool enemy = other->team != unit.team;
        // A later unit wins only with strictly lower life: the first of equals is attacked.
        if (other->IsStanding() && enemy && d >= 4.0f && (!target || other->life < target->life)) target = other;
        if (!other->IsStanding() && !other->buried && enemy && !victim) victim = other;
        if (other->buried && !enemy && !buriedFriend) buriedFriend = other;
    }
    if (target) {
        unit.Attack(target);
        return;
    }
    if (!computer) return;
    if (victim) {
        const CWorldPoint water = FindWater(unit);
        if (water.x >= 0.0f)
            unit.Carry(victim, water.x, water.y);
        else if (unit.DistanceTo(*victim) < 4.0f)
            unit.BuryUnit(victim);
        else
            unit.Attack(victim);
        return;
    }
    if (buriedFriend) unit.DigOutUnit(buriedFriend);
}

CWorldPoint FindSnowSpot(const CUnit& unit) {
    const CMap& map = GameMap();
    const int cx = int(unit.x), cy = int(unit.y);
    float best = 0.0f;
    CWorldPoint spot{float(cx), float(cy)};
    for (int c = cx - kSnowSearchRadius; c <= cx + kSnowSearchRadius; ++c) {
        for (int r = cy - kSnowSearchRadius; r <= cy + kSnowSearchRadius; ++r) {
            if (std::abs(c - cx) < 3 && std::abs(r - cy) < 3) continue;
            if (!map.IsGround(c, r)) continue;
            const float d = unit.DistanceTo(float(c), float(r));
            const float score = map.SnowAt(c, r) / (d / (kReach * 10.0f));
            if (score > best) {
                best = score;
                spot = {float(c), float(r)};
            }
        }
    }
    return spot;
}

CWorldPoint FindWater(const CUnit& unit) {
    const CMap& map = GameMap();
    const int samples = int(kReach);
    float best = 100000.0f;
    CWorldPoint result{-1.0f, -1.0f};
    // Whole-number offsets counted as integers, so the grid has exactly 21 x 21 points.
    for (int i = -samples; i <= samples; ++i) {
        const float sx = unit.x + float(i);
        for (int j = -samples; j <= samples; ++j) {
            const float sy = unit.y + float(j);
            if (!(sx >= 0.0f && sy >= 0.0f && sx < float(map.width) && sy < float(map.height))) continue;
            if (map.CellAt(sx, sy).kind != kWater) continue;
            const float d = unit.DistanceTo(sx, sy);
            if (d < best) {
                best = d;
                result = {sx, sy};
            }
        }
    }
    return result;
}
