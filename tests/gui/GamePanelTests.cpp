// The game screen's other windows: panel layout, the console's capacity and drawing, order
// buttons, the hint strip and the fading overlay.
#include "GameScreenTestKit.h"

#include "gui/Button.h"
#include "gui/ButtonPanel.h"
#include "gui/GamePanel.h"
#include "gui/Hint.h"
#include "gui/WindowTree.h"

namespace {

struct Rect {
    float left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

Rect Of(const CGUIWindow& w) { return {w.left, w.top, w.right, w.bottom}; }

void PrintTo(const Rect& r, std::ostream* os) { *os << r.left << "," << r.top << "," << r.right << "," << r.bottom; }

CHint& Hint() { return *GameGUI().hint; }

// The hint's text as the strip draws it; empty when it draws none.
std::string HintDrawn(CRecordingDevice& device) {
    device.texts.clear();
    Hint().Draw(Hint().left, Hint().top, Hint().right, Hint().bottom);
    return device.texts.empty() ? "" : device.texts.back().text;
}

using GamePanelTest = GameScreenTest;

TEST_F(GamePanelTest, LayoutAt800And640) {
    CGamePanel& panel = *FindChild<CGamePanel>(*screen);
    EXPECT_EQ(Of(View()), (Rect{0, 0, 800, 480}));
    EXPECT_EQ(Of(panel), (Rect{0, 480, 800, 600}));
    EXPECT_EQ(Of(*FindChild<CConsole>(panel)), (Rect{4, 4, 320, 116}));
    EXPECT_EQ(Of(*FindChild<CInfoPanel>(panel)), (Rect{324, 4, 644, 116}));
    EXPECT_EQ(Of(*FindChild<CButtonPanel>(panel)), (Rect{648, 4, 796, 116}));
    EXPECT_EQ(Of(Hint()), (Rect{4, 456, 796, 476}));
    EXPECT_EQ(Of(*FindChild<CButtonPanel>(panel)->GetButton(5)), (Rect{40, 40, 72, 72}));

    Resize(640, 480);
    Frame(0.0f);
    EXPECT_EQ(Of(panel), (Rect{0, 360, 640, 480}));
    EXPECT_FLOAT_EQ(FindChild<CInfoPanel>(panel)->right - FindChild<CInfoPanel>(panel)->left, 256.0f);
    EXPECT_FLOAT_EQ(FindChild<CConsole>(panel)->right - FindChild<CConsole>(panel)->left, 220.0f);
    EXPECT_EQ(Of(Hint()), (Rect{4, 336, 636, 356}));
}

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
    EXPECT_EQ(console.Capacity(), 8);
    for (int i = 1; i <= 9; ++i) console.AddMessage(std::to_string(i), 0xFF000000u + std::uint32_t(i));
    auto lines = drawn();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.front().text, "2");
    EXPECT_EQ(lines.back().color, 0xFF000009u);
    console.bottom = 23; // 19 pixels: nothing fits
    EXPECT_EQ(console.Capacity(), 0);
    console.bottom = -100; // inside out
    EXPECT_EQ(console.Capacity(), 0);
    console.bottom = 24;
    EXPECT_EQ(console.Capacity(), 1);
    // A console that shrank loses one line per new line, not all at once.
    console.AddMessage("10", 0xFFFFFFFF);
    EXPECT_EQ(drawn().size(), 8u);
}

TEST_F(GamePanelTest, ConsoleDrawsItsLinesTwelvePixelsApartInTheirColours) {
    CConsole& console = *GameGUI().console;
    Announce("pierwsza", 0xFFFF0000);
    Announce("druga", 0xFF00FF00);
    device.texts.clear();
    console.Draw(4, 484, 320, 596);
    ASSERT_EQ(device.texts.size(), 2u);
    EXPECT_EQ(device.texts[0].text, "pierwsza");
    EXPECT_EQ(device.texts[1].color, 0xFF00FF00u);
    EXPECT_EQ(device.texts[0].rect.top, 488);
    EXPECT_EQ(device.texts[1].rect.top, 500);
    EXPECT_EQ(device.texts[1].rect.left, 8);
    EXPECT_EQ(device.texts[1].rect.right, 316);
    EXPECT_EQ(device.texts[1].format, kTextSingleLine);
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
    EXPECT_FALSE(Buttons().WasClicked(0));
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
    EXPECT_FALSE(Buttons().WasClicked(1));
    EXPECT_FALSE(Buttons().WasClicked(6));
}

TEST_F(OrderButtonTest, AClickStartsItsOrderEntryOnTheNextUpdate) {
    ClickUnit(kOwnBoy);
    PressRelease(700, 490, 700, 490); // button 1, Go
    EXPECT_EQ(View().GetCursor(100, 100), kCursorPointer);
    Frame(1.0f / 64);
    EXPECT_EQ(View().GetCursor(100, 100), kCursorTarget);
    EXPECT_EQ(ConsoleTexts(), std::vector<std::string>{"Wskaz miejsce docelowe."});
    Frame(1.0f / 64);
    EXPECT_EQ(ConsoleTexts().size(), 1u);
}

TEST_F(OrderButtonTest, ButtonsDrawTheirStateAndIconFromTheUnitSprites) {
    CButton& stop = *Buttons().GetButton(0);
    const auto frameOf = [&](bool pressed) {
        device.draws.clear();
        stop.Draw(652, 488, 684, 520);
        EXPECT_EQ(device.draws.size(), 1u);
        const auto& v = device.draws.back().texturedVertices;
        EXPECT_EQ(v.size(), 8u);
        EXPECT_EQ(v[0].color, 0xFF7F7F7Fu);
        // The icon moves by a pixel while pressed.
        EXPECT_FLOAT_EQ(v[4].x - v[0].x, pressed ? 1.0f : 0.0f);
        return v[0].u;
    };
    const float idle = frameOf(false);
    gui.MouseMove(660, 490);
    const float hovered = frameOf(false);
    gui.MouseDown(660, 490, kMouseLeft);
    const float pressed = frameOf(true);
    // Frames 10, 11 and 13 of a 512-pixel sheet of 64-pixel frames.
    EXPECT_FLOAT_EQ(idle, (2 * 64 + 1) / 512.0f);
    EXPECT_FLOAT_EQ(hovered, (3 * 64 + 1) / 512.0f);
    EXPECT_FLOAT_EQ(pressed, (5 * 64 + 1) / 512.0f);
}

TEST_F(OrderButtonTest, TheHintShowsWhileTheMouseIsOverAButtonAndNeverTakesTheMouse) {
    EXPECT_FALSE(Hint().IsVisible());
    gui.MouseMove(770, 490); // button 3
    EXPECT_TRUE(Hint().IsVisible());
    EXPECT_EQ(HintDrawn(device), "Atakuj [A]");
    gui.MouseMove(660, 530); // button 4
    EXPECT_EQ(HintDrawn(device), "Zakop lub wykop [W]");
    device.texts.clear();
    gui.Draw(800, 600);
    ASSERT_FALSE(device.texts.empty());
    EXPECT_EQ(device.texts.back().text, "Zakop lub wykop [W]");
    EXPECT_EQ(device.texts.back().format, 0x126u);
    EXPECT_EQ(device.texts.back().rect.right, 792);

    // A unit right under the strip is still selected through it.
    gui.MouseMove(400, 300);
    EXPECT_FALSE(Hint().IsVisible());
    EXPECT_EQ(HintDrawn(device), "");
    Hint().SetText("Atakuj [A]");
    Unit(kOwnGirl)->x = 10.0f;
    Unit(kOwnGirl)->y = 7.0f + (466.0f - 240.0f) / 32.0f;
    ClickPixel({400, 466});
    EXPECT_EQ(Game().Selected(), Unit(kOwnGirl));
}

TEST(Overlay, FadesOverTwoSecondsWithinTheByteRange) {
    COverlay in(0xFF000000, 1.0f, 0.0f);
    EXPECT_EQ(in.CurrentAlpha(), 255u);
    in.Update(0, 1.0f, false); // time runs on while the application is inactive
    EXPECT_EQ(in.CurrentAlpha(), 127u);
    in.Update(0, 1.0f, true);
    EXPECT_FALSE(in.Finished());
    in.Update(0, 0.01f, true);
    EXPECT_TRUE(in.Finished());
    EXPECT_EQ(in.CurrentAlpha(), 0u);

    COverlay out(0xFFFFFFFF, 0.0f, 1.0f);
    out.Update(0, 2.01f, true);
    EXPECT_EQ(out.CurrentAlpha(), 255u);
    out.Update(0, 1000.0f, true);
    EXPECT_EQ(out.CurrentAlpha(), 255u);

    for (float from : {-3.0f, 0.5f, 7.0f}) {
        COverlay odd(0xFF123456, from, 2.0f);
        for (int i = 0; i < 30; ++i) {
            EXPECT_LE(odd.CurrentAlpha(), 255u);
            odd.Update(0, 0.1f, true);
        }
    }
}

} // namespace
