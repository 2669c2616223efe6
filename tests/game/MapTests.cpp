// The map's bounds: blocking squares, and the outside that reads as bare obstacle.
#include "GameTestWorld.h"

namespace {

class MapTest : public GameWorldTest {};

TEST_F(MapTest, SquaresBlockOnStrictOverlapWithObstaclesWaterAndTheOutside) {
    Map().Cell(6, 5).kind = kObstacle;
    CUnit* boy = AddUnit(kBoy, 0, 5.2f, 5.5f);
    // 5.2 + 0.475 reaches past 5.5, where the obstacle's square starts.
    EXPECT_TRUE(Map().IsBlocked(*boy, 5.2f, 5.5f, false));
    EXPECT_FALSE(Map().IsBlocked(*boy, 5.0f, 5.5f, false)); // touching the edge only
    Map().Cell(6, 5).kind = kWater;
    EXPECT_TRUE(Map().IsBlocked(*boy, 5.2f, 5.5f, false));
    EXPECT_FALSE(Map().IsBlocked(*boy, 5.2f, 5.5f, true));

    // The outside blocks a square reaching below -0.5, though -0.3 still looks up column 0.
    CUnit* child = AddUnit(kChild, 0, 0.0f, 5.0f);
    EXPECT_FALSE(Map().IsBlocked(*child, 0.0f, 5.0f, false));
    EXPECT_TRUE(Map().IsBlocked(*child, -0.3f, 5.0f, false));
    EXPECT_TRUE(Map().IsBlocked(*child, 19.2f, 5.0f, true));
    EXPECT_TRUE(Map().IsBlocked(*child, 5.0f, 1.0e6f, true));
    EXPECT_TRUE(Map().IsBlocked(*child, -1.0e6f, 5.0f, true));
}

TEST_F(MapTest, OutsideTheMapReadsAsBareObstacleAndIgnoresSnowChanges) {
    EXPECT_EQ(Map().CellAt(-5.0f, 3.0f).kind, kObstacle);
    EXPECT_EQ(Map().CellAt(20.0f, 0.0f).kind, kObstacle);
    EXPECT_FALSE(Map().HasSnow(3.0f, -1.5f));
    Map().TakeSnow(-3.0f, 25.0f, 0.5f);
    Map().AddSnow(1.0e6f, 2.0f, 0.5f);
    EXPECT_EQ(Map().CellAt(-5.0f, 3.0f).snow, 0.0f);
    EXPECT_EQ(Map().SnowAt(-1, 5), 0.0f);
    EXPECT_FLOAT_EQ(Map().SnowClamped(-4, 25), Map().Cell(0, 19).snow);
}

} // namespace
