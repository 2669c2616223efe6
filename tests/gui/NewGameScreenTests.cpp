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

const char* const kRandomText = "Utworzona zostanie losowa mapa z obiektami rozmieszczonymi przypadkowo.";

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
    // Clicks the list at y pixels below its top.
    void ClickList(float y) { Click(100, List().top + y); }
    void Select(int row) {
        ClickList(8 + 16 * float(row) + 4);
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
    WriteFile("Maps/beta.tlm", Mission("b"));
    WriteFile("Maps/alfa.tlm", Mission("a"));
    WriteFile("Maps/Alfa.TLM", Mission("A")); // the same name to the sort; the folder's order stays
    WriteFile("Maps/Łąka.tlm", Mission("l"));
    WriteFile("Maps/Zima.tlm", Mission("z"));
    WriteFile("Maps/notatki.txt", "");
    WriteFile("Maps/tlm", "");
    std::filesystem::create_directories(folder.root / "Maps" / "katalog.tlm");
    Open();
    EXPECT_EQ(Names(), (std::vector<std::string>{"[Mapa losowa]", "Alfa", "alfa", "beta",
                                                 std::string("Łąka"_pl), "Zima"}));
    EXPECT_EQ(List().GetSelected(), -1);
    EXPECT_EQ(screen->GetSelectedFile(), "");

    Select(4);
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\Łąka.tlm") << "the file system's own spelling opens the file";
    EXPECT_EQ(Description(), "l");
    Select(1);
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\Alfa.TLM");
    EXPECT_EQ(Description(), "A");
    Select(0);
    EXPECT_EQ(screen->GetSelectedFile(), "") << "the random map";
}

TEST_F(NewGameScreenTest, WithoutMapsOnlyTheRandomMapIsListed) {
    Open();
    EXPECT_EQ(Names(), std::vector<std::string>{"[Mapa losowa]"});
    gui.Draw(800, 600);
    screen = nullptr;
    gui.screens.Erase(0);

    WriteFile("Maps/jedna.tlm", Mission("j"));
    Open();
    EXPECT_EQ(Names(), (std::vector<std::string>{"[Mapa losowa]", "jedna"}));
}

TEST_F(NewGameScreenTest, PlayIsEnabledOnceSomethingIsSelected) {
    WriteFile("Maps/a.tlm", Mission("a"));
    Open();
    EXPECT_FALSE(Greyed(Button(CNewGameScreen::kBack), device));
    EXPECT_TRUE(Greyed(Button(CNewGameScreen::kPlay), device));
    Click(742, 580);
    Frame();
    EXPECT_FALSE(screen->WasClicked(CNewGameScreen::kPlay)) << "disabled until a choice";
    Select(0);
    EXPECT_FALSE(Greyed(Button(CNewGameScreen::kPlay), device));
    Click(742, 580);
    EXPECT_TRUE(screen->WasClicked(CNewGameScreen::kPlay));
    Click(58, 580);
    EXPECT_TRUE(screen->WasClicked(CNewGameScreen::kBack));
    EXPECT_FALSE(screen->WasClicked(2));
}

TEST_F(NewGameScreenTest, LaysItsWindowsOutAndTitlesTheScreen) {
    Open();
    const auto rect = [](const CGUIWindow& w) {
        return std::vector<float>{w.left, w.top, w.right, w.bottom};
    };
    EXPECT_EQ(rect(Button(CNewGameScreen::kBack)), (std::vector<float>{8, 568, 108, 592}));
    EXPECT_EQ(rect(Button(CNewGameScreen::kPlay)), (std::vector<float>{692, 568, 792, 592}));
    EXPECT_EQ(rect(List()), (std::vector<float>{8, 40, 396, 560}));
    EXPECT_EQ(rect(*FindChild<CMissionText>(*screen)), (std::vector<float>{404, 40, 792, 560}));
    // The screen updates even while the application is inactive.
    gfx.SetScreenSize(1000, 700);
    gui.Update(0.0f, 0.02f, false);
    EXPECT_EQ(rect(List()), (std::vector<float>{8, 40, 496, 660}));

    gfx.SetScreenSize(800, 600);
    Frame();
    TakeTexts();
    gui.Draw(800, 600);
    const auto texts = TakeTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "Wybierz misje");
    EXPECT_EQ(texts[0].format, 0x125u);
    EXPECT_EQ(texts[0].color, 0xFF0000FFu);
    EXPECT_EQ(texts[0].rect.top, 8);
    EXPECT_EQ(texts[0].rect.right, 800);
}

TEST_F(NewGameScreenTest, ClicksSelectRowsByPositionAlone) {
    WriteFile("Maps/a.tlm", Mission("a"));
    WriteFile("Maps/b.tlm", Mission("b"));
    Open();
    ClickList(2);
    EXPECT_EQ(List().GetSelected(), 0) << "the top 8 pixels belong to the first row";
    EXPECT_EQ(Played(1), 1);
    ClickList(8 + 16 + 15.5f);
    EXPECT_EQ(List().GetSelected(), 1);
    ClickList(8 + 32);
    EXPECT_EQ(List().GetSelected(), 2);
    ForgetSounds();
    ClickList(8 + 48 + 1);
    EXPECT_EQ(List().GetSelected(), 2) << "below the last entry nothing changes";
    EXPECT_EQ(Played(1), 0);

    // While the list holds a press, a far-away press of another button still maps harmlessly.
    gui.MouseDown(100, 100, kMouseLeft);
    gui.MouseDown(100, 1e30f, kMouseRight);
    gui.MouseDown(100, -1e30f, kMouseRight);
    gui.MouseUp(100, 100, kMouseLeft);
    EXPECT_EQ(List().GetSelected(), 2);
}

TEST_F(NewGameScreenTest, AThirtySecondEntryBecomesTheRedOverflowLine) {
    for (int i = 1; i <= 31; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Maps/m%02d.tlm", i);
        WriteFile(name, Mission(name));
    }
    Open();
    Select(3);
    TakeTexts();
    gui.Draw(800, 600);
    const auto texts = TakeTexts();
    std::vector<CRecordingDevice::Text> rows;
    for (const auto& text : texts)
        if (text.format == 0x20u) rows.push_back(text);
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[0].text, "[Mapa losowa]");
    EXPECT_EQ(rows[0].color, 0xFF00C000u);
    EXPECT_EQ(rows[1].color, 0xFF7F7F7Fu);
    EXPECT_EQ(rows[3].color, 0xFF000000u) << "selected";
    EXPECT_EQ(rows[30].text, "m30");
    EXPECT_EQ(rows[30].rect.top, 40 + 8 + 16 * 30);
    EXPECT_EQ(rows[31].text, "Nie zmiescilo sie...");
    EXPECT_EQ(rows[31].color, 0xFFFF0000u);
    EXPECT_EQ(rows[31].rect.left, 16);
    EXPECT_EQ(rows[31].rect.top, 40 + 8 + 16 * 31);
    EXPECT_EQ(rows[31].rect.right, 388);

    // The hidden entry is still there to click.
    Select(31);
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\m31.tlm");
    Select(0);
    TakeTexts();
    gui.Draw(800, 600);
    for (const auto& text : TakeTexts()) {
        if (text.text == "[Mapa losowa]") {
            EXPECT_EQ(text.color, 0xFF006000u) << "selected";
        }
    }
}

TEST_F(NewGameScreenTest, ThirtyOneEntriesAllFit) {
    for (int i = 1; i <= 30; ++i)
        WriteFile("Maps/m" + std::to_string(100 + i) + ".tlm", Mission("x"));
    Open();
    gui.Draw(800, 600);
    for (const auto& text : TakeTexts())
        EXPECT_NE(text.text, "Nie zmiescilo sie...");
}

TEST_F(NewGameScreenTest, DescriptionsAreReadOnlyWhenTheSelectionChanges) {
    WriteFile("Maps/a.tlm", Mission("  Pierwsza linia\n    druga   linia  "));
    Open();
    EXPECT_EQ(Description(), "");
    Select(0);
    EXPECT_EQ(Description(), kRandomText);
    Select(1);
    EXPECT_EQ(Description(), "Pierwsza linia\n    druga   linia") << "trimmed, inner spacing kept";

    WriteFile("Maps/a.tlm", Mission("nowy opis"));
    Select(1);
    Frame();
    EXPECT_EQ(Description(), "Pierwsza linia\n    druga   linia") << "the same entry is not read again";
    Select(0);
    EXPECT_EQ(Description(), kRandomText);
    Select(1);
    EXPECT_EQ(Description(), "nowy opis");

    TakeTexts();
    gui.Draw(800, 600);
    const auto texts = TakeTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "nowy opis");
    EXPECT_EQ(texts.back().format, 0x10u);
    EXPECT_EQ(texts.back().rect.left, 412);
    EXPECT_EQ(texts.back().rect.bottom, 552);
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

TEST_F(NewGameScreenTest, AFileNamedOnlyTheExtensionIsAnEmptyRow) {
    WriteFile("Maps/.tlm", Mission("bez nazwy"));
    WriteFile("Maps/a.tlm", Mission("a"));
    Open();
    EXPECT_EQ(Names(), (std::vector<std::string>{"[Mapa losowa]", "", "a"}));
    Select(1);
    EXPECT_EQ(Description(), "bez nazwy");
    EXPECT_EQ(screen->GetSelectedFile(), "Maps\\.tlm");
    EXPECT_NO_THROW(gui.Draw(800, 600));
    EXPECT_EQ(errors.Contents(), "");
}

} // namespace
