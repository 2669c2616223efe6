// Where the shipped data lives for the tests, the campaign's missions as the mission list sees them,
// and a scratch folder.
#pragma once

#include <string>
#include <vector>

namespace content {

// data/ of the checkout, data/GameData, data/Maps, data/Sfx (host paths).
std::string DataFolder();
std::string GameDataFolder();
std::string MapsFolder();
std::string SfxFolder();

struct Mission {
    std::string name;        // the file name without ".tlm", as the mission list shows it
    std::string path;        // host path
    std::string description; // "map/text" read the mission list's way, Windows-1250
};
// Every Maps/*.tlm in name order; a file the mission list could not read fails the calling test.
std::vector<Mission> ShippedMissions();

// A fresh folder under the system's temporary folder, removed with everything in it.
class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& Path() const { return path; }

private:
    std::string path;
};

} // namespace content
