// The computer's side: every unit decides for itself once per second.
#pragma once

class CUnit;

struct CWorldPoint {
    float x;
    float y;
};

// One decision for one unit. The player's units (computer false) only pick throwing targets.
void Think(CUnit& unit, bool computer);
// Where the unit should fetch snow: the best cell around it, never in its near neighbourhood.
CWorldPoint FindSnowSpot(const CUnit& unit);
// The nearest water point sampled at whole-tile offsets from the unit, or (-1, -1) for none.
CWorldPoint FindWater(const CUnit& unit);
