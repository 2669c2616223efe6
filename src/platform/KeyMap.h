// SDL keys to the virtual-key codes the game reads, and the key states behind GetKeyState.
#pragma once

#include <cstdint>

namespace platform {

// The virtual key of an SDL key code; keys the layout names with a character the table does not
// know (a national layout's punctuation) fall back to their position, given by the scan code.
// 0 when neither is known.
int VirtualKeyFromSdl(std::int32_t keycode, int scancode);

// The event layer records every key it reports, so GetKeyState answers for any key.
void SetKeyDown(int virtualKey, bool down);

} // namespace platform
