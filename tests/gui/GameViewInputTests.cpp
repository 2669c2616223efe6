// The battlefield view's input on a running mission: selection by click, order entry with its
// prompts and the group keys.
#include "GameScreenTestKit.h"
#include "game/UnitHeading.h"

#include <cmath>

namespace {

constexpr int kGround = -1; // a click on empty ground at (20, 2.5)

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
    CUnit& SelectOwnBoy() {
        ClickUnit(kOwnBoy);
        return *Unit(kOwnBoy);
    }
};

// A square's right and bottom edges, put exactly where a pixel's click lands, are hit by a click
// that selects and by one that picks a lying unit to bury; a click just beyond misses.
TEST_F(GameViewInputTest, AClickOnTheEdgeOfASquareHitsAndJustBeyondMisses) {
    CUnit& boy = SelectOwnBoy();
    for (const bool bury : {false, true})
        for (const bool right : {true, false}) {
            SCOPED_TRACE(testing::Message() << "bury " << bury << ", right " << right);
            CUnit& unit = *Unit(bury ? kLyingEnemy : kOwnGirl);
            const CGUIPoint at = right ? CGUIPoint{336.0f, 176.0f} : CGUIPoint{304.0f, 208.0f};
            float wx = 0, wy = 0;
            ViewToWorld(at.x, at.y, View().right - View().left, View().bottom - View().top, wx, wy);
            (right ? unit.y : unit.x) = right ? wy : wx;
            PutEdgeAt(right ? unit.x : unit.y, unit, right ? wx : wy);
            for (const float beyond : {0.01f, 0.0f}) {
                SelectOwnBoy().Stop();
                if (bury) Tap('W');
                else Game().ClearSelection();
                ClickPixel({at.x + (right ? beyond : 0.0f), at.y + (right ? 0.0f : beyond)});
                if (bury) EXPECT_EQ(boy.order, beyond > 0 ? EUnitOrder::None : EUnitOrder::Bury);
                else EXPECT_EQ(Game().Selected(), beyond > 0 ? nullptr : &unit);
            }
        }
}

struct EntryCase {
    int key;
    int target;
    EUnitOrder order; // None: no qualifying target, the entry only ends
    const char* prompt;
};

TEST_F(GameViewInputTest, EveryOrderEntryPromptsTargetsTheCursorAndEndsWithItsOrder) {
    const EntryCase cases[] = {
        {'G', kGround, EUnitOrder::Go, "Wskaz miejsce docelowe."},
        {'G', kEnemyBoy, EUnitOrder::Go, "Wskaz miejsce docelowe."}, // no selection while an entry runs
        {'F', kOwnGirl, EUnitOrder::Follow, "Wskaz jednostke."},
        {'F', kGround, EUnitOrder::None, "Wskaz jednostke."},
        {'A', kEnemyChild, EUnitOrder::Attack, "Wskaz jednostke."},
        {'W', kLyingEnemy, EUnitOrder::Bury, "Wskaz lezaca lub zakopana jednostke."},
        {'W', kBuriedEnemy, EUnitOrder::DigOut, "Wskaz lezaca lub zakopana jednostke."},
        {'W', kEnemyBoy, EUnitOrder::None, "Wskaz lezaca lub zakopana jednostke."},
        {'P', kBuriedEnemy, EUnitOrder::None, "Wskaz lezaca jednostke."},
    };
    CUnit& boy = SelectOwnBoy();
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(std::string(1, char(c.key)) + " on " + std::to_string(c.target));
        boy.Stop();
        Tap(c.key);
        EXPECT_EQ(View().GetCursor(100, 100), kCursorTarget); // the view's own: the fade-in still covers it
        EXPECT_EQ(ConsoleDrawn().back().text, c.prompt);
        EXPECT_EQ(ConsoleDrawn().back().color, 0xFFC0C0C0u);
        if (c.target == kGround) Click(20.0f, 2.5f);
        else ClickUnit(c.target);
        EXPECT_EQ(boy.order, c.order);
        if (c.order == EUnitOrder::Go) {
            EXPECT_EQ(boy.orderX, c.target == kGround ? 20.0f : Unit(c.target)->x);
        } else if (c.order != EUnitOrder::None) {
            EXPECT_TRUE(TurnsTo(boy, *Unit(c.target)));
        }
        EXPECT_EQ(View().GetCursor(100, 100), kCursorPointer);
        EXPECT_EQ(Game().Selected(), &boy);
    }
}

TEST_F(GameViewInputTest, GroupKeysStoreWithCtrlAndSelectWithout) {
    ClickUnit(kOwnGirl);
    gui.SetModifiers(kModControl);
    Tap('1');
    gui.SetModifiers(0);
    CUnit* enemy = Unit(kEnemyBoy);
    ClickUnit(kEnemyBoy);
    Tap('1');
    EXPECT_EQ(Game().Selected(), Unit(kOwnGirl));
    ClickUnit(kEnemyBoy);
    for (int key : {int('2'), VK_NUMPAD0 + 1}) Tap(key); // an empty slot; not a main-row digit
    EXPECT_EQ(Game().Selected(), enemy);

    // A slot whose unit left the world is empty, even for a newcomer at the same address.
    Unit(kOwnGirl)->dead = true;
    GameObjects().UpdateAll(0.0f, 0.0f);
    GameObjects().Add(std::make_unique<CUnit>(kGirl));
    Tap('1');
    EXPECT_EQ(Game().Selected(), enemy);
}

} // namespace
