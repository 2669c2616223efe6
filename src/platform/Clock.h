// The system's clocks: the high-resolution counter, the millisecond tick count, sleeping.
#pragma once

#include <cstdint>

namespace platform {

std::uint64_t PerformanceCounter();
std::uint64_t PerformanceFrequency();
// Milliseconds since the machine started (wraps after 49 days), so two runs get different seeds.
std::uint32_t TickCount();
void SleepMilliseconds(std::uint32_t milliseconds);

} // namespace platform
