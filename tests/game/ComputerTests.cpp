// The computer's decisions: fetching snow, and giving up on snow that cannot be reached.
#include "GameTestWorld.h"

#include "game/Computer.h"
#include "game/Simulation.h"

namespace {

class ComputerTest : public GameWorldTest {};

TEST_F(ComputerTest, WithoutSnowAComputerUnitFetchesSomeNeverFromItsNearNeighbourhood) {
    CUnit* unit = AddUnit(kBoy, 1, 10.5f, 10.5f);
    Map().Cell(10, 10).snow = 0.0f;
    Map().Cell(11, 11).snow = 1.0f; // deep, but in the near neighbourhood
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Go);
    // (13, 10) and (10, 13) are nearest at 2.55; the earlier column wins the tie.
    EXPECT_EQ(unit->orderX, 10.0f);
    EXPECT_EQ(unit->orderY, 13.0f);

    // Nothing anywhere: the unit's own cell.
    MakeWorld(20, 20, 0.0f);
    CUnit* lost = AddUnit(kBoy, 1, 4.5f, 6.5f);
    const WorldPoint none = FindSnowSpot(*lost);
    EXPECT_EQ(none.x, 4.0f);
    EXPECT_EQ(none.y, 6.0f);
}

TEST_F(ComputerTest, AUnitSentForSnowBehindAWallGivesUpAndDecidesAgain) {
    MakeWorld(20, 20, 0.0f);
    Map().Cell(10, 2).snow = 1.0f;
    for (int c = 0; c < 20; ++c) Map().Cell(c, 5).kind = kObstacle;
    CUnit* unit = AddUnit(kBoy, 1, 10.5f, 10.5f);
    AddUnit(kGirl, 0, 1.5f, 18.5f); // out of reach, so that the mission goes on
    CMissionScreen screen;
    float gaveUp = -1.0f;
    int goOrders = 0;
    // At 1/60 s, as the game runs; the once-per-second decisions send it off again each time.
    for (int frame = 1; frame <= 60 * 12; ++frame) {
        const bool going = unit->order == EUnitOrder::Go;
        StepMission(screen, 0.0f, 1.0f / 60.0f);
        if (going && unit->order == EUnitOrder::None && gaveUp < 0.0f) gaveUp = float(frame) / 60.0f;
        if (!going && unit->order == EUnitOrder::Go) ++goOrders;
    }
    EXPECT_GT(gaveUp, 2.0f);
    EXPECT_LT(gaveUp, 6.5f); // under a second to the wall, then at most two checks
    EXPECT_GE(goOrders, 2);
    EXPECT_EQ(unit->orderX, 10.0f);
    EXPECT_EQ(unit->orderY, 2.0f);
    EXPECT_FALSE(screen.over);
}

} // namespace
