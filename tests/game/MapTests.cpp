// The terrain rules: blocking squares and map edges, snow taken and added, slope, the relief.
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
    Map().Cell(6, 5).kind = kIce;
    EXPECT_FALSE(Map().IsBlocked(*boy, 5.2f, 5.5f, false));

    // The outside blocks a square reaching below -0.5, though -0.3 still looks up column 0.
    CUnit* child = AddUnit(kChild, 0, 0.0f, 5.0f);
    EXPECT_FALSE(Map().IsBlocked(*child, 0.0f, 5.0f, false));
    EXPECT_TRUE(Map().IsBlocked(*child, -0.3f, 5.0f, false));
    EXPECT_TRUE(Map().IsBlocked(*child, 19.2f, 5.0f, true));
    EXPECT_TRUE(Map().IsBlocked(*child, 5.0f, 1.0e6f, true));
    EXPECT_TRUE(Map().IsBlocked(*child, -1.0e6f, 5.0f, true));
    Map().Cell(0, 5).snow = 0.25f;
    EXPECT_FLOAT_EQ(Map().CellAt(-0.3f, 5.0f).snow, 0.25f);
}

TEST_F(MapTest, OutsideTheMapReadsAsBareObstacleAndIgnoresSnowChanges) {
    const CMapCell& outside = Map().CellAt(-5.0f, 3.0f);
    EXPECT_EQ(outside.kind, kObstacle);
    EXPECT_EQ(outside.snow, 0.0f);
    EXPECT_FALSE(outside.yellow);
    EXPECT_EQ(Map().CellAt(20.0f, 0.0f).kind, kObstacle);
    EXPECT_FALSE(Map().HasSnow(3.0f, -1.5f));
    Map().TakeSnow(-3.0f, 25.0f, 0.5f);
    Map().AddSnow(1.0e6f, 2.0f, 0.5f);
    Map().AddSnow(2.0f, -1.0f, 0.5f);
    EXPECT_EQ(Map().CellAt(-5.0f, 3.0f).snow, 0.0f);
}

TEST_F(MapTest, TakingAndAddingSnow) {
    CMapCell& cell = Map().Cell(3, 4);
    cell = {kGround, 0.5f, true};
    Map().TakeSnow(3.7f, 4.2f, 0.499f);
    EXPECT_TRUE(cell.yellow); // 0.001 left keeps the yellow snow
    Map().TakeSnow(3.7f, 4.2f, 0.001f);
    EXPECT_EQ(cell.snow, 0.0f);
    EXPECT_FALSE(cell.yellow); // gone to exactly nothing
    cell = {kGround, 0.25f, true};
    Map().TakeSnow(3.0f, 4.0f, 0.25f);
    EXPECT_FALSE(cell.yellow);

    cell = {kIce, 0.995f, true};
    Map().AddSnow(3.0f, 4.0f, 0.01f);
    EXPECT_EQ(cell.snow, 1.0f);
    EXPECT_EQ(cell.kind, kIce);
    EXPECT_TRUE(cell.yellow);

    EXPECT_TRUE(Map().HasSnow(5.0f, 5.0f));
    Map().Cell(5, 5).kind = kIce;
    EXPECT_FALSE(Map().HasSnow(5.0f, 5.0f));
    EXPECT_FALSE(Map().IsGround(5, 5));
    EXPECT_EQ(Map().SnowAt(5, 5), 0.0f);
    EXPECT_EQ(Map().SnowAt(-1, 5), 0.0f);
    EXPECT_FLOAT_EQ(Map().SnowClamped(-4, 25), Map().Cell(0, 19).snow);
}

TEST_F(MapTest, SlopeFactorFollowsTheSnowDifferenceClamped) {
    CUnit* unit = AddUnit(kBoy, 0, 5.5f, 5.5f);
    // Exact in binary: 0.5 here, 0.4375 to the right gives d = 0.625, clamped to 0.5.
    Map().Cell(6, 5).snow = 0.4375f;
    EXPECT_FLOAT_EQ(Map().SlopeFactor(*unit, 0.0f), 1.25f);
    Map().Cell(6, 5).snow = 0.5f - 0.015625f; // d = 0.15625
    EXPECT_FLOAT_EQ(Map().SlopeFactor(*unit, 0.0f), 0.90625f);
    Map().Cell(5, 4).snow = 1.0f; // up is y - 1
    EXPECT_FLOAT_EQ(Map().SlopeFactor(*unit, 3.14159265f / 2), 0.25f);
    EXPECT_FLOAT_EQ(Map().SlopeFactor(*unit, 3.14159265f), 0.75f);

    // The neighbour of a border cell is clamped back onto the map.
    unit->x = 19.2f;
    Map().Cell(19, 5).snow = 0.2f;
    EXPECT_FLOAT_EQ(Map().SlopeFactor(*unit, 0.0f), 0.75f);
}

TEST_F(MapTest, ReliefStaysWithinRangeAndWorksOnOneCell) {
    vexo::SeedRand(77);
    CMap tiny(1, 1);
    tiny.RandomRelief();
    EXPECT_GE(tiny.Cell(0, 0).snow, -0.75f);
    EXPECT_LE(tiny.Cell(0, 0).snow, 1.0f);

    // Each of the 4 passes averages five values no larger than 1 and no smaller than -0.75.
    CMap map(30, 20);
    map.RandomRelief();
    int yellow = 0;
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 30; ++c) {
            EXPECT_EQ(map.Cell(c, r).kind, kGround);
            EXPECT_GE(map.Cell(c, r).snow, -0.75f);
            EXPECT_LE(map.Cell(c, r).snow, 1.0f);
            yellow += map.Cell(c, r).yellow;
        }
    EXPECT_LT(yellow, 20);
}

TEST_F(MapTest, ReliefDrawsSnowThenYellowPerCell) {
    NextRandIs(0);
    vexo::Rand();
    const int yellowDraw = vexo::Rand();
    NextRandIs(0);
    CMap one(1, 1);
    one.RandomRelief();
    EXPECT_EQ(one.Cell(0, 0).yellow, yellowDraw < 66);
    // One cell: smoothing averages the cell with itself, so r = 0 keeps -0.75.
    EXPECT_FLOAT_EQ(one.Cell(0, 0).snow, -0.75f);
}

} // namespace
