// The per-game values that exist once while a mission runs: the world, the selection, the camera,
// and where the simulation's announcements and sounds go.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CMap;
class CObjectList;
class CUnit;

// Where the simulation writes its coloured console lines. The game panel's console implements it;
// while no console exists the pointer is null and announcements are dropped.
class IGameConsole {
public:
    virtual ~IGameConsole() = default;
    virtual void AddLine(const std::string& text, std::uint32_t colour) = 0;
};

// Where sound effects go. Null means the process-wide sound system plays them (or nothing plays
// when there is none, as in tools and tests).
class IGameSound {
public:
    virtual ~IGameSound() = default;
    virtual void Play(int number, int frequency) = 0;
};

// Range of a throw in tiles, and how far around a unit (in cells) the computer looks for snow.
inline constexpr float kReach = 10.0f;
inline constexpr int kSnowSearchRadius = 10;

struct CGameState {
    // The game screen owns the world through these; ClearWorld deletes the objects, then the map.
    std::unique_ptr<CMap> map;
    std::unique_ptr<CObjectList> objects;

    float camX = 0.0f;
    float camY = 0.0f;
    float tileSize = 32.0f; // pixels per tile

    IGameConsole* console = nullptr;
    IGameSound* sound = nullptr;

    // Which of the equal substeps of the current frame the world update runs (0 for the first).
    // Chances given per frame are drawn once a frame, however many substeps it takes.
    int substep = 0;

    // The selection is kept with the unit's serial number, so a new unit at the address of a
    // drowned one is never mistaken for it.
    void Select(CUnit* unit);
    CUnit* Selected() const;
    void ClearSelection();

    void ClearWorld();

private:
    CUnit* selected = nullptr;
    std::uint64_t selectedSerial = 0;
};

CGameState& Game();
CMap& GameMap();
CObjectList& GameObjects();

// A console line, when a console exists.
void Announce(const std::string& text, std::uint32_t colour);
// A sound effect; frequency 0 plays the sample at its own rate.
void PlayEffect(int number, int frequency = 0);

// r of the rules: a fresh draw of the 15-bit generator scaled to [0, 1].
float RandUnit();
// A fresh heading in [0, 2pi] from one raw draw.
float RandHeading();
