// One simulated second of battle (60 world steps and one round of decisions) on a 99 x 99 map,
// with 40, 400 and 4,000 units, half on each side, scattered over the snow.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/RandomMap.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <benchmark/benchmark.h>

namespace {

void MakeBattle(int units) {
    vexo::SeedRand(12345);
    CGameState& game = Game();
    game.ClearWorld();
    game.map = std::make_unique<CMap>(99, 99);
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

void SimulatedSecond(benchmark::State& state) {
    const int units = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        MakeBattle(units);
        CMissionScreen screen;
        // The decisions fall on the last of the sixty steps.
        screen.secondTimer = 1.0f - 0.5f / 60.0f;
        state.ResumeTiming();
        for (int step = 0; step < 60; ++step) StepMission(screen, 0.0f, 1.0f / 60.0f, true);
        benchmark::DoNotOptimize(GameObjects().Size());
    }
    state.counters["units"] = double(units);
    Game().ClearWorld();
}

} // namespace

BENCHMARK(SimulatedSecond)->Arg(40)->Arg(400)->Arg(4000)->Unit(benchmark::kMillisecond);
