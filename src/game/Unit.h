// The children who fight: kinds, attributes by level, life, experience, orders and behaviour.
#pragma once

#include "game/Object.h"

#include <cstdint>
#include <string>

// Whatever can gain experience from a hit nearby. Units are the only characters.
class CCharacter : public CObject {
public:
    CCharacter* AsCharacter() override { return this; }
    virtual void AddExperience(float amount) = 0;

    int team = 0; // 0 is the player's side; any other value the computer's
};

// Kinds and attributes index the units' tables, so they stay numbers.
enum EUnitKind : int { kBoy = 0, kGirl = 1, kChild = 2 };
enum class EUnitOrder { None, Go, Follow, Attack, Bury, DigOut, Carry };
enum class EUnitState { Free, Aiming, Fallen, Staggered, Burying, Digging };
enum EUnitAttribute : int {
    kAttrLife,
    kAttrRegeneration,
    kAttrDamage,
    kAttrDefence,
    kAttrAccuracy,
    kAttrSpeed,
    kAttrBuilding,
    kAttributeCount
};
inline constexpr int kMaxLevel = 10;

class CUnit : public CCharacter {
public:
    explicit CUnit(int kind);

    CUnit* AsUnit() override { return this; }
    float GetSize() const override;
    void Update(float time, float elapsed) override;
    void Draw(float left, float top, float right, float bottom) override;

    float GetTerrainFactor(float angle) const;
    float GetSlipChance() const;
    float GetVoicePitch() const;
    float Attribute(int index) const;
    std::string GetName(bool withKind) const;
    bool IsFemale() const { return kind == kGirl; }
    std::string AttributeText(int index) const;
    // Percent of the way to the next level; 100 at the last level.
    int Progress() const;

    void DrawInfo(float left, float top, float right, float bottom) const;
    void DrawLifeBar(float left, float top, float right, float bottom) const;
    std::uint32_t LifeColour() const;

    // Life and experience. Every life change goes through SetLife, which handles falls.
    void SetLife(float value, bool silent);
    void AddLife(float delta, bool silent) { SetLife(life + delta, silent); }
    void Damage(float amount, bool silent);
    void Heal();
    void Bury();
    void Unbury() { buried = false; }
    // A mission that starts with the unit buried: down at once, without an announcement.
    void KnockDownBuried();
    void AddExperience(float amount) override;

    // Orders from the player and from the computer's decisions; none affects a buried unit.
    // endWhenStalled is for the computer's own walks: without it the unit keeps pushing toward the
    // point until it arrives, however long a wall holds it, as the player expects of his orders.
    void GoTo(float px, float py, bool endWhenStalled = false);
    void Follow(CUnit* target);
    void Attack(CUnit* target);
    void BuryUnit(CUnit* target);
    void DigOutUnit(CUnit* target);
    void Carry(CUnit* target, float px, float py);
    void Stop();

    bool IsStanding() const { return life > 0.0f; }
    bool IsWithin(float px, float py, float distance) const { return DistanceTo(px, py) < distance; }
    bool IsWithin(const CObject& other, float distance) const { return IsWithin(other.x, other.y, distance); }

    float life = 0.0f;
    bool buried = false;
    EUnitOrder order = EUnitOrder::None;
    float orderX = 0.0f;
    float orderY = 0.0f;
    EUnitState state = EUnitState::Free;
    float stateTimer = 0.0f;
    int level = 1;
    float experience = 0.0f;
    std::string name;
    int kind;

private:
    bool SetOrder(EUnitOrder newOrder, CUnit* target, float px, float py);
    void ActOnOrder(float elapsed);
    void AdvanceState(float elapsed);
    // Walks up to a lying unit, then starts burying or digging it out (work is the state).
    void WorkOn(CUnit& target, EUnitState work, float elapsed);
    void Throw(CUnit* target);
    void Walk(float elapsed, bool carrying);
    // Whether a go order has walked kStallTime without coming kStallProgress closer to its point.
    bool GoStalled(float elapsed);
    void Drown();
    // Console line for the acting unit's own side only.
    void Report(const std::string& text, std::uint32_t colour) const;

    // Whether this frame's slip chance has been drawn; a frame cut into substeps draws it once.
    bool slipDrawn = false;
    TObjectRef<CUnit> orderTarget;
    TObjectRef<CUnit> stateTarget;
    // Whether the go order ends when its walk stalls; walking time and distance to the point at
    // the start of the current stall check; a negative distance means the check starts with the
    // next step.
    bool goEndsWhenStalled = false;
    float goCheckTimer = 0.0f;
    float goCheckDistance = -1.0f;
};

// A computer's go order ends when its walk has come less than kStallProgress tiles closer to the
// point in kStallTime seconds of walking. The slowest unit still walks over 1.5 tiles a second.
inline constexpr float kStallTime = 2.0f;
inline constexpr float kStallProgress = 0.5f;

// Aiming time of a throw for a unit of the given speed.
float AimingTime(float speed);
