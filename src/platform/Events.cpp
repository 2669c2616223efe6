// SDL events turned into window messages: mouse, wheel, keys with their repeat count, characters
// in Windows-1250, size changes, paint and close.
#include "platform/Events.h"

#include "platform/KeyMap.h"
#include "platform/VirtualKeys.h"
#include "support/Text1250.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <deque>
#include <string_view>

namespace platform {

namespace {

std::deque<CMessage> g_pending;

void Post(std::uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    g_pending.push_back({message, wParam, lParam});
}

LPARAM KeyLParam(const SDL_KeyboardEvent& key, bool wasDown) {
    LPARAM lParam = 1 | (LPARAM(key.keysym.scancode & 0xFF) << 16);
    if (key.keysym.mod & KMOD_ALT) lParam |= KEY_ALT_DOWN;
    if (wasDown) lParam |= KEY_WAS_DOWN;
    return lParam;
}

// The characters Windows makes of keys that SDL's text input leaves out.
int ControlCharacter(int virtualKey) {
    switch (virtualKey) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}

void TranslateKey(const SDL_KeyboardEvent& key) {
    const int vk = VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (vk == 0) return;
    const bool down = key.state == SDL_PRESSED;
    SetKeyDown(vk, down);
    // Alt and the keys pressed with it come as ordinary key messages (the battlefield shows life
    // bars while Alt is held); the Alt bit lets the frame pick out Alt+Enter.
    Post(down ? WM_KEYDOWN : WM_KEYUP, WPARAM(vk), KeyLParam(key, !down || key.repeat));
    const bool plain = (key.keysym.mod & (KMOD_ALT | KMOD_CTRL)) == 0;
    if (down && plain)
        if (const int c = ControlCharacter(vk)) Post(WM_CHAR, WPARAM(c), 1);
}

void TranslateText(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = vexo::cp1250::DecodeUtf8(utf8, i);
        const unsigned char byte = vexo::cp1250::FromCodePoint(cp);
        if (byte == '?' && cp != U'?') continue; // no such letter in the code page
        Post(WM_CHAR, WPARAM(byte), 1);
    }
}

void TranslateButton(const SDL_MouseButtonEvent& button) {
    std::uint32_t first;
    switch (button.button) {
    case SDL_BUTTON_LEFT: first = WM_LBUTTONDOWN; break;
    case SDL_BUTTON_RIGHT: first = WM_RBUTTONDOWN; break;
    case SDL_BUTTON_MIDDLE: first = WM_MBUTTONDOWN; break;
    default: return;
    }
    // Windows reports the second press of a double click as the double-click message instead of
    // a press; a third press is an ordinary press again.
    std::uint32_t message = first + 1;
    if (button.state == SDL_PRESSED) message = button.clicks % 2 == 0 ? first + 2 : first;
    Post(message, 0, MakeLParam(button.x, button.y));
}

void TranslateWheel(const SDL_MouseWheelEvent& wheel) {
    float notches = wheel.preciseY;
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
    const long delta = std::clamp(std::lround(notches * WHEEL_DELTA), -32768L, 32767L);
    if (delta == 0) return;
    // The point is the pointer's place in the window: X11 cannot say reliably where the client
    // area lies on the screen, so the frame gets client coordinates directly.
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    Post(WM_MOUSEWHEEL, MakeWParam(0, int(delta)), MakeLParam(x, y));
}

LPARAM WindowSize(std::uint32_t windowId) {
    int width = 0, height = 0;
    if (SDL_Window* window = SDL_GetWindowFromID(windowId)) SDL_GetWindowSize(window, &width, &height);
    return MakeLParam(width, height);
}

void TranslateWindow(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED: Post(WM_PAINT); break;
    case SDL_WINDOWEVENT_CLOSE: Post(WM_CLOSE); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: Post(WM_KILLFOCUS); break;
    case SDL_WINDOWEVENT_MINIMIZED: Post(WM_SIZE, SIZE_MINIMIZED); break;
    case SDL_WINDOWEVENT_MAXIMIZED: Post(WM_SIZE, SIZE_MAXIMIZED, WindowSize(event.windowID)); break;
    case SDL_WINDOWEVENT_RESTORED: Post(WM_SIZE, SIZE_RESTORED, WindowSize(event.windowID)); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        // Window managers announce a maximize and its new size in either order; a size change of
        // a maximized window is told as the maximize, so it never counts as the window's own size.
        SDL_Window* window = SDL_GetWindowFromID(event.windowID);
        if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED)) {
            Post(WM_SIZE, SIZE_MAXIMIZED, WindowSize(event.windowID));
            break;
        }
        // SDL reports a drag as finished size changes, so each one is a whole drag to the frame.
        Post(WM_ENTERSIZEMOVE);
        Post(WM_EXITSIZEMOVE);
        break;
    }
    default: break;
    }
}

void Translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT: Post(WM_CLOSE); break;
    case SDL_WINDOWEVENT: TranslateWindow(event.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key); break;
    case SDL_TEXTINPUT: TranslateText(event.text.text); break;
    case SDL_MOUSEMOTION: Post(WM_MOUSEMOVE, 0, MakeLParam(event.motion.x, event.motion.y)); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(event.button); break;
    case SDL_MOUSEWHEEL: TranslateWheel(event.wheel); break;
    default: break;
    }
}

} // namespace

bool PeekPlatformMessage(CMessage& message) {
    SDL_Event event;
    while (g_pending.empty() && SDL_PollEvent(&event)) Translate(event);
    if (g_pending.empty()) return false;
    message = g_pending.front();
    g_pending.pop_front();
    return true;
}

void PutBackPlatformMessages(const std::vector<CMessage>& messages) {
    g_pending.insert(g_pending.begin(), messages.begin(), messages.end());
}

} // namespace platform
