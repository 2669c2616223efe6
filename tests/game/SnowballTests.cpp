// Snowballs: hits with their damage, stagger and knock-back, and a knock-back into water.
#include "GameTestWorld.h"

#include "game/Snowball.h"

namespace {

class SnowballTest : public GameWorldTest {
protected:
    CSniezka* Throw(float x, float y, float heading, float range, float damage = 6.0f,
                    float sourceSnow = 0.5f, bool yellow = false) {
        auto ball = std::make_unique<CSniezka>(damage, heading, range, sourceSnow, yellow);
        ball->x = x;
        ball->y = y;
        return Objects().Add(std::move(ball));
    }
    int Updates(float elapsed, int limit = 1000) {
        int n = 0;
        while (!Objects().All().empty() && n < limit) {
            Objects().UpdateAll(0.0f, elapsed);
            ++n;
        }
        return n;
    }
};

TEST_F(SnowballTest, HitDamagesStaggersPushesAndAwardsExperience) {
    CUnit* thrower = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 7.0f, 5.0f); // defence 5.5
    girl->life = 8.8f;
    Throw(6.5f, 5.0f, 0.0f, 6.0f);
    NextRandIs(0); // no defence at all: 6 points
    Objects().UpdateAll(0.0f, 0.01f);
    EXPECT_FLOAT_EQ(girl->life, 2.8f);
    EXPECT_EQ(girl->state, EUnitState::Staggered);
    EXPECT_GT(girl->stateTimer, 1.7f);
    EXPECT_FLOAT_EQ(girl->x, 7.375f); // pushed 0.5 x the flat-ground factor 0.75
    EXPECT_FLOAT_EQ(thrower->experience, 0.1f);
    EXPECT_EQ(sound.played.front(), std::make_pair(5, 0));
}

TEST_F(SnowballTest, KnockBackIntoWaterDrownsOnTheNextUpdate) {
    Map().Cell(8, 5).kind = kWater;
    CUnit* girl = AddUnit(kGirl, 0, 7.0f, 5.0f);
    girl->life = 8.8f;
    Game().Select(girl);
    Throw(6.5f, 5.0f, 0.0f, 6.0f);
    NextRandIs(32767);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(girl->x, 7.375f);
    EXPECT_FALSE(girl->dead);
    const std::string name = girl->name; // the unit is gone after it drowns
    Objects().UpdateAll(0.0f, 0.01f);
    ASSERT_EQ(Objects().Size(), 1u);
    EXPECT_EQ(Game().Selected(), nullptr);
    EXPECT_EQ(console.lines.back(), std::make_pair(name + " utonela.", 0xFFFF6060u));
    EXPECT_EQ(sound.played.back(), std::make_pair(7, 0));
    // The bubbles stay 5 seconds.
    EXPECT_EQ(Updates(0.25f), 20);
}

} // namespace
