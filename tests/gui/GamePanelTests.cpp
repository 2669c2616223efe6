// The game screen's panel: order buttons' pictures, the hint strip that never takes the mouse,
// and the fading overlay.
#include "GameScreenTestKit.h"

#include "gui/Button.h"
#include "gui/ButtonPanel.h"
#include "gui/GamePanel.h"
#include "gui/Hint.h"
#include "gui/WindowTree.h"

#include <set>

namespace {

using OrderButtonTest = GameScreenTest;

// A button is its state's background with the order's icon over it, both from the unit sprites.
TEST_F(OrderButtonTest, ButtonsShowTheirStateAndEachItsOwnIcon) {
    const auto draw = [&](int k) {
        CButton& button = *FindChild<CButtonPanel>(*FindChild<CGamePanel>(*screen))->GetButton(k);
        device.draws.clear();
        button.Draw(button.left, button.top, button.right, button.bottom);
        EXPECT_EQ(device.draws.size(), 1u);
        return device.draws.back().texturedVertices;
    };
    const auto idle = draw(0);
    ASSERT_EQ(idle.size(), 8u);
    gui.MouseMove(660, 490);
    const auto hovered = draw(0);
    gui.MouseDown(660, 490, kMouseLeft);
    const auto pressed = draw(0);
    EXPECT_NE(idle[0].u, hovered[0].u);
    EXPECT_NE(hovered[0].u, pressed[0].u);
    EXPECT_FLOAT_EQ(pressed[4].x - pressed[0].x, 1.0f) << "the icon moves by a pixel while pressed";
    std::set<std::pair<float, float>> icons;
    for (int k = 0; k < CButtonPanel::kButtonCount; ++k) {
        const auto v = draw(k);
        icons.emplace(v[4].u, v[4].v);
    }
    EXPECT_EQ(icons.size(), std::size_t(CButtonPanel::kButtonCount));
}

TEST_F(OrderButtonTest, TheHintShowsOverAButtonAndNeverTakesTheMouse) {
    CHint& hint = *GameGUI().hint;
    EXPECT_FALSE(hint.IsVisible());
    gui.MouseMove(770, 490); // button 3
    device.texts.clear();
    gui.Draw(800, 600);
    ASSERT_FALSE(device.texts.empty());
    EXPECT_EQ(device.texts.back().text, "Atakuj [A]");
    gui.MouseMove(400, 300);
    EXPECT_FALSE(hint.IsVisible());

    // A unit right under the strip is still selected through it.
    hint.SetText("Atakuj [A]");
    Unit(kOwnGirl)->x = 10.0f;
    Unit(kOwnGirl)->y = 7.0f + (466.0f - 240.0f) / 32.0f;
    ClickPixel({400, 466});
    EXPECT_EQ(Game().Selected(), Unit(kOwnGirl));
}

TEST_F(OrderButtonTest, AnOverlayFadesOverTwoSecondsWithinTheByteRange) {
    COverlay in(0xFF000000, 1.0f, 0.0f);
    in.Update(0, 1.0f, false); // time runs on while the application is inactive
    device.draws.clear();
    in.Draw(0, 0, 800, 600);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].colorVertices[0].color, 0x7F000000u);
    in.Update(0, 1.0f, true);
    EXPECT_FALSE(in.Finished());
    in.Update(0, 0.01f, true);
    EXPECT_TRUE(in.Finished());
    EXPECT_EQ(in.CurrentAlpha(), 0u);
    for (float from : {-3.0f, 0.5f, 7.0f}) {
        COverlay odd(0xFF123456, from, 2.0f);
        for (int i = 0; i < 30; ++i, odd.Update(0, 0.1f, true)) EXPECT_LE(odd.CurrentAlpha(), 255u);
        EXPECT_EQ(odd.CurrentAlpha(), 255u);
    }
}

} // namespace
