// The per-game values, announcements and sound effects.
#include "game/GameState.h"

#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "support/Random.h"

CGameState& Game() {
    static CGameState state;
    return state;
}

CMap& GameMap() { return *Game().map; }
CObjectList& GameObjects() { return *Game().objects; }

void CGameState::Select(CUnit* unit) {
    selected = unit;
    selectedSerial = unit ? unit->Serial() : 0;
}

CUnit* CGameState::Selected() const {
    return selected && objects && objects->Contains(selected, selectedSerial) ? selected : nullptr;
}

void CGameState::ClearSelection() { Select(nullptr); }

void CGameState::ClearWorld() {
    ClearSelection();
    objects.reset();
    map.reset();
}

void Announce(const std::string& text, std::uint32_t colour) {
    if (IGameConsole* console = Game().console) console->AddLine(text, colour);
}

void PlayEffect(int number, int frequency) {
    if (IGameSound* sound = Game().sound) sound->Play(number, frequency);
}

float RandUnit() { return float(vexo::Rand()) / float(vexo::RandMax); }

float RandHeading() { return float(vexo::Rand()) * 0.00019175345f; }
