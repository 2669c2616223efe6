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

// Where sound effects go. The game screen plays them on the sound system; while the pointer is
// null (tools, tests, the headless runner) nothing plays.
class IGameSound {
public:
    virtual ~IGameSound() = default;
    virtual void Play(int number, int frequency) = 0;
};

// What the world draws with, in view pixels. The game screen hands over one on the graphics
// manager; while the pointer is null nothing is drawn, so the simulation alone needs no screen.
class IGameCanvas {
public:
    virtual ~IGameCanvas() = default;
    // Terrain tiles go between BeginTerrain and EndSprites; the world's other sprites go into
    // the batch the battlefield view has begun.
    virtual void BeginTerrain(std::uint32_t count) = 0;
    virtual void EndSprites() = 0;
    // A square sprite of side `side` centred on (x, y), turned by angle (radians).
    virtual void Sprite(int frame, float x, float y, float side, std::uint32_t colour, float angle) = 0;
    // An upright square sprite with a colour per corner: top-left, top-right, bottom-left, bottom-right.
    virtual void ShadedSprite(int frame, float x, float y, float side, std::uint32_t topLeft, std::uint32_t topRight,
                              std::uint32_t bottomLeft, std::uint32_t bottomRight) = 0;
    // A filled rectangle, inside the batch of filled rectangles its caller has begun.
    virtual void Rect(float left, float top, float right, float bottom, std::uint32_t colour) = 0;
    // One line of text in the game's small font, its top-left corner at (x, y).
    virtual void Text(float x, float y, const std::string& text, std::uint32_t colour) = 0;
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
    IGameCanvas* canvas = nullptr;

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
