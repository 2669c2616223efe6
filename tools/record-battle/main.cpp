// tundrel-record-battle: plays a mission with the computer on both sides, in real time and with
// the game's sound system, so an audio driver that records (SDL's "disk" driver) captures the mix
// a player would hear through a busy battle. scripts/measure-clipping runs it and reads the mix.
#include "game/GameState.h"
#include "game/Mission.h"
#include "game/Simulation.h"
#include "gui/GameOutputs.h"
#include "sound/SoundSystem.h"
#include "support/Error.h"
#include "support/Random.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: tundrel-record-battle MISSION SECONDS [SEED]   (run in the data folder;\n"
                             "       MISSION \"\" plays a random map)\n");
        return 64;
    }
    const std::string mission = argv[1];
    const double seconds = std::atof(argv[2]);
    vexo::SetErrorLogFile("Errors.log");
    try {
        CSoundSystem sound;
        Game().sound = &SystemSound();
        vexo::SeedRand(argc > 3 ? std::uint32_t(std::strtoul(argv[3], nullptr, 10)) : 1u);
        CMissionScreen screen;
        if (mission.empty())
            GenerateRandomMap(screen);
        else
            LoadMission(screen, mission);
        // The game's frame rate, paced by the wall clock: the sound output mixes in real time.
        constexpr double kStep = 1.0 / 60.0;
        const auto start = std::chrono::steady_clock::now();
        long long frame = 0;
        while (!screen.over && frame * kStep < seconds) {
            ++frame;
            StepMission(screen, float(frame * kStep), float(kStep), true);
            std::this_thread::sleep_until(start + std::chrono::duration<double>(frame * kStep));
        }
        std::printf("%s after %.1f s\n", !screen.over ? "timeout" : screen.won ? "victory" : "defeat", frame * kStep);
        // The victory or defeat tune plays out before the output closes.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return 0;
    } catch (const vexo::CError&) {
        std::fprintf(stderr, "tundrel-record-battle: see Errors.log\n");
        return 1;
    }
}
