// CGameScreen: the screen of a running mission. It owns the mission's world while it lives, steps
// it every frame, moves and zooms the camera, lays out its windows and starts order entry.
#pragma once

#include "game/Mission.h"
#include "gui/GUIWindow.h"

#include <cstdint>
#include <memory>
#include <string>

class CGameView;
class COrderPlayback;
class COrderRecorder;
class CUnit;
class CUnitRoster;
struct COrderLog;
struct CPlayerAction;
class CGamePanel;
class COverlay;

class CGameScreen : public CGUIScreen, public CMissionScreen {
public:
    // An empty name makes a random map. A mission that fails to load raises what LoadMission
    // raises, and leaves no world, selection or shared pointer behind.
    // The mission starts with a fresh seed drawn from the process's generator, so a recording of
    // the game can start it again exactly.
    explicit CGameScreen(const std::string& missionFile);
    // Plays a recording at the pace of the frames, with the player's input ignored; raises what
    // StartRecordedMission and COrderPlayback raise.
    CGameScreen(const COrderLog& recording, const std::string& missionFile);
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

    // The mission is over and its end overlay has finished, or a played recording ran out before
    // the mission's end: the screen flow may delete the screen.
    bool IsFinished() const { return (over && !HasOverlay()) || recordingRanOut; }

    // Records the game into the file from now on (see COrderRecorder).
    void StartRecording(const std::string& path);
    bool IsReplay() const { return playback != nullptr; }
    // What the player does to the world goes through here: carried out and recorded. A replay
    // ignores it. A unit of the computer's side may be selected; only own units take orders.
    void Act(int kind, CUnit* unit, CUnit* target = nullptr, float x = 0.0f, float y = 0.0f);
    // Ctrl+key stored the unit in a group: only the recording notes it.
    void RecordGroup(int key, CUnit* unit);

    bool HasOverlay() const override { return overlay != nullptr; }
    void AddEndOverlay(std::uint32_t colour) override;

    CGameView* GetView() const { return view; }

    static constexpr float kMinTilesAcross = 15.0f;
    static constexpr float kMaxTilesAcross = 25.0f;
    static constexpr float kPanelHeight = 120.0f;

private:
    void Setup(const std::string& missionFile, const COrderLog* recording);
    void Step(float time, float elapsed);
    // The result line the game reached, written once to the recording.
    void FinishRecording();
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

    std::string mission;
    std::uint32_t seed = 0;
    std::unique_ptr<CUnitRoster> roster;
    std::unique_ptr<COrderRecorder> recorder;
    std::unique_ptr<COrderLog> recording;
    std::unique_ptr<COrderPlayback> playback;
    double replayClock = 0.0;
    bool recordingRanOut = false;
};
