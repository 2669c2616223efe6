// CMenu and CMenuButton: the main menu on its white screen, and the text button it shares with
// the mission selection screen.
#pragma once

#include "gui/GUIWindow.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

// A grey text button that clicks on a release inside it. Its owner polls the one-shot click once
// per frame and lays it out; a disabled button still takes the capture of a press, so the release
// cannot click anything else.
class CMenuButton : public CGUIWindow {
public:
    explicit CMenuButton(std::string label) : label(std::move(label)) {}

    // Reads and clears the click.
    bool WasClicked();
    // A disabled button drops its highlight at once: it would never get the leave that clears it.
    void SetEnabled(bool value);

    void Draw(float left, float top, float right, float bottom) override;
    bool OnMouseDown(float x, float y, int button) override;
    bool OnMouseUp(float x, float y, int button) override;
    void OnMouseEnter(float x, float y) override;
    void OnMouseLeave(float x, float y) override;

private:
    std::string label;
    bool hovered = false;
    bool pressed = false;
    bool clicked = false;
    bool enabled = true;
};

// The first screen: the title picture and five buttons in a column. It acts on nothing itself;
// the screen flow polls the buttons.
class CMenu : public CGUIScreen {
public:
    enum EButton : int { kReturn = 0, kNewGame = 1, kSettings = 2, kInformation = 3, kExit = 4 };
    static constexpr int kButtonCount = 5;

    CMenu();

    // Button i's click, read and cleared; false for an index that names no button.
    bool WasClicked(int i);
    // "Wroc do gry" makes sense only while a game waits under the menu.
    void SetReturnEnabled(bool enabled);
    CMenuButton* GetButton(int i) const;

    void Update(float time, float elapsed, bool active) override;
    void Draw(float left, float top, float right, float bottom) override;
    std::uint32_t GetBackgroundColor() const override { return 0xFFFFFFFFu; }

private:
    std::array<CMenuButton*, kButtonCount> buttons{};
};
