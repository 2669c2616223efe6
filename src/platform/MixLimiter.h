// The last stage of the mix: headroom, then a peak limiter that keeps the sum of every effect and
// the music inside full scale. Sixteen channels may start the same effect in the same frame (a
// volley of throws), and their waveforms then add up in phase; clipping that sum would crackle.
#pragma once

#include <cstddef>

namespace platform {

class CMixLimiter {
public:
    // The loudest a mixed sample may come out, just under full scale so a 16-bit conversion
    // never saturates.
    static constexpr float kCeiling = 0.9f;
    // The whole mix is scaled by this first, music and effects alike, so the few effects a busy
    // battle usually overlaps pass untouched and the limiter only catches the rare pile-up.
    static constexpr float kHeadroom = 0.5f;

    // rate: frames per second, for the release time.
    explicit CMixLimiter(int rate);

    // Called by the mixer on every mixed block (interleaved floats, channels per frame). After the
    // headroom, a frame that would exceed the ceiling is scaled down as a whole at once, so nothing is clipped and
    // the speakers keep their balance; afterwards the gain returns to unity over about 0.1 s.
    void Process(float* samples, std::size_t frames, int channels);

private:
    float gain = 1.0f;
    float release;
};

} // namespace platform
