// The world's rules on a small map: bounds, burying, snowball hits and long frames, the computer's
// snow fetching, the random map, and the life bar drawn on a recording canvas.
#include "GameTestWorld.h"

#include "game/Computer.h"
#include "game/Mission.h"
#include "game/RandomMap.h"
#include "game/Simulation.h"
#include "game/Snowball.h"

namespace {

class WorldTest : public GameWorldTest {
protected:
    void Throw(float x, float heading, float range) {
        auto ball = std::make_unique<CSniezka>(6.0f, heading, range, 0.5f, false);
        ball->x = x;
        ball->y = 5.0f;
        Objects().Add(std::move(ball));
    }
};

TEST_F(WorldTest, SquaresBlockOnStrictOverlapWithObstaclesWaterAndTheOutside) {
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

TEST_F(WorldTest, OutsideTheMapReadsAsBareObstacleAndIgnoresSnowChanges) {
    EXPECT_EQ(Map().CellAt(-5.0f, 3.0f).kind, kObstacle);
    EXPECT_EQ(Map().CellAt(20.0f, 0.0f).kind, kObstacle);
    EXPECT_FALSE(Map().HasSnow(3.0f, -1.5f));
    Map().TakeSnow(-3.0f, 25.0f, 0.5f);
    Map().AddSnow(1.0e6f, 2.0f, 0.5f);
    EXPECT_EQ(Map().CellAt(-5.0f, 3.0f).snow, 0.0f);
    EXPECT_EQ(Map().SnowAt(-1, 5), 0.0f);
    EXPECT_FLOAT_EQ(Map().SnowClamped(-4, 25), Map().Cell(0, 19).snow);
}

TEST_F(WorldTest, BuryingFreezesAFallenUnit) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->life = 0.05f;
    boy->Bury();
    EXPECT_FALSE(boy->buried); // only a lying unit can be buried
    boy->Damage(100.0f, true);
    boy->life = -4.0f;
    boy->Bury();
    EXPECT_TRUE(boy->buried);
    EXPECT_EQ(boy->life, -10.0f);
    Map().Cell(5, 5).kind = kWater;
    boy->Update(0.0f, 5.0f);
    EXPECT_EQ(boy->life, -10.0f);
    EXPECT_FALSE(boy->dead); // frozen: not even drowning
    boy->GoTo(3.0f, 3.0f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    boy->Unbury();
    boy->Update(0.0f, 0.5f);
    EXPECT_TRUE(boy->dead);
}

TEST_F(WorldTest, HitDamagesStaggersPushesAndAwardsExperience) {
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

TEST_F(WorldTest, ALongFrameCannotCarryOneThroughAWall) {
    Map().Cell(6, 5).kind = kObstacle;
    Throw(4.0f, 0.0f, 8.0f);
    UpdateWorld(0.0f, 0.3f); // one 3-tile jump would land beyond the wall
    EXPECT_TRUE(Objects().All().empty());
    EXPECT_FLOAT_EQ(Map().Cell(5, 5).snow, 0.51f);
    EXPECT_FLOAT_EQ(Map().Cell(7, 5).snow, 0.5f);
}

TEST_F(WorldTest, WithoutSnowAComputerUnitFetchesSomeNeverFromItsNearNeighbourhood) {
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

TEST_F(WorldTest, AUnitSentForSnowBehindAWallGivesUpAndDecidesAgain) {
    MakeWorld(20, 20, 0.0f);
    Map().Cell(10, 2).snow = 1.0f;
    for (int c = 0; c < 20; ++c)
        Map().Cell(c, 5).kind = kObstacle;
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

TEST_F(WorldTest, TenGroupsAtFullLifeOnGoodSpots) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        vexo::SeedRand(seed);
        CMissionScreen screen;
        GenerateRandomMap(screen);
        int player = 0, computer = 0;
        for (const auto& object : Objects().All()) {
            const CUnit* unit = object->AsUnit();
            ASSERT_NE(unit, nullptr);
            ++(unit->team == 0 ? player : computer);
            EXPECT_FLOAT_EQ(unit->life, unit->Attribute(kAttrLife));
            EXPECT_TRUE(IsGoodSpot(Map(), unit->x, unit->y));
        }
        EXPECT_GE(player, 3);
        EXPECT_LE(player, 4);
        EXPECT_GE(computer, 27);
        EXPECT_LE(computer, 36);
        const CUnit* first = Objects().All().front()->AsUnit();
        EXPECT_LE(first->DistanceTo(Game().camX, Game().camY), 3.0f + 1e-4f);
    }
}

TEST_F(WorldTest, AMapWithoutGoodSpotsIsGivenUpNotSearchedForEver) {
    for (int r = 0; r < Map().height; ++r)
        for (int c = 0; c < Map().width; ++c)
            Map().Cell(c, r).yellow = true;
    float x = 0.0f, y = 0.0f;
    EXPECT_FALSE(PlaceGroups(Map(), Objects(), x, y));
    EXPECT_TRUE(Objects().All().empty());
}

struct RecordingCanvas : IGameCanvas {
    struct Bar {
        float left, right;
        std::uint32_t colour;
    };
    void BeginTerrain(std::uint32_t) override {}
    void EndSprites() override {}
    void Sprite(int, float, float, float, std::uint32_t, float) override {}
    void ShadedSprite(int, float, float, float, std::uint32_t, std::uint32_t, std::uint32_t,
                      std::uint32_t) override {}
    void Rect(float left, float, float right, float, std::uint32_t colour) override {
        bars.push_back({left, right, colour});
    }
    void Text(float, float, const std::string&, std::uint32_t) override {}
    std::vector<Bar> bars;
};

TEST_F(WorldTest, LifeBarsShowLifeOrRecoveryStillAhead) {
    RecordingCanvas canvas;
    Game().canvas = &canvas;
    Game().camX = Game().camY = 0.0f;
    Game().tileSize = 32.0f;
    CUnit* boy = AddUnit(kBoy, 0, 0.0f, 0.0f);
    boy->life = -5.0f;
    boy->DrawLifeBar(0.0f, 0.0f, 640.0f, 480.0f);
    Game().canvas = nullptr;
    ASSERT_EQ(canvas.bars.size(), 2u);
    // Side 0.95 x 32 = 30.4: the bar starts at 320 - 15.2 + 1 and is half of 28.4 long.
    EXPECT_EQ(canvas.bars[0].colour, 0xFF000000u);
    EXPECT_FLOAT_EQ(canvas.bars[0].left, 320.0f - 15.2f);
    EXPECT_FLOAT_EQ(canvas.bars[1].left, 305.8f);
    EXPECT_FLOAT_EQ(canvas.bars[1].right, 320.0f);
    EXPECT_EQ(canvas.bars[1].colour, 0xFF7F7FFFu);
}

} // namespace
