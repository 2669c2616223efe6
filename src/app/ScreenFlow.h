// CScreenFlow: which screen the player is on (the main menu, the mission selection, a game, or
// the menu or selection over a suspended game), moved on once per frame by the buttons' clicks.
#pragma once

#include <memory>
#include <string>

class CGUIManager;
class CGameScreen;
class CMenu;
class CNewGameScreen;

// What the menu's buttons do outside the screens, and how a game is started. The application
// provides the real ones; tests record them.
class CScreenFlowHost {
public:
    virtual ~CScreenFlowHost() = default;
    // "Ustawienia": the display settings dialog, with the frame paused and its timer stopped.
    virtual void RunSettingsDialog() = 0;
    // "Informacje": Readme.txt opened with the desktop's default program.
    virtual void OpenReadme() = 0;
    // "Wyjscie": the main window's usual shutdown.
    virtual void CloseMainWindow() = 0;
    // A new game screen for a mission path ("" for a random map). A mission that does not load
    // raises its error, which has written its record by then.
    virtual CGameScreen* CreateGameScreen(const std::string& missionFile);
};

class CScreenFlow {
public:
    // Pushes the main menu, which stays on the stack for the rest of the run.
    void Start(CGUIManager& gui, std::unique_ptr<CScreenFlowHost> host);
    // A recorded game over the menu, played at its own pace; Escape or its end goes back to the
    // menu. A recording that cannot be played leaves the menu (the error is in Errors.log).
    void PlayRecording(const std::string& path);
    // Once per frame, after the GUI manager's update. Acts on at most one click; the clicks of
    // the buttons it did not reach wait for a later frame.
    void Step();

private:
    // The screen stack in each state, bottom to top.
    enum class EState {
        NotStarted,
        Menu,          // menu
        Choosing,      // menu, mission selection
        Playing,       // menu, game
        Suspended,     // game, menu
        ChoosingOverGame // game, menu, mission selection
    };

    void StepMenu();
    void StepChoosing();
    void StepPlaying();
    // The menu's "Ustawienia", "Informacje" and "Wyjscie", alike with or without a game under it.
    bool StepCommonButtons();
    void OpenSelection(EState next);
    void CloseSelection();
    void EraseGame();
    // The screen at the bottom of the stack comes to the top, untouched.
    void RaiseBottom();
    // A screen that comes back to the top forgets keys released while it lay below.
    void ActivateTop();
    // Replaces whatever game runs with the chosen mission; a mission that does not load leaves
    // the selection on top, over the menu alone.
    void Play();

    CGUIManager* gui = nullptr;
    std::unique_ptr<CScreenFlowHost> host;
    EState state = EState::NotStarted;
    // Non-owning: the screens belong to the GUI manager's stack.
    CMenu* menu = nullptr;
    CGameScreen* game = nullptr;
    CNewGameScreen* selection = nullptr;
};
