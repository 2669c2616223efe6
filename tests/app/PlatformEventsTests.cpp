// SDL's events as the frame's window messages, and SDL's keys as the game's virtual keys.
#include "platform/Events.h"
#include "platform/KeyMap.h"
#include "platform/VirtualKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

// A national layout puts a letter of its own where a US keyboard has '[': the key's place decides.
TEST(KeyMap, UnknownCharacterKeysFallBackToTheirPlace) {
    EXPECT_EQ(VirtualKeyFromSdl(SDL_Keycode(0x0142), SDL_SCANCODE_LEFTBRACKET), 0xDB);
    EXPECT_EQ(VirtualKeyFromSdl(SDL_Keycode(0x0105), SDL_SCANCODE_Q), 'Q');
    EXPECT_EQ(VirtualKeyFromSdl(SDL_Keycode(0x0105), SDL_SCANCODE_UNKNOWN), 0);
}

// SDL's event queue with video started, as the window brings it up.
class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SMessage stale;
        while (PeekPlatformMessage(stale)) {
        }
    }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    static void Key(std::uint32_t type, SDL_Keycode key, SDL_Scancode code, Uint16 mod, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = code;
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    }
    static std::vector<SMessage> Take() {
        std::vector<SMessage> messages;
        SMessage message;
        while (PeekPlatformMessage(message)) messages.push_back(message);
        return messages;
    }
};

TEST_F(EventsTest, AltIsAnOrdinaryKeyAndMarksTheKeysPressedWithIt) {
    Key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT);
    Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, 1);
    Key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE);
    const std::vector<SMessage> messages = Take();
    ASSERT_EQ(messages.size(), 4u) << "no character for Enter pressed with Alt";
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[0].wParam, WPARAM(VK_MENU));
    EXPECT_EQ(messages[1].wParam, WPARAM(VK_RETURN));
    EXPECT_EQ(messages[1].lParam & 0xFFFF, 1);
    EXPECT_TRUE(messages[1].lParam & KEY_ALT_DOWN);
    EXPECT_FALSE(messages[1].lParam & KEY_WAS_DOWN);
    EXPECT_TRUE(messages[2].lParam & KEY_WAS_DOWN) << "an auto-repeat";
    EXPECT_EQ(messages[3].message, WM_KEYUP);
    EXPECT_EQ(messages[3].wParam, WPARAM(VK_MENU));
}

} // namespace
