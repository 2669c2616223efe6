// The battlefield view's input on a running mission: selection by click, order entry with its
// prompts, right-click orders by target kind and the group keys.
#include "GameScreenTestKit.h"

#include <cmath>

namespace {

class GameViewInputTest : public GameScreenTest {
protected:
    // Sets a unit's coordinate so that coordinate + size/2, as the hit test computes it, is exactly
    // edge: the square's right or bottom edge.
    static void PutEdgeAt(float& coordinate, const CUnit& unit, float edge) {
        const float half = unit.GetSize() / 2;
        coordinate = edge - half;
        while (coordinate + half < edge) coordinate = std::nextafter(coordinate, 1e9f);
        while (coordinate + half > edge) coordinate = std::nextafter(coordinate, -1e9f);
        ASSERT_EQ(coordinate + half, edge);
    }
    void SelectOwnBoy() {
        ClickUnit(kOwnBoy);
        ASSERT_EQ(Game().Selected(), Unit(kOwnBoy));
    }
    static void HoldCtrl(bool held) { SDL_SetModState(held ? KMOD_LCTRL : KMOD_NONE); }
};

TEST_F(GameViewInputTest, LeftClickSelectsAnyUnitAndEmptyGroundKeepsTheSelection) {
    EXPECT_EQ(Game().Selected(), nullptr);
    ClickUnit(kOwnGirl);
    EXPECT_EQ(Game().Selected(), Unit(kOwnGirl));
    ClickUnit(kEnemyBoy);
    EXPECT_EQ(Game().Selected(), Unit(kEnemyBoy));
    Click(20.0f, 2.0f);
    EXPECT_EQ(Game().Selected(), Unit(kEnemyBoy));
    // Lying units are units too.
    ClickUnit(kLyingFriend);
    EXPECT_EQ(Game().Selected(), Unit(kLyingFriend));
    EXPECT_TRUE(ConsoleTexts().empty());
}

TEST_F(GameViewInputTest, AClickOnTheEdgeOfASquareHitsAndJustBeyondMisses) {
    CUnit& girl = *Unit(kOwnGirl);
    PutEdgeAt(girl.x, girl, 8.0f);
    girl.y = 5.0f;
    ClickPixel({336.01f, 176.0f}); // 8.0003 tiles
    EXPECT_EQ(Game().Selected(), nullptr);
    ClickPixel({336.0f, 176.0f}); // exactly 8 tiles
    EXPECT_EQ(Game().Selected(), &girl);

    Game().ClearSelection();
    girl.x = 7.0f;
    PutEdgeAt(girl.y, girl, 6.0f);
    ClickPixel({304.0f, 208.01f});
    EXPECT_EQ(Game().Selected(), nullptr);
    ClickPixel({304.0f, 208.0f});
    EXPECT_EQ(Game().Selected(), &girl);
}

TEST_F(GameViewInputTest, WhereUnitsOverlapTheFirstInTheWorldListWins) {
    ClickPixel(Pixel(12.3f, 5.0f));
    EXPECT_EQ(Game().Selected(), Unit(kEnemyBoy));
    ClickPixel(Pixel(12.8f, 5.0f)); // only the child reaches this far
    EXPECT_EQ(Game().Selected(), Unit(kEnemyChild));
}

TEST_F(GameViewInputTest, GoEntryPromptsTargetsTheCursorAndEndsWithTheOrder) {
    SelectOwnBoy();
    const CGUIPoint ground = Pixel(3.0f, 2.0f);
    EXPECT_EQ(gui.GetCursor(ground.x, ground.y), GUICursorPointer);
    Tap('G');
    EXPECT_EQ(View().GetPending(), CGameView::kGoTo);
    EXPECT_EQ(gui.GetCursor(ground.x, ground.y), GUICursorTarget);
    ASSERT_EQ(ConsoleTexts(), std::vector<std::string>{"Wskaz miejsce docelowe."});
    EXPECT_EQ(GameGUI().console->Lines().back().colour, 0xFFC0C0C0u);
    // A click on a unit while an entry runs gives the order there and does not select.
    ClickUnit(kEnemyBoy);
    CUnit& boy = *Unit(kOwnBoy);
    EXPECT_EQ(boy.order, kOrderGo);
    EXPECT_FLOAT_EQ(boy.orderX, 12.0f);
    EXPECT_FLOAT_EQ(boy.orderY, 5.0f);
    EXPECT_EQ(Game().Selected(), &boy);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    EXPECT_EQ(gui.GetCursor(ground.x, ground.y), GUICursorPointer);
}

TEST_F(GameViewInputTest, FollowAndAttackEntriesTakeTheUnitUnderTheClick) {
    SelectOwnBoy();
    Tap('F');
    Tap('A'); // replaces the follow entry
    EXPECT_EQ(ConsoleTexts(), (std::vector<std::string>{"Wskaz jednostke.", "Wskaz jednostke."}));
    EXPECT_EQ(View().GetPending(), CGameView::kAttack);
    ClickUnit(kEnemyChild);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderAttack);
    EXPECT_EQ(Unit(kOwnBoy)->OrderTarget(), Unit(kEnemyChild));

    Tap('F');
    Click(20.0f, 12.0f); // nobody there: the entry ends without an order
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderAttack);
    Tap('F');
    ClickUnit(kOwnGirl);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderFollow);
    EXPECT_EQ(Unit(kOwnBoy)->OrderTarget(), Unit(kOwnGirl));
}

TEST_F(GameViewInputTest, BuryOrDigOutEntryChoosesByTheLyingUnitsState) {
    SelectOwnBoy();
    Tap('W');
    EXPECT_EQ(ConsoleTexts(), std::vector<std::string>{"Wskaz lezaca lub zakopana jednostke."});
    EXPECT_EQ(View().GetPending(), CGameView::kBuryOrDigOut);
    ClickUnit(kLyingEnemy);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderBury);
    EXPECT_EQ(Unit(kOwnBoy)->OrderTarget(), Unit(kLyingEnemy));

    Tap('W');
    ClickUnit(kBuriedEnemy);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderDigOut);
    EXPECT_EQ(Unit(kOwnBoy)->OrderTarget(), Unit(kBuriedEnemy));

    Tap('W');
    ClickUnit(kEnemyBoy); // standing: no target, the entry just ends
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderDigOut);
}

TEST_F(GameViewInputTest, CarryEntryAsksForTheUnitThenForTheDestination) {
    SelectOwnBoy();
    Tap('P');
    EXPECT_EQ(View().GetPending(), CGameView::kCarryWhom);
    ClickUnit(kBuriedEnemy); // buried units cannot be carried
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    EXPECT_EQ(ConsoleTexts(), std::vector<std::string>{"Wskaz lezaca jednostke."});

    Tap('P');
    ClickUnit(kLyingEnemy);
    EXPECT_EQ(View().GetPending(), CGameView::kCarryWhere);
    EXPECT_EQ(ConsoleTexts().back(), "Wskaz miejsce docelowe lub brzeg wody.");
    EXPECT_EQ(gui.GetCursor(10, 10), GUICursorTarget);
    Click(21.0f, 11.5f);
    CUnit& boy = *Unit(kOwnBoy);
    EXPECT_EQ(boy.order, kOrderCarry);
    EXPECT_EQ(boy.OrderTarget(), Unit(kLyingEnemy));
    EXPECT_FLOAT_EQ(boy.orderX, 21.0f);
    EXPECT_FLOAT_EQ(boy.orderY, 11.5f);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
}

TEST_F(GameViewInputTest, ACarriedUnitThatLeftTheWorldEndsTheEntryWithoutAnOrder) {
    SelectOwnBoy();
    Tap('P');
    ClickUnit(kLyingEnemy);
    Unit(kLyingEnemy)->dead = true;
    GameObjects().UpdateAll(0.0f, 0.0f);
    Click(21.0f, 11.5f);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderNone);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
}

TEST_F(GameViewInputTest, StopActsAtOnceAndLeavesAnEntryRunning) {
    SelectOwnBoy();
    Unit(kOwnBoy)->GoTo(1.0f, 1.0f);
    Tap('G');
    Tap('S');
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderNone);
    EXPECT_EQ(View().GetPending(), CGameView::kGoTo);
    EXPECT_EQ(ConsoleTexts().size(), 1u);
}

TEST_F(GameViewInputTest, OrdersNeedASelectedUnitOfThePlayer) {
    Tap('G');
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    ClickUnit(kEnemyBoy);
    for (int key : {'S', 'G', 'F', 'A', 'W', 'P'}) Tap(key);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    Click(3.0f, 3.0f, GUIMouseRight);
    EXPECT_EQ(Unit(kEnemyBoy)->order, kOrderNone);
    EXPECT_TRUE(ConsoleTexts().empty());
}

TEST_F(GameViewInputTest, KeyRepeatRestartsTheEntryAndPromptsAgain) {
    SelectOwnBoy();
    gui.KeyDown('G');
    gui.KeyDown('G');
    gui.KeyUp('G');
    EXPECT_EQ(ConsoleTexts(), (std::vector<std::string>{"Wskaz miejsce docelowe.", "Wskaz miejsce docelowe."}));
}

TEST_F(GameViewInputTest, AnEntryWhoseUnitIsNoLongerSelectedOnlyEnds) {
    SelectOwnBoy();
    Tap('G');
    Game().ClearSelection();
    ClickUnit(kOwnGirl);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    EXPECT_EQ(Game().Selected(), nullptr);
    EXPECT_EQ(Unit(kOwnBoy)->order, kOrderNone);

    // A group key may select an enemy mid-entry: the player never commands the computer's units.
    ClickUnit(kEnemyBoy);
    HoldCtrl(true);
    Tap('4');
    HoldCtrl(false);
    SelectOwnBoy();
    Tap('G');
    Tap('4');
    ASSERT_EQ(Game().Selected(), Unit(kEnemyBoy));
    Click(20.0f, 2.0f);
    EXPECT_EQ(Unit(kEnemyBoy)->order, kOrderNone);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
}

TEST_F(GameViewInputTest, RightClickOrdersByWhatLiesUnderThePointer) {
    SelectOwnBoy();
    CUnit& boy = *Unit(kOwnBoy);
    Click(20.0f, 2.5f, GUIMouseRight);
    EXPECT_EQ(boy.order, kOrderGo);
    EXPECT_FLOAT_EQ(boy.orderX, 20.0f);
    EXPECT_FLOAT_EQ(boy.orderY, 2.5f);
    ClickUnit(kBuriedEnemy, GUIMouseRight);
    EXPECT_EQ(boy.order, kOrderDigOut);
    EXPECT_EQ(boy.OrderTarget(), Unit(kBuriedEnemy));
    ClickUnit(kEnemyChild, GUIMouseRight);
    EXPECT_EQ(boy.order, kOrderAttack);
    EXPECT_EQ(boy.OrderTarget(), Unit(kEnemyChild));
    ClickUnit(kOwnGirl, GUIMouseRight);
    EXPECT_EQ(boy.order, kOrderFollow);
    EXPECT_EQ(boy.OrderTarget(), Unit(kOwnGirl));
    ClickUnit(kOwnBoy, GUIMouseRight);
    EXPECT_EQ(boy.OrderTarget(), &boy);
    EXPECT_EQ(Game().Selected(), &boy);
    EXPECT_TRUE(ConsoleTexts().empty());
    // The middle button does nothing at all.
    ClickUnit(kEnemyBoy, GUIMouseMiddle);
    EXPECT_EQ(boy.OrderTarget(), &boy);
    EXPECT_EQ(Game().Selected(), &boy);
}

TEST_F(GameViewInputTest, RightClickOnALyingUnitAsksWhereToAndAnEntryIsCancelledByTheNext) {
    SelectOwnBoy();
    CUnit& boy = *Unit(kOwnBoy);
    ClickUnit(kLyingEnemy, GUIMouseRight);
    EXPECT_EQ(View().GetPending(), CGameView::kLyingClicked);
    EXPECT_EQ(ConsoleTexts(), std::vector<std::string>{"Wskaz miejsce docelowe, brzeg wody lub ponownie ta jednostke."});
    // Right click during an entry: cancelled, nothing else, even over ground.
    Click(20.0f, 2.5f, GUIMouseRight);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
    EXPECT_EQ(boy.order, kOrderNone);

    ClickUnit(kLyingEnemy, GUIMouseRight);
    ClickUnit(kLyingEnemy); // the same unit again: bury it
    EXPECT_EQ(boy.order, kOrderBury);
    EXPECT_EQ(boy.OrderTarget(), Unit(kLyingEnemy));

    ClickUnit(kLyingEnemy, GUIMouseRight);
    Click(21.5f, 12.0f); // anywhere else: carry it there
    EXPECT_EQ(boy.order, kOrderCarry);
    EXPECT_FLOAT_EQ(boy.orderX, 21.5f);

    ClickUnit(kLyingEnemy, GUIMouseRight);
    Unit(kLyingEnemy)->buried = true; // buried meanwhile: a click on it does nothing
    ClickUnit(kLyingEnemy);
    EXPECT_EQ(boy.order, kOrderCarry);
    EXPECT_EQ(View().GetPending(), CGameView::kNone);
}

TEST_F(GameViewInputTest, GroupKeysStoreWithCtrlAndSelectWithout) {
    ClickUnit(kOwnGirl);
    HoldCtrl(true);
    Tap('1');
    HoldCtrl(false);
    ClickUnit(kEnemyBoy);
    HoldCtrl(true);
    Tap('9');
    HoldCtrl(false);
    Tap('1');
    EXPECT_EQ(Game().Selected(), Unit(kOwnGirl));
    Tap('9');
    EXPECT_EQ(Game().Selected(), Unit(kEnemyBoy));
    Tap('2'); // an empty slot changes nothing
    EXPECT_EQ(Game().Selected(), Unit(kEnemyBoy));
    Tap(VK_NUMPAD0 + 1); // only the main-row digits are group keys
    EXPECT_EQ(Game().Selected(), Unit(kEnemyBoy));

    // A slot whose unit left the world is empty, even for a newcomer at the same address.
    CUnit* enemy = Unit(kEnemyBoy);
    Unit(kOwnGirl)->dead = true;
    GameObjects().UpdateAll(0.0f, 0.0f);
    GameObjects().Add(std::make_unique<CUnit>(kGirl));
    Tap('1');
    EXPECT_EQ(Game().Selected(), enemy);
}

} // namespace
