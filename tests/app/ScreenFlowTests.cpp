// The screen flow: every move between the main menu, the mission selection and a game, driven by
// clicks and keys through the GUI manager, with real game screens over small missions.
#include "gui/ButtonLook.h"
#include "gui/MenuTestKit.h"

#include "app/ScreenFlow.h"
#include "gui/GameScreen.h"
#include "gui/Menu.h"
#include "gui/NewGameScreen.h"
#include "gui/WindowTree.h"
#include "platform/VirtualKeys.h"

#include <map>
#include <optional>

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

// Mission rows after "[Mapa losowa]", by sorted name.
const std::map<std::string, int> kRows = {{"random", 0}, {"battle", 1}, {"won", 2}, {"broken", 3}};

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

// The shipped fonts, so the menu's buttons can be drawn and looked at.
class ScreenFlowTest : public MenuScreensTest {
protected:
    void SetUp() override {
        MenuScreensTest::SetUp();
        WriteFile("Maps/Bitwa.tlm", kBattle);
        WriteFile("Maps/Wygrana.tlm", kWon);
        WriteFile("Maps/Zepsuta.tlm", "<map><matrix>..");
        flow.emplace();
        flow->Start(gui, std::make_unique<CRecordingFlowHost>(log));
    }

    void Frame(float elapsed = 0.05f) {
        time += elapsed;
        gui.Update(time, elapsed, true);
        flow->Step();
    }
    void Click(const CGUIWindow& window) {
        MenuScreensTest::Click((window.left + window.right) / 2, (window.top + window.bottom) / 2);
    }
    // One step of the player, between frames: a menu button, "back", "esc", "play ROW" (a row of
    // the list, then "Graj >"), or "end" (frames until the game on the stack is over and gone).
    void Do(const std::string& step) {
        const std::map<std::string, int> menu = {{"new", CMenu::kNewGame}, {"return", CMenu::kReturn},
                                                 {"settings", CMenu::kSettings}, {"info", CMenu::kInformation},
                                                 {"exit", CMenu::kExit}};
        Frame();
        if (menu.count(step)) {
            Click(*On<CMenu>()->GetButton(menu.at(step)));
        } else if (step == "esc") {
            gui.KeyDown(platform::VK_ESCAPE);
            gui.KeyUp(platform::VK_ESCAPE);
        } else if (step == "back" || step.rfind("play ", 0) == 0) {
            if (step != "back") {
                const CMissionList& list = *FindChild<CMissionList>(*On<CNewGameScreen>());
                const float y = list.top + 8 + 16 * float(kRows.at(step.substr(5))) + 8;
                gui.MouseDown(list.left + 20, y, kMouseLeft);
                gui.MouseUp(list.left + 20, y, kMouseLeft);
                Frame();
            }
            Click(*FindChild<CMenuButton>(*On<CNewGameScreen>(), step == "back" ? CNewGameScreen::kBack : CNewGameScreen::kPlay));
        } else if (step == "end") {
            for (int frames = 0; On<CGameScreen>() && frames < 500; ++frames) Frame();
        } else {
            FAIL() << "no step " << step;
        }
        Frame();
    }
    // The screen of that kind on the stack, or nullptr.
    template <class T> T* On() const {
        for (CGUIScreen* screen : gui.screens)
            if (auto* found = dynamic_cast<T*>(screen)) return found;
        return nullptr;
    }
    // The stack bottom to top by kind, as the player sees it; "menu*" is the menu on top with
    // "Wroc do gry" enabled.
    std::string Kinds() {
        std::string kinds;
        for (CGUIScreen* screen : gui.screens) {
            if (!kinds.empty()) kinds += ' ';
            if (auto* menu = dynamic_cast<CMenu*>(screen))
                kinds += screen == gui.screens.back() && !Greyed(*menu->GetButton(CMenu::kReturn), device) ? "menu*" : "menu";
            else
                kinds += dynamic_cast<CGameScreen*>(screen) ? "game" : dynamic_cast<CNewGameScreen*>(screen) ? "selection" : "other";
        }
        return kinds;
    }

    std::optional<CScreenFlow> flow;
    std::vector<std::string> log;
    float time = 0.0f;
};

struct FlowCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> steps; // what the player does, the stack after it
    std::vector<std::string> host;                           // what the flow asked of the application
};

TEST_F(ScreenFlowTest, EveryMoveLeavesTheStackThePlayerExpects) {
    const FlowCase cases[] = {
        {"the selection opens over the menu and leads back or into a game",
         {{"return", "menu"}, {"new", "menu selection"}, {"back", "menu"}, {"new", "menu selection"},
          {"play battle", "menu game"}},
         {"game Maps\\Bitwa.tlm"}},
        {"Escape suspends the game under the menu; a new game from there and back keeps it",
         {{"new", "menu selection"}, {"play battle", "menu game"}, {"esc", "game menu*"},
          {"new", "game menu selection"}, {"back", "game menu*"}, {"return", "menu game"}},
         {"game Maps\\Bitwa.tlm"}},
        {"a new mission replaces the suspended game",
         {{"new", ""}, {"play battle", ""}, {"esc", ""}, {"new", ""}, {"play random", "menu game"}},
         {"game Maps\\Bitwa.tlm", "game "}},
        {"a mission that fails to load leaves the selection on top, to choose again",
         {{"new", ""}, {"play broken", "menu selection"}, {"play battle", "menu game"}},
         {"game Maps\\Zepsuta.tlm", "game Maps\\Bitwa.tlm"}},
        {"a failed replacement leaves the selection over the menu alone",
         {{"new", ""}, {"play battle", ""}, {"esc", "game menu*"}, {"new", ""}, {"play broken", "menu selection"},
          {"back", "menu"}},
         {"game Maps\\Bitwa.tlm", "game Maps\\Zepsuta.tlm"}},
        {"an ended game goes back to the menu once its overlay has faded",
         {{"new", ""}, {"play won", "menu game"}, {"esc", "game menu*"}, {"return", "menu game"}, {"end", "menu"}},
         {"game Maps\\Wygrana.tlm"}},
        {"settings, read-me and exit leave the state alone",
         {{"settings", "menu"}, {"info", "menu"}, {"exit", "menu"}, {"new", ""}, {"play battle", ""}, {"esc", ""},
          {"settings", "game menu*"}, {"info", "game menu*"}, {"exit", "game menu*"}},
         {"settings", "readme", "close", "game Maps\\Bitwa.tlm", "settings", "readme", "close"}},
    };
    for (const FlowCase& c : cases) {
        SCOPED_TRACE(c.name);
        while (!gui.screens.empty()) gui.screens.Erase(0);
        log.clear();
        flow.emplace();
        flow->Start(gui, std::make_unique<CRecordingFlowHost>(log));
        for (const auto& [step, kinds] : c.steps) {
            Do(step);
            if (*kinds) {
                EXPECT_EQ(Kinds(), kinds) << "after " << step;
            }
        }
        EXPECT_EQ(log, c.host);
    }
    EXPECT_NE(errors.Contents(), "") << "the loader's record";
}

TEST_F(ScreenFlowTest, ASuspendedGameStandsStillAndTheSameGameGoesOn) {
    Do("new");
    Do("play battle");
    CGameScreen* game = On<CGameScreen>();
    ASSERT_NE(game, nullptr);
    Do("esc");
    const float timer = game->secondTimer;
    for (int i = 0; i < 10; ++i) Frame();
    EXPECT_EQ(game->secondTimer, timer);
    Do("return");
    EXPECT_EQ(On<CGameScreen>(), game);
    Frame();
    EXPECT_NE(game->secondTimer, timer);
}

} // namespace
