// Advancing a running mission: the world update in short substeps and the once-per-second check
// and decisions. The game screen and the headless runner of the tools share it.
#pragma once

#include "game/Mission.h"

#include <cstdint>
#include <string>

// The longest step the world takes at once: a long frame is cut into equal substeps no longer
// than this, so nothing moves far enough in one step to pass through a wall or a unit.
inline constexpr float kMaxWorldStep = 0.01f;

// Every object's update, in as many equal substeps as the elapsed time needs.
void UpdateWorld(float time, float elapsed);

// One frame of a running mission: the world update, then, when the second is up and the mission
// is not over, the end check and every unit's decision. playerDecidesLikeComputer lets the
// player's units follow the computer's rules too (for balancing missions headless).
void StepMission(CMissionScreen& screen, float time, float elapsed, bool playerDecidesLikeComputer = false);

struct COrderLog;

struct CHeadlessOptions {
    std::uint32_t seed = 1;
    float step = 1.0f / 60.0f;
    float maxSeconds = 600.0f;
    bool bothComputer = false;
    // A script of the player's actions by time, or none.
    const COrderLog* orders = nullptr;
};

struct CHeadlessResult {
    enum EOutcome : int { kVictory, kDefeat, kTimeout } outcome = kTimeout; // indexes its name
    float seconds = 0.0f;
    int playerStanding = 0;
    int computerStanding = 0;
};

// Loads the mission (an empty path makes a random map) after seeding the generator, and runs
// it with a fixed step until it is over or the time is up. The world stays current afterwards.
// Load errors propagate.
CHeadlessResult RunHeadless(const std::string& missionPath, const CHeadlessOptions& options);
// The outcome so far: over or not, and who stands.
CHeadlessResult MissionResult(const CMissionScreen& screen, float seconds);
// "result: victory after 12.5 s; standing: 3 player, 0 computer"
std::string DescribeResult(const CHeadlessResult& result);
