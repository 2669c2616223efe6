// Snowballs in flight and the bubbles left where a unit drowned.
#pragma once

#include "game/Object.h"

class CSniezka : public CObject {
public:
    // The creator sets the position and adds it to the world.
    CSniezka(float damage, float heading, float range, float sourceSnow, bool yellow);

    float GetSize() const override { return 0.33333334f; }
    void Update(float time, float elapsed) override;
    void Draw(float left, float top, float right, float bottom) override;

    float damage;
    bool yellow;
    float range;
    float sourceSnow;

private:
    void Hit(CUnit& target) const;
};

class CBubbles : public CObject {
public:
    CBubbles(float x, float y);

    float GetSize() const override { return 1.0f; }
    void Update(float time, float elapsed) override;
    void Draw(float left, float top, float right, float bottom) override;

    float spinTimer = 0.33333334f;
    float lifeTime = 5.0f;
};
