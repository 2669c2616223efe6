// The random map: ten groups at full life on good spots, and a map without good spots given up.
#include "GameTestWorld.h"

#include "game/Mission.h"
#include "game/RandomMap.h"

namespace {

class RandomMapTest : public GameWorldTest {};

TEST_F(RandomMapTest, TenGroupsAtFullLifeOnGoodSpots) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        vexo::SeedRand(seed);
        CMissionScreen screen;
        GenerateRandomMap(screen);
        int player = 0, computer = 0;
        for (const auto& object : Objects().All()) {
            const CUnit* unit = object->AsUnit();
            ASSERT_NE(unit, nullptr);
            ++(unit->team == 0 ? player : computer);
            EXPECT_FLOAT_EQ(unit->life, unit->Attribute(kAttrLife));
            EXPECT_TRUE(IsGoodSpot(Map(), unit->x, unit->y));
        }
        EXPECT_GE(player, 3);
        EXPECT_LE(player, 4);
        EXPECT_GE(computer, 27);
        EXPECT_LE(computer, 36);
        const CUnit* first = Objects().All().front()->AsUnit();
        EXPECT_LE(first->DistanceTo(Game().camX, Game().camY), 3.0f + 1e-4f);
    }
}

TEST_F(RandomMapTest, AMapWithoutGoodSpotsIsGivenUpNotSearchedForEver) {
    for (int r = 0; r < Map().height; ++r)
        for (int c = 0; c < Map().width; ++c) Map().Cell(c, r).yellow = true;
    float x = 0.0f, y = 0.0f;
    EXPECT_FALSE(PlaceGroups(Map(), Objects(), x, y));
    EXPECT_TRUE(Objects().All().empty());
}

} // namespace
