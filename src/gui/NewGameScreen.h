// CNewGameScreen: the mission selection screen, with its list of the missions in Maps
// (CMissionList) and the chosen mission's description (CMissionText).
#pragma once

#include "gui/GUIWindow.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CMenuButton;

// "[Mapa losowa]" and then the missions of Maps, sorted by name without regard to case. A press
// selects the row under it, by position alone.
class CMissionList : public CGUIWindow {
public:
    // Scans "Maps" (relative to the working directory) now; a missing folder lists only the
    // random map.
    CMissionList();

    struct CEntry {
        std::string name; // shown, Windows-1250, without folder and extension
        std::string file; // the file's own name in the folder, as the file system spells it
    };

    // -1 until the player picks a row; never goes back to -1.
    int GetSelected() const { return selected; }
    // The selected mission's path ("Maps\\name.tlm"), or "" for the random map and for nothing.
    std::string GetSelectedFile() const;

    bool OnMouseDown(float x, float y, int button) override;
    void Draw(float left, float top, float right, float bottom) override;

    static constexpr float kRowHeight = 16.0f;
    static constexpr float kMargin = 8.0f;

private:
    std::vector<CEntry> entries;
    int selected = -1;
};

// The description of the chosen entry, word-wrapped and cut off at the bottom.
class CMissionText : public CGUIWindow {
public:
    void SetText(std::string value) { text = std::move(value); }
    void Draw(float left, float top, float right, float bottom) override;

private:
    std::string text;
};

class CNewGameScreen : public CGUIScreen {
public:
    enum EButton : int { kBack = 0, kPlay = 1 };

    CNewGameScreen();

    // Button i's click ("< Wroc" 0, "Graj >" 1), read and cleared; false for any other index.
    bool WasClicked(int i);
    std::string GetSelectedFile() const { return list->GetSelectedFile(); }

    // Lays the windows out and follows the selection, active or not.
    void Update(float time, float elapsed, bool active) override;
    void Draw(float left, float top, float right, float bottom) override;
    std::uint32_t GetBackgroundColor() const override { return 0xFFFFFFFFu; }

private:
    void ShowDescription(int entry);

    CMenuButton* back = nullptr;
    CMenuButton* play = nullptr;
    CMissionList* list = nullptr;
    CMissionText* text = nullptr;
    // The entry whose description is shown. An index rather than the name: two files whose names
    // differ only in case, or a file named only ".tlm", are still entries of their own.
    int shown = -1;
};
