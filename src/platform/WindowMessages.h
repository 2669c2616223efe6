// Window messages: what the platform layer makes of its events, and what the application frame
// handles. The numbering and the packing of wParam/lParam follow Windows, so the frame's message
// tables read the same on every system and tests can feed messages without a window.
#pragma once

#include <cstdint>

namespace platform {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum WindowMessage : std::uint32_t {
    WM_NULL = 0x0000,
    WM_SIZE = 0x0005,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_COMMAND = 0x0111,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_ENTERSIZEMOVE = 0x0231,
    WM_EXITSIZEMOVE = 0x0232,
};

// wParam of WM_SIZE.
enum SizeKind : WPARAM { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

constexpr int WHEEL_DELTA = 120;

// lParam bits of key messages: the repeat count is the low word, Alt held is bit 29, the key was
// already down (auto-repeat) is bit 30.
constexpr LPARAM KEY_ALT_DOWN = LPARAM(1) << 29;
constexpr LPARAM KEY_WAS_DOWN = LPARAM(1) << 30;

struct CMessage {
    std::uint32_t message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

constexpr LPARAM MakeLParam(int low, int high) {
    return LPARAM((std::uint32_t(std::uint16_t(low)) | (std::uint32_t(std::uint16_t(high)) << 16)));
}
constexpr WPARAM MakeWParam(int low, int high) { return WPARAM(std::uint32_t(MakeLParam(low, high))); }
// Signed halves, as mouse coordinates (negative left of or above the client area) and wheel
// amounts are packed.
constexpr int SignedLoWord(std::uintptr_t value) { return int(std::int16_t(value & 0xFFFF)); }
constexpr int SignedHiWord(std::uintptr_t value) { return int(std::int16_t((value >> 16) & 0xFFFF)); }

} // namespace platform
