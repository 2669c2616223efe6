// tundrel-tool replay: plays a recorded game headless and prints its result, the same line as
// mission simulate, so a recording can be checked against the result the game reached.
#include "game/GameState.h"
#include "game/Replay.h"
#include "support/Error.h"
#include "support/Text1250.h"
#include "tundrel-tool/Verbs.h"

#include <iostream>

namespace {

constexpr std::string_view kUsage =
    "  tundrel-tool replay play FILE [--mission MISSION]\n"
    "      plays a recording of the game (Replays/*.tlr) headless and prints its result; the mission\n"
    "      is found as recorded, or beside the Replays folder, or given with --mission. A mission\n"
    "      whose bytes differ from the recorded one is refused.\n";

int Play(std::span<const std::string> words) {
    if (words.size() != 1 && !(words.size() == 3 && words[1] == "--mission"))
        throw tool::UsageError{"replay play needs a FILE and at most --mission MISSION"};
    int status = 1;
    try {
        const COrderLog log = ReadOrderLog(words[0]);
        if (log.timed) throw tool::UsageError{"a script of orders by time plays with mission simulate --orders"};
        const std::string mission = words.size() == 3 ? words[2] : RecordedMissionPath(log, words[0]);
        std::cout << DescribeResult(RunReplay(log, mission)) << '\n';
        status = 0;
    } catch (const vexo::CError& error) {
        std::cout << words[0] << ": " << vexo::Cp1250ToUtf8(error.message) << '\n';
    }
    Game().ClearWorld();
    return status;
}

int Run(std::span<const std::string> words) {
    if (words.empty() || words[0] != "play") throw tool::UsageError{"replay needs play"};
    return Play(words.subspan(1));
}

} // namespace

const tool::RegisterVerbGroup registered{{"replay", kUsage, Run}};
