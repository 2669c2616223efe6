// The frame pacer: sleeps out what is left of the display's frame when presenting did not wait.
#include "app/FramePacer.h"

#include <algorithm>
#include <cmath>

namespace {
// A frame that took at least this share of its period was held by the display (or was slow):
// sleeping after it would only lose the next refresh.
constexpr double kWaitedShare = 0.8;
} // namespace

std::uint32_t CFramePacer::AfterFrame(double now, int swapInterval, std::uint32_t refreshRate) {
    if (swapInterval <= 0) {
        started = false;
        return 0;
    }
    const double period = double(swapInterval) / double(refreshRate ? refreshRate : kDefaultRefreshRate);
    if (!started || now - due >= kWaitedShare * period) {
        started = true;
        due = now;
        return 0;
    }
    due += period;
    return std::uint32_t(std::lround(std::max(0.0, due - now) * 1000.0));
}
