// Deleted windows are forgotten: erasing a screen or removing a window that holds the hover or
// the capture, even from inside its own handler, never lets an event reach freed memory or a
// newcomer at the same address; a hidden window loses the capture. Run under AddressSanitizer to
// see the difference.
#include "RecordingWindows.h"

using ::testing::ElementsAre;

namespace {

class LifetimeTest : public GUITest {
protected:
    CRecWindow* w = Add(*s, log, "w", 0, 0, 100, 100);
    CRecWindow* inner = Add(*w, log, "inner", 10, 10, 20, 20);
};

TEST_F(LifetimeTest, ErasingTheScreenThatHoldsCaptureAndHoverForgetsBoth) {
    gui.MouseMove(5, 5);
    gui.MouseDown(15, 15, kMouseLeft);
    ASSERT_EQ(Entered(), w);
    ASSERT_EQ(gui.GetCapture(), inner);
    CRecScreen* below = Push("below");
    gui.screens.MoveToTop(gui.screens.IndexOf(s));
    gui.screens.Erase(gui.screens.IndexOf(s));
    EXPECT_EQ(gui.GetCapture(), nullptr);
    EXPECT_EQ(Entered(), nullptr);

    // A new screen, likely on the freed addresses, gets ordinary routing and no stale capture.
    CRecScreen* next = Push("next");
    Add(*next, log, "n", 0, 0, 100, 100);
    Take();
    gui.MouseMove(15, 15);
    gui.MouseUp(15, 15, kMouseLeft);
    EXPECT_THAT(Take(), ElementsAre("n.Move 15,15", "n.Enter 15,15", "n.Up 15,15,0"));
    EXPECT_EQ(gui.GetCapture(), nullptr);
    EXPECT_THAT(gui.screens, ElementsAre(below, next));
}

TEST_F(LifetimeTest, RemovingTheCapturingWindowEndsTheCapture) {
    gui.MouseDown(15, 15, kMouseRight);
    ASSERT_EQ(gui.GetCapture(), inner);
    s->RemoveChild(w);
    EXPECT_EQ(gui.GetCapture(), nullptr);
    Take();
    gui.MouseMove(15, 15);
    EXPECT_THAT(Take(), ElementsAre("s.Move 15,15", "s.Enter 15,15"));
}

TEST_F(LifetimeTest, AWindowThatDeletesItselfWhileAcceptingIsNotRemembered) {
    inner->hook = [this](const std::string& event) {
        if (event == "Down" || event == "Move") w->RemoveChild(inner);
    };
    gui.MouseDown(15, 15, kMouseLeft);
    EXPECT_EQ(gui.GetCapture(), nullptr);
    inner = Add(*w, log, "inner", 10, 10, 20, 20);
    inner->hook = [this](const std::string& event) {
        if (event == "Move") w->RemoveChild(inner);
    };
    gui.MouseMove(15, 15);
    EXPECT_EQ(Entered(), nullptr);
}

TEST_F(LifetimeTest, ALeaveHandlerThatDeletesTheNewHoverLeavesNoHover) {
    CRecWindow* other = Add(*s, log, "other", 200, 0, 300, 100);
    gui.MouseMove(5, 5);
    w->hook = [&](const std::string& event) {
        if (event == "Leave") s->RemoveChild(other);
    };
    Take();
    gui.MouseMove(250, 50);
    EXPECT_THAT(Take(), ElementsAre("other.Move 50,50", "w.Leave 250,50", "other.Destroy "));
    EXPECT_EQ(Entered(), nullptr);
}

TEST_F(LifetimeTest, TheCaptureEndsWithItsButtonEvenWhenTheWindowDeletedItselfOnRelease) {
    gui.MouseDown(15, 15, kMouseLeft);
    inner->hook = [this](const std::string& event) {
        if (event == "Up") w->RemoveChild(inner);
    };
    Take();
    gui.MouseUp(50, 50, kMouseLeft);
    EXPECT_THAT(Take(), ElementsAre("inner.Up 40,40,0", "inner.Destroy ", "w.Move 50,50", "w.Enter 50,50"));
    EXPECT_EQ(gui.GetCapture(), nullptr);
    EXPECT_EQ(Entered(), w);
}

TEST_F(LifetimeTest, HidingTheCaptureOrAnAncestorOfItEndsTheCapture) {
    CRecWindow* other = Add(*s, log, "other", 200, 0, 300, 50);
    gui.MouseDown(15, 15, kMouseLeft);
    ASSERT_EQ(gui.GetCapture(), inner);
    other->SetVisible(false);
    EXPECT_EQ(gui.GetCapture(), inner);
    w->SetVisible(false);
    EXPECT_EQ(gui.GetCapture(), nullptr);

    w->SetVisible(true);
    gui.MouseDown(15, 15, kMouseLeft);
    inner->SetVisible(false);
    EXPECT_EQ(gui.GetCapture(), nullptr);
}

TEST_F(LifetimeTest, AnUpdateThatRemovesChildrenDoesNotDisturbTheWalk) {
    CRecWindow* top = Add(*s, log, "top", 0, 0, 1, 1);
    top->hook = [this](const std::string& event) {
        if (event == "Update") s->RemoveChild(w);
    };
    Take();
    gui.Update(0, 0, true);
    gui.Draw(10, 10);
    EXPECT_THAT(Take(), ElementsAre("s.Update 0,0,1", "top.Update 0,0,1", "w.Destroy ", "inner.Destroy ",
                                    "s.Draw 0,0,10,10", "top.Draw 0,0,1,1"));
}

} // namespace
