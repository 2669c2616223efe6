// Advancing a mission: substeps of long frames, slips per frame at any frame rate.
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

TEST_F(SimulationTest, IceSlipsAtTheSameRatePerFrameAtAnyFrameRate) {
    MakeWorld(20, 20, 0.0f);
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 20; ++c) Map().Cell(c, r).kind = kIce;
    vexo::SeedRand(7);
    for (const float fps : {30.0f, 60.0f, 144.0f}) {
        CUnit* child = AddUnit(kChild, 0, 5.0f, 5.0f);
        int slips = 0;
        for (int frame = 0; frame < 20000; ++frame) {
            child->x = child->y = 5.0f;
            child->life = child->Attribute(kAttrLife);
            child->state = EUnitState::Free;
            child->GoTo(15.0f, 5.0f);
            UpdateWorld(0.0f, 1.0f / fps);
            if (!child->IsStanding()) ++slips;
        }
        // 0.003 a frame: 60 expected, standard deviation 7.7; a draw per substep would double it at
        // 60 frames a second and quadruple it at 30.
        EXPECT_GT(slips, 30) << fps;
        EXPECT_LT(slips, 90) << fps;
        child->dead = true;
        Objects().UpdateAll(0.0f, 0.0f);
    }
}

} // namespace
