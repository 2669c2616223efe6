// The shipped data's folders, the campaign's missions with their descriptions, scratch folders.
#include "content/ShippedData.h"

#include "support/Files.h"
#include "xml/XMLLoad.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace content {

std::string DataFolder() {
    const char* root = std::getenv("TUNDREL_SOURCE_DIR");
    return std::string(root ? root : ".") + "/data";
}

std::string GameDataFolder() { return DataFolder() + "/GameData"; }
std::string MapsFolder() { return DataFolder() + "/Maps"; }
std::string SfxFolder() { return DataFolder() + "/Sfx"; }

std::vector<Mission> ShippedMissions() {
    std::vector<Mission> missions;
    for (const auto& entry : std::filesystem::directory_iterator(MapsFolder())) {
        if (entry.path().extension() != ".tlm") continue;
        Mission mission{entry.path().stem().string(), entry.path().string(), ""};
        std::string text;
        EXPECT_TRUE(vexo::ReadFileToString(mission.path, text)) << mission.path;
        vexo::CXMLDocument document;
        EXPECT_NO_THROW(vexo::ParseDocument(document, text, vexo::MissionListReaderOptions())) << mission.name;
        mission.description = document.Value("map/text", "");
        missions.push_back(mission);
    }
    std::sort(missions.begin(), missions.end(), [](const Mission& a, const Mission& b) { return a.name < b.name; });
    return missions;
}

Scratch::Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tundrel-content-XXXXXX").string();
    path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    EXPECT_FALSE(path.empty());
}

Scratch::~Scratch() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

} // namespace content
