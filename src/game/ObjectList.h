// The ordered, owning list of world objects: per-frame update in list order and the queries the
// rules make of it.
#pragma once

#include "game/GameState.h"
#include "game/Object.h"

#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

class CObjectList {
public:
    using Items = std::list<std::unique_ptr<CObject>>;

    CObjectList() = default;
    ~CObjectList();
    CObjectList(const CObjectList&) = delete;
    CObjectList& operator=(const CObjectList&) = delete;

    // Appends; the list owns the object from now on. Returns it for the caller to set up.
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

    const Items& All() const { return items; }
    std::size_t Size() const { return items.size(); }

private:
    void Append(std::unique_ptr<CObject> object);

    Items items;
    std::unordered_map<const CObject*, std::uint64_t> serials;
};

template <class T> T* TObjectRef<T>::Get() const {
    const CObjectList* list = Game().objects.get();
    return object && list && list->Contains(object, serial) ? object : nullptr;
}
