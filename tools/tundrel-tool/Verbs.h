// The verb groups of tundrel-tool: each group lives in a file of its own and registers itself.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tool {

// Thrown for a command line a group cannot make sense of; main prints the group's usage.
struct UsageError {
    std::string message;
};

struct VerbGroup {
    std::string_view name;  // the first word: "gamedata", "mission", ...; or two: "mission render"
    std::string_view usage; // lines for --help, each starting with "tundrel-tool <name> "
    // Runs the words after the group's name; returns the exit status. Errors are thrown:
    // vexo::CError (its message is printed) or UsageError.
    int (*run)(std::span<const std::string> words);
};

// One line per group, at namespace scope in the group's file:
//     const tool::RegisterVerbGroup registered{{"gamedata", kUsage, Run}};
struct RegisterVerbGroup {
    explicit RegisterVerbGroup(const VerbGroup& group);
};

const std::vector<VerbGroup>& VerbGroups();

} // namespace tool
