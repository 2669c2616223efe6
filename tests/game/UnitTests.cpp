// Units: falling and its announcement, recovery, burying.
#include "GameTestWorld.h"

namespace {

class UnitTest : public GameWorldTest {};

TEST_F(UnitTest, AFallIsAnnouncedOnceAndForThePlayersSideOnly) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->order = EUnitOrder::Go;
    boy->Damage(12.0f, false);
    EXPECT_EQ(boy->life, -10.0f);
    EXPECT_EQ(boy->state, EUnitState::Fallen);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    boy->life = -3.0f; // hit again while down: back to -10, no second announcement
    boy->Damage(1.0f, false);
    EXPECT_EQ(boy->life, -10.0f);
    AddUnit(kGirl, 1, 5, 5)->Damage(100.0f, false);
    EXPECT_EQ(console.lines,
              (std::vector<std::pair<std::string, std::uint32_t>>{{boy->name + " upadl.", 0xFFFFFF60u}}));
    CUnit* child = AddUnit(kChild, 0, 5, 5);
    child->Damage(-5.0f, false); // negative damage does no harm
    EXPECT_FLOAT_EQ(child->life, 6.5f);
}

TEST_F(UnitTest, RecoveryTakesJustOverTenSeconds) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->Damage(100.0f, true);
    // 0.25 is exact in binary: after 40 updates the life is exactly 0, which is not enough.
    for (int i = 0; i < 40; ++i) boy->Update(0.0f, 0.25f);
    EXPECT_EQ(boy->state, EUnitState::Fallen);
    boy->Update(0.0f, 0.25f);
    EXPECT_EQ(boy->life, 1.0f);
    EXPECT_EQ(boy->state, EUnitState::Free);
}

TEST_F(UnitTest, BuryingFreezesAFallenUnit) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->life = 0.05f;
    boy->Bury();
    EXPECT_FALSE(boy->buried); // only a lying unit can be buried
    boy->Damage(100.0f, true);
    boy->life = -4.0f;
    boy->Bury();
    EXPECT_TRUE(boy->buried);
    EXPECT_EQ(boy->life, -10.0f);
    Map().Cell(5, 5).kind = kWater;
    boy->Update(0.0f, 5.0f);
    EXPECT_EQ(boy->life, -10.0f);
    EXPECT_FALSE(boy->dead); // frozen: not even drowning
    boy->GoTo(3.0f, 3.0f);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    boy->Unbury();
    boy->Update(0.0f, 0.5f);
    EXPECT_TRUE(boy->dead);
}

} // namespace
