// CGameScreen: the screen of a running mission. It owns the mission's world while it lives, steps
// it every frame, moves and zooms the camera, lays out its windows and starts order entry.
#pragma once

#include "game/Mission.h"
#include "gui/GUIWindow.h"

#include <cstdint>
#include <string>

class CGameView;
class CGamePanel;
class COverlay;

class CGameScreen : public CGUIScreen, public CMissionScreen {
public:
    // An empty name makes a random map. A mission that fails to load raises what LoadMission
    // raises, and leaves no world, selection or shared pointer behind.
    explicit CGameScreen(const std::string& missionFile);
    // Deletes the world (objects, then the map) before the windows, and clears every per-game
    // pointer that names this screen or its windows.
    ~CGameScreen() override;

    void Update(float time, float elapsed, bool active) override;
    bool OnKeyDown(int key) override;
    bool OnKeyUp(int key) override;
    bool OnMouseMove(float x, float y) override;
    std::uint32_t GetBackgroundColor() const override { return 0xFF000000u; }

    // Escape is latched when it goes down, so a tap released before the next frame still counts.
    // The screen flow reads it once per frame; reading clears it. A true answer means the game goes
    // under the menu, so the key table is cleared too: releases made there never reach this screen.
    bool ReadEscape();
    // Back on top, or the window lost the keyboard focus: releases made meanwhile were never
    // seen, so no key may stay held in the table.
    void OnActivate() override;
    void OnFocusLost() override;

    // The mission is over and its end overlay has finished: the screen flow may delete the screen.
    bool IsFinished() const { return over && !HasOverlay(); }

    bool HasOverlay() const override { return overlay != nullptr; }
    void AddEndOverlay(std::uint32_t colour) override;

    CGameView* GetView() const { return view; }
    CGamePanel* GetPanel() const { return panel; }
    float GetTilesAcross() const { return tilesAcross; }

    static constexpr float kMinTilesAcross = 15.0f;
    static constexpr float kMaxTilesAcross = 25.0f;
    static constexpr float kPanelHeight = 120.0f;

private:
    void Layout(float width, float height);
    void MoveCamera(float elapsed);
    void Zoom(float elapsed);
    // Deletes the world and clears the per-game values, if they are still this screen's.
    void ReleaseGame();

    float tilesAcross = 17.5f;
    CGameView* view = nullptr;
    CGamePanel* panel = nullptr;
    COverlay* overlay = nullptr;
    bool escapeLatched = false;
};
