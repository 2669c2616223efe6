// SDL's keys as the game's virtual keys.
#include "platform/KeyMap.h"
#include "platform/VirtualKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// A national layout puts a letter of its own where a US keyboard has '[': the key's place decides.
TEST(KeyMap, UnknownCharacterKeysFallBackToTheirPlace) {
    EXPECT_EQ(VirtualKeyFromSdl(SDL_Keycode(0x0142), SDL_SCANCODE_LEFTBRACKET), 0xDB);
    EXPECT_EQ(VirtualKeyFromSdl(SDL_Keycode(0x0105), SDL_SCANCODE_Q), 'Q');
    EXPECT_EQ(VirtualKeyFromSdl(SDL_Keycode(0x0105), SDL_SCANCODE_UNKNOWN), 0);
}

} // namespace
