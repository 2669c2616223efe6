// The per-frame advance of a mission and the headless runner.
#include "game/Simulation.h"

#include "game/Computer.h"
#include "game/GameState.h"
#include "game/ObjectList.h"
#include "game/Replay.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

void UpdateWorld(float time, float elapsed) {
    if (!(elapsed > 0.0f)) {
        GameObjects().UpdateAll(time, 0.0f);
        return;
    }
    // Frames up to the limit (with float slack) stay one step, as they always were.
    const int steps = std::max(1, int(std::ceil(elapsed / kMaxWorldStep - 1e-4f)));
    const float sub = elapsed / float(steps);
    for (int i = 0; i < steps; ++i) {
        Game().substep = i;
        GameObjects().UpdateAll(time, sub);
    }
    Game().substep = 0;
}

void StepMission(CMissionScreen& screen, float time, float elapsed, bool playerDecidesLikeComputer) {
    screen.secondTimer -= elapsed;
    UpdateWorld(time, elapsed);
    if (!screen.over && screen.secondTimer < 0.0f) {
        CheckMissionEnd(screen);
        const CObjectList::CNeighbourhood neighbourhood(GameObjects());
        for (const auto& object : GameObjects().All())
            if (CUnit* unit = object->AsUnit()) Think(*unit, unit->team != 0 || playerDecidesLikeComputer);
    }
    if (screen.secondTimer < 0.0f) screen.secondTimer += 1.0f;
}

CHeadlessResult RunHeadless(const std::string& missionPath, const CHeadlessOptions& options) {
    vexo::SeedRand(options.seed);
    CMissionScreen screen;
    if (missionPath.empty())
        GenerateRandomMap(screen);
    else
        LoadMission(screen, missionPath);
    std::optional<COrderPlayback> script;
    if (options.orders) script.emplace(*options.orders);
    const float step = std::clamp(options.step, 0.001f, 1.0f);
    // Counted in whole steps so the clock does not drift with float sums.
    const long long maxSteps = std::llround(std::max(options.maxSeconds, 0.0f) / step);
    long long done = 0;
    while (!screen.over && done < maxSteps) {
        // What is due by the start of a step comes before it, as a click comes before the frame.
        if (script) script->ApplyDue(float(double(done) * step));
        ++done;
        StepMission(screen, float(done) * step, step, options.bothComputer);
    }
    return MissionResult(screen, float(double(done) * step));
}

CHeadlessResult MissionResult(const CMissionScreen& screen, float seconds) {
    CHeadlessResult result;
    result.seconds = seconds;
    result.outcome = !screen.over ? CHeadlessResult::kTimeout : screen.won ? CHeadlessResult::kVictory : CHeadlessResult::kDefeat;
    for (const auto& object : GameObjects().All()) {
        const CUnit* unit = object->AsUnit();
        if (!unit || !unit->IsStanding()) continue;
        ++(unit->team == 0 ? result.playerStanding : result.computerStanding);
    }
    return result;
}

std::string DescribeResult(const CHeadlessResult& result) {
    static const char* const kOutcomes[] = {"victory", "defeat", "timeout"};
    char text[160];
    std::snprintf(text, sizeof text, "result: %s after %.2f s; standing: %d player, %d computer",
                  kOutcomes[result.outcome], double(result.seconds), result.playerStanding,
                  result.computerStanding);
    return text;
}
