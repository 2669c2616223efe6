// The shipped data of the checkout and the campaign's missions as the mission list sees them.
#pragma once

#include <string>
#include <vector>

namespace content {

// data/GameData of the checkout (a host path).
std::string GameDataFolder();

struct Mission {
    std::string name;        // the file name without ".tlm", as the mission list shows it
    std::string description; // "map/text" read the mission list's way, Windows-1250
};
// Every Maps/*.tlm in name order; a file the mission list could not read fails the calling test.
std::vector<Mission> ShippedMissions();

} // namespace content
