// The campaign: every shipped mission loads the way the game loads it, starts with nobody drowning,
// has a description, needs its player and is won by its scripted solution.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Replay.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"
#include "xml/XMLLoad.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct ShippedMission {
    std::string name;        // the file name without ".tlm", as the mission list shows it
    std::string description; // "map/text" read the mission list's way, Windows-1250
};

// Every Maps/*.tlm in name order; a file the mission list could not read fails the calling test.
std::vector<ShippedMission> ShippedMissions() {
    std::vector<ShippedMission> missions;
    for (const auto& entry : std::filesystem::directory_iterator(tundrel_test::SourcePath("data/Maps"))) {
        if (entry.path().extension() != ".tlm") continue;
        std::string text;
        EXPECT_TRUE(vexo::ReadFileToString(entry.path().string(), text)) << entry.path();
        vexo::CXMLDocument document;
        EXPECT_NO_THROW(vexo::ParseDocument(document, text, vexo::MissionListReaderOptions())) << entry.path();
        missions.push_back({entry.path().stem().string(), document.Value("map/text", "")});
    }
    std::sort(missions.begin(), missions.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return missions;
}

// The mission list starts the game from the data folder with "Maps\<name>.tlm".
class InDataFolder : public ::testing::Test {
protected:
    void TearDown() override { Game().ClearWorld(); }
    tundrel_test::InFolder data{tundrel_test::SourcePath("data")};
};

int Units(bool player) {
    int n = 0;
    for (const auto& object : GameObjects().All())
        if (const auto* unit = dynamic_cast<const CUnit*>(object.get())) n += (unit->team == 0) == player;
    return n;
}

TEST_F(InDataFolder, TenMissionsEachWithADescriptionBothSidesAndNobodyDrowningAtTheStart) {
    const std::vector<ShippedMission> missions = ShippedMissions();
    ASSERT_GE(missions.size(), 10u);
    for (const ShippedMission& mission : missions) {
        SCOPED_TRACE(mission.name);
        // Names sort into the order they are meant to be played in.
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(mission.name[0])) && mission.name[2] == ' ');
        // Polish letters in the file name, each of which Windows-1250 has.
        EXPECT_EQ(vexo::Cp1250ToUtf8(vexo::Utf8ToCp1250(mission.name)), mission.name);
        EXPECT_GT(mission.description.size(), 200u);
        EXPECT_NE(mission.description.find("Cel: "), std::string::npos);
        // Windows-1250 throughout: UTF-8 would show as two odd letters per Polish one.
        EXPECT_EQ(vexo::Cp1250ToUtf8(mission.description).find("Ã"), std::string::npos);

        CMissionScreen screen;
        ASSERT_NO_THROW(LoadMission(screen, "Maps\\" + mission.name + ".tlm"));
        const int player = Units(true), computer = Units(false);
        EXPECT_GT(player, 0);
        EXPECT_GT(computer, 0);
        // A unit placed on water, an obstacle or off the map would drown in its first update.
        UpdateWorld(0.0f, 0.01f);
        EXPECT_EQ(Units(true), player);
        EXPECT_EQ(Units(false), computer);
        if (screen.targetLeft >= 0.0f) {
            EXPECT_LE(screen.targetRight, float(GameMap().width));
            EXPECT_LE(screen.targetBottom, float(GameMap().height));
        }
        Game().ClearWorld();
    }
}

// Left alone, the player's children only throw at what comes within reach, so no mission may fall
// to them; and each mission's checked-in solution, orders a player could give, must win it.
TEST_F(InDataFolder, EveryMissionNeedsItsPlayerAndIsWonByItsScriptedSolution) {
    for (const ShippedMission& mission : ShippedMissions()) {
        const std::string file = "Maps\\" + mission.name + ".tlm";
        CHeadlessOptions options;
        for (options.seed = 1; options.seed <= 10; ++options.seed) {
            const CHeadlessResult result = RunHeadless(file, options);
            EXPECT_NE(result.outcome, CHeadlessResult::kVictory)
                << mission.name << " seed " << options.seed << " left alone: " << DescribeResult(result);
        }
        COrderLog solution;
        ASSERT_NO_THROW(solution = ReadOrderLog("Maps\\solutions\\" + mission.name + ".txt")) << mission.name;
        options.orders = &solution;
        for (options.seed = 1; options.seed <= 5; ++options.seed) {
            const CHeadlessResult result = RunHeadless(file, options);
            EXPECT_EQ(result.outcome, CHeadlessResult::kVictory)
                << mission.name << " seed " << options.seed << " solved: " << DescribeResult(result);
        }
        Game().ClearWorld();
    }
}

} // namespace
