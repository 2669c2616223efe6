// The once-per-second check that ends a mission in victory or defeat.
#include "game/GameState.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Unit.h"

bool CMissionScreen::InTargetArea(const CUnit& unit) const {
    return unit.x >= targetLeft && unit.x <= targetRight && unit.y >= targetTop && unit.y <= targetBottom;
}

bool CMissionScreen::HasTargetArea() const {
    return !(targetLeft == -100.0f && targetTop == -100.0f && targetRight == -99.0f && targetBottom == -99.0f);
}

void CheckMissionEnd(CMissionScreen& screen) {
    bool playerStands = false, enemyStands = false, playerInArea = false;
    for (const auto& object : GameObjects().All()) {
        const CUnit* unit = object->AsUnit();
        if (!unit || !unit->IsStanding()) continue;
        if (unit->team == 0) {
            playerStands = true;
            playerInArea = playerInArea || screen.InTargetArea(*unit);
        } else {
            enemyStands = true;
        }
    }
    if (playerStands && enemyStands && !playerInArea) return;
    const bool victory = playerStands;
    screen.over = true;
    screen.won = victory;
    Announce(victory ? "WYGRALES !!!" : "PRZEGRALES !!!", 0xFFFFFFFF);
    PlayEffect(victory ? 2 : 3);
    if (!screen.HasOverlay()) screen.AddEndOverlay(victory ? 0xFFFFFFFF : 0xFF000000);
}
