// tundrel-tool gamedata: what a game data source (folder or archive) holds, as the game sees it.
#include "RARLoad/RARLoad.h"
#include "support/Text1250.h"
#include "tundrel-tool/Verbs.h"

#include <cstdio>
#include <iostream>
#include <memory>

namespace {

constexpr std::string_view kUsage =
    "  tundrel-tool gamedata list PATH       one line per entry, in the game's order: SIZE NAME\n"
    "  tundrel-tool gamedata cat PATH NAME   the entry NAME (as list shows it) on standard output\n"
    "      PATH is a GameData folder or archive (RAR 4, RAR 5, ZIP, 7z, tar).\n";

// Every entry is read, as the game reads it, so that a damaged one is reported here too; one too
// large to read is only listed, as the game passes over it unless it wants it.
int List(CRARLoader& source) {
    std::string name, content;
    std::uint32_t size = 0;
    while (source.Next(name, size)) {
        if (size > CRARLoader::kMaxEntrySize)
            source.Skip();
        else
            source.ReadToString(content);
        std::cout << size << ' ' << vexo::Cp1250ToUtf8(name) << '\n';
    }
    return 0;
}

// The whole source is walked, so a damaged archive is reported even after the entry was found.
int Cat(CRARLoader& source, const std::string& wanted) {
    std::string name, content;
    std::uint32_t size = 0;
    bool found = false;
    while (source.Next(name, size)) {
        if (found || name != wanted) {
            source.Skip();
            continue;
        }
        source.ReadToString(content);
        found = true;
    }
    if (!found) {
        std::cerr << "tundrel-tool: no entry named " << vexo::Cp1250ToUtf8(wanted) << '\n';
        return 1;
    }
    std::fwrite(content.data(), 1, content.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Run(std::span<const std::string> all) {
    const std::vector<std::string> words = tool::SplitWords(all, {}).positional;
    const bool list = words.size() == 2 && words[0] == "list";
    const bool cat = words.size() == 3 && words[0] == "cat";
    if (!list && !cat) throw tool::CUsageError{"gamedata needs list PATH or cat PATH NAME"};
    const std::unique_ptr<CRARLoader> source(OpenGameData(words[1]));
    return list ? List(*source) : Cat(*source, vexo::Utf8ToCp1250(words[2]));
}

const tool::CRegisterVerbGroup registered{{"gamedata", kUsage, Run}};

} // namespace
