// The base of every world object (units, snowballs, bubbles) and the serial-checked reference
// that rules keep to other objects.
#pragma once

#include <cstdint>

class CUnit;
class CCharacter;

class CObject {
public:
    CObject();
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    // Side of the object's square in tiles.
    virtual float GetSize() const = 0;
    // One step of the world; time is passed through from the game screen and unused here.
    virtual void Update(float time, float elapsed);
    // Draws into the battlefield view rectangle.
    virtual void Draw(float left, float top, float right, float bottom);

    virtual CCharacter* AsCharacter() { return nullptr; }
    virtual CUnit* AsUnit() { return nullptr; }

    // Unique for the whole run: an object at the address of a deleted one has another number.
    std::uint64_t Serial() const { return serial; }

    bool dead = false;
    float x = 0.0f;
    float y = 0.0f;
    float angle; // radians; faces (cos a, -sin a)

    // Turns toward the point (the heading rule shared by every object).
    void Face(float px, float py);
    float DistanceTo(float px, float py) const;
    float DistanceTo(const CObject& other) const { return DistanceTo(other.x, other.y); }

protected:
    // The view position of the centre, or false when the object is off the view.
    bool ViewCentre(float left, float top, float right, float bottom, float& vx, float& vy) const;

private:
    friend class CObjectGrid;

    std::uint64_t serial;
    // The object's number in list order while the neighbourhood grid files it.
    std::uint32_t gridOrder = 0;
};

// A non-owning pointer that remembers the serial number of what it points to; Get() yields the
// object only while that very object is still in the current object list.
template <class T> class TObjectRef {
public:
    TObjectRef() = default;
    TObjectRef(T* object) : object(object), serial(object ? object->Serial() : 0) {}

    T* Get() const;
    // Whether this names exactly that object; an empty reference is the same as none.
    bool Is(const T* other) const { return other ? other == object && other->Serial() == serial : !object; }
    void Reset() { *this = TObjectRef(); }

private:
    T* object = nullptr;
    std::uint64_t serial = 0;
};
