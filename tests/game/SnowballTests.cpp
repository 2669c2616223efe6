// Snowballs: a hit with its damage, stagger and knock-back, and a long frame that must not carry one
// through a wall.
#include "GameTestWorld.h"

#include "game/Simulation.h"
#include "game/Snowball.h"

namespace {

class SnowballTest : public GameWorldTest {
protected:
    void Throw(float x, float heading, float range) {
        auto ball = std::make_unique<CSniezka>(6.0f, heading, range, 0.5f, false);
        ball->x = x;
        ball->y = 5.0f;
        Objects().Add(std::move(ball));
    }
};

TEST_F(SnowballTest, HitDamagesStaggersPushesAndAwardsExperience) {
    CUnit* thrower = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 7.0f, 5.0f); // defence 5.5
    girl->life = 8.8f;
    Throw(6.5f, 0.0f, 6.0f);
    NextRandIs(0); // no defence at all: 6 points
    Objects().UpdateAll(0.0f, 0.01f);
    EXPECT_FLOAT_EQ(girl->life, 2.8f);
    EXPECT_EQ(girl->state, EUnitState::Staggered);
    EXPECT_GT(girl->stateTimer, 1.7f);
    EXPECT_FLOAT_EQ(girl->x, 7.375f); // pushed 0.5 x the flat-ground factor 0.75
    EXPECT_FLOAT_EQ(thrower->experience, 0.1f);
    EXPECT_EQ(sound.played.front(), std::make_pair(5, 0));
}

TEST_F(SnowballTest, ALongFrameCannotCarryOneThroughAWall) {
    Map().Cell(6, 5).kind = kObstacle;
    Throw(4.0f, 0.0f, 8.0f);
    UpdateWorld(0.0f, 0.3f); // one 3-tile jump would land beyond the wall
    EXPECT_TRUE(Objects().All().empty());
    EXPECT_FLOAT_EQ(Map().Cell(5, 5).snow, 0.51f);
    EXPECT_FLOAT_EQ(Map().Cell(7, 5).snow, 0.5f);
}

} // namespace
