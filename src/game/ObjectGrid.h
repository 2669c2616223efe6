// A grid over the world that answers "which objects may stand near this point" in the object
// list's order, so that decisions, snowballs and experience awards look at their neighbourhood
// instead of the whole list.
#pragma once

#include <cstdint>
#include <vector>

class CObject;

class CObjectGrid {
public:
    // Files the objects at their current positions, numbered in the given (list) order; the grid
    // is active until Clear.
    void Build(const std::vector<CObject*>& objects);
    void Clear();
    bool Active() const { return active; }

    // An object appended to the list: it comes after every object filed so far.
    void Insert(CObject* object);
    void Remove(const CObject* object);
    // Files the object again after its position changed.
    void Refile(const CObject* object);

    // Every filed object whose centre lies within reach of (x, y) along both axes, and possibly a
    // few more, in list order and each once. The callers test the exact rule on these, so extra
    // candidates change nothing; a missing one would. The extra object, if filed, is added as
    // well: the one being updated may have moved since it was filed.
    std::vector<CObject*> Near(float x, float y, float reach, const CObject* extra) const;

private:
    struct CSlot {
        CObject* object; // null once removed
        std::size_t cell;
    };

    // The object's number in list order, or -1 when it is not filed here.
    std::int64_t OrderOf(const CObject* object) const;
    std::size_t CellOf(float x, float y) const;
    int Column(float x) const;
    int Row(float y) const;
    void Mark(std::uint32_t order) const;

    bool active = false;
    float originX = 0.0f;
    float originY = 0.0f;
    float cellsPerTile = 1.0f;
    int columns = 1;
    int rows = 1;
    // columns x rows cells of list numbers, then one for objects at no finite position, which
    // every query reads.
    std::vector<std::vector<std::uint32_t>> cells;
    std::vector<CSlot> slots; // by list number
    // One bit per list number: a query marks its candidates, then reads them out in order.
    mutable std::vector<std::uint64_t> marks;
};
