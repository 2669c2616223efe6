// Fuzzes the order log as the replay tools read it: any text either parses or raises a CError,
// and a log that parses plays against a small mission without crashing or hanging.
#include "game/GameState.h"
#include "game/Replay.h"
#include "support/Error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = [] {
        const std::string file = "/tmp/fuzz-orders-" + std::to_string(getpid()) + ".tlm";
        std::ofstream(file) << "<map><matrix>....~\n..^..\n.#..,</matrix><objects><unit team='0' x='0' y='0'/>"
                               "<unit team='1' x='4' y='2' life='0'/><unit team='0' x='2' y='2' zakopany='1'/>"
                               "</objects></map>";
        return file;
    }();
    try {
        COrderLog log = ParseOrderLog(std::string(reinterpret_cast<const char*>(data), size));
        // Played as a recording whatever it says, with a bounded amount of simulated time: a script's
        // times are moments, not frame lengths, and hours of simulation say nothing more about a crash.
        log.hash.clear();
        log.timed = false;
        if (log.frames.size() > 200) log.frames.resize(200);
        for (COrderFrame& frame : log.frames) frame.seconds = std::min(frame.seconds, 0.25f);
        RunReplay(log, path);
    } catch (const vexo::CError&) {
    }
    Game().ClearWorld();
    return 0;
}
