// Pointer events through one screen: which window is asked, in which order and coordinates,
// and how hover and capture follow.
#include "RecordingWindows.h"

using ::testing::ElementsAre;

namespace {

// a and b share the edge x = 100; a1 sits in a's top-left corner.
class PointerTest : public GUITest {
protected:
    CRecWindow* a = Add(*s, log, "a", 10, 10, 100, 100);
    CRecWindow* a1 = Add(*a, log, "a1", 0, 0, 20, 20);
    CRecWindow* b = Add(*s, log, "b", 100, 10, 200, 100);
};

// Which windows a move asks, in their own coordinates: edges belong to the window, the upper
// sibling wins a shared edge, a declining window lets the point fall to the siblings below it and
// then to its parent, and a hidden window and its subtree are not asked at all.
TEST_F(PointerTest, MovesAskTheDeepestUpperWindowFirstAndFallThroughThoseThatDecline) {
    struct Case {
        std::vector<CRecWindow*> declining;
        CRecWindow* hidden;
        float x, y;
        CCallLog moves;
    };
    const Case cases[] = {
        {{}, nullptr, 100, 50, {"b.Move 0,40"}},
        {{}, nullptr, 50, 100, {"a.Move 40,90"}},
        {{}, nullptr, 30, 30, {"a1.Move 20,20"}},
        {{}, nullptr, 201, 50, {"s.Move 201,50"}},
        {{}, nullptr, 9.5f, 10, {"s.Move 9.5,10"}},
        {{b}, nullptr, 100, 20, {"b.Move 0,10", "a.Move 90,10"}},
        {{a}, nullptr, 15, 15, {"a1.Move 5,5"}},
        {{a, a1}, nullptr, 15, 15, {"a1.Move 5,5", "a.Move 5,5", "s.Move 15,15"}},
        {{}, a, 15, 15, {"s.Move 15,15"}},
    };
    for (const Case& c : cases) {
        for (CRecWindow* w : {a, a1, b}) w->acceptsMouse = true;
        for (CRecWindow* w : c.declining) w->acceptsMouse = false;
        if (c.hidden) c.hidden->SetVisible(false);
        gui.MouseMove(c.x, c.y);
        EXPECT_EQ(Only(Take(), "Move"), c.moves) << c.x << "," << c.y;
    }
}

TEST_F(PointerTest, ACaptureTakesEveryPointerEventUntilItsOwnButtonIsReleased) {
    gui.MouseMove(50, 50);
    gui.MouseDown(15, 15, kMouseLeft);
    ASSERT_EQ(gui.GetCapture(), a1);
    Take();
    a1->cursor = kCursorTarget;
    EXPECT_EQ(gui.GetCursor(15, 15), kCursorTarget);

    // Over b and outside the screen: still a1, in a1's coordinates, and the hover stays.
    gui.MouseMove(150, 50);
    gui.MouseMove(-5, 400);
    gui.MouseDown(150, 50, kMouseRight);
    gui.DoubleClick(150, 50, kMouseRight);
    gui.Wheel(150, 50, -2);
    gui.MouseUp(150, 50, kMouseRight);
    EXPECT_THAT(Take(), ElementsAre("a1.Move 140,40", "a1.Move -15,390", "a1.Down 140,40,1",
                                    "a1.Double 140,40,1", "a1.Wheel 140,40,-2", "a1.Up 140,40,1"));
    EXPECT_EQ(gui.GetCapture(), a1);
    EXPECT_EQ(Entered(), a);

    // The capturing button ends it, and the hover catches up with the pointer at once.
    gui.MouseUp(150, 50, kMouseLeft);
    EXPECT_THAT(Take(), ElementsAre("a1.Up 140,40,0", "b.Move 50,40", "a.Leave 150,50", "b.Enter 150,50"));
    EXPECT_EQ(gui.GetCapture(), nullptr);
    EXPECT_EQ(Entered(), b);
}

TEST_F(PointerTest, ACapturedWindowKeepsItsEventsAfterItsScreenIsCoveredByAnother) {
    gui.MouseDown(50, 50, kMouseLeft);
    CRecScreen* t = Push("t");
    Add(*t, log, "t1", 0, 0, 500, 500);
    Take();
    gui.MouseMove(60, 60);
    gui.MouseUp(60, 60, kMouseLeft);
    // After the release the hover moves to the top screen's window under the pointer.
    EXPECT_THAT(Take(), ElementsAre("a.Move 50,50", "a.Up 50,50,0", "t1.Move 60,60", "t1.Enter 60,60"));
}

} // namespace
