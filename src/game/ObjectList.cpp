// The world's object list.
#include "game/ObjectList.h"

#include "game/Unit.h"

CObjectList::~CObjectList() {
    // In list order, as objects were added.
    while (!items.empty()) items.pop_front();
}

void CObjectList::Append(std::unique_ptr<CObject> object) {
    serials[object.get()] = object->Serial();
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
    for (const auto& other : items) {
        if (other.get() == &object) continue;
        const float otherHalf = other->GetSize() / 2;
        if (object.x - half < other->x + otherHalf && object.x + half > other->x - otherHalf &&
            object.y - half < other->y + otherHalf && object.y + half > other->y - otherHalf)
            return other.get();
    }
    return nullptr;
}

void CObjectList::UpdateAll(float time, float elapsed) {
    // std::list keeps the position valid while objects are appended behind it, so a snowball
    // thrown in this walk is updated in the same walk.
    for (auto it = items.begin(); it != items.end();) {
        CObject* object = it->get();
        object->Update(time, elapsed);
        if (!object->dead) {
            ++it;
            continue;
        }
        if (CUnit* unit = object->AsUnit(); unit && Game().Selected() == unit) Game().ClearSelection();
        serials.erase(object);
        it = items.erase(it);
    }
}

void CObjectList::DrawAll(float left, float top, float right, float bottom) const {
    for (const auto& object : items) object->Draw(left, top, right, bottom);
}

void CObjectList::AwardExperience(float x, float y, int team) const {
    for (const auto& object : items) {
        CCharacter* character = object->AsCharacter();
        if (character && character->team == team && character->DistanceTo(x, y) <= 14.0f)
            character->AddExperience(0.1f);
    }
}
