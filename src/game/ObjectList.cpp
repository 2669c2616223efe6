// The world's object list.
#include "game/ObjectList.h"

#include "game/Unit.h"

#include <algorithm>

CObjectList::~CObjectList() {
    // In list order, as objects were added.
    while (!items.empty()) items.pop_front();
}

void CObjectList::Append(std::unique_ptr<CObject> object) {
    serials[object.get()] = object->Serial();
    largestHalf = std::max(largestHalf, object->GetSize() / 2);
    if (grid.Active()) grid.Insert(object.get());
    items.push_back(std::move(object));
}

bool CObjectList::Contains(const CObject* object, std::uint64_t serial) const {
    const auto found = serials.find(object);
    return found != serials.end() && found->second == serial;
}

CUnit* CObjectList::UnitAt(float x, float y) const {
    for (const auto& object : items) {
        CUnit* unit = object->AsUnit();
        if (!unit) continue;
        const float half = unit->GetSize() / 2;
        if (x >= unit->x - half && x <= unit->x + half && y >= unit->y - half && y <= unit->y + half) return unit;
    }
    return nullptr;
}

CObject* CObjectList::FirstOverlapping(const CObject& object) const {
    const float half = object.GetSize() / 2;
    for (CObject* other : Near(object.x, object.y, half + largestHalf)) {
        if (other == &object) continue;
        const float otherHalf = other->GetSize() / 2;
        if (object.x - half < other->x + otherHalf && object.x + half > other->x - otherHalf &&
            object.y - half < other->y + otherHalf && object.y + half > other->y - otherHalf)
            return other;
    }
    return nullptr;
}

void CObjectList::UpdateAll(float time, float elapsed) {
    // std::list keeps the position valid while objects are appended behind it, so a snowball
    // thrown in this walk is updated in the same walk. Positions may have been set by anyone
    // since the last step, so the grid starts afresh from them.
    const CNeighbourhood neighbourhood(*this);
    for (auto it = items.begin(); it != items.end();) {
        CObject* object = it->get();
        updating = object;
        object->Update(time, elapsed);
        updating = nullptr;
        if (!object->dead) {
            grid.Refile(object);
            ++it;
            continue;
        }
        if (CUnit* unit = object->AsUnit(); unit && Game().Selected() == unit) Game().ClearSelection();
        grid.Remove(object);
        serials.erase(object);
        it = items.erase(it);
    }
}

std::vector<CObject*> CObjectList::InOrder() const {
    std::vector<CObject*> objects;
    objects.reserve(items.size());
    for (const auto& object : items) objects.push_back(object.get());
    return objects;
}

std::vector<CObject*> CObjectList::Near(float x, float y, float reach) const {
    return grid.Active() ? grid.Near(x, y, reach, updating) : InOrder();
}

void CObjectList::Moved(const CObject& object) {
    if (grid.Active()) grid.Refile(&object);
}

CObjectList::CNeighbourhood::CNeighbourhood(CObjectList& list) : list(list) { list.grid.Build(list.InOrder()); }

CObjectList::CNeighbourhood::~CNeighbourhood() { list.grid.Clear(); }

void CObjectList::DrawAll(float left, float top, float right, float bottom) const {
    for (const auto& object : items) object->Draw(left, top, right, bottom);
}

void CObjectList::AwardExperience(float x, float y, int team) const {
    for (CObject* object : Near(x, y, 14.0f)) {
        CCharacter* character = object->AsCharacter();
        if (character && character->team == team && character->DistanceTo(x, y) <= 14.0f)
            character->AddExperience(0.1f);
    }
}
