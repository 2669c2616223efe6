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
    // The text drawn with that label.
    static const CRecordingDevice::Text* Label(const std::vector<CRecordingDevice::Text>& texts,
                                               const std::string& label) {
        for (const auto& text : texts)
            if (text.text == label) return &text;
        return nullptr;
    }

    CMenu* menu = nullptr;
};

TEST_F(MenuTest, ButtonsStackInAColumnBelowTheTitle) {
    const float tops[] = {245, 298, 351, 404, 457};
    for (int k = 0; k < CMenu::kButtonCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FLOAT_EQ(Button(k).left, 200);
        EXPECT_FLOAT_EQ(Button(k).right, 600);
        EXPECT_FLOAT_EQ(Button(k).top, tops[k]);
        EXPECT_FLOAT_EQ(Button(k).bottom, tops[k] + 45);
    }

    // Laid out anew every frame: the column follows a change of window size.
    gfx.SetScreenSize(1024, 768);
    Frame();
    EXPECT_FLOAT_EQ(Button(CMenu::kExit).bottom, 0.85f * 768 - 8);
    EXPECT_FLOAT_EQ(Button(CMenu::kExit).left, 256);

    // An inactive application leaves the layout alone.
    gfx.SetScreenSize(640, 480);
    gui.Update(0.0f, 0.02f, false);
    EXPECT_FLOAT_EQ(Button(CMenu::kExit).left, 256);
}

TEST_F(MenuTest, AClickIsOneShotAndSounds) {
    gui.MouseMove(400, 320);
    EXPECT_EQ(Played(0), 1) << "entering a button";
    EXPECT_EQ(LookOf(CMenu::kNewGame), "lit");
    gui.MouseDown(400, 320, kMouseRight);
    EXPECT_EQ(LookOf(CMenu::kNewGame), "pressed");
    gui.MouseUp(598, 343, kMouseRight); // any mouse button; the edges belong to the button
    EXPECT_EQ(Played(1), 1);
    EXPECT_TRUE(menu->WasClicked(CMenu::kNewGame));
    EXPECT_FALSE(menu->WasClicked(CMenu::kNewGame)) << "reading clears the click";
    EXPECT_FALSE(menu->WasClicked(7));
    EXPECT_FALSE(menu->WasClicked(-1));
}

TEST_F(MenuTest, APressReleasedOverAnotherButtonClicksNothing) {
    gui.MouseMove(400, 320);
    gui.MouseDown(400, 320, kMouseLeft);
    ForgetSounds();
    gui.MouseMove(400, 370);
    EXPECT_NE(LookOf(CMenu::kSettings), "lit") << "the pressed button holds the mouse";
    gui.MouseUp(400, 370, kMouseLeft);
    for (int i = 0; i < CMenu::kButtonCount; ++i)
        EXPECT_FALSE(menu->WasClicked(i)) << i;
    EXPECT_EQ(Played(1), 0);
    EXPECT_NE(LookOf(CMenu::kNewGame), "pressed");
    EXPECT_EQ(LookOf(CMenu::kSettings), "lit") << "the hover catches up on the release";
}

TEST_F(MenuTest, DisabledReturnNeitherClicksNorSoundsButKeepsThePress) {
    menu->SetReturnEnabled(false);
    ClickButton(CMenu::kReturn);
    EXPECT_FALSE(menu->WasClicked(CMenu::kReturn));
    EXPECT_EQ(Played(0) + Played(1), 0);
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

TEST_F(MenuTest, DrawsTheTitleAndTranslucentDisabledButtons) {
    menu->SetReturnEnabled(false);
    gui.Draw(800, 600);
    const auto texts = TakeTexts();
    ASSERT_EQ(texts.size(), 5u);
    const auto* newGame = Label(texts, "Nowa gra");
    ASSERT_NE(newGame, nullptr);
    EXPECT_EQ(newGame->rect.left, 200);
    EXPECT_EQ(newGame->rect.top, 298);
    EXPECT_EQ(newGame->rect.right, 600);
    EXPECT_EQ(newGame->rect.bottom, 343);
    EXPECT_EQ(newGame->format, 0x25u);
    EXPECT_EQ(newGame->color, 0xFF606060u);
    EXPECT_EQ(Label(texts, "Wroc do gry")->color, 0x60606060u);

    // The title picture first, then per button a grey fill whose alpha says enabled or not.
    ASSERT_FALSE(device.draws.empty());
    const auto& title = device.draws.front();
    ASSERT_EQ(title.texturedVertices.size(), 4u);
    EXPECT_FLOAT_EQ(title.texturedVertices[0].x, 200);
    EXPECT_FLOAT_EQ(title.texturedVertices[1].x, 600);
    EXPECT_EQ(title.texturedVertices[0].color, 0xFF7F7F7Fu);
    std::vector<std::uint32_t> fills;
    for (const auto& draw : device.draws)
        if (!draw.colorVertices.empty()) fills.push_back(draw.colorVertices[0].color);
    EXPECT_EQ(fills,
              (std::vector<std::uint32_t>{0x60E0E0E0, 0xFFE0E0E0, 0xFFE0E0E0, 0xFFE0E0E0, 0xFFE0E0E0}));
}

TEST_F(MenuTest, APressedButtonDarkensAndItsLabelShifts) {
    gui.MouseMove(400, 320);
    gui.Draw(800, 600);
    EXPECT_EQ(Label(TakeTexts(), "Nowa gra")->rect.left, 200);
    gui.MouseDown(400, 320, kMouseLeft);
    device.draws.clear();
    device.polylines.clear();
    gui.Draw(800, 600);
    const auto texts = TakeTexts();
    EXPECT_EQ(Label(texts, "Nowa gra")->rect.left, 204);
    EXPECT_EQ(Label(texts, "Nowa gra")->rect.top, 302);
    EXPECT_EQ(Label(texts, "Nowa gra")->rect.right, 600);
    EXPECT_EQ(device.draws[2].colorVertices[0].color, 0xFFC0C0C0u);
    EXPECT_EQ(device.polylines[1].color, 0xFF7F7F7Fu);
}

} // namespace
