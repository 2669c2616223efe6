// Snowball flight and hits; the bubbles of a drowning.
#include "game/Snowball.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <cmath>

CSniezka::CSniezka(float damage, float heading, float range, float sourceSnow, bool yellow)
    : damage(damage), yellow(yellow), range(range), sourceSnow(sourceSnow) {
    angle = heading;
}

void CSniezka::Update(float, float elapsed) {
    if (range <= 0.0f) {
        dead = true;
    } else {
        const float px = x + 10.0f * elapsed * std::cos(angle);
        const float py = y - 10.0f * elapsed * std::sin(angle);
        if (GameMap().IsBlocked(*this, px, py, true)) {
            PlayEffect(5);
            dead = true;
        } else if (CObject* other = GameObjects().FirstOverlapping(*this)) {
            PlayEffect(5);
            dead = true;
            if (CUnit* unit = other->AsUnit()) Hit(*unit);
        } else {
            range -= DistanceTo(px, py);
            x = px;
            y = py;
        }
    }
    if (dead) GameMap().AddSnow(x, y, 0.01f);
}

void CSniezka::Hit(CUnit& target) const {
    GameObjects().AwardExperience(target.x, target.y, target.team == 0 ? 1 : 0);
    const float defence = float(vexo::Rand()) * target.Attribute(kAttrDefence) / float(vexo::RandMax);
    const float under = GameMap().CellAt(x, y).snow;
    const float amount = (damage - defence) * (yellow ? 1.5f : 1.0f) + 3.0f * (sourceSnow - under);
    target.Damage(amount, false);
    target.state = EUnitState::Staggered;
    target.stateTimer = 1.75f;
    if (target.buried || target.life <= 0.0f) return;
    const float push = target.GetTerrainFactor(angle) * 0.5f;
    const float qx = target.x + push * std::cos(angle);
    const float qy = target.y - push * std::sin(angle);
    if (!GameMap().IsBlocked(target, qx, qy, true)) {
        target.x = qx;
        target.y = qy;
        GameObjects().Moved(target);
    }
}

CBubbles::CBubbles(float x, float y) {
    this->x = x;
    this->y = y;
}

void CBubbles::Update(float, float elapsed) {
    spinTimer -= elapsed;
    lifeTime -= elapsed;
    if (lifeTime <= 0.0f) dead = true;
    if (spinTimer <= 0.0f) {
        angle = RandHeading();
        spinTimer += 0.33333334f;
    }
}
