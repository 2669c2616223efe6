// Orders and behaviour: walking speeds and sliding, aiming and throwing, range limits, the repeat
// rule, burying, digging out and carrying.
#include "GameTestWorld.h"

#include "game/Snowball.h"

#include <cmath>

namespace {

class OrderTest : public GameWorldTest {
protected:
    void Step(CUnit& unit, float elapsed, int times = 1) {
        for (int i = 0; i < times; ++i) unit.Update(0.0f, elapsed);
    }
    static std::vector<std::pair<std::string, std::uint32_t>> Line(const std::string& text) {
        return {{text, 0xFFFFFF60}};
    }
};

TEST_F(OrderTest, WalkingSpeedsOnGroundIceAndWhileCarrying) {
    MakeWorld(20, 20, 0.0f); // bare ground does not wear, so the slope factor stays 0.75
    CUnit* boy = AddUnit(kBoy, 1, 2.0f, 10.0f);
    boy->GoTo(18.0f, 10.0f);
    Step(*boy, 0.01f, 100);
    EXPECT_NEAR(boy->x, 2.0f + 4.65f, 1e-3f);
    EXPECT_EQ(boy->order, EUnitOrder::Go);

    for (int c = 0; c < 20; ++c) Map().Cell(c, 5) = CMapCell{kIce, 0.0f, false};
    CUnit* skater = AddUnit(kBoy, 1, 2.0f, 5.0f);
    skater->GoTo(18.0f, 5.0f);
    for (int i = 0; i < 100; ++i) {
        NextRandIs(32767); // r = 1: never slips
        skater->Update(0.0f, 0.01f);
    }
    EXPECT_NEAR(skater->x, 2.0f + 3.1f, 1e-3f);
    EXPECT_TRUE(skater->IsStanding());

    CUnit* carrier = AddUnit(kBoy, 1, 2.0f, 15.0f);
    CUnit* load = AddUnit(kGirl, 0, 2.5f, 15.0f, false);
    load->life = -10.0f;
    load->state = EUnitState::Fallen;
    carrier->Carry(load, 18.0f, 15.0f);
    Step(*carrier, 0.01f, 100);
    EXPECT_NEAR(carrier->x, 2.0f + 2.325f, 1e-3f);
    EXPECT_EQ(load->x, carrier->x);
}

TEST_F(OrderTest, SlippingOnIceKnocksTheUnitDown) {
    Map().Cell(5, 5) = CMapCell{kIce, 0.0f, false};
    CUnit* child = AddUnit(kChild, 0, 5.0f, 5.0f);
    child->GoTo(8.0f, 5.0f);
    NextRandIs(0); // r = 0 is below the slip chance 0.003
    child->Update(0.0f, 0.001f);
    EXPECT_EQ(child->life, -10.0f);
    EXPECT_EQ(child->order, EUnitOrder::None);
    EXPECT_EQ(console.lines, Line(child->name + " upadl."));
}

TEST_F(OrderTest, GoEndsOnArrivalAndSlidesAlongWalls) {
    CUnit* boy = AddUnit(kBoy, 0, 5.0f, 5.0f);
    boy->GoTo(5.05f, 5.0f);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);

    // A wall of obstacles at row 3: heading up and to the right, only x can change.
    for (int c = 0; c < 20; ++c) Map().Cell(c, 3).kind = kObstacle;
    boy->x = 5.0f;
    boy->y = 4.0f;
    boy->GoTo(9.0f, 0.0f);
    Step(*boy, 0.01f, 100);
    EXPECT_EQ(boy->y, 4.0f);
    EXPECT_GT(boy->x, 6.5f);
}

// The player's walk goes on for as long as it takes; the computer's gives up when it stalls.
TEST_F(OrderTest, APlayersGoPushesOnWhereAComputersGoGivesUp) {
    MakeWorld(20, 20, 0.5f);
    for (int r = 5; r < 20; ++r) Map().Cell(10, r).kind = kObstacle; // a wall open at its top
    Map().Cell(15, 10).kind = kObstacle;
    struct Case {
        float px, py;
        bool computer;
        bool arrives;
        int minSteps, maxSteps; // frames of 0.01 s until the order ends, or the whole run
    } const cases[] = {
        {15.0f, 3.9f, false, true, 900, 1000},  // along the wall and round its end, slowly
        {15.0f, 3.9f, true, false, 550, 650},   // the same slide stalls a computer's walk
        {15.0f, 10.0f, false, false, 3000, 3000}, // inside an obstacle: stands, the order set
        {15.0f, 10.0f, true, false, 300, 450},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.py) + (c.computer ? " computer" : " player"));
        CUnit* boy = AddUnit(kBoy, 0, 5.0f, 15.0f);
        boy->GoTo(c.px, c.py, c.computer);
        int steps = 0;
        for (; boy->order == EUnitOrder::Go && steps < 3000; ++steps) Step(*boy, 0.01f);
        EXPECT_GE(steps, c.minSteps);
        EXPECT_LE(steps, c.maxSteps);
        EXPECT_EQ(boy->IsWithin(c.px, c.py, 0.1f), c.arrives);
        boy->dead = true;
        Objects().UpdateAll(0.0f, 0.0f);
    }

    // Uphill into ever deeper snow, the slowest walk there is (1.55 tiles a second), still arrives.
    MakeWorld(40, 40, 0.0f);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 40; ++c) Map().Cell(c, r).snow = 0.06f * float(c);
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 20.0f);
    boy->GoTo(38.0f, 20.0f, true);
    int steps = 0;
    for (; boy->order == EUnitOrder::Go && steps < 3000; ++steps) Step(*boy, 0.01f);
    EXPECT_TRUE(boy->IsWithin(38.0f, 20.0f, 0.1f)) << boy->x << " after " << steps << " steps";

    // Into a corner, with the order repeated every frame: the repeat does not restart the count.
    for (int i = 0; i < 40; ++i) Map().Cell(3, i).kind = Map().Cell(i, 3).kind = kObstacle;
    boy->x = boy->y = 6.0f;
    for (steps = 0; steps < 1000; ++steps) {
        boy->GoTo(0.0f, 0.0f, true);
        Step(*boy, 0.01f);
        if (boy->order == EUnitOrder::None) break;
    }
    EXPECT_LT(steps, 450);
    EXPECT_NEAR(boy->x, 4.0f, 0.05f);
}

TEST_F(OrderTest, FollowKeepsThreeTilesAndEndsWhenTheTargetIsGone) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 0, 10.0f, 5.0f);
    boy->Follow(girl);
    Step(*boy, 0.01f, 300);
    EXPECT_NEAR(boy->x, 7.0f, 0.05f);
    EXPECT_EQ(boy->order, EUnitOrder::Follow);
    girl->dead = true;
    Objects().UpdateAll(0.0f, 0.0f);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
}

TEST_F(OrderTest, AttackRangeAndSnowChecks) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 6.0f, 5.0f);
    boy->Attack(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->state, EUnitState::Aiming); // exactly 4 is allowed
    EXPECT_NEAR(boy->stateTimer, 0.1f + 1.9f * std::pow(0.95f, 6.2f), 1e-5f);
    EXPECT_NEAR(boy->stateTimer, 1.48f, 0.01f);
    EXPECT_NEAR(AimingTime(10.0f), 1.24f, 0.01f);

    boy->Stop();
    EXPECT_EQ(boy->state, EUnitState::Free);
    girl->x = 12.0f; // exactly 10
    boy->Attack(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->state, EUnitState::Aiming);

    boy->Stop();
    girl->x = 5.99f;
    boy->Attack(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    EXPECT_EQ(console.lines, Line(girl->name + " stoi za blisko."));

    console.lines.clear();
    girl->x = 12.5f;
    boy->Attack(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(console.lines, Line(girl->name + " jest za daleko."));

    console.lines.clear();
    girl->x = 8.0f;
    Map().Cell(2, 5).snow = 0.0f;
    boy->Attack(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    EXPECT_EQ(console.lines, Line(boy->name + " nie ma czym rzucac."));

    // The computer's side gets no console lines.
    console.lines.clear();
    girl->x = 3.0f;
    girl->Attack(boy);
    Step(*girl, 0.01f);
    EXPECT_TRUE(console.lines.empty());
}

TEST_F(OrderTest, ARepeatedGoKeepsTheBuryingGoingAndANewPointStopsIt) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    boy->GoTo(8.0f, 5.0f);
    boy->state = EUnitState::Burying;
    boy->GoTo(8.0f, 5.0f);
    EXPECT_EQ(boy->state, EUnitState::Burying);
    boy->GoTo(8.0f, 5.5f);
    EXPECT_EQ(boy->state, EUnitState::Free);
    EXPECT_EQ(boy->orderY, 5.5f);
}

TEST_F(OrderTest, RepeatedOrdersDoNotRestartTheAim) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 8.0f, 5.0f);
    CUnit* other = AddUnit(kGirl, 1, 2.0f, 11.0f);
    boy->Attack(girl);
    Step(*boy, 0.01f);
    Step(*boy, 0.5f);
    const float left = boy->stateTimer;
    boy->Attack(girl);
    EXPECT_EQ(boy->state, EUnitState::Aiming);
    Step(*boy, 0.01f);
    EXPECT_FLOAT_EQ(boy->stateTimer, left - 0.01f);
    boy->Attack(other);
    EXPECT_EQ(boy->state, EUnitState::Free);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->state, EUnitState::Aiming);
    EXPECT_GT(boy->stateTimer, left);
}

TEST_F(OrderTest, TheThrowTakesSnowAndLaunchesAhead) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 8.0f, 5.0f);
    Map().Cell(2, 5) = CMapCell{kGround, 0.81f, true};
    boy->Attack(girl);
    Step(*boy, 0.01f);
    NextRandIs(16384); // almost no scatter
    Step(*boy, 2.0f);
    ASSERT_EQ(Objects().Size(), 3u);
    auto* ball = dynamic_cast<CSniezka*>(Objects().All().back().get());
    ASSERT_NE(ball, nullptr);
    EXPECT_FLOAT_EQ(ball->x, 2.0f + 0.95f + 0.1f);
    EXPECT_FLOAT_EQ(ball->y, 5.0f);
    EXPECT_FLOAT_EQ(ball->sourceSnow, 0.8f);
    EXPECT_TRUE(ball->yellow);
    EXPECT_FLOAT_EQ(ball->range, 6.0f);
    EXPECT_FLOAT_EQ(ball->damage, 6.0f);
    EXPECT_NEAR(ball->angle, 0.0f, 1e-3f);
    EXPECT_EQ(sound.played.back(), std::make_pair(4, 0));
    EXPECT_EQ(boy->state, EUnitState::Free);
    EXPECT_EQ(boy->order, EUnitOrder::Attack); // a standing target is attacked again

    girl->life = -10.0f;
    Step(*boy, 0.01f);
    Step(*boy, 2.0f);
    EXPECT_EQ(boy->order, EUnitOrder::None); // the attack ends once the target is down
}

TEST_F(OrderTest, BuryingAndDiggingOut) {
    CUnit* boy = AddUnit(kBoy, 0, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 1, 6.0f, 5.0f, false);
    girl->Damage(100.0f, true);
    girl->life = -10.0f;
    boy->BuryUnit(girl);
    Step(*boy, 0.01f, 200);
    EXPECT_EQ(boy->state, EUnitState::Burying);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    boy->Stop(); // no order: the burying goes on
    EXPECT_EQ(boy->state, EUnitState::Burying);
    Step(*boy, 0.5f, 6);
    EXPECT_TRUE(girl->buried);
    EXPECT_EQ(boy->state, EUnitState::Free);
    EXPECT_FLOAT_EQ(Map().Cell(6, 5).snow, 0.7f);

    boy->DigOutUnit(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->state, EUnitState::Digging);
    Step(*boy, 0.5f, 6);
    EXPECT_FALSE(girl->buried);
    EXPECT_FLOAT_EQ(Map().Cell(6, 5).snow, 0.5f);

    // No snow where the target lies.
    Map().Cell(6, 5).snow = 0.0f;
    boy->BuryUnit(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    EXPECT_EQ(console.lines, Line("Tam nie ma sniegu."));
    // A standing target is not buried, quietly.
    girl->life = 3.0f;
    boy->BuryUnit(girl);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    EXPECT_EQ(console.lines.size(), 1u);
}

TEST_F(OrderTest, CarryingEndsAsItShould) {
    CUnit* boy = AddUnit(kBoy, 1, 2.0f, 5.0f);
    CUnit* girl = AddUnit(kGirl, 0, 3.0f, 5.0f, false);
    girl->Damage(100.0f, true);
    Map().Cell(8, 5).kind = kObstacle;
    boy->Carry(girl, 8.0f, 5.0f);
    Step(*boy, 0.01f, 600);
    // The point is inside an obstacle: the target stays with the carrier and the order ends.
    EXPECT_EQ(boy->order, EUnitOrder::None);
    EXPECT_EQ(girl->x, boy->x);
    EXPECT_LE(boy->DistanceTo(8.0f, 5.0f), 1.5f);

    boy->x = 2.0f;
    girl->x = 2.5f;
    boy->Carry(girl, 6.0f, 5.0f);
    Step(*boy, 0.01f, 600);
    EXPECT_EQ(girl->x, 6.0f);
    EXPECT_EQ(boy->order, EUnitOrder::None);

    // A target that gets up ends the carry at once.
    girl->life = -10.0f;
    boy->Carry(girl, 2.0f, 5.0f);
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::Carry);
    girl->life = 1.0f;
    Step(*boy, 0.01f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
}

} // namespace
