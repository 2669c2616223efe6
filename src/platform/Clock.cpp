// The system's clocks through SDL and the monotonic clock.
#include "platform/Clock.h"

#include <SDL.h>
#include <chrono>

namespace platform {

std::uint64_t PerformanceCounter() { return SDL_GetPerformanceCounter(); }

std::uint64_t PerformanceFrequency() { return SDL_GetPerformanceFrequency(); }

std::uint32_t TickCount() {
    // steady_clock counts from boot on Linux; SDL_GetTicks would count from this process's start
    // and give every run nearly the same seed.
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SleepMilliseconds(std::uint32_t milliseconds) { SDL_Delay(milliseconds); }

} // namespace platform
