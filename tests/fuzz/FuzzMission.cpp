// Fuzzes the mission loader as the game screen calls it: any file either loads or raises a CError,
// and a world that loaded survives a few seconds of play with every unit deciding.
#include "game/GameState.h"
#include "game/Mission.h"
#include "game/Simulation.h"
#include "support/Error.h"
#include "support/Random.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The loader reads from a path, as the game does; one file per process keeps parallel
    // fuzzing jobs apart.
    static const std::string path = "/tmp/fuzz-mission-" + std::to_string(getpid()) + ".tlm";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    vexo::SeedRand(1);
    CMissionScreen screen;
    try {
        LoadMission(screen, path);
        float time = 0.0f;
        for (int frame = 0; frame < 30 && !screen.over; ++frame)
            StepMission(screen, time += 0.1f, 0.1f, true);
    } catch (const vexo::CError&) {
    }
    Game().ClearWorld();
    return 0;
}
