// The shipped data of the checkout and the campaign's missions as the mission list sees them.
#pragma once

#include <string>
#include <vector>

namespace content {

// data/GameData, data/Maps, data/Sfx of the checkout (host paths).
std::string GameDataFolder();
std::string SfxFolder();

struct Mission {
    std::string name;        // the file name without ".tlm", as the mission list shows it
    std::string description; // "map/text" read the mission list's way, Windows-1250
};
// Every Maps/*.tlm in name order; a file the mission list could not read fails the calling test.
std::vector<Mission> ShippedMissions();

} // namespace content
