// A game played through the screen's input is recorded, and its recording brings the world to the
// very same state headless and in the window, whatever the window's frame times.
#include "GameScreenTestKit.h"

#include "game/Replay.h"
#include "support/TestFiles.h"

#include <tuple>

namespace {

using Snapshot = std::vector<std::tuple<float, float, float, EUnitOrder, EUnitState>>;

Snapshot World() {
    Snapshot units;
    for (const auto& object : GameObjects().All())
        if (const CUnit* unit = object->AsUnit())
            units.emplace_back(unit->x, unit->y, unit->life, unit->order, unit->state);
    return units;
}

class ReplayScreenTest : public GameScreenTest {
protected:
    tundrel_test::TempDir dir;
};

TEST_F(ReplayScreenTest, ARecordedGameReplaysToTheSameWorldHeadlessAndInTheWindow) {
    const std::string mission = SourcePath("tests/gui/missions/Battle.tlm");
    const std::string file = dir.File("game.tlr");
    screen->StartRecording(file);
    // Frame times of a real run: uneven, and now and then longer than one world step.
    const float frames[] = {0.016f, 0.017f, 0.033f, 0.05f, 0.004f};
    int frame = 0;
    const auto play = [&](int count) {
        for (int i = 0; i < count; ++i) Frame(frames[frame++ % 5]);
    };
    ClickUnit(kOwnBoy);
    Tap('G');
    Click(11.0f, 7.0f);
    play(40);
    ClickUnit(kOwnGirl);
    gui.SetModifiers(kModControl);
    Tap('3');
    gui.SetModifiers(0);
    ClickUnit(kEnemyBoy, kMouseRight);
    play(200);
    Tap('3');
    ClickUnit(kLyingEnemy, kMouseRight); // the carry of a lying enemy, to the water
    Click(20.0f, 11.0f);
    play(300);
    const Snapshot played = World();
    int selected = 0;
    while (Unit(selected) && Unit(selected) != Game().Selected()) ++selected;
    gui.screens.Erase(gui.screens.IndexOf(screen));

    const COrderLog log = ReadOrderLog(file);
    EXPECT_EQ(log.mission, mission);
    EXPECT_EQ(log.frames.size(), 540u);
    EXPECT_EQ(DescribeResult(RunReplay(log, mission)), log.result);
    EXPECT_EQ(World(), played);

    // In the window at another frame rate; the player's clicks are not orders here.
    screen = new CGameScreen(log, mission);
    gui.screens.push_back(screen);
    ASSERT_TRUE(screen->IsReplay());
    for (int i = 0; i < 2000 && !screen->IsFinished(); ++i) {
        Frame(0.025f);
        ClickUnit(kOwnBoy, kMouseRight);
    }
    EXPECT_TRUE(screen->IsFinished());
    EXPECT_EQ(World(), played);
    EXPECT_EQ(Unit(selected), Game().Selected());
}

} // namespace
