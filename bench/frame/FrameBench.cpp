// The game's frame offscreen at 1280x720: a battle on a 99x99 random map with every unit, a volley
// of snowballs, the panel, the console and all life bars, against the same frame with terrain
// only and against a bare clear and present; the frame rates and their ratios in one run.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Snowball.h"
#include "game/Unit.h"
#include "gfx/GameRenderStates.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "gui/GameScreen.h"
#include "platform/OpenGLDevice.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"
#include "support/Random.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <epoxy/gl.h>
#include <map>
#include <memory>

namespace {

constexpr int kWidth = 1280, kHeight = 720;
constexpr float kStep = 1.0f / 60.0f;
constexpr int kSnowballsInFlight = 60;

// The window, device, graphics manager and the running battle, made once for all three frames.
struct CStage {
    CGUIManager gui;
    CGLWindow window;
    std::unique_ptr<CRenderDevice> device;
    CGfx gfx;
    CGameScreen* screen = nullptr;
    float time = 0.0f;
};
CStage* stage = nullptr;

// A seed whose random map is 99x99: the terrain draws its height, then its width, first.
std::uint32_t SeedForLargestMap() {
    for (std::uint32_t seed = 1;; ++seed) {
        vexo::SeedRand(seed);
        if (vexo::Rand() % 50 == 49 && vexo::Rand() % 50 == 49) return seed;
    }
}

void StartBattle(CStage& s) {
    vexo::SeedRand(SeedForLargestMap());
    s.screen = new CGameScreen("");
    s.gui.screens.push_back(s.screen);
    // Alt held shows every life bar; the console is full of lines.
    s.gui.KeyDown(platform::VK_MENU);
    for (int i = 0; i < 12; ++i)
        Announce("Wojtek osiagnal poziom 2.", 0xFF80FF80);
    // Past the fade-in, so the overlay is gone as in play.
    for (int i = 0; i < 90; ++i)
        s.gui.Update(s.time += kStep, kStep, true);
}

// Every unit stands in play, and the volley is topped up from the units near the camera, so each
// frame carries the same load.
void KeepBattleGoing() {
    int inFlight = 0;
    std::vector<const CUnit*> throwers;
    for (const auto& object : GameObjects().All()) {
        if (dynamic_cast<const CSniezka*>(object.get())) ++inFlight;
        if (const CUnit* unit = object->AsUnit()) throwers.push_back(unit);
    }
    for (int i = 0; inFlight < kSnowballsInFlight && !throwers.empty(); ++i, ++inFlight) {
        const CUnit& from = *throwers[std::size_t(vexo::Rand()) % throwers.size()];
        const float heading = RandHeading();
        auto ball = std::make_unique<CSniezka>(1.0f, heading, 10.0f, 1.0f, false);
        // Clear of the thrower, as a throw leaves the hand.
        ball->x = from.x + std::cos(heading);
        ball->y = from.y - std::sin(heading);
        GameObjects().Add(std::move(ball));
    }
}

// Presenting waits for the picture as a display would, so the drawing is counted, not queued.
void Present(CRenderDevice& device) {
    device.Present();
    glFinish();
}

// The device's draws and state changes per frame, beside the frame's time.
void CountPerFrame(benchmark::State& state, CRenderDevice& device) {
    const CRenderCounts counts = device.TakeCounts();
    const double frames = double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["draws"] = double(counts.draws) / frames;
    state.counters["changes"] = double(counts.stateChanges) / frames;
}

void FullFrame(benchmark::State& state) {
    CStage& s = *stage;
    s.device->TakeCounts();
    for (auto _ : state) {
        KeepBattleGoing();
        s.gui.Update(s.time += kStep, kStep, true);
        s.device->Clear(s.gui.GetBackgroundColor());
        s.device->BeginScene();
        s.gui.Draw(float(kWidth), float(kHeight));
        s.device->EndScene();
        Present(*s.device);
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["objects"] = double(GameObjects().Size());
    CountPerFrame(state, *s.device);
}

void TerrainOnly(benchmark::State& state) {
    CStage& s = *stage;
    s.device->TakeCounts();
    for (auto _ : state) {
        s.device->Clear(0xFF000000);
        s.device->BeginScene();
        GameMap().Draw(0.0f, 0.0f, float(kWidth), float(kHeight) - CGameScreen::kPanelHeight);
        s.device->EndScene();
        Present(*s.device);
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    CountPerFrame(state, *s.device);
}

void ClearAndPresent(benchmark::State& state) {
    CStage& s = *stage;
    for (auto _ : state) {
        s.device->Clear(0xFF000000);
        s.device->BeginScene();
        s.device->EndScene();
        Present(*s.device);
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(FullFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(9);
BENCHMARK(TerrainOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(9);
BENCHMARK(ClearAndPresent)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(9);

// Remembers each frame's median time so the ratios can be printed after the table.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // The median of the repetitions: a shared machine slows single runs down at random.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && run.iterations > 0)
                seconds[run.run_name.function_name] = run.real_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv) {
    // The picture is never shown: an offscreen window unless the caller chose a driver.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // The repetitions of the three frames run interleaved, so a neighbour's load falls on all of
    // them alike and the medians compare; a flag given on the command line still overrides it.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + (argc > 0 ? 1 : 0), interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    CStage s;
    std::string error;
    if (!s.window.Create("Tundrel", kWidth, kHeight, WindowMode::Windowed, error) ||
        !(s.device = CreateOpenGLDevice(s.window, error))) {
        std::fprintf(stderr, "frame_bench: %s\n", error.c_str());
        return 1;
    }
    s.window.SetSwapInterval(0);
    SetGameRenderStates(*s.device);
    s.gfx.Create(s.device.get());
    s.gfx.LoadGameData(TUNDREL_DATA_DIR "/GameData");
    s.gfx.SetScreenSize(kWidth, kHeight);
    s.gfx.Restore();
    StartBattle(s);
    stage = &s;

    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double full = reporter.seconds["FullFrame"], terrain = reporter.seconds["TerrainOnly"],
                 bare = reporter.seconds["ClearAndPresent"];
    if (full > 0 && terrain > 0 && bare > 0)
        std::printf("\n%dx%d, %d x %d map: full %.0f fps, terrain only %.0f fps, clear and present %.0f fps\n"
                    "full / terrain only = %.2f (target at most 1.30), full / clear and present = %.2f\n",
                    kWidth, kHeight, GameMap().width, GameMap().height, 1 / full, 1 / terrain, 1 / bare,
                    full / terrain, full / bare);

    while (!s.gui.screens.empty())
        s.gui.screens.Erase(0);
    s.gfx.Invalidate();
    s.gfx.Destroy();
    benchmark::Shutdown();
    return 0;
}
