// Units: attributes by level and kind, names, progress, life colours, life rules and experience.
#include "GameTestWorld.h"

namespace {

class UnitTest : public GameWorldTest {};

TEST_F(UnitTest, AttributesGrowWithLevel) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    CUnit* girl = AddUnit(kGirl, 0, 5, 5);
    CUnit* child = AddUnit(kChild, 0, 5, 5);
    EXPECT_FLOAT_EQ(boy->Attribute(kAttrLife), 11.0f);
    EXPECT_FLOAT_EQ(girl->Attribute(kAttrLife), 8.8f);
    EXPECT_FLOAT_EQ(child->Attribute(kAttrLife), 6.5f);
    EXPECT_FLOAT_EQ(boy->Attribute(kAttrSpeed), 6.2f);
    EXPECT_EQ(child->AttributeText(kAttrAccuracy), "4"); // 4.5 truncated
    boy->level = 10;
    EXPECT_FLOAT_EQ(boy->Attribute(kAttrLife), 20.0f);
    EXPECT_FLOAT_EQ(boy->Attribute(kAttrSpeed), 8.0f);
    EXPECT_FLOAT_EQ(boy->Attribute(kAttrAccuracy), 10.0f);
    EXPECT_EQ(boy->Attribute(99), 0.0f);
    EXPECT_FLOAT_EQ(boy->GetSize(), 0.95f);
    EXPECT_FLOAT_EQ(girl->GetSize(), 0.9f);
    EXPECT_FLOAT_EQ(child->GetSize(), 0.8f);
}

TEST_F(UnitTest, NamesComeFromTheKindsPoolAndShowTheKind) {
    CUnit* girl = AddUnit(kGirl, 0, 5, 5);
    EXPECT_FALSE(girl->GetName(false).empty());
    EXPECT_EQ(girl->GetName(true), girl->name + " [Dziewczyna]");
    EXPECT_TRUE(girl->IsFemale());
    // The heading is drawn first, then the name: the same seed gives the same name.
    NextRandIs(16384);
    CUnit boy(kBoy);
    EXPECT_FLOAT_EQ(boy.angle, 16384 * 0.00019175345f);
    NextRandIs(16384);
    EXPECT_EQ(CUnit(kBoy).name, boy.name);
    EXPECT_EQ(boy.life, 0.0f);
    EXPECT_EQ(boy.order, EUnitOrder::None);
    EXPECT_EQ(boy.state, EUnitState::Free);
    EXPECT_EQ(boy.x, 0.0f);
}

TEST_F(UnitTest, ProgressAndLifeColours) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->experience = 1.5f;
    EXPECT_EQ(boy->Progress(), 75);
    boy->level = 10;
    boy->experience = 3.0f;
    EXPECT_EQ(boy->Progress(), 100);

    CUnit* child = AddUnit(kChild, 0, 5, 5); // maximum 6.5; thirds compared in float like the rule
    child->life = 6.5f * 2.0f / 3.0f;
    EXPECT_EQ(child->LifeColour(), 0xFF40FF40u);
    child->life = 4.0f;
    EXPECT_EQ(child->LifeColour(), 0xFFFFFF40u);
    child->life = 2.0f;
    EXPECT_EQ(child->LifeColour(), 0xFFFF4040u);
    child->life = -5.0f;
    EXPECT_EQ(child->LifeColour(), 0xFF7F7FFFu);
}

TEST_F(UnitTest, AFallIsAnnouncedForThePlayersSideOnly) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->order = EUnitOrder::Go;
    boy->Damage(12.0f, false);
    EXPECT_EQ(boy->life, -10.0f);
    EXPECT_EQ(boy->state, EUnitState::Fallen);
    EXPECT_EQ(boy->order, EUnitOrder::None);
    ASSERT_EQ(console.lines.size(), 1u);
    EXPECT_EQ(console.lines[0].first, boy->name + " upadl.");
    EXPECT_EQ(console.lines[0].second, 0xFFFFFF60u);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], std::make_pair(6, 11025));

    // Hit again while down: back to -10, no second announcement.
    boy->life = -3.0f;
    boy->Damage(1.0f, false);
    EXPECT_EQ(boy->life, -10.0f);
    EXPECT_EQ(console.lines.size(), 1u);

    CUnit* girl = AddUnit(kGirl, 1, 5, 5);
    girl->Damage(100.0f, false);
    EXPECT_EQ(console.lines.size(), 1u); // the computer's side falls silently in the console
    EXPECT_EQ(sound.played.back(), std::make_pair(6, 14699));
    CUnit* child = AddUnit(kChild, 0, 5, 5);
    child->Damage(-5.0f, false); // negative damage does no harm
    EXPECT_FLOAT_EQ(child->life, 6.5f);
    child->Damage(100.0f, true);
    EXPECT_EQ(console.lines.size(), 1u);
    CUnit* loud = AddUnit(kChild, 0, 5, 5);
    loud->Damage(100.0f, false);
    EXPECT_EQ(sound.played.back(), std::make_pair(6, 18374));
    loud = AddUnit(kGirl, 0, 5, 5);
    loud->Damage(100.0f, false);
    EXPECT_EQ(console.lines.back().first, loud->name + " upadla.");
}

TEST_F(UnitTest, RecoveryTakesJustOverTenSeconds) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->Damage(100.0f, true);
    // 0.25 is exact in binary: after 40 updates the life is exactly 0, which is not enough.
    for (int i = 0; i < 40; ++i) boy->Update(0.0f, 0.25f);
    EXPECT_EQ(boy->life, 0.0f);
    EXPECT_EQ(boy->state, EUnitState::Fallen);
    boy->Update(0.0f, 0.25f);
    EXPECT_EQ(boy->life, 1.0f);
    EXPECT_EQ(boy->state, EUnitState::Free);
    EXPECT_EQ(boy->order, EUnitOrder::None);
}

TEST_F(UnitTest, RegenerationStopsAtTheMaximum) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5); // 0.11 per second
    boy->life = 5.0f;
    boy->Update(0.0f, 1.0f);
    EXPECT_FLOAT_EQ(boy->life, 5.11f);
    boy->life = 10.99f;
    boy->Update(0.0f, 1.0f);
    EXPECT_FLOAT_EQ(boy->life, 11.0f);
    boy->Update(0.0f, 1.0f);
    EXPECT_FLOAT_EQ(boy->life, 11.0f);

    // Down outside state 2 (knocked over while staggered): falls properly without a message.
    boy->life = -10.0f;
    boy->state = EUnitState::Staggered;
    boy->Update(0.0f, 0.01f);
    EXPECT_EQ(boy->state, EUnitState::Fallen);
    EXPECT_TRUE(console.lines.empty());
}

TEST_F(UnitTest, YellowSnowHurtsStandingUnits) {
    Map().Cell(5, 5).yellow = true;
    CUnit* child = AddUnit(kChild, 0, 5.0f, 5.0f);
    child->life = 3.0f;
    child->Update(0.0f, 0.5f);
    // Regeneration 0.06 a second first, then half a point a second.
    EXPECT_FLOAT_EQ(child->life, 3.0f + 0.06f * 0.5f - 0.25f);
    Map().Cell(5, 5).snow = 0.0f;
    child->life = 3.0f;
    child->Update(0.0f, 0.5f);
    EXPECT_FLOAT_EQ(child->life, 3.0f + 0.06f * 0.5f);
}

TEST_F(UnitTest, BuryingFreezesAFallenUnit) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
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

TEST_F(UnitTest, ExperienceRaisesLevelsWithOneAnnouncement) {
    CUnit* boy = AddUnit(kBoy, 0, 5, 5);
    boy->AddExperience(3.0f);
    EXPECT_EQ(boy->level, 2);
    EXPECT_FLOAT_EQ(boy->experience, 1.0f);
    boy->AddExperience(9.0f); // 10: level 3 with 7, level 4 with 3
    EXPECT_EQ(boy->level, 4);
    EXPECT_FLOAT_EQ(boy->experience, 3.0f);
    ASSERT_EQ(console.lines.size(), 2u);
    EXPECT_EQ(console.lines[0].first, boy->name + " osiagnal poziom 2.");
    EXPECT_EQ(console.lines[1].first, boy->name + " osiagnal poziom 4.");
    EXPECT_EQ(console.lines[1].second, 0xFF60FF60u);

    boy->level = 10;
    boy->experience = 0.0f;
    boy->AddExperience(50.0f);
    EXPECT_EQ(boy->experience, 0.0f);
    CUnit* girl = AddUnit(kGirl, 0, 5, 5);
    girl->life = -10.0f;
    girl->AddExperience(5.0f);
    EXPECT_EQ(girl->level, 1);
    girl->life = 1.0f;
    girl->AddExperience(100.0f);
    EXPECT_EQ(girl->level, 10);
    EXPECT_EQ(console.lines.back().first, girl->name + " osiagnela poziom 10.");
}

} // namespace
