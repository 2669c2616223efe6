// Orders: sliding and stalling walks, and the range and snow an attack needs.
#include "GameTestWorld.h"

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

// The player's walk goes on for as long as it takes; the computer's gives up when it stalls.
TEST_F(OrderTest, APlayersGoPushesOnWhereAComputersGoGivesUp) {
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

TEST_F(OrderTest, AttacksFromFourToTenTilesWithSnowUnderfoot) {
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
    for (const auto& c : cases) {
        console.lines.clear();
        boy->Stop();
        girl->x = c.x;
        Map().Cell(2, 5).snow = c.snow;
        boy->Attack(girl);
        Step(*boy, 0.01f);
        EXPECT_EQ(boy->state, c.line.empty() ? EUnitState::Aiming : EUnitState::Free) << c.x;
        EXPECT_EQ(console.lines, c.line.empty() ? decltype(console.lines){} : Line(c.line)) << c.x;
    }
    EXPECT_NEAR(boy->stateTimer, 1.48f, 0.01f); // the aim of speed 6.2
}

} // namespace
