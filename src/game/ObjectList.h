// The ordered, owning list of world objects: per-frame update in list order and the queries the
// rules make of it.
#pragma once

#include "game/GameState.h"
#include "game/Object.h"
#include "game/ObjectGrid.h"

#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

class CObjectList {
public:
    using Items = std::list<std::unique_ptr<CObject>>;

    CObjectList() = default;
    ~CObjectList();
    CObjectList(const CObjectList&) = delete;
    CObjectList& operator=(const CObjectList&) = delete;

    // Appends; the list owns the object from now on. Returns it for the caller to set up. An object
    // added during the world's step must already stand where it appears.
    template <class T> T* Add(std::unique_ptr<T> object) {
        T* raw = object.get();
        Append(std::move(object));
        return raw;
    }

    bool Contains(const CObject* object) const { return serials.count(object) != 0; }
    // True only for the very object that had this serial number, not a newer one at its address.
    bool Contains(const CObject* object, std::uint64_t serial) const;

    CUnit* UnitAt(float x, float y) const;
    CObject* FirstOverlapping(const CObject& object) const;
    // Every step of the world walks the list once; objects that die during it are removed at once.
    void UpdateAll(float time, float elapsed);
    void DrawAll(float left, float top, float right, float bottom) const;
    // Every standing character of the team within 14 tiles of the point gains a little experience.
    void AwardExperience(float x, float y, int team) const;

    // The objects whose centres may lie within reach of the point along both axes, in list order:
    // during the world's step and a round of decisions only those filed near it, otherwise all.
    // Callers apply their exact rule to each.
    std::vector<CObject*> Near(float x, float y, float reach) const;
    // An update that moves an object other than the one being updated reports it here, so the
    // neighbourhood queries of the rest of the step find it where it now stands.
    void Moved(const CObject& object);

    // Keeps the neighbourhood grid of the current positions while it lives: for the world's step,
    // and for a round of decisions, which reads positions and moves nothing. However the scope
    // ends, even by an exception, the queries after it walk the list again.
    class CNeighbourhood {
    public:
        explicit CNeighbourhood(CObjectList& list);
        ~CNeighbourhood();
        CNeighbourhood(const CNeighbourhood&) = delete;
        CNeighbourhood& operator=(const CNeighbourhood&) = delete;

    private:
        CObjectList& list;
    };

    const Items& All() const { return items; }
    std::size_t Size() const { return items.size(); }

private:
    void Append(std::unique_ptr<CObject> object);
    std::vector<CObject*> InOrder() const;

    Items items;
    std::unordered_map<const CObject*, std::uint64_t> serials;
    CObjectGrid grid;
    // Half the side of the largest object ever added: how far apart two overlapping centres can be.
    float largestHalf = 0.0f;
    const CObject* updating = nullptr;
};

template <class T> T* TObjectRef<T>::Get() const {
    const CObjectList* list = Game().objects.get();
    return object && list && list->Contains(object, serial) ? object : nullptr;
}
