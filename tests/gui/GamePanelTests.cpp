// The game screen's panel: the console's capacity, order buttons' clicks and pictures, the hint
// strip that never takes the mouse, and the fading overlay.
#include "GameScreenTestKit.h"

#include "gui/Button.h"
#include "gui/ButtonPanel.h"
#include "gui/GamePanel.h"
#include "gui/Hint.h"
#include "gui/WindowTree.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

using GamePanelTest = GameScreenTest;

TEST_F(GamePanelTest, ConsoleCapacityFollowsTheHeight) {
    CConsole console;
    const auto drawn = [&] {
        device.texts.clear();
        console.Draw(0, console.top, 316, console.bottom);
        return std::exchange(device.texts, {});
    };
    console.AddMessage("before the first layout", 0xFFFFFFFF);
    console.top = 4;
    console.bottom = 116;
    EXPECT_TRUE(drawn().empty()) << "no lines kept before the first layout";
    for (int i = 1; i <= 9; ++i) console.AddMessage(std::to_string(i), 0xFF000000u + std::uint32_t(i));
    auto lines = drawn();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.front().text, "2");
    EXPECT_EQ(lines.back().color, 0xFF000009u);
    for (auto [bottom, capacity] : {std::pair{23.0f, 0}, {-100.0f, 0}, {24.0f, 1}}) {
        console.bottom = bottom;
        EXPECT_EQ(console.Capacity(), capacity) << bottom;
    }
    // A console that shrank loses one line per new line, not all at once.
    console.AddMessage("10", 0xFFFFFFFF);
    EXPECT_EQ(drawn().size(), 8u);
}

// The terrain's last row reaches under the panel: every pixel of the panel outside its boxes must
// be covered black, and the boxes themselves are left to draw.
TEST_F(GamePanelTest, ThePanelCoversItsMarginsBlackAroundItsBoxes) {
    CGamePanel& panel = *FindChild<CGamePanel>(*screen);
    device.draws.clear();
    panel.Draw(panel.left, panel.top, panel.right, panel.bottom);
    std::vector<std::array<float, 4>> black;
    for (const auto& draw : device.draws)
        for (std::size_t i = 0; i + 3 < draw.colorVertices.size(); i += 4) {
            std::array<float, 4> box{1e9f, 1e9f, -1e9f, -1e9f};
            for (std::size_t k = i; k < i + 4; ++k) {
                box = {std::min(box[0], draw.colorVertices[k].x), std::min(box[1], draw.colorVertices[k].y),
                       std::max(box[2], draw.colorVertices[k].x), std::max(box[3], draw.colorVertices[k].y)};
            }
            if (draw.colorVertices[i].color == 0xFF000000u) black.push_back(box);
        }
    const auto within = [](const std::array<float, 4>& r, float x, float y) {
        return x >= r[0] && x < r[2] && y >= r[1] && y < r[3];
    };
    int uncovered = 0, overdrawn = 0;
    for (float y = panel.top + 0.5f; y < panel.bottom; ++y)
        for (float x = panel.left + 0.5f; x < panel.right; ++x) {
            bool inBox = false;
            for (const CGUIWindow* box : panel.GetChildren())
                inBox = inBox || within({panel.left + box->left, panel.top + box->top, panel.left + box->right,
                                         panel.top + box->bottom}, x, y);
            const bool covered = std::any_of(black.begin(), black.end(), [&](const auto& r) { return within(r, x, y); });
            uncovered += !inBox && !covered;
            overdrawn += inBox && covered;
        }
    EXPECT_EQ(uncovered, 0);
    EXPECT_EQ(overdrawn, 0);
}

class OrderButtonTest : public GameScreenTest {
protected:
    CButtonPanel& Buttons() { return *FindChild<CButtonPanel>(*FindChild<CGamePanel>(*screen)); }
    // Button 0 covers (652, 488) to (684, 520) of the back buffer.
    void PressRelease(float x0, float y0, float x1, float y1, int button = kMouseLeft) {
        gui.MouseMove(x0, y0);
        gui.MouseDown(x0, y0, button);
        gui.MouseMove(x1, y1);
        gui.MouseUp(x1, y1, button);
    }
};

TEST_F(OrderButtonTest, AClickIsAPressAndAReleaseOnTheButtonEdgesIncluded) {
    PressRelease(660, 490, 660, 490);
    EXPECT_TRUE(Buttons().WasClicked(0));
    EXPECT_FALSE(Buttons().WasClicked(0));
    PressRelease(660, 490, 700, 490); // released outside: the capture held, no click
    gui.MouseUp(660, 490, kMouseLeft);
    EXPECT_FALSE(Buttons().WasClicked(0)) << "that press is over: a release alone clicks nothing";
    PressRelease(660, 490, 684, 520); // right and bottom edges
    EXPECT_TRUE(Buttons().WasClicked(0));
    PressRelease(660, 490, 684.5f, 500);
    EXPECT_FALSE(Buttons().WasClicked(0));
    PressRelease(660, 490, 652, 488, kMouseRight); // left and top edges, other mouse buttons
    PressRelease(700, 530, 700, 530, kMouseMiddle); // button 5: (688, 524) to (720, 556)
    EXPECT_TRUE(Buttons().WasClicked(0));
    EXPECT_TRUE(Buttons().WasClicked(5));
    EXPECT_FALSE(Buttons().WasClicked(6));
}

// A button is its state's background with the order's icon over it, both from the unit sprites.
TEST_F(OrderButtonTest, ButtonsShowTheirStateAndEachItsOwnIcon) {
    const auto draw = [&](int k) {
        CButton& button = *Buttons().GetButton(k);
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

TEST(Overlay, FadesOverTwoSecondsWithinTheByteRange) {
    COverlay in(0xFF000000, 1.0f, 0.0f);
    in.Update(0, 1.0f, false); // time runs on while the application is inactive
    EXPECT_EQ(in.CurrentAlpha(), 127u);
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
