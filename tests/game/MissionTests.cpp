// The mission file loader with its messages and defaults, and the end-of-mission check.
#include "GameTestWorld.h"

#include "game/Mission.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"
#include "xml/XMLError.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using vexo::literals::operator""_pl;

class MissionFileTest : public GameWorldTest {
protected:
    void SetUp() override {
        GameWorldTest::SetUp();
        directory = std::filesystem::temp_directory_path() /
                    ("tundrel-mission-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
    }
    void TearDown() override {
        std::filesystem::remove_all(directory);
        GameWorldTest::TearDown();
    }

    void Load(const std::string& body) {
        const std::string path = (directory / "m.tlm").string();
        std::ofstream(path, std::ios::binary) << "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map>" << body
                                              << "</map>";
        LoadMission(screen, path);
    }
    std::string LoadError(const std::string& body) {
        try {
            Load(body);
        } catch (const vexo::CError& error) {
            EXPECT_EQ(error.sourceFile, "GamePlay");
            return error.message;
        }
        return "(loaded)";
    }
    std::vector<CUnit*> Units() {
        std::vector<CUnit*> units;
        for (const auto& object : Objects().All()) units.push_back(object->AsUnit());
        return units;
    }

    std::filesystem::path directory;
    CMissionScreen screen;
};

TEST_F(MissionFileTest, MatrixSetsTheTerrainOverTheRelief) {
    Load("<matrix>.... ..#. ,/^~ \"_._.\"</matrix><objects/>");
    ASSERT_EQ(Map().width, 4);
    ASSERT_EQ(Map().height, 4);
    EXPECT_EQ(Map().Cell(2, 1).kind, kObstacle);
    EXPECT_EQ(Map().Cell(1, 1).kind, kGround);
    EXPECT_TRUE(Map().Cell(0, 2).yellow);
    EXPECT_EQ(Map().Cell(1, 2).kind, kIce);
    EXPECT_EQ(Map().Cell(1, 2).snow, 0.0f);
    EXPECT_EQ(Map().Cell(2, 2).snow, 1.0f);
    EXPECT_EQ(Map().Cell(3, 2).kind, kWater);
    EXPECT_EQ(Map().Cell(0, 3).snow, 0.0f);
    EXPECT_TRUE(Objects().All().empty());
    // No camera: centred on the map. No target area: unreachable.
    EXPECT_EQ(Game().camX, 2.0f);
    EXPECT_EQ(Game().camY, 2.0f);
    EXPECT_EQ(screen.targetLeft, -100.0f);
    EXPECT_EQ(screen.targetBottom, -99.0f);
}

TEST_F(MissionFileTest, EveryLoaderMessage) {
    EXPECT_EQ(LoadError("<objects/>"), "Matryca w misji jest pusta.");
    EXPECT_EQ(LoadError("<matrix>   </matrix><objects/>"), "Matryca w misji jest pusta.");
    EXPECT_EQ(LoadError("<matrix>\"\" \"\"</matrix><objects/>"), "Matryca w misji jest pusta.");
    EXPECT_EQ(LoadError("<matrix>.... ..... ....</matrix><objects/>"),
              std::string("Matryca w misji nie ma stałej szerokości (wiersz nr 2)."_pl));
    EXPECT_EQ(LoadError("<matrix>..</matrix>"), std::string("Misja nie zawiera listy obiektów."_pl));
    const std::string missing = (directory / "none.tlm").string();
    try {
        LoadMission(screen, missing);
        ADD_FAILURE();
    } catch (const vexo::CError& error) {
        EXPECT_EQ(error.message, std::string("Nie można wczytać misji z pliku \""_pl) + missing + "\".");
    }
    EXPECT_THROW(Load("<matrix>..</matrix><objects>"), vexo::CXMLError);
}

TEST_F(MissionFileTest, AFailedLoadKeepsThePreviousWorld) {
    Load("<matrix>...</matrix><objects><unit/></objects>");
    CMap* before = Game().map.get();
    EXPECT_THROW(Load("<matrix>....</matrix>"), vexo::CError);
    EXPECT_EQ(Game().map.get(), before);
    EXPECT_EQ(Objects().Size(), 1u);
}

TEST_F(MissionFileTest, UnitDefaultsAndAttributes) {
    Load("<matrix>..........</matrix><objects><unit/><tree x='3'/>"
         "<unit type='girl' team='2' x='4.5' y='0.25' life='50' level='3'/>"
         "<unit type='child' life='0'/><unit type='boy' zakopany='True'/><unit type='boy' zakopany='f'/>"
         "<unit type='boy' zakopany='1' level='99'/><unit type='boy' level='-4' zakopany='False'/></objects>");
    const std::vector<CUnit*> units = Units();
    ASSERT_EQ(units.size(), 7u);
    const CUnit& plain = *units[0];
    EXPECT_EQ(plain.team, 0);
    EXPECT_EQ(plain.x, 0.0f);
    EXPECT_EQ(plain.y, 0.0f);
    EXPECT_EQ(plain.level, 1);
    EXPECT_FALSE(plain.buried);
    EXPECT_FLOAT_EQ(plain.life, plain.Attribute(kAttrLife));

    const CUnit& girl = *units[1];
    EXPECT_EQ(girl.kind, kGirl);
    EXPECT_EQ(girl.team, 2);
    EXPECT_EQ(girl.x, 4.5f);
    EXPECT_EQ(girl.y, 0.25f);
    EXPECT_FLOAT_EQ(girl.life, 4.4f); // half of the level-1 maximum
    EXPECT_FLOAT_EQ(girl.Attribute(kAttrLife), 10.4f);

    EXPECT_EQ(units[2]->life, -10.0f);
    EXPECT_EQ(units[2]->state, EUnitState::Fallen);
    EXPECT_TRUE(units[3]->buried);
    EXPECT_EQ(units[3]->life, -10.0f);
    EXPECT_FALSE(units[4]->buried);
    EXPECT_TRUE(units[5]->buried);
    EXPECT_EQ(units[5]->level, 10);
    EXPECT_EQ(units[6]->level, 1);
    EXPECT_FALSE(units[6]->buried);
}

TEST_F(MissionFileTest, CameraAndTargetArea) {
    Load("<matrix>...... ......</matrix><objects/><camera x='1.5'/><rect left='10' top='5'/>");
    EXPECT_EQ(Game().camX, 1.5f);
    EXPECT_EQ(Game().camY, 1.0f);
    EXPECT_EQ(screen.targetLeft, 10.0f);
    EXPECT_EQ(screen.targetRight, 10.0f);
    EXPECT_EQ(screen.targetTop, 5.0f);
    EXPECT_EQ(screen.targetBottom, 5.0f);
    Load("<matrix>..</matrix><objects><unit x='1e300' y='-1e300'/></objects><camera x='1e39' y='-3'/>"
         "<rect left='1' top='2' width='3' height='4'/>");
    EXPECT_EQ(Game().camX, 1.0e6f);
    EXPECT_EQ(Game().camY, -3.0f);
    EXPECT_EQ(screen.targetRight, 4.0f);
    EXPECT_EQ(screen.targetBottom, 6.0f);
    CUnit* outside = Units()[0];
    EXPECT_TRUE(std::isfinite(outside->x + outside->GetSize()));
    Objects().UpdateAll(0.0f, 0.01f); // outside the map: drowns, reading nothing beyond the cells
    ASSERT_EQ(Objects().Size(), 1u);
    EXPECT_EQ(Units()[0], nullptr); // only bubbles are left
}

class MissionEndTest : public GameWorldTest {
protected:
    struct Screen : CMissionScreen {
        bool HasOverlay() const override { return overlays > 0; }
        void AddEndOverlay(std::uint32_t colour) override {
            ++overlays;
            overlayColour = colour;
        }
        int overlays = 0;
        std::uint32_t overlayColour = 0;
    } screen;
};

TEST_F(MissionEndTest, DefeatWhenNoPlayerUnitStands) {
    AddUnit(kBoy, 0, 2, 2)->life = -10.0f;
    CUnit* buried = AddUnit(kBoy, 0, 3, 3);
    buried->Damage(100.0f, true);
    buried->buried = true;
    AddUnit(kBoy, 1, 8, 8);
    console.lines.clear();
    sound.played.clear();
    CheckMissionEnd(screen);
    EXPECT_TRUE(screen.over);
    EXPECT_FALSE(screen.won);
    EXPECT_EQ(console.lines, (std::vector<std::pair<std::string, std::uint32_t>>{{"PRZEGRALES !!!", 0xFFFFFFFF}}));
    EXPECT_EQ(sound.played, (std::vector<std::pair<int, int>>{{3, 0}}));
    EXPECT_EQ(screen.overlayColour, 0xFF000000u);
}

TEST_F(MissionEndTest, VictoryByEliminationOrByReachingTheArea) {
    AddUnit(kBoy, 0, 2, 2);
    CUnit* enemy = AddUnit(kBoy, 3, 8, 8);
    CheckMissionEnd(screen);
    EXPECT_FALSE(screen.over);
    screen.targetLeft = 2.0f;
    screen.targetTop = 1.0f;
    screen.targetRight = 2.0f;
    screen.targetBottom = 2.0f;
    CheckMissionEnd(screen); // edges included: the single point (2, 2) is enough
    EXPECT_TRUE(screen.over);
    EXPECT_TRUE(screen.won);
    EXPECT_EQ(screen.overlayColour, 0xFFFFFFFFu);
    EXPECT_EQ(sound.played.back(), std::make_pair(2, 0));

    Screen second;
    second.overlays = 1; // the fade-in is still showing: no second overlay
    enemy->life = -10.0f;
    CheckMissionEnd(second);
    EXPECT_TRUE(second.won);
    EXPECT_EQ(second.overlays, 1);
    EXPECT_EQ(console.lines.back().first, "WYGRALES !!!");
}

} // namespace
