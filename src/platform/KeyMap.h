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

// The key's state as the frame asks for it: negative while the key is held, bit 0 set while a
// toggle key (Caps Lock, Scroll Lock, Num Lock) is on.
short GetKeyState(int virtualKey);

} // namespace platform
