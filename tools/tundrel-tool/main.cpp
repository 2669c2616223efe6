// tundrel-tool: command-line tools for players and mission makers, dispatched by verb group.
#include "support/Error.h"
#include "support/Text1250.h"
#include "tundrel-tool/Verbs.h"

#include <algorithm>
#include <iostream>
#include <new>

namespace tool {

namespace {

std::vector<CVerbGroup>& Registry() {
    static std::vector<CVerbGroup> groups;
    return groups;
}

void PrintUsage(std::ostream& out, const std::vector<CVerbGroup>& groups) {
    out << "Usage:\n";
    for (const CVerbGroup& group : groups)
        out << group.usage;
    out << "  tundrel-tool --help\n"
           "\nNames and messages are shown in UTF-8; entry names keep their backslashes.\n";
}

} // namespace

CRegisterVerbGroup::CRegisterVerbGroup(const CVerbGroup& group) {
    std::vector<CVerbGroup>& groups = Registry();
    groups.push_back(group);
    std::sort(groups.begin(), groups.end(),
              [](const CVerbGroup& a, const CVerbGroup& b) { return a.name < b.name; });
}

const std::vector<CVerbGroup>& VerbGroups() {
    return Registry();
}

CVerbWords SplitWords(std::span<const std::string> words, std::initializer_list<std::string_view> valued,
                     std::initializer_list<std::string_view> flags) {
    const auto among = [](std::initializer_list<std::string_view> names, const std::string& word) {
        return std::find(names.begin(), names.end(), word) != names.end();
    };
    CVerbWords split;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word[0] != '-') {
            split.positional.push_back(word);
        } else if (among(flags, word)) {
            split.options.emplace_back(word, "");
        } else if (!among(valued, word)) {
            throw CUsageError{"unknown option " + word};
        } else if (i + 1 >= words.size()) {
            throw CUsageError{"missing value after " + word};
        } else {
            split.options.emplace_back(word, words[++i]);
        }
    }
    return split;
}

} // namespace tool

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const auto& groups = tool::VerbGroups();
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h" || words[0] == "help")) {
        tool::PrintUsage(std::cout, groups);
        return 0;
    }
    const auto named = [&](const std::string& name) {
        return std::find_if(groups.begin(), groups.end(),
                            [&](const tool::CVerbGroup& g) { return g.name == name; });
    };
    // A group named by two words ("mission render") takes that verb ahead of its one-word group,
    // so a verb that needs more libraries can live in a file of its own.
    auto group = groups.end();
    std::size_t used = 1;
    if (words.size() >= 2) {
        group = named(words[0] + " " + words[1]);
        used = 2;
    }
    if (group == groups.end() && !words.empty()) {
        group = named(words[0]);
        used = 1;
    }
    if (group == groups.end()) {
        std::cerr << (words.empty() ? "tundrel-tool: no verb given\n"
                                    : "tundrel-tool: unknown verb " + words[0] + "\n");
        tool::PrintUsage(std::cerr, groups);
        return 1;
    }
    const std::span<const std::string> rest = std::span(words).subspan(used);
    if (std::any_of(rest.begin(), rest.end(), [](const std::string& w) { return w == "--help" || w == "-h"; })) {
        std::cout << "Usage:\n" << group->usage;
        return 0;
    }
    try {
        return group->run(rest);
    } catch (const tool::CUsageError& error) {
        std::cerr << "tundrel-tool: " << error.message << "\nUsage:\n" << group->usage;
    } catch (const vexo::CError& error) {
        std::cout.flush();
        std::cerr << vexo::Cp1250ToUtf8(error.message) << "\n";
    } catch (const std::bad_alloc&) {
        // What writing the message needs was freed with the failed allocation.
        std::cout.flush();
        std::cerr << "tundrel-tool: out of memory\n";
    }
    return 1;
}
