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

TEST_F(TreeTest, KeysGoToParentsBeforeChildrenAndTheUpperSiblingFirst) {
    gui.KeyDown(65);
    gui.KeyUp(65);
    gui.Char('a');
    EXPECT_THAT(Take(), ElementsAre("s.KeyDown 65", "c2.KeyDown 65", "c1.KeyDown 65", "c11.KeyDown 65",
                                    "s.KeyUp 65", "c2.KeyUp 65", "c1.KeyUp 65", "c11.KeyUp 65", "s.Char 97",
                                    "c2.Char 97", "c1.Char 97", "c11.Char 97"));
}

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

TEST_F(TreeTest, UpdateReachesEveryWindowOfTheTopScreenHiddenOrNot) {
    c1->SetVisible(false);
    gui.Update(12.5f, 0.25f, true);
    EXPECT_THAT(Take(), ElementsAre("s.Update 12.5,0.25,1", "c2.Update 12.5,0.25,1", "c1.Update 12.5,0.25,1",
                                    "c11.Update 12.5,0.25,1"));
}

TEST_F(TreeTest, OnlyTheTopScreenIsUpdatedDrawnAndAskedAndThatCanChangeBack) {
    Push("t");
    Take();
    gui.Update(1, 0.5f, false);
    gui.Draw(8, 6);
    gui.KeyDown(1);
    gui.MouseMove(15, 26);
    EXPECT_EQ(gui.GetBackgroundColor(), 0xFF112233u);
    EXPECT_THAT(Take(), ElementsAre("t.Update 1,0.5,0", "t.Draw 0,0,8,6", "t.KeyDown 1", "t.Move 15,26",
                                    "t.Enter 15,26"));

    gui.screens.MoveToTop(gui.screens.IndexOf(s));
    EXPECT_EQ(gui.screens.back(), s);
    gui.MouseMove(15, 26);
    EXPECT_THAT(Take(), ElementsAre("c11.Move 0,0", "t.Leave 15,26", "c11.Enter 15,26"));
}

TEST_F(TreeTest, MoveToTopKeepsAScreenExactlyAsItWas) {
    gui.MouseMove(50, 50);
    gui.MouseDown(15, 26, kMouseRight);
    c2->SetVisible(false);
    Push("t");
    gui.screens.MoveToTop(gui.screens.IndexOf(s));
    EXPECT_THAT(Only(Take(), "Destroy"), IsEmpty());
    EXPECT_EQ(gui.GetCapture(), c11);
    EXPECT_EQ(Entered(), c1);
    EXPECT_FALSE(c2->IsVisible());
    EXPECT_THAT(s->GetChildren(), ElementsAre(c1, c2));
    gui.MouseMove(16, 27);
    EXPECT_THAT(Take(), ElementsAre("c11.Move 1,1"));
}

TEST_F(TreeTest, ScreenToLocalSubtractsEveryWindowOffsetUpToTheScreen) {
    CGUIPoint p = ScreenToLocal({100, 100}, c11);
    EXPECT_FLOAT_EQ(p.x, 85);
    EXPECT_FLOAT_EQ(p.y, 74);
    p = ScreenToLocal({100, 100}, s);
    EXPECT_FLOAT_EQ(p.x, 100);
    EXPECT_FLOAT_EQ(p.y, 100);
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

TEST_F(TreeTest, RemoveChildDeletesOnlyThatChild) {
    c1->RemoveChild(c2);
    EXPECT_THAT(Take(), IsEmpty()) << "c2 is not c1's child";
    s->RemoveChild(c1);
    EXPECT_THAT(Take(), ElementsAre("c1.Destroy ", "c11.Destroy "));
    EXPECT_THAT(s->GetChildren(), ElementsAre(c2));
}

TEST(EmptyStack, GivesTheDefaultsAndIgnoresEverything) {
    CGUIManager gui;
    EXPECT_EQ(gui.GetCursor(10, 10), kCursorPointer);
    EXPECT_EQ(gui.GetBackgroundColor(), 0xFF000000u);
    gui.MouseMove(1, 1);
    gui.MouseDown(1, 1, kMouseLeft);
    gui.MouseUp(1, 1, kMouseLeft);
    gui.DoubleClick(1, 1, kMouseLeft);
    gui.Wheel(1, 1, 1);
    gui.KeyDown(1);
    gui.Update(0, 0, true);
    gui.Draw(640, 480);
    EXPECT_EQ(gui.GetCapture(), nullptr);
    EXPECT_FALSE(gui.fullScreen);
}

TEST(OneDispatcher, IsReachableWhileItLivesAndCannotBeDoubled) {
    EXPECT_EQ(CGUIManager::Instance(), nullptr);
    {
        CGUIManager gui;
        EXPECT_EQ(CGUIManager::Instance(), &gui);
        EXPECT_THROW(CGUIManager second, std::logic_error);
        EXPECT_EQ(CGUIManager::Instance(), &gui);
    }
    EXPECT_EQ(CGUIManager::Instance(), nullptr);
}

TEST(OneDispatcher, DeletesTheScreensLeftOnItsStack) {
    CCallLog log;
    {
        CGUIManager gui;
        gui.screens.push_back(new CRecScreen(log, "s"));
        gui.screens.push_back(nullptr);
        Add(*gui.screens[0], log, "w", 0, 0, 1, 1);
    }
    EXPECT_THAT(log, ElementsAre("s.Destroy ", "w.Destroy "));
}

} // namespace
