// The screen flow: every move between the main menu, the mission selection and a game, driven by
// clicks and keys through the GUI manager, with real game screens over small missions.
#include "support/TestFiles.h"
#include "gui/ButtonLook.h"

#include "app/ScreenFlow.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "gui/GameScreen.h"
#include "gui/Menu.h"
#include "gui/NewGameScreen.h"
#include "gui/WindowTree.h"
#include "platform/VirtualKeys.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const char* const kBattle = R"(<map><text>Bitwa</text><matrix>
    ....................
    ....................
    ....................
    ....................
    ....................
  </matrix><objects>
    <unit type="boy" team="0" x="1" y="1"/>
    <unit type="boy" team="1" x="19" y="4"/>
  </objects></map>)";
// Nobody to fight: won at the first check.
const char* const kWon = R"(<map><text>Wygrana</text><matrix>
    .....
    .....
  </matrix><objects><unit type="girl" team="0" x="2" y="1"/></objects></map>)";

// Mission rows after "[Mapa losowa]": sorted names.
enum Row : int { kRandomRow = 0, kBattleRow = 1, kWonRow = 2, kBrokenRow = 3 };

class CRecordingFlowHost : public CScreenFlowHost {
public:
    explicit CRecordingFlowHost(std::vector<std::string>& log) : log(log) {}
    void RunSettingsDialog() override { log.push_back("settings"); }
    void OpenReadme() override { log.push_back("readme"); }
    void CloseMainWindow() override { log.push_back("close"); }
    CGameScreen* CreateGameScreen(const std::string& missionFile) override {
        log.push_back("game " + missionFile);
        return CScreenFlowHost::CreateGameScreen(missionFile);
    }

private:
    std::vector<std::string>& log;
};

// The screen of that kind on the stack, or nullptr.
template <class T> T* ScreenOn(const CGUIManager& gui) {
    for (CGUIScreen* screen : gui.screens)
        if (auto* found = dynamic_cast<T*>(screen)) return found;
    return nullptr;
}

// The stack bottom to top by kind: where the flow stands, as the player sees it.
std::string StackKinds(const CGUIManager& gui) {
    std::string kinds;
    for (CGUIScreen* screen : gui.screens) {
        if (!kinds.empty()) kinds += ' ';
        kinds += dynamic_cast<CMenu*>(screen)            ? "menu"
                 : dynamic_cast<CGameScreen*>(screen)    ? "game"
                 : dynamic_cast<CNewGameScreen*>(screen) ? "selection"
                                                         : "other";
    }
    return kinds;
}

class ScreenFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::current_path(folder.path);
        std::filesystem::create_directory("Maps");
        vexo::WriteStringToFile("Maps\\Bitwa.tlm", kBattle);
        vexo::WriteStringToFile("Maps\\Wygrana.tlm", kWon);
        vexo::WriteStringToFile("Maps\\Zepsuta.tlm", "<map><matrix>..");
        // Shipped fonts, so the menu's buttons can be drawn and looked at.
        const char* root = std::getenv("TUNDREL_SOURCE_DIR");
        gfx.Create(&device);
        gfx.LoadGameData(std::string(root ? root : ".") + "/data/GameData");
        gfx.SetScreenSize(800, 600);
        flow.Start(gui, std::make_unique<CRecordingFlowHost>(log));
    }
    void TearDown() override {
        gfx.Destroy();
        std::filesystem::current_path(previous);
    }

    void Frame(float elapsed = 0.05f) {
        time += elapsed;
        gui.Update(time, elapsed, true);
        flow.Step();
    }
    void Click(const CGUIWindow& window) {
        const float x = (window.left + window.right) / 2, y = (window.top + window.bottom) / 2;
        gui.MouseMove(x, y);
        gui.MouseDown(x, y, kMouseLeft);
        gui.MouseUp(x, y, kMouseLeft);
    }
    void ClickMenu(int button) {
        Frame();
        Click(*On<CMenu>()->GetButton(button));
        Frame();
    }
    // Picks a row of the list and presses "Graj >".
    void Play(int row) {
        Frame();
        CNewGameScreen* selection = On<CNewGameScreen>();
        ASSERT_NE(selection, nullptr);
        const CMissionList& list = *FindChild<CMissionList>(*selection);
        gui.MouseDown(list.left + 20, list.top + 8 + 16 * float(row) + 8, kMouseLeft);
        gui.MouseUp(list.left + 20, list.top + 8 + 16 * float(row) + 8, kMouseLeft);
        Frame();
        Click(*FindChild<CMenuButton>(*selection, CNewGameScreen::kPlay));
        Frame();
    }
    void Back() {
        ASSERT_NE(On<CNewGameScreen>(), nullptr);
        Frame();
        Click(*FindChild<CMenuButton>(*On<CNewGameScreen>(), CNewGameScreen::kBack));
        Frame();
    }
    void Escape() {
        gui.KeyDown(platform::VK_ESCAPE);
        gui.KeyUp(platform::VK_ESCAPE);
        Frame();
    }
    template <class T> T* On() const { return ScreenOn<T>(gui); }
    std::string Kinds() const { return StackKinds(gui); }
    std::vector<CGUIScreen*> Stack() const {
        return std::vector<CGUIScreen*>(gui.screens.begin(), gui.screens.end());
    }
    bool ReturnEnabled() { return !Greyed(*On<CMenu>()->GetButton(CMenu::kReturn), device); }

    tundrel_test::CapturedErrorLog errors;
    tundrel_test::TempDir folder;
    std::filesystem::path previous = std::filesystem::current_path();
    CGUIManager gui;
    CRecordingDevice device;
    CGfx gfx;
    CScreenFlow flow;
    std::vector<std::string> log;
    float time = 0.0f;
};

TEST_F(ScreenFlowTest, StartsOnTheMenuAloneWithReturnDisabled) {
    EXPECT_EQ(Kinds(), "menu");
    EXPECT_FALSE(ReturnEnabled());
    Click(*On<CMenu>()->GetButton(CMenu::kReturn));
    Frame();
    EXPECT_EQ(Kinds(), "menu");
}

TEST_F(ScreenFlowTest, TheSelectionOpensOverTheMenuAndLeadsBackOrIntoAGame) {
    ClickMenu(CMenu::kNewGame);
    EXPECT_EQ(Kinds(), "menu selection");
    Back();
    EXPECT_EQ(Kinds(), "menu");
    EXPECT_EQ(On<CNewGameScreen>(), nullptr);

    ClickMenu(CMenu::kNewGame);
    Play(kBattleRow);
    EXPECT_EQ(Kinds(), "menu game");
    ASSERT_NE(On<CGameScreen>(), nullptr);
    EXPECT_EQ(On<CNewGameScreen>(), nullptr);
    EXPECT_EQ(log.back(), "game Maps\\Bitwa.tlm");
}

TEST_F(ScreenFlowTest, EscapeSuspendsTheGameUnderTheMenuAndReturnResumesIt) {
    ClickMenu(CMenu::kNewGame);
    Play(kBattleRow);
    CGameScreen* game = On<CGameScreen>();
    ASSERT_NE(game, nullptr);
    Frame();
    Escape();
    EXPECT_EQ(Kinds(), "game menu");
    EXPECT_EQ(Stack(), (std::vector<CGUIScreen*>{game, On<CMenu>()}));
    EXPECT_TRUE(ReturnEnabled());

    const float timer = game->secondTimer;
    for (int i = 0; i < 10; ++i)
        Frame();
    EXPECT_EQ(game->secondTimer, timer) << "a suspended game stands still";

    ClickMenu(CMenu::kReturn);
    EXPECT_EQ(Kinds(), "menu game");
    EXPECT_EQ(On<CGameScreen>(), game) << "the same game";
    EXPECT_EQ(Stack(), (std::vector<CGUIScreen*>{On<CMenu>(), game}));
    Frame();
    EXPECT_NE(game->secondTimer, timer) << "and it goes on";
}

TEST_F(ScreenFlowTest, NewGameFromTheSuspendedGameAndBackKeepsTheGame) {
    ClickMenu(CMenu::kNewGame);
    Play(kBattleRow);
    CGameScreen* game = On<CGameScreen>();
    Escape();
    ClickMenu(CMenu::kNewGame);
    EXPECT_EQ(Kinds(), "game menu selection");
    EXPECT_EQ(Stack(), (std::vector<CGUIScreen*>{game, On<CMenu>(), On<CNewGameScreen>()}));
    Back();
    EXPECT_EQ(Kinds(), "game menu");
    EXPECT_EQ(Stack(), (std::vector<CGUIScreen*>{game, On<CMenu>()}));
    EXPECT_TRUE(ReturnEnabled());
    ClickMenu(CMenu::kReturn);
    EXPECT_EQ(On<CGameScreen>(), game);
}

TEST_F(ScreenFlowTest, ANewMissionReplacesTheSuspendedGame) {
    ClickMenu(CMenu::kNewGame);
    Play(kBattleRow);
    Escape();
    ClickMenu(CMenu::kNewGame);
    Play(kRandomRow);
    EXPECT_EQ(Kinds(), "menu game");
    ASSERT_EQ(gui.screens.size(), 2u) << "the old game is gone";
    EXPECT_EQ(log.back(), "game ");
}

TEST_F(ScreenFlowTest, AMissionThatFailsToLoadLeavesTheSelectionOnTop) {
    ClickMenu(CMenu::kNewGame);
    Play(kBrokenRow);
    EXPECT_EQ(log.back(), "game Maps\\Zepsuta.tlm");
    EXPECT_EQ(Kinds(), "menu selection");
    EXPECT_EQ(On<CGameScreen>(), nullptr);
    EXPECT_NE(errors.Contents(), "") << "the loader's record";

    Play(kBattleRow);
    EXPECT_EQ(Kinds(), "menu game") << "the player may choose again";
}

TEST_F(ScreenFlowTest, AFailedReplacementLeavesTheSelectionOverTheMenuAlone) {
    ClickMenu(CMenu::kNewGame);
    Play(kBattleRow);
    Escape();
    ClickMenu(CMenu::kNewGame);
    Play(kBrokenRow);
    EXPECT_EQ(Kinds(), "menu selection");
    EXPECT_EQ(On<CGameScreen>(), nullptr);
    EXPECT_FALSE(ReturnEnabled());
    Back();
    EXPECT_EQ(Kinds(), "menu");
    EXPECT_FALSE(ReturnEnabled());
}

TEST_F(ScreenFlowTest, AnEndedGameGoesBackToTheMenuOnceItsOverlayHasFaded) {
    ClickMenu(CMenu::kNewGame);
    Play(kWonRow);
    CGameScreen* game = On<CGameScreen>();
    ASSERT_NE(game, nullptr);
    // Escape and back first, so "Wroc do gry" has been enabled once.
    Escape();
    ClickMenu(CMenu::kReturn);
    int frames = 0;
    while (!game->over && frames++ < 100)
        Frame();
    ASSERT_TRUE(game->over);
    EXPECT_TRUE(game->HasOverlay());
    EXPECT_EQ(Kinds(), "menu game") << "the end overlay still fades in";
    while (Kinds() == "menu game" && frames++ < 400)
        Frame();
    EXPECT_EQ(Kinds(), "menu");
    EXPECT_EQ(On<CGameScreen>(), nullptr);
    EXPECT_FALSE(ReturnEnabled());
}

TEST_F(ScreenFlowTest, SettingsReadMeAndExitLeaveTheStateAlone) {
    ClickMenu(CMenu::kSettings);
    ClickMenu(CMenu::kInformation);
    ClickMenu(CMenu::kExit);
    EXPECT_EQ(log, (std::vector<std::string>{"settings", "readme", "close"}));
    EXPECT_EQ(Kinds(), "menu");

    ClickMenu(CMenu::kNewGame);
    Play(kBattleRow);
    Escape();
    log.clear();
    ClickMenu(CMenu::kSettings);
    ClickMenu(CMenu::kInformation);
    ClickMenu(CMenu::kExit);
    EXPECT_EQ(log, (std::vector<std::string>{"settings", "readme", "close"}));
    EXPECT_EQ(Kinds(), "game menu");
}

TEST_F(ScreenFlowTest, OneClickActsPerFrameAndTheRestWait) {
    Frame();
    Click(*On<CMenu>()->GetButton(CMenu::kExit));
    Click(*On<CMenu>()->GetButton(CMenu::kInformation));
    Click(*On<CMenu>()->GetButton(CMenu::kNewGame));
    Frame();
    EXPECT_EQ(Kinds(), "menu selection");
    EXPECT_TRUE(log.empty());
    Back();
    EXPECT_TRUE(log.empty()) << "the menu is not read in the frame that closes the selection";
    Frame();
    EXPECT_EQ(log, std::vector<std::string>{"readme"});
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"readme", "close"}));
}

} // namespace

TEST(ScreenFlowReplayTest, ARecordingPlaysOverTheMenuAndEscapeEndsIt) {
    tundrel_test::CapturedErrorLog errors;
    tundrel_test::TempDir folder;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    std::filesystem::create_directories("Maps");
    vexo::WriteStringToFile("Maps\\Bitwa.tlm", kBattle);
    vexo::WriteStringToFile("a.tlr", "tundrel-orders 1\nmission Maps\\Bitwa.tlm\nseed 1\nframe 0.05\ngo 0 5 1\n");
    CGUIManager gui;
    CGfx gfx;
    gfx.SetScreenSize(800, 600);
    CScreenFlow flow;
    std::vector<std::string> log;
    flow.Start(gui, std::make_unique<CRecordingFlowHost>(log));
    // A recording that cannot be read leaves the menu alone, with its record in Errors.log.
    flow.PlayRecording("missing.tlr");
    EXPECT_EQ(StackKinds(gui), "menu");
    EXPECT_NE(errors.Contents().find("missing.tlr"), std::string::npos);

    flow.PlayRecording("a.tlr");
    ASSERT_EQ(StackKinds(gui), "menu game");
    ASSERT_TRUE(ScreenOn<CGameScreen>(gui)->IsReplay());
    gui.KeyDown(platform::VK_ESCAPE);
    gui.KeyUp(platform::VK_ESCAPE);
    gui.Update(0.05f, 0.05f, true);
    flow.Step();
    EXPECT_EQ(StackKinds(gui), "menu");
    std::filesystem::current_path(previous);
}
