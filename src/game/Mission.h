// A running mission as the rules see it: the target area, the once-per-second clock and the end
// of the mission; and the two ways a mission's world is made (a file or the random generator).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CUnit;

class CMissionScreen {
public:
    virtual ~CMissionScreen() = default;

    // The end-of-mission overlay. The game screen fades it in over the battlefield; a run
    // without a screen has none.
    virtual bool HasOverlay() const { return false; }
    virtual void AddEndOverlay(std::uint32_t) {}

    bool over = false;
    bool won = false;
    float secondTimer = 1.0f;
    // No unit can reach the default area, so only elimination ends such a mission.
    float targetLeft = -100.0f;
    float targetTop = -100.0f;
    float targetRight = -99.0f;
    float targetBottom = -99.0f;

    bool InTargetArea(const CUnit& unit) const;
    // False for the unreachable default area of missions without one and of random maps.
    bool HasTargetArea() const;
};

// What a mission file may ask for. A real mission stays far below; above these a hostile or broken
// file could freeze the game or exhaust memory, so the loader refuses it, naming the limit.
inline constexpr int kMaxMissionUnits = 4096;
inline constexpr std::int64_t kMaxMissionCells = 16 * 1024 * 1024;
inline constexpr std::size_t kMaxMissionFileBytes = 64 * 1024 * 1024;

// Builds the current map, object list, camera and target area from a mission file; raises
// vexo::CError (source "GamePlay") or vexo::CXMLError, leaving no half-built world behind.
void LoadMission(CMissionScreen& screen, const std::string& path);
// Builds a random skirmish map with ten groups of children.
void GenerateRandomMap(CMissionScreen& screen);
// Called once per second while the mission is not over: victory, defeat or nothing.
void CheckMissionEnd(CMissionScreen& screen);
