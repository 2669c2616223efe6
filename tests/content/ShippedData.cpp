// The shipped data's folders and the campaign's missions with their descriptions.
#include "content/ShippedData.h"

#include "support/TestFiles.h"
#include "xml/XMLLoad.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace content {

std::string GameDataFolder() { return tundrel_test::SourcePath("data/GameData"); }

std::vector<Mission> ShippedMissions() {
    std::vector<Mission> missions;
    for (const auto& entry : std::filesystem::directory_iterator(tundrel_test::SourcePath("data/Maps"))) {
        if (entry.path().extension() != ".tlm") continue;
        std::string text;
        EXPECT_TRUE(vexo::ReadFileToString(entry.path().string(), text)) << entry.path();
        vexo::CXMLDocument document;
        EXPECT_NO_THROW(vexo::ParseDocument(document, text, vexo::MissionListReaderOptions())) << entry.path();
        missions.push_back({entry.path().stem().string(), document.Value("map/text", "")});
    }
    std::sort(missions.begin(), missions.end(), [](const Mission& a, const Mission& b) { return a.name < b.name; });
    return missions;
}

} // namespace content
