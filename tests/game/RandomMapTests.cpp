// The random map: lakes and blocks on chosen values, the order of the draws, good spots, groups
// and the bounded searches.
#include "GameTestWorld.h"

#include "game/Mission.h"
#include "game/RandomMap.h"

#include <set>

namespace {

class RandomMapTest : public GameWorldTest {
protected:
    int Count(int kind) {
        int n = 0;
        for (int r = 0; r < Map().height; ++r)
            for (int c = 0; c < Map().width; ++c) n += Map().Cell(c, r).kind == kind;
        return n;
    }
};

TEST_F(RandomMapTest, LakesAreEllipsesAroundTwoFoci) {
    PaintLake(Map(), {10.0f, 10.0f, 15.0f, 10.0f, 4.0f, kWater});
    EXPECT_EQ(Count(kWater), 0); // foci 5 apart, size 4: empty
    Map().Cell(9, 10).yellow = true;
    PaintLake(Map(), {10.0f, 10.0f, 10.0f, 10.0f, 4.0f, kIce});
    // Both foci at (10, 10): a disc of cells at most 2 from it, 13 of them.
    EXPECT_EQ(Count(kIce), 13);
    EXPECT_EQ(Map().Cell(12, 10).kind, kIce);
    EXPECT_EQ(Map().Cell(11, 12).kind, kGround);
    EXPECT_EQ(Map().Cell(9, 10).snow, 0.0f);
    EXPECT_TRUE(Map().Cell(9, 10).yellow);
}

TEST_F(RandomMapTest, BlocksAreClippedByTheMapEdge) {
    PaintBlock(Map(), {0, 5, 4, 6});
    EXPECT_EQ(Count(kObstacle), 4 * 11); // columns 0..3, rows 0..10
    EXPECT_EQ(Map().Cell(3, 10).kind, kObstacle);
    EXPECT_EQ(Map().Cell(4, 5).kind, kGround);
    EXPECT_EQ(Map().Cell(0, 11).kind, kGround);
}

TEST_F(RandomMapTest, ValuesAreDrawnInTheirFixedOrder) {
    vexo::SeedRand(99);
    int raw[6];
    float r[6];
    for (int i = 0; i < 6; ++i) {
        raw[i] = vexo::Rand();
        r[i] = float(raw[i]) / 32767.0f;
    }
    vexo::SeedRand(99);
    const CLakeShape lake = DrawLake(Map());
    EXPECT_FLOAT_EQ(lake.ax, 19.0f * r[0]);
    EXPECT_FLOAT_EQ(lake.ay, 19.0f * r[1]);
    EXPECT_FLOAT_EQ(lake.bx, lake.ax + 8.0f * r[2] - 4.0f);
    EXPECT_FLOAT_EQ(lake.by, lake.ay + 8.0f * r[3] - 4.0f);
    EXPECT_FLOAT_EQ(lake.size, 8.0f * r[4] + 4.0f);
    EXPECT_EQ(lake.kind, raw[5] % 2 ? kIce : kWater);

    vexo::SeedRand(7);
    for (int i = 0; i < 4; ++i) r[i] = float(vexo::Rand()) / 32767.0f;
    vexo::SeedRand(7);
    const CBlockShape block = DrawBlock(Map());
    EXPECT_EQ(block.cx, int(19.0f * r[0]));
    EXPECT_EQ(block.cy, int(19.0f * r[1]));
    EXPECT_EQ(block.hx, 4 - int(-4.0f * r[2]));
    EXPECT_EQ(block.hy, 4 - int(-4.0f * r[3]));
    NextRandIs(32767);
    EXPECT_EQ(DrawBlock(Map()).cx, 19);
}

TEST_F(RandomMapTest, GoodSpotsNeedNineClearCellsInside) {
    EXPECT_TRUE(IsGoodSpot(Map(), 1.0f, 1.0f));
    EXPECT_TRUE(IsGoodSpot(Map(), 18.9f, 18.9f));
    EXPECT_FALSE(IsGoodSpot(Map(), 18.9f, 19.0f)); // row 20 would be off the map
    EXPECT_FALSE(IsGoodSpot(Map(), 0.99f, 5.0f));
    EXPECT_FALSE(IsGoodSpot(Map(), 19.0f, 5.0f)); // (20, y) is off the map
    Map().Cell(6, 6).yellow = true;
    EXPECT_FALSE(IsGoodSpot(Map(), 5.5f, 5.5f));
    Map().Cell(4, 4).kind = kIce;
    EXPECT_FALSE(IsGoodSpot(Map(), 3.5f, 3.5f));
    Map().Cell(10, 10).snow = -0.5f; // depth does not matter
    EXPECT_TRUE(IsGoodSpot(Map(), 10.0f, 10.0f));
}

TEST_F(RandomMapTest, TenGroupsAtFullLifeOnGoodSpots) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        vexo::SeedRand(seed);
        CMissionScreen screen;
        GenerateRandomMap(screen);
        EXPECT_GE(Map().width, 50);
        EXPECT_LE(Map().width, 99);
        int player = 0, computer = 0;
        std::set<float> angles;
        for (const auto& object : Objects().All()) {
            const CUnit* unit = object->AsUnit();
            ASSERT_NE(unit, nullptr);
            ++(unit->team == 0 ? player : computer);
            EXPECT_EQ(unit->team == 0 || unit->team == 1, true);
            EXPECT_FLOAT_EQ(unit->life, unit->Attribute(kAttrLife));
            EXPECT_EQ(unit->level, 1);
            EXPECT_TRUE(IsGoodSpot(Map(), unit->x, unit->y));
            angles.insert(unit->angle);
        }
        EXPECT_GE(player, 3);
        EXPECT_LE(player, 4);
        EXPECT_GE(computer, 27);
        EXPECT_LE(computer, 36);
        EXPECT_GT(angles.size(), 10u);
        EXPECT_EQ(screen.targetLeft, -100.0f);
        const CUnit* first = Objects().All().front()->AsUnit();
        EXPECT_LE(first->DistanceTo(Game().camX, Game().camY), 3.0f + 1e-4f);
    }
}

TEST_F(RandomMapTest, AMapWithoutGoodSpotsIsGivenUpNotSearchedForEver) {
    for (int r = 0; r < Map().height; ++r)
        for (int c = 0; c < Map().width; ++c) Map().Cell(c, r).yellow = true;
    float x = 0.0f, y = 0.0f;
    EXPECT_FALSE(PlaceGroups(Map(), Objects(), x, y));
    EXPECT_TRUE(Objects().All().empty());
}

} // namespace
