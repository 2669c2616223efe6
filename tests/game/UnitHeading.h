// What a unit's order is about, as the world shows it: the tests of the player's and the
// computer's orders check the target through the unit's own behaviour.
#pragma once

#include "game/Unit.h"

#include <cmath>
#include <limits>

// Whether the unit's order is about target: on its next step a unit turns toward the unit it
// follows, attacks, buries, digs out or goes to carry. That step takes no time, and the unit's
// order, state and heading are put back after it.
inline bool TurnsTo(CUnit& unit, const CUnit& target) {
    const EUnitOrder order = unit.order;
    const EUnitState state = unit.state;
    const float timer = unit.stateTimer, angle = unit.angle;
    unit.angle = std::numeric_limits<float>::quiet_NaN(); // stays so unless the step turns the unit
    unit.Update(0.0f, 0.0f);
    // The heading (cos a, -sin a) along the way to the target; a target on the unit's own spot
    // lies along any heading.
    const float dx = target.x - unit.x, dy = target.y - unit.y;
    const float hx = std::cos(unit.angle), hy = -std::sin(unit.angle);
    const bool turned = std::fabs(hx * dy - hy * dx) <= 1e-4f * std::hypot(dx, dy) && hx * dx + hy * dy >= 0.0f;
    unit.order = order;
    unit.state = state;
    unit.stateTimer = timer;
    unit.angle = angle;
    return turned;
}
