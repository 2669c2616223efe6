// One simulated second of battle (60 world steps and one round of decisions) on a 99 x 99 map,
// with 40, 400, 4,000 and 4,096 units (the most a mission may hold), half on each side, scattered
// over the snow: first the opening second, when every unit decides what to do, then a second in
// the thick of it, with snowballs flying, hits pushing units and experience handed out. Prints
// the cost at 4,000 units over the cost at 400, and how much faster than real time the largest
// battle runs on one core. Last, the biggest mission the loader accepts: its longest frame.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/RandomMap.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr float kStep = 1.0f / 60.0f;
// Three rounds of decisions: the fighting has started everywhere.
constexpr int kWarmUpSeconds = 3;

// The units stand on the top-left 99 x 99 cells of a map of the given side.
void MakeBattle(int units, int mapSide = 99) {
    vexo::SeedRand(12345);
    CGameState& game = Game();
    game.ClearWorld();
    game.map = std::make_unique<CMap>(mapSide, mapSide);
    game.map->RandomRelief();
    game.objects = std::make_unique<CObjectList>();
    for (int i = 0; i < units; ++i) {
        CUnit* unit = game.objects->Add(std::make_unique<CUnit>(vexo::Rand() % 3));
        unit->team = i % 2;
        unit->Heal();
        do {
            unit->x = 1.0f + 97.0f * float(vexo::Rand()) / float(vexo::RandMax);
            unit->y = 1.0f + 97.0f * float(vexo::Rand()) / float(vexo::RandMax);
        } while (!IsGoodSpot(*game.map, unit->x, unit->y));
    }
}

// Both sides decide for themselves, and the decisions fall on the last of the sixty steps.
void PlaySecond(CMissionScreen& screen) {
    for (int step = 0; step < 60; ++step)
        StepMission(screen, 0.0f, kStep, true);
}

// Times the second after the given number of untimed ones.
void TimeSecond(benchmark::State& state, int warmUpSeconds) {
    const int units = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        MakeBattle(units);
        CMissionScreen screen;
        screen.secondTimer = 1.0f - 0.5f * kStep;
        for (int second = 0; second < warmUpSeconds; ++second)
            PlaySecond(screen);
        state.ResumeTiming();
        PlaySecond(screen);
        benchmark::DoNotOptimize(GameObjects().Size());
    }
    Game().ClearWorld();
}

void OpeningSecond(benchmark::State& state) {
    TimeSecond(state, 0);
}
void SecondInBattle(benchmark::State& state) {
    TimeSecond(state, kWarmUpSeconds);
}

BENCHMARK(OpeningSecond)->Arg(40)->Arg(400)->Arg(4000)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(SecondInBattle)->Arg(400)->Arg(4000)->Arg(4096)->Unit(benchmark::kMillisecond);

// The game answers Escape in the frame after the key, so what a player waits for on the biggest
// mission the loader accepts (the most units, crowded into one battle, on the most cells) is the
// longest single frame of a second: the one with the round of decisions. Each iteration reports
// the longest of sixty frames.
void LongestFrameAtTheLimits(benchmark::State& state) {
    static_assert(std::int64_t(4096) * 4096 == kMaxMissionCells);
    MakeBattle(kMaxMissionUnits, 4096);
    CMissionScreen screen;
    screen.secondTimer = 1.0f - 0.5f * kStep;
    for (auto _ : state) {
        double longest = 0.0;
        for (int step = 0; step < 60; ++step) {
            const auto start = std::chrono::steady_clock::now();
            StepMission(screen, 0.0f, kStep, true);
            longest = std::max(longest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        state.SetIterationTime(longest);
    }
    Game().ClearWorld();
}
BENCHMARK(LongestFrameAtTheLimits)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Keeps the CPU time of each run (the median when repeated) for the ratios after the table: on a
// shared machine the wall-clock time says more about the neighbours than about the simulation.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((single || median) && run.iterations > 0)
                milliseconds[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> milliseconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* name : {"OpeningSecond", "SecondInBattle"}) {
        const std::string prefix = std::string(name) + "/";
        const double small = reporter.milliseconds[prefix + "400"],
                     large = reporter.milliseconds[prefix + "4000"],
                     limit = reporter.milliseconds[prefix + "4096"];
        if (small > 0 && large > 0)
            std::printf("%s: 4000 units cost %.1f x 400 units (target at most 15)", name, large / small);
        if (limit > 0) std::printf("; 4096 units run %.0f x faster than real time", 1000.0 / limit);
        if (small > 0 || limit > 0) std::printf("\n");
    }
    benchmark::Shutdown();
    return 0;
}
