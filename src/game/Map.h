// The battlefield grid: cells with terrain kind, snow depth and yellow flag, and the terrain
// rules every other part of the simulation calls.
#pragma once

#include <vector>

class CObject;
class CUnit;

enum ECellKind : int { kGround = 0, kIce = 1, kWater = 2, kObstacle = 3 };

struct CMapCell {
    int kind = kGround;
    float snow = 0.0f; // also the terrain height; <= 0 is bare ground
    bool yellow = false;
};

class CMap {
public:
    CMap(int width, int height);

    int width;
    int height;

    bool Inside(int column, int row) const { return column >= 0 && row >= 0 && column < width && row < height; }
    CMapCell& Cell(int column, int row) { return cells[row * width + column]; }
    const CMapCell& Cell(int column, int row) const { return cells[row * width + column]; }
    // The cell under a point. Outside the map it is a bare obstacle, so no rule reads or writes
    // past the cell array, even for a unit a mission placed outside.
    const CMapCell& CellAt(float x, float y) const;

    bool HasSnow(float x, float y) const;
    bool IsGround(int column, int row) const;
    float SnowAt(int column, int row) const;
    float SnowClamped(int column, int row) const;
    void TakeSnow(float x, float y, float amount);
    void AddSnow(float x, float y, float amount);
    bool IsBlocked(const CObject& object, float x, float y, bool allowWater) const;
    float SlopeFactor(const CUnit& unit, float angle) const;

    // Fills every cell with random snow and rare yellow patches, then smooths the relief.
    void RandomRelief();

    // Terrain drawing for the current camera into a view rectangle.
    void Draw(float left, float top, float right, float bottom) const;

private:
    // The index of the cell under a point, or -1 outside the map.
    int IndexUnder(float x, float y) const;

    std::vector<CMapCell> cells;
};

// The view transforms of the current camera and tile size, for a view of w x h pixels.
void WorldToView(float wx, float wy, float w, float h, float& vx, float& vy);
void ViewToWorld(float vx, float vy, float w, float h, float& wx, float& wy);
