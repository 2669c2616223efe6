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
    const tool::CVerbWords split = tool::SplitWords(words, {"--mission"});
    if (split.positional.size() != 1) throw tool::CUsageError{"replay play needs one FILE"};
    const std::string& file = split.positional[0];
    int status = 1;
    try {
        const COrderLog log = ReadOrderLog(file);
        if (log.timed) throw tool::CUsageError{"a script of orders by time plays with mission simulate --orders"};
        const std::string mission = split.options.empty() ? RecordedMissionPath(log, file) : split.options.back().second;
        std::cout << DescribeResult(RunReplay(log, mission)) << '\n';
        status = 0;
    } catch (const vexo::CError& error) {
        std::cout << file << ": " << vexo::Cp1250ToUtf8(error.message) << '\n';
    }
    Game().ClearWorld();
    return status;
}

int Run(std::span<const std::string> words) {
    if (words.empty() || words[0] != "play") throw tool::CUsageError{"replay needs play"};
    return Play(words.subspan(1));
}

} // namespace

const tool::CRegisterVerbGroup registered{{"replay", kUsage, Run}};
