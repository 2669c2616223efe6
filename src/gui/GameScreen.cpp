// The game screen: construction and release of the mission's world, the frame update, the
// camera and zoom, and the keys it reads.
#include "gui/GameScreen.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "game/OrderLog.h"
#include "game/Replay.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "gui/GUIManager.h"
#include "gui/GameOutputs.h"
#include "gui/GameGUI.h"
#include "gui/GamePanel.h"
#include "gui/GameView.h"
#include "gui/GameWindows.h"
#include "gui/Hint.h"
#include "gui/Overlay.h"
#include "platform/VirtualKeys.h"
#include "support/Files.h"
#include "support/Random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

using namespace platform;

namespace {

constexpr float kCameraPixelsPerSecond = 1000.0f;
constexpr float kZoomTilesPerSecond = 10.0f;

// The order hot-keys, by order index.
constexpr std::array<int, 6> kOrderKeys = {'S', 'G', 'F', 'A', 'W', 'P'};

// Held alone: pressing both directions cancels out.
bool HeldAlone(int key, int opposite) { return GameGUI().IsKeyDown(key) && !GameGUI().IsKeyDown(opposite); }

} // namespace

CGameScreen::CGameScreen(const std::string& missionFile) { Setup(missionFile, nullptr); }

CGameScreen::CGameScreen(const COrderLog& log, const std::string& missionFile) {
    recording = std::make_unique<COrderLog>(log);
    Setup(missionFile, recording.get());
}

void CGameScreen::Setup(const std::string& missionFile, const COrderLog* replay) {
    CGameGUI& gui = GameGUI();
    gui.ClearKeys();
    gui.screen = this;
    Game().ClearSelection();
    Game().canvas = &GfxCanvas();
    Game().sound = &SystemSound();
    mission = missionFile;
    try {
        view = new CGameView;
        AddChild(view);
        panel = new CGamePanel;
        AddChild(panel);
        overlay = new COverlay(0xFF000000, 1.0f, 0.0f);
        AddChild(overlay);
        CHint* hint = new CHint;
        AddChild(hint);
        gui.hint = hint;
        if (replay) {
            StartRecordedMission(*this, *replay, missionFile);
            playback = std::make_unique<COrderPlayback>(*replay);
        } else {
            seed = std::uint32_t(vexo::Rand()) << 15 | std::uint32_t(vexo::Rand());
            vexo::SeedRand(seed);
            if (missionFile.empty())
                GenerateRandomMap(*this);
            else
                LoadMission(*this, missionFile);
        }
        roster = std::make_unique<CUnitRoster>();
        roster->Capture();
    } catch (...) {
        // The windows go with the base class; the world and the shared values go here.
        ReleaseGame();
        throw;
    }
}

CGameScreen::~CGameScreen() {
    // A game left before its end keeps how it stood when the player left.
    if (recorder && GameGUI().screen == this && Game().objects) FinishRecording();
    ReleaseGame();
}

void CGameScreen::FinishRecording() {
    recorder->Finish(DescribeResult(MissionResult(*this, float(recorder->Clock()))));
}

void CGameScreen::StartRecording(const std::string& path) {
    if (playback || path.empty()) return;
    COrderLog header;
    header.mission = mission;
    if (!mission.empty()) {
        std::string bytes;
        vexo::ReadFileToString(mission, bytes);
        header.hash = MissionHash(bytes);
    }
    header.hasSeed = true;
    header.seed = seed;
    recorder = std::make_unique<COrderRecorder>(path, header);
}

void CGameScreen::Act(int kind, CUnit* unit, CUnit* target, float x, float y) {
    if (playback || !roster) return;
    const CPlayerAction action{CPlayerAction::EKind(kind), roster->IndexOf(unit), roster->IndexOf(target), x, y};
    if (action.unit < 0) return;
    roster->Apply(action);
    if (recorder) recorder->Record(action);
}

void CGameScreen::RecordGroup(int key, CUnit* unit) {
    if (!recorder || !roster || roster->IndexOf(unit) < 0) return;
    recorder->Record({CPlayerAction::kGroup, roster->IndexOf(unit), key, 0.0f, 0.0f});
}

void CGameScreen::ReleaseGame() {
    if (GameGUI().screen != this) return;
    Game().ClearWorld();
    Game().canvas = nullptr;
    Game().sound = nullptr;
    GameGUI().Clear();
}

void CGameScreen::Update(float time, float elapsed, bool active) {
    // An inactive application pauses the mission.
    if (!active || !Game().objects) return;
    Step(time, elapsed);
    if (overlay && overlay->Finished()) {
        RemoveChild(std::exchange(overlay, nullptr));
    }
    const float width = ScreenWidth(), height = ScreenHeight();
    Layout(width, height);
    if (width > 0) Game().tileSize = width / tilesAcross;
    MoveCamera(elapsed);
    CUnit* selected = Game().Selected();
    if (selected && (GameGUI().IsKeyDown(VK_SPACE) || ModifierOn(kModScrollLock))) {
        Game().camX = selected->x;
        Game().camY = selected->y;
    }
    Zoom(elapsed);
    for (int i = 0; i < int(kOrderKeys.size()); ++i)
        if (panel->WasClicked(i)) view->BeginOrder(i);
}

void CGameScreen::Step(float time, float elapsed) {
    if (playback && !over) {
        // Whole recorded frames, as many as the real time has covered, each with its own elapsed
        // time: the world takes the very steps it took in the recorded game.
        replayClock += elapsed;
        while (!over && playback->NextFrameEnd() <= replayClock) playback->StepFrame(*this);
        if (!over && std::isinf(playback->NextFrameEnd())) recordingRanOut = true;
        return;
    }
    // After a replay's end only the overlay's fade and the world around it go on.
    StepMission(*this, time, elapsed);
    if (!recorder) return;
    recorder->EndFrame(elapsed);
    if (over) FinishRecording();
}

void CGameScreen::Layout(float width, float height) {
    Place(*view, 0, 0, width, height - kPanelHeight);
    Place(*panel, 0, height - kPanelHeight, width, height);
    if (overlay) Place(*overlay, 0, 0, width, height);
}

void CGameScreen::MoveCamera(float elapsed) {
    const CGameGUI& gui = GameGUI();
    CGameState& game = Game();
    // The same speed on the screen at any zoom.
    const float step = kCameraPixelsPerSecond / game.tileSize * elapsed;
    // The limits hold the view's centre on the map, so half a view beyond its edge can show.
    if (HeldAlone(VK_UP, VK_DOWN) || gui.edgeTop) game.camY = std::max(0.0f, game.camY - step);
    if (HeldAlone(VK_LEFT, VK_RIGHT) || gui.edgeLeft) game.camX = std::max(0.0f, game.camX - step);
    if (HeldAlone(VK_DOWN, VK_UP) || gui.edgeBottom) game.camY = std::min(float(GameMap().height), game.camY + step);
    if (HeldAlone(VK_RIGHT, VK_LEFT) || gui.edgeRight) game.camX = std::min(float(GameMap().width), game.camX + step);
}

void CGameScreen::Zoom(float elapsed) {
    // Takes effect through the tile size on the next frame.
    if (HeldAlone(VK_ADD, VK_SUBTRACT))
        tilesAcross = std::max(kMinTilesAcross, tilesAcross - kZoomTilesPerSecond * elapsed);
    if (HeldAlone(VK_SUBTRACT, VK_ADD))
        tilesAcross = std::min(kMaxTilesAcross, tilesAcross + kZoomTilesPerSecond * elapsed);
}

bool CGameScreen::OnKeyDown(int key) {
    GameGUI().SetKey(key, true);
    if (key == VK_ESCAPE) escapeLatched = true;
    const auto order = std::find(kOrderKeys.begin(), kOrderKeys.end(), key);
    if (order != kOrderKeys.end()) view->BeginOrder(int(order - kOrderKeys.begin()));
    // The view still sees every key.
    return false;
}

bool CGameScreen::OnKeyUp(int key) {
    GameGUI().SetKey(key, false);
    return false;
}

bool CGameScreen::OnMouseMove(float, float) { return false; }

bool CGameScreen::ReadEscape() {
    if (!std::exchange(escapeLatched, false)) return false;
    // The menu goes on top now; whatever is released there never comes back here.
    GameGUI().ClearKeys();
    return true;
}

void CGameScreen::OnActivate() { GameGUI().ClearKeys(); }

void CGameScreen::OnFocusLost() { GameGUI().ClearKeys(); }

void CGameScreen::AddEndOverlay(std::uint32_t colour) {
    overlay = new COverlay(colour, 0.0f, 1.0f);
    AddChild(overlay);
    Place(*overlay, 0, 0, ScreenWidth(), ScreenHeight());
}
