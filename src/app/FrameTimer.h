// The frame timer: application time that stands still while the frame is paused, the elapsed time
// of each frame and the absolute time the frame-rate counter measures with.
#pragma once

#include <cstdint>
#include <functional>

enum class ETimerCommand { Reset, Start, Stop, Advance, AbsoluteTime, AppTime, ElapsedTime };

class CFrameTimer {
public:
    // counter reads a monotonic clock that ticks frequency times per second.
    CFrameTimer(std::function<std::uint64_t()> counter, std::uint64_t frequency);

    // Reset, Start, Stop and Advance return 0; the three readings return seconds.
    double operator()(ETimerCommand command);

private:
    // While stopped every reading except AbsoluteTime sees the moment of the stop.
    std::int64_t Now(ETimerCommand command) const;
    double Seconds(std::int64_t ticks) const { return double(ticks) / double(frequency); }

    std::function<std::uint64_t()> counter;
    std::uint64_t frequency;
    std::int64_t baseTime = 0;
    std::int64_t lastElapsedTime = 0;
    std::int64_t stopTime = 0;
    bool stopped = false;
};
