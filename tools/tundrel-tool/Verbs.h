// The verb groups of tundrel-tool: each group lives in a file of its own and registers itself.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tool {

// Thrown for a command line a group cannot make sense of; main prints the group's usage.
struct CUsageError {
    std::string message;
};

struct CVerbGroup {
    std::string_view name;  // the first word: "gamedata", "mission", ...; or two: "mission render"
    std::string_view usage; // lines for --help, each starting with "tundrel-tool <name> "
    // Runs the words after the group's name; returns the exit status. Errors are thrown:
    // vexo::CError (its message is printed) or CUsageError.
    int (*run)(std::span<const std::string> words);
};

// One line per group, at namespace scope in the group's file:
//     const tool::CRegisterVerbGroup registered{{"gamedata", kUsage, Run}};
struct CRegisterVerbGroup {
    explicit CRegisterVerbGroup(const CVerbGroup& group);
};

const std::vector<CVerbGroup>& VerbGroups();

// The words after a verb: the positional ones (files, paths, names) in order, and each option with
// its value ("" for a flag). Options may stand anywhere. A word that begins with "-" (but "-" alone)
// is an option, so an unknown one is refused rather than taken for a file: it throws a CUsageError,
// as does a valued option without its value. "" (the random map) is positional.
struct CVerbWords {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
};
CVerbWords SplitWords(std::span<const std::string> words, std::initializer_list<std::string_view> valued,
                     std::initializer_list<std::string_view> flags = {});

} // namespace tool
