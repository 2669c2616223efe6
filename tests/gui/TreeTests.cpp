// Keys, drawing, updating, coordinates and tree membership through the dispatcher.
#include "RecordingWindows.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// c1 is the lower child and holds c11; c2 is the upper child.
class TreeTest : public GUITest {
protected:
    CRecWindow* c1 = Add(*s, log, "c1", 10, 20, 110, 120);
    CRecWindow* c11 = Add(*c1, log, "c11", 5, 6, 25, 26);
    CRecWindow* c2 = Add(*s, log, "c2", 200, 0, 300, 50);
};

TEST_F(TreeTest, AHandledKeyIsHiddenFromEveryoneAskedLater) {
    c1->answers.keys = true;
    gui.KeyDown(13);
    EXPECT_THAT(Take(), ElementsAre("s.KeyDown 13", "c2.KeyDown 13", "c1.KeyDown 13"));
    s->answers.keys = true;
    gui.KeyDown(13);
    EXPECT_THAT(Take(), ElementsAre("s.KeyDown 13"));
}

TEST_F(TreeTest, HiddenWindowsSeeNoKeysAndKeysIgnoreTheCapture) {
    gui.MouseDown(220, 10, kMouseLeft);
    ASSERT_EQ(gui.GetCapture(), c2);
    c1->SetVisible(false);
    Take();
    gui.KeyDown(27);
    EXPECT_THAT(Take(), ElementsAre("s.KeyDown 27", "c2.KeyDown 27"));
}

TEST_F(TreeTest, DrawingIsParentsFirstInAbsolutePixelsAndSkipsHiddenSubtrees) {
    gui.Draw(640, 480);
    EXPECT_THAT(Take(), ElementsAre("s.Draw 0,0,640,480", "c1.Draw 10,20,110,120", "c11.Draw 15,26,35,46",
                                    "c2.Draw 200,0,300,50"));
    c1->SetVisible(false);
    gui.Draw(640, 480);
    EXPECT_THAT(Take(), ElementsAre("s.Draw 0,0,640,480", "c2.Draw 200,0,300,50"));
}

TEST_F(TreeTest, HidingTheCaptureOrAnAncestorOfItEndsTheCapture) {
    gui.MouseDown(15, 26, kMouseLeft);
    ASSERT_EQ(gui.GetCapture(), c11);
    c2->SetVisible(false);
    EXPECT_EQ(gui.GetCapture(), c11);
    c1->SetVisible(false);
    EXPECT_EQ(gui.GetCapture(), nullptr);

    c1->SetVisible(true);
    gui.MouseDown(15, 26, kMouseLeft);
    c11->SetVisible(false);
    EXPECT_EQ(gui.GetCapture(), nullptr);
}

TEST_F(TreeTest, EraseDeletesAScreenWithItsWholeTreeAndLeavesTheOthers) {
    CRecScreen* t = Push("t");
    Add(*t, log, "t1", 0, 0, 5, 5);
    Take();
    gui.screens.Erase(gui.screens.IndexOf(s));
    EXPECT_THAT(Take(), ElementsAre("s.Destroy ", "c1.Destroy ", "c11.Destroy ", "c2.Destroy "));
    EXPECT_THAT(gui.screens, ElementsAre(t));
}

} // namespace
