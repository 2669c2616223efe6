// tundrel-tool mission: checks mission files with the game's own loader and plays them out
// headless, for mission makers balancing their maps.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Replay.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "support/Convert.h"
#include "support/Text1250.h"
#include "tundrel-tool/Verbs.h"
#include "xml/XMLError.h"

#include <cmath>
#include <iostream>
#include <new>

namespace {

constexpr std::string_view kUsage =
    "  tundrel-tool mission check FILE...    loads each mission as the game does and sums it up\n"
    "  tundrel-tool mission simulate FILE [--seed N] [--step S] [--max-seconds T] [--both-computer]\n"
    "                                        [--orders SCRIPT]\n"
    "      plays FILE headless (\"\" for a random map) with a fixed step (default 1/60 s) until\n"
    "      it is won, lost or the time is up (default 600 s); --both-computer lets the player's\n"
    "      units decide by the computer's rules too; --orders gives the player's actions from a\n"
    "      script of orders by time (the order-log format with \"at\" entries).\n";

std::string Summary() {
    int player = 0, computer = 0;
    for (const auto& object : GameObjects().All())
        if (const CUnit* unit = object->AsUnit()) ++(unit->team == 0 ? player : computer);
    const CMap& map = GameMap();
    return "OK " + std::to_string(map.width) + "x" + std::to_string(map.height) + ", " +
           std::to_string(player + computer) + " units (" + std::to_string(player) + " player, " +
           std::to_string(computer) + " computer)";
}

// Runs one load (and run); a failure prints "FILE: MESSAGE" in UTF-8, for a parser error its
// kind with the place in the file, and returns false.
template <class Body> bool Attempt(const std::string& file, Body body) {
    try {
        body();
        return true;
    } catch (const vexo::CXMLError& error) {
        std::cout << file << ": " << vexo::Cp1250ToUtf8(vexo::CXMLError::KindMessage(error.kind)) << " (line "
                  << error.textLine << ", column " << error.textColumn << ")\n";
    } catch (const vexo::CError& error) {
        std::cout << file << ": " << vexo::Cp1250ToUtf8(error.message) << '\n';
    } catch (const std::bad_alloc&) {
        // The next file may well fit; the world this one half-built goes with ClearWorld.
        std::cout << file << ": out of memory\n";
    }
    return false;
}

// File names go to the loader as the shell gives them: they are the host's names, as the game's
// mission list passes them on, not Windows-1250 text.
int Check(std::span<const std::string> words) {
    const std::vector<std::string> files = tool::SplitWords(words, {}).positional;
    if (files.empty()) throw tool::CUsageError{"mission check needs at least one FILE"};
    int status = 0;
    for (const std::string& file : files) {
        const bool loaded = Attempt(file, [&] {
            CMissionScreen screen;
            LoadMission(screen, file);
            std::cout << file << ": " << Summary() << ", target area " << (screen.HasTargetArea() ? "yes" : "no")
                      << '\n';
        });
        if (!loaded) status = 1;
        Game().ClearWorld();
    }
    return status;
}

float PositiveNumber(const std::string& option, const std::string& text) {
    const float value = float(vexo::ToFloat(text));
    if (!(value > 0.0f) || !std::isfinite(value)) throw tool::CUsageError{option + " needs a positive number"};
    return value;
}

int Simulate(std::span<const std::string> words) {
    const tool::CVerbWords split =
        tool::SplitWords(words, {"--seed", "--step", "--max-seconds", "--orders"}, {"--both-computer"});
    if (split.positional.size() != 1)
        throw tool::CUsageError{"mission simulate needs one FILE (\"\" for a random map)"};
    const std::string& file = split.positional[0];
    CHeadlessOptions options;
    std::string script;
    for (const auto& [option, value] : split.options) {
        if (option == "--both-computer")
            options.bothComputer = true;
        else if (option == "--seed")
            options.seed = vexo::ToUInt(value);
        else if (option == "--step")
            options.step = PositiveNumber(option, value);
        else if (option == "--orders")
            script = value;
        else
            options.maxSeconds = PositiveNumber(option, value);
    }
    if (options.step > 1.0f) throw tool::CUsageError{"--step must not exceed 1 second"};
    COrderLog orders;
    if (!script.empty()) {
        if (!Attempt(script, [&] { orders = ReadOrderLog(script); })) return 1;
        if (!orders.timed && !orders.frames.empty()) throw tool::CUsageError{"--orders needs a script with \"at\" times"};
        options.orders = &orders;
    }
    const bool ran = Attempt(file, [&] { std::cout << DescribeResult(RunHeadless(file, options)) << '\n'; });
    Game().ClearWorld();
    return ran ? 0 : 1;
}

int Run(std::span<const std::string> words) {
    if (words.empty()) throw tool::CUsageError{"mission needs check or simulate"};
    if (words[0] == "check") return Check(words.subspan(1));
    if (words[0] == "simulate") return Simulate(words.subspan(1));
    throw tool::CUsageError{"unknown mission verb " + words[0]};
}

} // namespace

const tool::CRegisterVerbGroup registered{{"mission", kUsage, Run}};
