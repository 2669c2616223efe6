// Terrain rules of the battlefield grid and the random relief every map starts from.
#include "game/Map.h"

#include "game/GameState.h"
#include "game/Object.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <algorithm>
#include <cmath>

CMap::CMap(int width, int height)
    : width(std::max(width, 1)), height(std::max(height, 1)), cells(std::size_t(this->width) * this->height) {}

int CMap::IndexUnder(float x, float y) const {
    // Truncation toward zero: -0.4 still lies in column 0. NaN fails every test.
    if (!(x > -1.0f && x < float(width) && y > -1.0f && y < float(height))) return -1;
    return int(y) * width + int(x);
}

const CMapCell& CMap::CellAt(float x, float y) const {
    static const CMapCell outside{kObstacle, 0.0f, false};
    const int index = IndexUnder(x, y);
    return index < 0 ? outside : cells[std::size_t(index)];
}

bool CMap::HasSnow(float x, float y) const {
    const CMapCell& cell = CellAt(x, y);
    return cell.kind == kGround && cell.snow > 0.0f;
}

bool CMap::IsGround(int column, int row) const { return Inside(column, row) && Cell(column, row).kind == kGround; }

float CMap::SnowAt(int column, int row) const { return IsGround(column, row) ? Cell(column, row).snow : 0.0f; }

float CMap::SnowClamped(int column, int row) const {
    return Cell(std::clamp(column, 0, width - 1), std::clamp(row, 0, height - 1)).snow;
}

void CMap::TakeSnow(float x, float y, float amount) {
    const int index = IndexUnder(x, y);
    if (index < 0) return;
    CMapCell& cell = cells[std::size_t(index)];
    cell.snow -= amount;
    if (cell.snow <= 0.0f) {
        cell.snow = 0.0f;
        cell.yellow = false;
    }
}

void CMap::AddSnow(float x, float y, float amount) {
    const int index = IndexUnder(x, y);
    if (index >= 0) cells[std::size_t(index)].snow = std::min(cells[std::size_t(index)].snow + amount, 1.0f);
}

bool CMap::IsBlocked(const CObject& object, float x, float y, bool allowWater) const {
    const float half = object.GetSize() / 2;
    const float left = x - half, right = x + half, top = y - half, bottom = y + half;
    // A square that reaches into the cells around the map overlaps one of them, and those block.
    // Testing that first also keeps absurd positions away from the integer conversions below.
    if (!(left >= -0.5f && top >= -0.5f && right <= float(width) - 0.5f && bottom <= float(height) - 0.5f))
        return true;
    for (int r = int(top) - 1; r <= int(bottom) + 1; ++r) {
        for (int c = int(left) - 1; c <= int(right) + 1; ++c) {
            if (!Inside(c, r)) continue;
            const int kind = Cell(c, r).kind;
            if (kind != kObstacle && (kind != kWater || allowWater)) continue;
            if (left < c + 0.5f && right > c - 0.5f && top < r + 0.5f && bottom > r - 0.5f) return true;
        }
    }
    return false;
}

float CMap::SlopeFactor(const CUnit& unit, float angle) const {
    const float here = CellAt(unit.x, unit.y).snow;
    // Clamped as floats first: a unit placed far outside must not overflow the conversion.
    const int column = int(std::clamp(std::trunc(unit.x) + std::cos(angle), 0.0f, float(width - 1)));
    const int row = int(std::clamp(std::trunc(unit.y) - std::sin(angle), 0.0f, float(height - 1)));
    const float d = std::clamp((here - Cell(column, row).snow) * 10.0f, -0.5f, 0.5f);
    return d + 0.75f;
}

void CMap::RandomRelief() {
    for (CMapCell& cell : cells) {
        cell.kind = kGround;
        cell.snow = RandUnit() * 1.75f - 0.75f;
        cell.yellow = int(vexo::Rand() * 0.015259255f) == 0;
    }
    for (int pass = 0; pass < 4; ++pass) {
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                const float sum = SnowClamped(c - 1, r) + SnowClamped(c + 1, r) + SnowClamped(c, r + 1) +
                                  SnowClamped(c, r - 1) + SnowClamped(c, r);
                Cell(c, r).snow = 0.2f * sum;
            }
        }
    }
}

void WorldToView(float wx, float wy, float w, float h, float& vx, float& vy) {
    const CGameState& game = Game();
    vx = (wx - game.camX) * game.tileSize + w / 2;
    vy = (wy - game.camY) * game.tileSize + h / 2;
}

void ViewToWorld(float vx, float vy, float w, float h, float& wx, float& wy) {
    const CGameState& game = Game();
    wx = (vx - w / 2) / game.tileSize + game.camX;
    wy = (vy - h / 2) / game.tileSize + game.camY;
}
