// Hiding a window in the tree ends a capture it holds or lies under.
#include "RecordingWindows.h"

namespace {

// c1 is the lower child and holds c11; c2 is the upper child.
class TreeTest : public GUITest {
protected:
    CRecWindow* c1 = Add(*s, log, "c1", 10, 20, 110, 120);
    CRecWindow* c11 = Add(*c1, log, "c11", 5, 6, 25, 26);
    CRecWindow* c2 = Add(*s, log, "c2", 200, 0, 300, 50);
};

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

} // namespace
