// The mission selection screen: the list scanned from Maps, its order, the rows a click selects,
// the line that says the list did not fit, and the descriptions read from the mission files.
#include "MenuTestKit.h"
#include "ButtonLook.h"

#include "gui/Menu.h"
#include "gui/NewGameScreen.h"
#include "gui/WindowTree.h"
#include "support/Text1250.h"

using namespace vexo::literals;

namespace {

std::string Mission(const std::string& text) {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map><text>" + text +
           "</text><matrix>...</matrix></map>";
}

class NewGameScreenTest : public MenuScreensTest {
protected:
    // Pushes a fresh screen over what the working folder holds now, laid out by one frame.
    void Open() {
        screen = new CNewGameScreen;
        gui.screens.push_back(screen);
        Frame();
    }
    CMissionList& List() const { return *FindChild<CMissionList>(*screen); }
    CMenuButton& Button(int which) const { return *FindChild<CMenuButton>(*screen, which); }
    // The rows as the list draws them given room for all; a row left blank has an empty name.
    std::vector<std::string> Names() {
        TakeTexts();
        List().Draw(0, 0, 800, 100000);
        std::vector<std::string> names;
        for (const auto& text : TakeTexts()) {
            const auto row = std::size_t((float(text.rect.top) - CMissionList::kMargin) / CMissionList::kRowHeight);
            names.resize(std::max(names.size(), row + 1));
            names[row] = text.text;
        }
        return names;
    }
    void Select(int row) {
        Click(100, List().top + 8 + 16 * float(row) + 4);
        Frame();
    }
    // The description as drawn.
    std::string Description() {
        TakeTexts();
        CMissionText& text = *FindChild<CMissionText>(*screen);
        text.Draw(text.left, text.top, text.right, text.bottom);
        const auto texts = TakeTexts();
        return texts.empty() ? "" : texts.back().text;
    }

    CNewGameScreen* screen = nullptr;
};

TEST_F(NewGameScreenTest, ListsMissionFilesSortedWithoutRegardToCase) {
    Open();
    EXPECT_EQ(Names(), std::vector<std::string>{"[Mapa losowa]"}) << "no Maps folder";
    gui.screens.Erase(0);

    // Alfa.TLM is the same name as alfa.tlm to the sort; the folder's order stays.
    for (auto [name, title] : {std::pair{"Maps/beta.tlm", "b"}, {"Maps/alfa.tlm", "a"}, {"Maps/Alfa.TLM", "A"},
                               {"Maps/Łąka.tlm", "l"}})
        WriteFile(name, Mission(title));
    for (const char* notAMission : {"Maps/notatki.txt", "Maps/tlm"}) WriteFile(notAMission, "");
    std::filesystem::create_directories(folder.root / "Maps" / "katalog.tlm");
    Open();
    EXPECT_EQ(Names(), (std::vector<std::string>{"[Mapa losowa]", "Alfa", "alfa", "beta", std::string("Łąka"_pl)}));
    EXPECT_EQ(screen->GetSelectedFile(), "");
    EXPECT_TRUE(Greyed(Button(CNewGameScreen::kPlay), device)) << "disabled until a choice";

    Select(4);
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\Łąka.tlm") << "the file system's own spelling opens the file";
    EXPECT_EQ(Description(), "l");
    Select(1);
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\Alfa.TLM");
    Select(0);
    EXPECT_EQ(screen->GetSelectedFile(), "") << "the random map";
    EXPECT_FALSE(Greyed(Button(CNewGameScreen::kPlay), device));
    Click(742, 580);
    EXPECT_TRUE(screen->WasClicked(CNewGameScreen::kPlay));

    // While the list holds a press, far-away presses of another button map to no row, harmlessly.
    gui.MouseDown(100, List().top + 30, kMouseLeft);
    for (float y : {1e30f, -1e30f}) gui.MouseDown(100, y, kMouseRight);
    gui.MouseUp(100, List().top + 30, kMouseLeft);
    EXPECT_EQ(List().GetSelected(), 1);
}

TEST_F(NewGameScreenTest, AThirtySecondEntryBecomesTheRedOverflowLine) {
    for (int i = 1; i <= 31; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Maps/m%02d.tlm", i);
        WriteFile(name, Mission(name));
    }
    Open();
    TakeTexts();
    gui.Draw(800, 600);
    std::vector<CRecordingDevice::Text> rows;
    for (const auto& text : TakeTexts())
        if (text.format == 0x20u) rows.push_back(text);
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[30].text, "m30");
    EXPECT_EQ(rows[31].text, "Nie zmiescilo sie...");
    EXPECT_EQ(rows[31].color, 0xFFFF0000u);
    EXPECT_EQ(rows[31].rect.top - rows[30].rect.top, CMissionList::kRowHeight);
    EXPECT_EQ(std::pair(rows[30].rect.left, rows[30].rect.right), std::pair(rows[31].rect.left, rows[31].rect.right));

    // The hidden entry is still there to click.
    Select(31);
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\m31.tlm");
}

TEST_F(NewGameScreenTest, BrokenOrSilentMissionsSayWhatIsWrong) {
    WriteFile("Maps/a bez opisu.tlm", "<map><matrix>...</matrix></map>");
    WriteFile("Maps/b zepsuta.tlm", "<map><text>urwane");
    WriteFile("Maps/c.tlm", Mission("c"));
    Open();
    Select(1);
    EXPECT_EQ(Description(), "Brak opisu...");
    EXPECT_EQ(errors.Contents(), "");
    Select(2);
    EXPECT_EQ(Description(), "Blad podczas wczytywania mapy!");
    EXPECT_NE(errors.Contents(), "") << "the parser's record";
    EXPECT_FALSE(Greyed(Button(CNewGameScreen::kPlay), device)) << "the player may still try it";

    // A file that vanished after the scan.
    std::filesystem::remove(folder.root / "Maps" / "c.tlm");
    Select(3);
    EXPECT_EQ(Description(), "Blad podczas wczytywania mapy!");
    EXPECT_NE(errors.Contents().find("Maps\\c.tlm"), std::string::npos);
}

} // namespace
