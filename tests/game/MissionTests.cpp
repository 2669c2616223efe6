// The mission file loader: its messages, a failed load keeping the world, terrain and units' defaults.
#include "GameTestWorld.h"

#include "game/Mission.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"
#include "xml/XMLError.h"

namespace {

using vexo::literals::operator""_pl;

class MissionFileTest : public GameWorldTest {
protected:
    void Load(const std::string& body) {
        vexo::WriteStringToFile(path,
                                "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map>" + body + "</map>");
        LoadMission(screen, path);
    }
    std::vector<CUnit*> Units() {
        std::vector<CUnit*> units;
        for (const auto& object : Objects().All()) units.push_back(object->AsUnit());
        return units;
    }

    tundrel_test::TempDir dir;
    std::string path = dir.File("m.tlm");
    CMissionScreen screen;
};

TEST_F(MissionFileTest, EveryLoaderMessageAndAFailedLoadKeepsThePreviousWorld) {
    Load("<matrix>.... ....</matrix><objects><unit/></objects>");
    CMap* before = Game().map.get();
    const struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"<objects/>", "Matryca w misji jest pusta."},
        {"<matrix>\"\" \"\"</matrix><objects/>", "Matryca w misji jest pusta."},
        {"<matrix>.... ..... ....</matrix><objects/>",
         "Matryca w misji nie ma stałej szerokości (wiersz nr 2)."},
        {"<matrix>..</matrix>", "Misja nie zawiera listy obiektów."},
    };
    for (const auto& c : cases) {
        const auto error = tundrel_test::ErrorOf([&] { Load(c.body); });
        ASSERT_TRUE(error) << c.body;
        EXPECT_EQ(error->message, vexo::Utf8ToCp1250(c.message));
        EXPECT_EQ(error->sourceFile, "GamePlay");
    }
    EXPECT_THROW(Load("<matrix>..</matrix><objects>"), vexo::CXMLError);
    const std::string missing = dir.File("none.tlm");
    EXPECT_EQ(tundrel_test::MessageOf([&] { LoadMission(screen, missing); }),
              std::string("Nie można wczytać misji z pliku \""_pl) + missing + "\".");
    EXPECT_EQ(Game().map.get(), before);
    EXPECT_EQ(Map().width, 4);
    EXPECT_EQ(Objects().Size(), 1u);
}

TEST_F(MissionFileTest, TerrainUnitsCameraAndTargetArea) {
    Load("<matrix>.#,/ ^~__</matrix><objects><unit/><tree x='3'/>"
         "<unit type='girl' team='2' x='4.5' y='0.25' life='50' level='3'/>"
         "<unit type='child' life='0'/><unit type='boy' zakopany='True'/><unit type='boy' zakopany='f'/>"
         "<unit type='boy' zakopany='1' level='99'/></objects><camera x='1.5'/>"
         "<rect left='1' top='0' width='3' height='4'/>");
    const int kinds[] = {kGround, kObstacle, kGround, kIce, kGround, kWater, kGround, kGround};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(Map().Cell(c % 4, c / 4).kind, kinds[c]) << c;
    EXPECT_TRUE(Map().Cell(2, 0).yellow);
    const std::vector<CUnit*> units = Units();
    ASSERT_EQ(units.size(), 6u);
    EXPECT_FLOAT_EQ(units[0]->life, units[0]->Attribute(kAttrLife));
    EXPECT_EQ(units[1]->kind, kGirl);
    EXPECT_FLOAT_EQ(units[1]->life, 4.4f); // half of the level-1 maximum
    EXPECT_FLOAT_EQ(units[1]->Attribute(kAttrLife), 10.4f);
    EXPECT_TRUE(units[3]->buried);
    EXPECT_FALSE(units[4]->buried);
    EXPECT_EQ(units[5]->level, 10);
    EXPECT_EQ(Game().camX, 1.5f);
    EXPECT_EQ(Game().camY, 1.0f); // no y: the map's middle
    EXPECT_EQ(screen.targetRight, 4.0f);
    EXPECT_EQ(screen.targetBottom, 4.0f);
}

} // namespace
