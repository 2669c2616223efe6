// The peak limiter at the end of the mix.
#include "platform/MixLimiter.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr double kReleaseSeconds = 0.1;
}

CMixLimiter::CMixLimiter(int rate)
    : release(float(1.0 - std::exp(-1.0 / (kReleaseSeconds * std::max(rate, 1))))) {}

void CMixLimiter::Process(float* samples, std::size_t frames, int channels) {
    const std::size_t width = std::size_t(std::max(channels, 1));
    for (std::size_t f = 0; f < frames; ++f) {
        float* frame = samples + f * width;
        float peak = 0.0f;
        for (std::size_t c = 0; c < width; ++c) {
            frame[c] *= kHeadroom;
            peak = std::max(peak, std::fabs(frame[c]));
        }
        if (peak * gain > kCeiling) gain = kCeiling / peak;
        for (std::size_t c = 0; c < width; ++c) frame[c] *= gain;
        gain += (1.0f - gain) * release;
    }
}

} // namespace platform
