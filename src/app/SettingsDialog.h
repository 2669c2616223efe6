// CSettingsDialog: the "Direct3D Settings" dialog drawn with the graphics manager in the main
// window, with its own message loop while the frame stands paused, as a modal dialog would.
#pragma once

#include "app/FrameHost.h"
#include "app/SettingsDialogModel.h"
#include "gfx/GfxFilledRect.h"

#include <optional>

class CGfx;

class CSettingsDialog {
public:
    explicit CSettingsDialog(CSettingsDialogModel& model) : model(model) {}

    // Takes the host's messages and draws until the player ends the dialog; true for OK. What the
    // frame must still see (size changes, focus, the pointer's last place) goes back to the host's
    // queue.
    bool Run(CFrameHost& host, CGfx& gfx);
    // One message: clicks on lists, radio buttons and buttons, the wheel over an open list,
    // Enter (OK), Escape (closes an open list, else Cancel) and closing the window (Cancel).
    void Handle(const platform::CMessage& message);
    // Draws the dialog centred on a screen of that size, between the device's scene calls.
    void Draw(CGfx& gfx);
    void SetScreenSize(float width, float height);

    bool IsFinished() const { return result.has_value(); }
    bool IsAccepted() const { return result.value_or(false); }

    // Where the player clicks, for the tests that drive the dialog as a player would.
    CGfxRect ListBox(EDialogList list) const;
    CGfxRect RadioBox(bool windowed) const;
    CGfxRect ButtonBox(bool ok) const;
    // The row of an open drop-down that shows entry index, when it is scrolled into view.
    std::optional<CGfxRect> DropDownRow(int index) const;

private:
    // Lays the dialog out again when the device's back buffer has another size.
    void FollowBackBuffer(CRenderDevice& device);
    void Click(float x, float y);
    int VisibleRows() const;
    CGfxRect DropDownBox() const;
    void DrawDropDown(CGfx& gfx);

    CSettingsDialogModel& model;
    std::optional<bool> result;
    std::optional<EDialogList> openList;
    int firstVisible = 0; // the first entry shown by the open drop-down
    int hovered = -1;     // the entry under the pointer in the open drop-down
    float left = 0.0f;
    float top = 0.0f;
    float screenWidth = 0.0f;
    float screenHeight = 0.0f;
};
