// Snowballs: flight, landing, obstacles, hits with their damage, knock-back and experience;
// bubbles.
#include "GameTestWorld.h"

#include "game/Snowball.h"

#include <cmath>

namespace {

class SnowballTest : public GameWorldTest {
protected:
    CSniezka* Throw(float x, float y, float heading, float range, float damage = 6.0f, float sourceSnow = 0.5f,
                    bool yellow = false) {
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

TEST_F(SnowballTest, FliesItsRangeThenLandsAddingSnow) {
    // 0.25 tiles a step along the x axis is exact: 6 tiles are 24 moves, landing on update 25.
    Throw(2.0f, 5.0f, 0.0f, 6.0f);
    EXPECT_EQ(Updates(0.025f), 25);
    EXPECT_FLOAT_EQ(Map().Cell(8, 5).snow, 0.51f);
    EXPECT_TRUE(sound.played.empty()); // a landing is silent
}

TEST_F(SnowballTest, WaterDoesNotStopItButAnObstacleDoes) {
    Map().Cell(5, 5) = CMapCell{kWater, 0.0f, false};
    Throw(2.0f, 5.0f, 0.0f, 6.0f);
    EXPECT_EQ(Updates(0.025f), 25);

    Map().Cell(6, 5).kind = kObstacle;
    CSniezka* ball = Throw(2.0f, 5.0f, 0.0f, 6.0f);
    float lastX = 0.0f;
    for (int i = 0; i < 100 && !Objects().All().empty(); ++i) {
        lastX = ball->x;
        Objects().UpdateAll(0.0f, 0.025f);
    }
    // Its square must not reach 5.5: it stops at 5.25, whose square ends at 5.4166.
    EXPECT_FLOAT_EQ(lastX, 5.25f);
    EXPECT_EQ(sound.played, (std::vector<std::pair<int, int>>{{5, 0}}));
    EXPECT_FLOAT_EQ(Map().Cell(5, 5).snow, 0.01f); // landed on the water cell in front
}

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

    // The full defence: 6 - 5.5 = 0.5; yellow snow makes it 0.75.
    girl->x = 7.0f;
    girl->life = 8.0f;
    Map().Cell(6, 5).snow = 0.5f; // the first snowball left a little snow there
    Throw(6.5f, 5.0f, 0.0f, 6.0f);
    NextRandIs(32767);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(girl->life, 7.5f);
    girl->x = 7.0f;
    Map().Cell(6, 5).snow = 0.5f;
    Throw(6.5f, 5.0f, 0.0f, 6.0f, 6.0f, 0.5f, true);
    NextRandIs(32767);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(girl->life, 6.75f);
}

TEST_F(SnowballTest, DeeperSnowAtTheThrowerHitsHarder) {
    CUnit* boy = AddUnit(kBoy, 1, 7.0f, 5.0f);
    boy->life = 11.0f;
    Map().Cell(6, 5).snow = 0.25f;
    Throw(6.5f, 5.0f, 0.0f, 6.0f, 6.0f, 0.75f);
    NextRandIs(32767); // 6 - 6 = 0 by the defence alone
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(boy->life, 11.0f - 1.5f); // 3 x (0.75 - 0.25)
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

TEST_F(SnowballTest, ALyingOrBuriedUnitIsOnlyResetAndNotPushed) {
    CUnit* boy = AddUnit(kBoy, 1, 7.0f, 5.0f);
    boy->Damage(100.0f, true);
    boy->life = -2.0f;
    Throw(6.5f, 5.0f, 0.0f, 6.0f);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_EQ(boy->life, -10.0f);
    EXPECT_EQ(boy->x, 7.0f);
    boy->buried = true;
    Throw(6.5f, 5.0f, 0.0f, 6.0f);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_EQ(boy->x, 7.0f);
}

TEST_F(SnowballTest, ExperienceGoesToTheSideOpposingTheVictim) {
    CUnit* victim = AddUnit(kBoy, 2, 7.0f, 5.0f);
    CUnit* player = AddUnit(kBoy, 0, 12.0f, 12.0f);
    CUnit* computer = AddUnit(kBoy, 1, 12.0f, 12.0f);
    CUnit* other = AddUnit(kBoy, 3, 12.0f, 12.0f);
    Throw(6.5f, 5.0f, 0.0f, 6.0f);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(player->experience, 0.1f);
    EXPECT_EQ(computer->experience, 0.0f);
    EXPECT_EQ(other->experience, 0.0f);
    EXPECT_EQ(victim->experience, 0.0f);
}

TEST_F(SnowballTest, BubblesEndASnowballAndVanishAfterFiveSeconds) {
    Objects().Add(std::make_unique<CBubbles>(7.0f, 5.0f));
    Throw(6.4f, 5.0f, 0.0f, 6.0f);
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_EQ(Objects().Size(), 1u);

    EXPECT_EQ(sound.played, (std::vector<std::pair<int, int>>{{5, 0}}));
    Objects().UpdateAll(0.0f, 5.0f);
    EXPECT_TRUE(Objects().All().empty());
}

} // namespace
