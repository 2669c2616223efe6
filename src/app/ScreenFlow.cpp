// The screen flow between the main menu, the mission selection and the game, and the game
// application's part in it: the settings dialog, the read-me file and closing the window.
#include "app/ScreenFlow.h"

#include "app/MyD3DApp.h"
#include "gui/GUIManager.h"
#include "gui/GameScreen.h"
#include "gui/Menu.h"
#include "gui/NewGameScreen.h"
#include "game/Replay.h"
#include "platform/Shell.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"

#include <ctime>
#include <exception>
#include <memory>

using namespace vexo::literals;

CGameScreen* CScreenFlowHost::CreateGameScreen(const std::string& missionFile) {
    return new CGameScreen(missionFile);
}

void CScreenFlow::Start(CGUIManager& manager, std::unique_ptr<CScreenFlowHost> flowHost) {
    gui = &manager;
    host = std::move(flowHost);
    menu = new CMenu;
    gui->screens.push_back(menu);
    menu->SetReturnEnabled(false);
    state = EState::Menu;
}

void CScreenFlow::Step() {
    switch (state) {
    case EState::Menu:
    case EState::Suspended:
        StepMenu();
        break;
    case EState::Choosing:
    case EState::ChoosingOverGame:
        StepChoosing();
        break;
    case EState::Playing:
        StepPlaying();
        break;
    case EState::NotStarted:
        break;
    }
}

void CScreenFlow::StepMenu() {
    // "Wroc do gry" is disabled without a game under the menu, so it is not even read then.
    if (state == EState::Suspended && menu->WasClicked(CMenu::kReturn)) {
        RaiseBottom();
        state = EState::Playing;
    } else if (menu->WasClicked(CMenu::kNewGame)) {
        OpenSelection(state == EState::Menu ? EState::Choosing : EState::ChoosingOverGame);
    } else {
        StepCommonButtons();
    }
}

bool CScreenFlow::StepCommonButtons() {
    if (menu->WasClicked(CMenu::kSettings))
        host->RunSettingsDialog();
    else if (menu->WasClicked(CMenu::kInformation))
        host->OpenReadme();
    else if (menu->WasClicked(CMenu::kExit))
        host->CloseMainWindow();
    else
        return false;
    return true;
}

void CScreenFlow::StepChoosing() {
    if (selection->WasClicked(CNewGameScreen::kBack)) {
        CloseSelection();
        state = state == EState::Choosing ? EState::Menu : EState::Suspended;
    } else if (selection->WasClicked(CNewGameScreen::kPlay)) {
        Play();
    }
}

void CScreenFlow::PlayRecording(const std::string& path) {
    try {
        const COrderLog log = ReadOrderLog(path);
        game = new CGameScreen(log, RecordedMissionPath(log, path));
    } catch (const vexo::CError&) {
        return;
    }
    gui->screens.push_back(game);
    state = EState::Playing;
}

void CScreenFlow::StepPlaying() {
    if (game->IsReplay() && game->ReadEscape()) {
        EraseGame();
        state = EState::Menu;
    } else if (game->ReadEscape()) {
        RaiseBottom();
        menu->SetReturnEnabled(true);
        state = EState::Suspended;
    } else if (game->IsFinished()) {
        EraseGame();
        menu->SetReturnEnabled(false);
        state = EState::Menu;
    }
}

void CScreenFlow::Play() {
    const std::string file = selection->GetSelectedFile();
    // One world exists at a time: the suspended game goes before the next one loads.
    if (game) {
        EraseGame();
        menu->SetReturnEnabled(false);
        state = EState::Choosing;
    }
    try {
        game = host->CreateGameScreen(file);
    } catch (const vexo::CError&) {
        // The record is in Errors.log already; the player stays on the selection and may pick again.
        return;
    } catch (const std::exception& error) {
        vexo::CError(std::string("Nie można rozpocząć misji: "_pl) + error.what(), "d3dapp", __LINE__);
        return;
    }
    gui->screens.push_back(game);
    CloseSelection();
    state = EState::Playing;
}

void CScreenFlow::OpenSelection(EState next) {
    selection = new CNewGameScreen;
    gui->screens.push_back(selection);
    state = next;
}

void CScreenFlow::CloseSelection() {
    gui->screens.Erase(gui->screens.IndexOf(selection));
    selection = nullptr;
    ActivateTop();
}

void CScreenFlow::EraseGame() {
    gui->screens.Erase(gui->screens.IndexOf(game));
    game = nullptr;
    ActivateTop();
}

void CScreenFlow::RaiseBottom() {
    gui->screens.MoveToTop(0);
    ActivateTop();
}

void CScreenFlow::ActivateTop() {
    if (!gui->screens.empty()) gui->screens.back()->OnActivate();
}

namespace {

// The game application's side of the flow.
class CApplicationFlowHost : public CScreenFlowHost {
public:
    explicit CApplicationFlowHost(CMyD3DApplication& app) : app(app) {}

    void RunSettingsDialog() override {
        app.Pause(true, true);
        app.ChangeDevice();
        app.Pause(false, true);
    }

    void OpenReadme() override {
        // The click must never pass without a trace: a missing file or a desktop that cannot open
        // it leaves its record, and the menu goes on.
        const std::string failure = !vexo::FileExists(kReadme) ? std::string("no such file")
                                                               : platform::OpenWithDesktop(vexo::HostPath(kReadme));
        if (!failure.empty())
            vexo::CError(std::string("Nie można otworzyć pliku \""_pl) + kReadme + "\" (" + failure + ").", "d3dapp",
                         __LINE__);
    }

    void CloseMainWindow() override { app.SendMessage(platform::WM_CLOSE); }

    // Every game the player starts is recorded.
    CGameScreen* CreateGameScreen(const std::string& missionFile) override {
        auto screen = std::make_unique<CGameScreen>(missionFile);
        screen->StartRecording(NewReplayPath(kReplayFolder, Stamp(), missionFile));
        return screen.release();
    }

private:
    static constexpr const char* kReadme = "Readme.txt";

    // The local date and time a game starts, as recordings are named: "2026-12-06 22-55-25".
    static std::string Stamp() {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &local);
        return text;
    }

    CMyD3DApplication& app;
};

} // namespace

void CMyD3DApplication::StartScreenFlow() {
    screenFlow.Start(gui, std::make_unique<CApplicationFlowHost>(*this));
    if (!replayPath.empty()) screenFlow.PlayRecording(replayPath);
}

void CMyD3DApplication::StepScreenFlow() {
    screenFlow.Step();
}
