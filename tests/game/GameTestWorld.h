// A small world for simulation tests: a flat snowy map, an object list, and recorders for the
// console lines and sound effects the rules produce.
#pragma once

#include "game/GameState.h"
#include "game/Map.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct RecordingConsole : IGameConsole {
    void AddLine(const std::string& text, std::uint32_t colour) override { lines.emplace_back(text, colour); }
    std::vector<std::pair<std::string, std::uint32_t>> lines;
};

struct RecordingSound : IGameSound {
    void Play(int number, int frequency) override { played.emplace_back(number, frequency); }
    std::vector<std::pair<int, int>> played;
};

// Makes the next vexo::Rand() return value (0 ... 32767), by solving the generator's step
// backwards: the state after the step is value << 16.
inline void NextRandIs(int value) {
    std::uint32_t inverse = 214013u; // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    vexo::SeedRand(((std::uint32_t(value) << 16) - 2531011u) * inverse);
}

class GameWorldTest : public ::testing::Test {
protected:
    void SetUp() override { MakeWorld(20, 20, 0.5f); }
    void TearDown() override {
        Game().ClearWorld();
        Game().console = nullptr;
        Game().sound = nullptr;
    }

    // Flat ground with the same snow everywhere, so the slope factor is 0.75.
    void MakeWorld(int width, int height, float snow) {
        Game().ClearWorld();
        Game().map = std::make_unique<CMap>(width, height);
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c) Game().map->Cell(c, r) = CMapCell{kGround, snow, false};
        Game().objects = std::make_unique<CObjectList>();
        Game().console = &console;
        Game().sound = &sound;
    }

    CMap& Map() { return *Game().map; }
    CObjectList& Objects() { return *Game().objects; }

    CUnit* AddUnit(int kind, int team, float x, float y, bool fullLife = true) {
        CUnit* unit = Objects().Add(std::make_unique<CUnit>(kind));
        unit->team = team;
        unit->x = x;
        unit->y = y;
        if (fullLife) unit->life = unit->Attribute(kAttrLife);
        return unit;
    }

    RecordingConsole console;
    RecordingSound sound;
};
