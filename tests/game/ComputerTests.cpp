// The computer's decisions: snow fetching, target choice with its tie-break, what is done with a
// lying enemy, digging out friends, and the player's units' single rule.
#include "GameTestWorld.h"
#include "UnitHeading.h"

#include "game/Computer.h"
#include "game/Simulation.h"

namespace {

class ComputerTest : public GameWorldTest {};

TEST_F(ComputerTest, WithoutSnowAComputerUnitFetchesSomeNeverFromItsNearNeighbourhood) {
    CUnit* unit = AddUnit(kBoy, 1, 10.5f, 10.5f);
    Map().Cell(10, 10).snow = 0.0f;
    Map().Cell(11, 11).snow = 1.0f; // deep, but in the near neighbourhood
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Go);
    // (13, 10) and (10, 13) are nearest at 2.55; the earlier column wins the tie.
    EXPECT_EQ(unit->orderX, 10.0f);
    EXPECT_EQ(unit->orderY, 13.0f);

    Map().Cell(17, 4).snow = 1.0f; // twice the snow, farther than twice the distance
    Map().Cell(13, 8).snow = 1.0f;
    const CWorldPoint spot = FindSnowSpot(*unit);
    EXPECT_EQ(spot.x, 13.0f);
    EXPECT_EQ(spot.y, 8.0f);

    // Nothing anywhere: the unit's own cell.
    MakeWorld(20, 20, 0.0f);
    CUnit* lost = AddUnit(kBoy, 1, 4.5f, 6.5f);
    const CWorldPoint none = FindSnowSpot(*lost);
    EXPECT_EQ(none.x, 4.0f);
    EXPECT_EQ(none.y, 6.0f);
}

TEST_F(ComputerTest, TargetsAreStandingEnemiesFromFourToTenTiles) {
    CUnit* unit = AddUnit(kBoy, 1, 2.0f, 2.0f);
    CUnit* tooClose = AddUnit(kBoy, 0, 5.9f, 2.0f);
    tooClose->life = 1.0f;
    CUnit* friendUnit = AddUnit(kBoy, 1, 8.0f, 2.0f);
    friendUnit->life = 1.0f;
    CUnit* first = AddUnit(kBoy, 0, 6.0f, 2.0f);
    CUnit* second = AddUnit(kBoy, 0, 2.0f, 12.0f);
    CUnit* beyond = AddUnit(kBoy, 0, 12.01f, 2.0f);
    beyond->life = 0.5f;
    first->life = second->life = 5.0f;
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Attack);
    EXPECT_TRUE(TurnsTo(*unit, *first));
    second->life = 4.9f;
    Think(*unit, true);
    EXPECT_TRUE(TurnsTo(*unit, *second));

    // Busy units are left alone.
    unit->GoTo(3.0f, 3.0f);
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Go);
}

TEST_F(ComputerTest, ALyingEnemyIsBuriedNearAttackedFarOrCarriedToWater) {
    CUnit* unit = AddUnit(kBoy, 1, 2.0f, 2.0f);
    CUnit* victim = AddUnit(kGirl, 0, 4.0f, 2.0f, false);
    victim->Damage(100.0f, true);
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Bury);
    EXPECT_TRUE(TurnsTo(*unit, *victim));

    victim->x = 8.0f;
    unit->Stop(); // a unit busy burying is not reconsidered
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Attack);
    EXPECT_TRUE(TurnsTo(*unit, *victim));

    Map().Cell(14, 4).kind = kWater;
    Map().Cell(9, 9).kind = kWater;
    unit->Stop();
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::Carry);
    EXPECT_EQ(unit->orderX, 9.0f);
    EXPECT_EQ(unit->orderY, 9.0f);

    // The player's units never do this by themselves.
    CUnit* player = AddUnit(kBoy, 0, 2.0f, 4.0f);
    CUnit* enemy = AddUnit(kBoy, 1, 3.0f, 4.0f, false);
    enemy->Damage(100.0f, true);
    Think(*player, false);
    EXPECT_EQ(player->order, EUnitOrder::None);
}

TEST_F(ComputerTest, ABuriedFriendIsDugOut) {
    CUnit* unit = AddUnit(kBoy, 1, 2.0f, 2.0f);
    CUnit* buriedEnemy = AddUnit(kGirl, 0, 3.0f, 2.0f, false);
    buriedEnemy->KnockDownBuried();
    CUnit* buriedFriend = AddUnit(kGirl, 1, 3.0f, 5.0f, false);
    buriedFriend->KnockDownBuried();
    Think(*unit, true);
    EXPECT_EQ(unit->order, EUnitOrder::DigOut);
    EXPECT_TRUE(TurnsTo(*unit, *buriedFriend));
}

TEST_F(ComputerTest, ThePlayersUnitsOnlyPickTargetsWhenIdle) {
    CUnit* player = AddUnit(kBoy, 0, 2.0f, 2.0f);
    AddUnit(kBoy, 1, 8.0f, 2.0f); // the only enemy
    player->GoTo(2.0f, 10.0f);
    Think(*player, false);
    EXPECT_EQ(player->order, EUnitOrder::Go);

    player->Stop();
    Map().Cell(2, 2).snow = 0.0f;
    Think(*player, false);
    EXPECT_EQ(player->order, EUnitOrder::Attack);
    player->Update(0.0f, 0.01f);
    EXPECT_EQ(player->order, EUnitOrder::None);
    EXPECT_EQ(console.lines.back().first, player->name + " nie ma czym rzucac.");
}

TEST_F(ComputerTest, AUnitSentForSnowBehindAWallGivesUpAndDecidesAgain) {
    MakeWorld(20, 20, 0.0f);
    Map().Cell(10, 2).snow = 1.0f;
    for (int c = 0; c < 20; ++c) Map().Cell(c, 5).kind = kObstacle;
    CUnit* unit = AddUnit(kBoy, 1, 10.5f, 10.5f);
    AddUnit(kGirl, 0, 1.5f, 18.5f); // out of reach, so that the mission goes on
    CMissionScreen screen;
    float gaveUp = -1.0f;
    int goOrders = 0;
    // At 1/60 s, as the game runs; the once-per-second decisions send it off again each time.
    for (int frame = 1; frame <= 60 * 12; ++frame) {
        const bool going = unit->order == EUnitOrder::Go;
        StepMission(screen, 0.0f, 1.0f / 60.0f);
        if (going && unit->order == EUnitOrder::None && gaveUp < 0.0f) gaveUp = float(frame) / 60.0f;
        if (!going && unit->order == EUnitOrder::Go) ++goOrders;
    }
    EXPECT_GT(gaveUp, 2.0f);
    EXPECT_LT(gaveUp, 6.5f); // under a second to the wall, then at most two checks
    EXPECT_GE(goOrders, 2);
    EXPECT_EQ(unit->orderX, 10.0f);
    EXPECT_EQ(unit->orderY, 2.0f);
    EXPECT_FALSE(screen.over);
}

TEST_F(ComputerTest, WaterIsSampledOnTwentyOneByTwentyOnePoints) {
    MakeWorld(40, 40, 0.5f);
    CUnit* unit = AddUnit(kBoy, 1, 20.0f, 20.0f);
    EXPECT_EQ(FindWater(*unit).x, -1.0f);
    Map().Cell(31, 20).kind = kWater; // 11 tiles away: outside the samples
    EXPECT_EQ(FindWater(*unit).x, -1.0f);
    Map().Cell(10, 10).kind = kWater; // the corner sample
    CWorldPoint found = FindWater(*unit);
    EXPECT_EQ(found.x, 10.0f);
    EXPECT_EQ(found.y, 10.0f);
    Map().Cell(27, 21).kind = kWater;
    found = FindWater(*unit);
    EXPECT_EQ(found.x, 27.0f);
    EXPECT_EQ(found.y, 21.0f);
}

} // namespace
