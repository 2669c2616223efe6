// Units: kinds, names, attributes by level, and the rules of life and experience.
#include "game/Unit.h"

#include "game/GameState.h"
#include "game/Map.h"
#include "support/Convert.h"
#include "support/Random.h"
#include "support/Text1250.h"

#include <algorithm>
#include <array>
#include <string_view>

using namespace vexo::literals;

namespace {

struct CKindTraits {
    std::string_view kindName;
    float size;
    float iceFactor;
    float slipChance;
    float voicePitch;
    std::array<float, kAttributeCount> base;
    std::array<float, kAttributeCount> perLevel;
};

const std::array<CKindTraits, 3> kKinds = {{
    {"Chlopak", 0.95f, 0.5f, 0.001f, 1.0f, {10, 0.1f, 5, 5, 5, 6, 2.5f}, {1, 0.01f, 1, 1, 0.5f, 0.2f, 0.5f}},
    {"Dziewczyna", 0.9f, 1.0f, 0.002f, 1.33333f, {8, 0.05f, 4, 4.5f, 7, 8, 1}, {0.8f, 0.02f, 1, 1, 0.7f, 0.4f, 0.2f}},
    {"Dzieciak", 0.8f, 1.5f, 0.003f, 1.66666f, {6, 0.03f, 3, 2.5f, 4, 7, 5}, {0.5f, 0.03f, 0.7f, 0.6f, 0.5f, 0.3f, 1.5f}},
}};

const std::array<std::string_view, 14> kBoyNames = {
    "Jacek"_pl, "Wojtek"_pl, "Bartek"_pl, "Michał"_pl, "Kuba"_pl,  "Tomek"_pl, "Paweł"_pl,
    "Krzyś"_pl, "Marek"_pl,  "Staś"_pl,   "Adaś"_pl,   "Franek"_pl, "Józek"_pl, "Piotrek"_pl};
const std::array<std::string_view, 10> kGirlNames = {"Ania"_pl,  "Kasia"_pl, "Ola"_pl,      "Zosia"_pl,  "Basia"_pl,
                                                     "Magda"_pl, "Ewa"_pl,   "Małgosia"_pl, "Jadzia"_pl, "Hania"_pl};
const std::array<std::string_view, 10> kChildNames = {"Mały"_pl,  "Szkrab"_pl, "Bąbel"_pl, "Kruszyna"_pl, "Łobuz"_pl,
                                                      "Smyk"_pl,  "Pędrak"_pl, "Brzdąc"_pl, "Maluch"_pl,  "Urwis"_pl};

const CKindTraits& Traits(int kind) { return kKinds[std::size_t(std::clamp(kind, 0, 2))]; }

std::string DrawName(int kind) {
    const int pick = vexo::Rand();
    switch (kind) {
    case kBoy: return std::string(kBoyNames[std::size_t(pick) % kBoyNames.size()]);
    case kGirl: return std::string(kGirlNames[std::size_t(pick) % kGirlNames.size()]);
    default: return std::string(kChildNames[std::size_t(pick) % kChildNames.size()]);
    }
}

} // namespace

CUnit::CUnit(int kind) : kind(std::clamp(kind, 0, 2)) { name = DrawName(this->kind); }

float CUnit::GetSize() const { return Traits(kind).size; }

float CUnit::GetTerrainFactor(float angle) const {
    const CMap& map = GameMap();
    if (map.CellAt(x, y).kind == kIce) return Traits(kind).iceFactor;
    return map.SlopeFactor(*this, angle);
}

float CUnit::GetSlipChance() const { return Traits(kind).slipChance; }

float CUnit::GetVoicePitch() const { return Traits(kind).voicePitch; }

float CUnit::Attribute(int index) const {
    if (index < 0 || index >= kAttributeCount) return 0.0f;
    const CKindTraits& traits = Traits(kind);
    return float(level) * traits.perLevel[std::size_t(index)] + traits.base[std::size_t(index)];
}

std::string CUnit::GetName(bool withKind) const {
    if (!withKind) return name;
    return name + " [" + std::string(Traits(kind).kindName) + "]";
}

std::string CUnit::AttributeText(int index) const { return vexo::IntToString(int(Attribute(index))); }

int CUnit::Progress() const {
    if (level >= kMaxLevel) return 100;
    return int(experience / float(level + 1) * 100.0f);
}

std::uint32_t CUnit::LifeColour() const {
    const float maximum = Attribute(kAttrLife);
    if (life <= 0.0f) return 0xFF7F7FFF;
    if (life >= maximum * 2.0f / 3.0f) return 0xFF40FF40;
    if (life >= maximum / 3.0f) return 0xFFFFFF40;
    return 0xFFFF4040;
}

void CUnit::SetLife(float value, bool silent) {
    const float old = life;
    life = std::min(value, Attribute(kAttrLife));
    if (life > 0.0f) return;
    life = -10.0f;
    order = EUnitOrder::None;
    state = EUnitState::Fallen;
    if (old <= 0.0f || silent) return;
    if (team == 0) Announce(name + (IsFemale() ? " upadla." : " upadl."), 0xFFFFFF60);
    PlayEffect(6, int(GetVoicePitch() * 11025.0f));
}

void CUnit::Damage(float amount, bool silent) {
    if (life <= 0.0f) {
        life = -10.0f;
        return;
    }
    SetLife(life - std::max(amount, 0.0f), silent);
}

void CUnit::Heal() { SetLife(Attribute(kAttrLife), false); }

void CUnit::Bury() {
    if (life > 0.0f) return;
    Damage(1.0f, false);
    buried = true;
}

void CUnit::KnockDownBuried() {
    Damage(100000.0f, true);
    buried = true;
}

void CUnit::AddExperience(float amount) {
    if (life <= 0.0f || level >= kMaxLevel) return;
    experience += amount;
    const int before = level;
    while (experience >= float(level + 1)) {
        experience -= float(level + 1);
        level = std::min(level + 1, kMaxLevel);
    }
    if (level != before && team == 0)
        Announce(name + (IsFemale() ? " osiagnela" : " osiagnal") + " poziom " + vexo::IntToString(level) + ".",
                 0xFF60FF60);
}
