// The world's rules on a small map: bounds, burying, snowball hits and long frames, the computer's
// snow fetching, a random map without room, the life bar drawn on a recording canvas, the object
// list under removal and reuse, sliding and stalling walks, and the range and snow an attack needs.
#include "GameTestWorld.h"

#include "game/Computer.h"
#include "game/Mission.h"
#include "game/RandomMap.h"
#include "game/Simulation.h"
#include "game/Snowball.h"

namespace {

// Dies on its n-th update and counts how often it was updated.
class CountingObject : public CObject {
public:
    CountingObject(int dieOn, std::vector<int>& log, int id) : dieOn(dieOn), log(log), id(id) {}
    float GetSize() const override { return 0.5f; }
    void Update(float, float) override {
        log.push_back(id);
        if (++updates == dieOn) dead = true;
    }
    int dieOn;
    int updates = 0;
    std::vector<int>& log;
    int id;
};

class WorldTest : public GameWorldTest {
protected:
    void Throw(float x, float heading, float range) {
        auto ball = std::make_unique<CSniezka>(6.0f, heading, range, 0.5f, false);
        ball->x = x;
        ball->y = 5.0f;
        Objects().Add(std::move(ball));
    }
    void Step(CUnit& unit, float elapsed, int times = 1) {
        for (int i = 0; i < times; ++i)
            unit.Update(0.0f, elapsed);
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
    girl->SetLife(0.0f, false); // a fall cries out in one of the three voices
    EXPECT_EQ(sound.played.back().first, 6);
    EXPECT_TRUE(sound.played.back().second == 11025 || sound.played.back().second == 14699 ||
                sound.played.back().second == 18374);
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
    const CWorldPoint none = FindSnowSpot(*lost);
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

TEST_F(WorldTest, RemovalDuringTheWalkStillUpdatesTheFollowers) {
    std::vector<int> log;
    Objects().Add(std::make_unique<CountingObject>(0, log, 1));
    CObject* middle = Objects().Add(std::make_unique<CountingObject>(1, log, 2));
    Objects().Add(std::make_unique<CountingObject>(1, log, 3));
    Objects().UpdateAll(0.0f, 0.01f);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Objects().Size(), 1u);
    EXPECT_FALSE(Objects().Contains(middle));
    Objects().UpdateAll(0.0f, 0.01f);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 1}));
}

TEST_F(WorldTest, ReferencesDoNotMistakeANewObjectAtAReusedAddress) {
    CUnit* first = AddUnit(kBoy, 0, 5.0f, 5.0f);
    const TObjectRef<CUnit> ref(first);
    Game().Select(first);
    EXPECT_EQ(ref.Get(), first);
    first->dead = true;
    first->x = -50.0f; // keep the stale copy's position meaningless
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_EQ(ref.Get(), nullptr);
    // Allocate until the allocator hands back the same address, or give up after many tries.
    std::vector<CUnit*> made;
    for (int i = 0; i < 64; ++i) {
        CUnit* unit = AddUnit(kBoy, 0, 5.0f, 5.0f);
        made.push_back(unit);
        if (static_cast<void*>(unit) == static_cast<void*>(first)) break;
    }
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_EQ(Game().Selected(), nullptr);
    EXPECT_TRUE(Objects().Contains(made.back(), made.back()->Serial()));
}

TEST_F(WorldTest, PointAndOverlapQueries) {
    CUnit* a = AddUnit(kChild, 0, 5.0f, 5.0f); // square 4.6 .. 5.4
    CUnit* b = AddUnit(kBoy, 1, 5.2f, 5.0f);
    EXPECT_EQ(Objects().UnitAt(5.1f, 5.0f), a); // first in list order
    EXPECT_EQ(Objects().UnitAt(4.6f, 5.4f), a); // edges included
    EXPECT_EQ(Objects().UnitAt(5.6f, 5.0f), b);
    EXPECT_EQ(Objects().UnitAt(7.0f, 5.0f), nullptr);

    // Squares of half a tile, at positions exact in binary: touching edges do not overlap.
    std::vector<int> log;
    b->x = 10.0f;
    a->x = 5.0f;
    a->y = 1.0f;
    CObject* left = Objects().Add(std::make_unique<CountingObject>(0, log, 1));
    CObject* right = Objects().Add(std::make_unique<CountingObject>(0, log, 2));
    CObject* probe = Objects().Add(std::make_unique<CountingObject>(0, log, 3));
    left->x = 5.0f;
    right->x = 5.75f;
    probe->x = 5.5f;
    left->y = right->y = probe->y = 5.0f;
    EXPECT_EQ(Objects().FirstOverlapping(*probe), right);
    right->x = 6.0f;
    EXPECT_EQ(Objects().FirstOverlapping(*probe), nullptr);
    probe->y = 5.4f;
    right->x = 5.6f;
    EXPECT_EQ(Objects().FirstOverlapping(*probe), right);
}

// The player's walk goes on for as long as it takes; the computer's gives up when it stalls.
TEST_F(WorldTest, APlayersGoPushesOnWhereAComputersGoGivesUp) {
    MakeWorld(20, 20, 0.5f);
    for (int r = 5; r < 20; ++r)
        Map().Cell(10, r).kind = kObstacle; // a wall open at its top
    Map().Cell(15, 10).kind = kObstacle;
    struct Case {
        float px, py;
        bool computer;
        bool arrives;
        int minSteps, maxSteps; // frames of 0.01 s until the order ends, or the whole run
    } const cases[] = {
        {15.0f, 3.9f, false, true, 900, 1000},    // along the wall and round its end, slowly
        {15.0f, 3.9f, true, false, 550, 650},     // the same slide stalls a computer's walk
        {15.0f, 10.0f, false, false, 3000, 3000}, // inside an obstacle: stands, the order set
        {15.0f, 10.0f, true, false, 300, 450},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.py) + (c.computer ? " computer" : " player"));
        CUnit* boy = AddUnit(kBoy, 0, 5.0f, 15.0f);
        boy->GoTo(c.px, c.py, c.computer);
        int steps = 0;
        for (; boy->order == EUnitOrder::Go && steps < 3000; ++steps)
            Step(*boy, 0.01f);
        EXPECT_GE(steps, c.minSteps);
        EXPECT_LE(steps, c.maxSteps);
        EXPECT_EQ(boy->IsWithin(c.px, c.py, 0.1f), c.arrives);
        boy->dead = true;
        Objects().UpdateAll(0.0f, 0.0f);
    }

    // Uphill into ever deeper snow, the slowest walk there is (1.55 tiles a second), still arrives.
    MakeWorld(40, 40, 0.0f);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 40; ++c)
            Map().Cell(c, r).snow = 0.06f * float(c);
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 20.0f);
    boy->GoTo(38.0f, 20.0f, true);
    int steps = 0;
    for (; boy->order == EUnitOrder::Go && steps < 3000; ++steps)
        Step(*boy, 0.01f);
    EXPECT_TRUE(boy->IsWithin(38.0f, 20.0f, 0.1f)) << boy->x << " after " << steps << " steps";

    // Into a corner, with the order repeated every frame: the repeat does not restart the count.
    for (int i = 0; i < 40; ++i)
        Map().Cell(3, i).kind = Map().Cell(i, 3).kind = kObstacle;
    boy->x = boy->y = 6.0f;
    for (steps = 0; steps < 1000; ++steps) {
        boy->GoTo(0.0f, 0.0f, true);
        Step(*boy, 0.01f);
        if (boy->order == EUnitOrder::None) break;
    }
    EXPECT_LT(steps, 450);
    EXPECT_NEAR(boy->x, 4.0f, 0.05f);
}

TEST_F(WorldTest, AttacksFromFourToTenTilesWithSnowUnderfoot) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 6.0f, 5.0f);
    const struct {
        float x, snow;
        std::string line; // "" when the aim starts
    } cases[] = {
        {6.0f, 0.5f, ""},
        {12.0f, 0.5f, ""}, // exactly 4 and exactly 10
        {5.99f, 0.5f, girl->name + " stoi za blisko."},
        {12.5f, 0.5f, girl->name + " jest za daleko."},
        {8.0f, 0.0f, boy->name + " nie ma czym rzucac."},
    };
    using Lines = decltype(console.lines);
    for (const auto& c : cases) {
        console.lines.clear();
        boy->Stop();
        girl->x = c.x;
        Map().Cell(2, 5).snow = c.snow;
        boy->Attack(girl);
        Step(*boy, 0.01f);
        EXPECT_EQ(boy->state, c.line.empty() ? EUnitState::Aiming : EUnitState::Free) << c.x;
        EXPECT_EQ(console.lines, (c.line.empty() ? Lines{} : Lines{{c.line, 0xFFFFFF60}})) << c.x;
    }
    EXPECT_NEAR(boy->stateTimer, 1.48f, 0.01f); // the aim of speed 6.2
}

} // namespace
