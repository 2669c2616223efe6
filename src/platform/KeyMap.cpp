// SDL key codes and scan codes to virtual keys; key states from the reported keys and SDL's
// modifier state.
#include "platform/KeyMap.h"

#include "platform/VirtualKeys.h"

#include <SDL.h>
#include <array>

namespace platform {

namespace {

std::array<bool, 256> g_down{};

int FromKeycode(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + int(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + int(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + int(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + int(key - SDLK_KP_1);
    switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS:
    case SDLK_PLUS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
    }
}

// Keys by their place on a US keyboard, for layouts whose key codes the table above does not know.
int FromScancode(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + int(code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + int(code - SDL_SCANCODE_1);
    switch (code) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    default: return 0;
    }
}

} // namespace

int VirtualKeyFromSdl(std::int32_t keycode, int scancode) {
    if (const int vk = FromKeycode(keycode)) return vk;
    return FromScancode(SDL_Scancode(scancode));
}

void SetKeyDown(int virtualKey, bool down) {
    if (virtualKey > 0 && virtualKey < int(g_down.size())) g_down[std::size_t(virtualKey)] = down;
}

short GetKeyState(int virtualKey) {
    const SDL_Keymod mods = SDL_GetModState();
    bool down = virtualKey > 0 && virtualKey < int(g_down.size()) && g_down[std::size_t(virtualKey)];
    bool toggled = false;
    switch (virtualKey) {
    case VK_CONTROL: down = (mods & KMOD_CTRL) != 0; break;
    case VK_SHIFT: down = (mods & KMOD_SHIFT) != 0; break;
    case VK_MENU: down = (mods & KMOD_ALT) != 0; break;
    case VK_CAPITAL: toggled = (mods & KMOD_CAPS) != 0; break;
    case VK_SCROLL: toggled = (mods & KMOD_SCROLL) != 0; break;
    case VK_NUMLOCK: toggled = (mods & KMOD_NUM) != 0; break;
    default: break;
    }
    return short((down ? 0x8000 : 0) | (toggled ? 1 : 0));
}

} // namespace platform
