// The neighbourhood grid of the world objects.
#include "game/ObjectGrid.h"

#include "game/Object.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Cells of two tiles keep a decision's square of 21 tiles to about a hundred cells; on a map too
// big for 256 of them a side, the cells grow instead, so the grid stays small.
constexpr float kMinCellSize = 2.0f;
constexpr float kMaxCellsPerSide = 256.0f;
// Positions are floats and the rules measure with hypot: a tile of slack keeps every object a rule
// could accept inside the cells a query reads, whatever the rounding.
constexpr float kSlack = 1.0f;

bool Finite(const CObject& object) {
    return std::isfinite(object.x) && std::isfinite(object.y);
}

// Any mapping that never decreases along an axis files and finds alike; the edge cells take
// whatever lies beyond the grid.
int Index(float offset, float perCell, int count) {
    const float cell = offset * perCell;
    if (!(cell > 0.0f)) return 0;
    return cell >= float(count - 1) ? count - 1 : int(cell);
}

} // namespace

void CObjectGrid::Build(const std::vector<CObject*>& objects) {
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    bool any = false;
    for (const CObject* object : objects) {
        if (!Finite(*object)) continue;
        minX = any ? std::min(minX, object->x) : object->x;
        minY = any ? std::min(minY, object->y) : object->y;
        maxX = any ? std::max(maxX, object->x) : object->x;
        maxY = any ? std::max(maxY, object->y) : object->y;
        any = true;
    }
    originX = minX;
    originY = minY;
    // In double: the spread of two far-flung floats may not fit a float.
    const double width = double(maxX) - minX, height = double(maxY) - minY;
    const double cellSize = std::max(double(kMinCellSize), std::max(width, height) / kMaxCellsPerSide);
    cellsPerTile = float(1.0 / cellSize);
    columns = int(width / cellSize) + 1;
    rows = int(height / cellSize) + 1;
    // Cleared cells keep their memory for the next step.
    Clear();
    cells.resize(std::size_t(columns) * std::size_t(rows) + 1);
    active = true;
    for (CObject* object : objects)
        Insert(object);
}

void CObjectGrid::Clear() {
    for (auto& cell : cells)
        cell.clear();
    slots.clear();
    active = false;
}

int CObjectGrid::Column(float x) const {
    return Index(x - originX, cellsPerTile, columns);
}
int CObjectGrid::Row(float y) const {
    return Index(y - originY, cellsPerTile, rows);
}

std::size_t CObjectGrid::CellOf(float x, float y) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return cells.size() - 1;
    return std::size_t(Row(y)) * std::size_t(columns) + std::size_t(Column(x));
}

std::int64_t CObjectGrid::OrderOf(const CObject* object) const {
    const std::uint32_t order = object->gridOrder;
    return order < slots.size() && slots[order].object == object ? std::int64_t(order) : -1;
}

void CObjectGrid::Insert(CObject* object) {
    object->gridOrder = std::uint32_t(slots.size());
    const std::size_t cell = CellOf(object->x, object->y);
    cells[cell].push_back(object->gridOrder);
    slots.push_back({object, cell});
    if (marks.size() * 64 < slots.size()) marks.push_back(0);
}

void CObjectGrid::Remove(const CObject* object) {
    const std::int64_t order = OrderOf(object);
    if (order < 0) return;
    CSlot& slot = slots[std::size_t(order)];
    auto& cell = cells[slot.cell];
    *std::find(cell.begin(), cell.end(), std::uint32_t(order)) = cell.back();
    cell.pop_back();
    slot.object = nullptr;
}

void CObjectGrid::Refile(const CObject* object) {
    const std::int64_t order = OrderOf(object);
    if (order < 0) return;
    CSlot& slot = slots[std::size_t(order)];
    const std::size_t cell = CellOf(object->x, object->y);
    if (cell == slot.cell) return;
    auto& from = cells[slot.cell];
    *std::find(from.begin(), from.end(), std::uint32_t(order)) = from.back();
    from.pop_back();
    cells[cell].push_back(std::uint32_t(order));
    slot.cell = cell;
}

void CObjectGrid::Mark(std::uint32_t order) const {
    marks[order / 64] |= std::uint64_t(1) << (order % 64);
}

std::vector<CObject*> CObjectGrid::Near(float x, float y, float reach, const CObject* extra) const {
    std::size_t count = 0;
    const auto take = [&](const std::vector<std::uint32_t>& cell) {
        for (const std::uint32_t order : cell)
            Mark(order);
        count += cell.size();
    };
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(reach)) {
        for (const auto& cell : cells)
            take(cell);
    } else {
        const float r = std::abs(reach) + kSlack;
        const int c0 = Column(x - r), c1 = Column(x + r), r0 = Row(y - r), r1 = Row(y + r);
        for (int row = r0; row <= r1; ++row)
            for (int column = c0; column <= c1; ++column)
                take(cells[std::size_t(row) * std::size_t(columns) + std::size_t(column)]);
        take(cells.back());
    }
    if (extra && OrderOf(extra) >= 0) {
        Mark(extra->gridOrder);
        ++count;
    }
    // Read out in list order, clearing the marks for the next query.
    std::vector<CObject*> objects;
    objects.reserve(count);
    for (std::size_t word = 0; word < marks.size(); ++word) {
        for (std::uint64_t bits = marks[word]; bits; bits &= bits - 1)
            objects.push_back(slots[word * 64 + std::size_t(std::countr_zero(bits))].object);
        marks[word] = 0;
    }
    return objects;
}
