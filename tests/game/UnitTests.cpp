// Units: burying a fallen unit freezes it.
#include "GameTestWorld.h"

namespace {

class UnitTest : public GameWorldTest {};

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
