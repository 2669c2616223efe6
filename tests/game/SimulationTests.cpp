// Advancing a mission: substeps of long frames, the once-per-second clock, headless runs.
#include "GameTestWorld.h"

#include "game/Simulation.h"
#include "game/Snowball.h"

namespace {

class SimulationTest : public GameWorldTest {};

TEST_F(SimulationTest, ALongFrameCannotCarryASnowballThroughAWall) {
    Map().Cell(6, 5).kind = kObstacle;
    auto ball = std::make_unique<CSniezka>(6.0f, 0.0f, 8.0f, 0.5f, false);
    ball->x = 4.0f;
    ball->y = 5.0f;
    Objects().Add(std::move(ball));
    UpdateWorld(0.0f, 0.3f); // one 3-tile jump would land beyond the wall
    EXPECT_TRUE(Objects().All().empty());
    EXPECT_FLOAT_EQ(Map().Cell(5, 5).snow, 0.51f);
    EXPECT_FLOAT_EQ(Map().Cell(7, 5).snow, 0.5f);
}

TEST_F(SimulationTest, ShortFramesStayOneStep) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    boy->Damage(100.0f, true);
    UpdateWorld(0.0f, 0.01f);
    EXPECT_FLOAT_EQ(boy->life, -9.99f);
    UpdateWorld(0.0f, 0.035f); // four substeps of 0.00875
    EXPECT_FLOAT_EQ(boy->life, -9.955f);
}

TEST_F(SimulationTest, TheEndIsCheckedOncePerSecond) {
    AddUnit(kBoy, 0, 2.0f, 5.0f);
    CMissionScreen screen;
    for (int i = 0; i < 4; ++i) StepMission(screen, 0.0f, 0.25f);
    EXPECT_FALSE(screen.over); // the timer is at exactly 0, not below
    StepMission(screen, 0.0f, 0.25f);
    EXPECT_TRUE(screen.over);
    EXPECT_TRUE(screen.won);
    EXPECT_FLOAT_EQ(screen.secondTimer, 0.75f);
}

TEST_F(SimulationTest, DecisionsRunForEveryUnitOnTheSecond) {
    CUnit* computer = AddUnit(kBoy, 1, 2.0f, 5.0f);
    CUnit* player = AddUnit(kBoy, 0, 8.0f, 5.0f);
    CMissionScreen screen;
    screen.secondTimer = 0.005f;
    StepMission(screen, 0.0f, 0.01f);
    EXPECT_EQ(computer->order, kOrderAttack);
    EXPECT_EQ(player->order, kOrderAttack);
    EXPECT_FALSE(screen.over);
}

TEST_F(SimulationTest, HeadlessRandomMapsRepeatWithTheSameSeed) {
    HeadlessOptions options;
    options.seed = 42;
    options.maxSeconds = 20.0f;
    const std::string first = DescribeResult(RunHeadless("", options));
    const std::string again = DescribeResult(RunHeadless("", options));
    EXPECT_EQ(first, again);
    EXPECT_EQ(first.rfind("result: timeout after 20.00 s; standing: ", 0), 0u) << first;
}

} // namespace
