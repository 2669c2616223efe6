// Random map generation. Random values are drawn in a fixed order (one per statement), so a
// seed always gives the same map.
#include "game/RandomMap.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kLakes = 6;
constexpr int kObstacleBlocks = 16;
constexpr int kGroups = 10;
// Bounds on the searches: a map with too few good spots is abandoned and made again rather than
// searched for ever.
constexpr int kSpotTries = 4000;
constexpr int kGroupTries = 100;

struct CSpot {
    float x;
    float y;
};

bool FindGroupCentre(const CMap& map, CSpot& centre) {
    for (int i = 0; i < kSpotTries; ++i) {
        centre.x = float(map.width) * RandUnit();
        centre.y = float(map.height) * RandUnit();
        if (IsGoodSpot(map, centre.x, centre.y)) return true;
    }
    return false;
}

bool PlaceAround(const CMap& map, const CSpot& centre, CUnit& unit) {
    for (int i = 0; i < kSpotTries; ++i) {
        const float d = 1.0f + 2.0f * RandUnit();
        const float h = RandHeading();
        unit.x = centre.x + std::cos(h) * d;
        unit.y = centre.y - std::sin(h) * d;
        if (IsGoodSpot(map, unit.x, unit.y)) return true;
    }
    return false;
}

// One group at a fresh centre; its units join the list only when all of them found a place.
bool PlaceGroup(const CMap& map, CObjectList& objects, int team, CSpot& centre) {
    if (!FindGroupCentre(map, centre)) return false;
    const int size = 3 + vexo::Rand() % 2;
    std::vector<std::unique_ptr<CUnit>> group;
    for (int i = 0; i < size; ++i) {
        const int kind = vexo::Rand() % 3;
        auto unit = std::make_unique<CUnit>(kind);
        unit->team = team;
        unit->Heal();
        if (!PlaceAround(map, centre, *unit)) return false;
        group.push_back(std::move(unit));
    }
    for (auto& unit : group) objects.Add(std::move(unit));
    return true;
}

std::unique_ptr<CMap> MakeTerrain() {
    const int height = vexo::Rand() % 50 + 50;
    const int width = vexo::Rand() % 50 + 50;
    auto map = std::make_unique<CMap>(width, height);
    map->RandomRelief();
    for (int i = 0; i < kLakes; ++i) PaintLake(*map, DrawLake(*map));
    for (int i = 0; i < kObstacleBlocks; ++i) PaintBlock(*map, DrawBlock(*map));
    return map;
}

} // namespace

bool IsGoodSpot(const CMap& map, float x, float y) {
    if (!(x >= 1.0f && y >= 1.0f && x <= float(map.width - 1) && y <= float(map.height - 1))) return false;
    const int cx = int(x), cy = int(y);
    for (int r = cy - 1; r <= cy + 1; ++r)
        for (int c = cx - 1; c <= cx + 1; ++c)
            if (!map.IsGround(c, r) || map.Cell(c, r).yellow) return false;
    return true;
}

CLakeShape DrawLake(const CMap& map) {
    CLakeShape lake{};
    lake.ax = float(map.width - 1) * RandUnit();
    lake.ay = float(map.height - 1) * RandUnit();
    lake.bx = lake.ax + 8.0f * RandUnit() - 4.0f;
    lake.by = lake.ay + 8.0f * RandUnit() - 4.0f;
    lake.size = 8.0f * RandUnit() + 4.0f;
    lake.kind = vexo::Rand() % 2 ? kIce : kWater;
    return lake;
}

void PaintLake(CMap& map, const CLakeShape& lake) {
    const int r0 = std::max(0, int(std::min(lake.ay, lake.by) - lake.size));
    const int r1 = std::min(map.height, int(std::max(lake.ay, lake.by) + lake.size));
    const int c0 = std::max(0, int(std::min(lake.ax, lake.bx) - lake.size));
    const int c1 = std::min(map.width, int(std::max(lake.ax, lake.bx) + lake.size));
    for (int r = r0; r < r1; ++r) {
        for (int c = c0; c < c1; ++c) {
            const float fc = float(c), fr = float(r);
            if (std::hypot(fc - lake.ax, fr - lake.ay) + std::hypot(fc - lake.bx, fr - lake.by) > lake.size) continue;
            map.Cell(c, r).kind = lake.kind;
            map.Cell(c, r).snow = 0.0f;
        }
    }
}

CBlockShape DrawBlock(const CMap& map) {
    CBlockShape block{};
    block.cx = int(float(map.width - 1) * RandUnit());
    block.cy = int(float(map.height - 1) * RandUnit());
    block.hx = 4 - int(-4.0f * RandUnit());
    block.hy = 4 - int(-4.0f * RandUnit());
    return block;
}

void PaintBlock(CMap& map, const CBlockShape& b) {
    for (int r = std::max(0, b.cy - b.hy); r < std::min(map.height, b.cy + b.hy); ++r)
        for (int c = std::max(0, b.cx - b.hx); c < std::min(map.width, b.cx + b.hx); ++c)
            map.Cell(c, r).kind = kObstacle;
}

bool PlaceGroups(const CMap& map, CObjectList& objects, float& firstX, float& firstY) {
    for (int g = 0; g < kGroups; ++g) {
        CSpot centre{};
        int tries = 0;
        while (tries < kGroupTries && !PlaceGroup(map, objects, g == 0 ? 0 : 1, centre)) ++tries;
        if (tries == kGroupTries) return false;
        if (g == 0) {
            firstX = centre.x;
            firstY = centre.y;
        }
    }
    return true;
}

void GenerateRandomMap(CMissionScreen& screen) {
    for (;;) {
        std::unique_ptr<CMap> map = MakeTerrain();
        auto objects = std::make_unique<CObjectList>();
        float camX = 0.0f, camY = 0.0f;
        if (!PlaceGroups(*map, *objects, camX, camY)) continue;
        CGameState& game = Game();
        game.ClearWorld();
        game.map = std::move(map);
        game.objects = std::move(objects);
        game.camX = camX;
        game.camY = camY;
        screen.targetLeft = screen.targetTop = -100.0f;
        screen.targetRight = screen.targetBottom = -99.0f;
        return;
    }
}
