// The main menu: the button column's layout, clicks that need a press and a release on the same
// button, the disabled "Wroc do gry", and how the buttons look.
#include "MenuTestKit.h"
#include "ButtonLook.h"

#include "gui/Menu.h"

namespace {

class MenuTest : public MenuScreensTest {
protected:
    void SetUp() override {
        MenuScreensTest::SetUp();
        menu = new CMenu;
        gui.screens.push_back(menu);
        Frame();
    }
    CMenuButton& Button(int i) const { return *menu->GetButton(i); }
    std::string LookOf(int i) { return Look(Button(i), device); }
    void ClickButton(int i) {
        Click((Button(i).left + Button(i).right) / 2, (Button(i).top + Button(i).bottom) / 2);
    }

    CMenu* menu = nullptr;
};

TEST_F(MenuTest, AClickIsOneShot) {
    gui.MouseMove(400, 320);
    EXPECT_EQ(LookOf(CMenu::kNewGame), "lit");
    gui.MouseDown(400, 320, kMouseRight);
    EXPECT_EQ(LookOf(CMenu::kNewGame), "pressed");
    gui.MouseUp(598, 343, kMouseRight); // any mouse button; the edges belong to the button
    EXPECT_TRUE(menu->WasClicked(CMenu::kNewGame));
    EXPECT_FALSE(menu->WasClicked(CMenu::kNewGame)) << "reading clears the click";
    EXPECT_FALSE(menu->WasClicked(7));
    EXPECT_FALSE(menu->WasClicked(-1));
}

TEST_F(MenuTest, APressReleasedOverAnotherButtonClicksNothing) {
    gui.MouseMove(400, 320);
    gui.MouseDown(400, 320, kMouseLeft);
    gui.MouseMove(400, 370);
    EXPECT_NE(LookOf(CMenu::kSettings), "lit") << "the pressed button holds the mouse";
    gui.MouseUp(400, 370, kMouseLeft);
    for (int i = 0; i < CMenu::kButtonCount; ++i)
        EXPECT_FALSE(menu->WasClicked(i)) << i;
    EXPECT_NE(LookOf(CMenu::kNewGame), "pressed");
    EXPECT_EQ(LookOf(CMenu::kSettings), "lit") << "the hover catches up on the release";
}

TEST_F(MenuTest, DisabledReturnNeitherClicksNorLightsButKeepsThePress) {
    menu->SetReturnEnabled(false);
    ClickButton(CMenu::kReturn);
    EXPECT_FALSE(menu->WasClicked(CMenu::kReturn));
    EXPECT_NE(LookOf(CMenu::kReturn), "lit");

    // The press belongs to the disabled button, so releasing it over "Nowa gra" clicks nothing.
    gui.MouseDown(400, 260, kMouseLeft);
    EXPECT_EQ(gui.GetCapture(), &Button(CMenu::kReturn));
    EXPECT_NE(LookOf(CMenu::kReturn), "pressed");
    gui.MouseUp(400, 320, kMouseLeft);
    EXPECT_FALSE(menu->WasClicked(CMenu::kNewGame));

    menu->SetReturnEnabled(true);
    gui.MouseMove(0, 0);
    ClickButton(CMenu::kReturn);
    EXPECT_TRUE(menu->WasClicked(CMenu::kReturn));

    // Disabled under the pointer (a finished game): no highlight stays behind.
    EXPECT_EQ(LookOf(CMenu::kReturn), "lit");
    menu->SetReturnEnabled(false);
    EXPECT_NE(LookOf(CMenu::kReturn), "lit");
}

} // namespace
