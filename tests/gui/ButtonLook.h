// How a text button shows its state to the player, read back from its outline as it draws on the
// recording device.
#pragma once

#include "gfx/RecordingDevice.h"
#include "gui/Menu.h"

#include <cstdint>
#include <string>

inline std::uint32_t Outline(CMenuButton& button, CRecordingDevice& device) {
    device.polylines.clear();
    button.Draw(button.left, button.top, button.right, button.bottom);
    return device.polylines.empty() ? 0u : device.polylines.back().color;
}

// "pressed", "lit" (under the pointer) or "plain".
inline std::string Look(CMenuButton& button, CRecordingDevice& device) {
    switch (Outline(button, device) & 0xFFFFFFu) {
    case 0x7F7F7F: return "pressed";
    case 0xE0E0E0: return "lit";
    case 0xC0C0C0: return "plain";
    default: return "not drawn";
    }
}

// Drawn translucent: the button is disabled.
inline bool Greyed(CMenuButton& button, CRecordingDevice& device) { return Outline(button, device) >> 24 != 0xFFu; }
