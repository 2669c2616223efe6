// The frame timer's seven commands.
#include "app/FrameTimer.h"

#include <utility>

CFrameTimer::CFrameTimer(std::function<std::uint64_t()> counter, std::uint64_t frequency)
    : counter(std::move(counter)), frequency(frequency ? frequency : 1) {}

std::int64_t CFrameTimer::Now(ETimerCommand command) const {
    if (stopped && command != ETimerCommand::Start && command != ETimerCommand::AbsoluteTime) return stopTime;
    return std::int64_t(counter());
}

double CFrameTimer::operator()(ETimerCommand command) {
    const std::int64_t now = Now(command);
    switch (command) {
    case ETimerCommand::Reset:
        baseTime = lastElapsedTime = now;
        stopped = false;
        return 0.0;
    case ETimerCommand::Start:
        if (stopped) baseTime += now - stopTime;
        stopped = false;
        lastElapsedTime = now;
        return 0.0;
    case ETimerCommand::Stop:
        if (!stopped) {
            stopTime = lastElapsedTime = now;
            stopped = true;
        }
        return 0.0;
    case ETimerCommand::Advance:
        stopTime += std::int64_t(frequency / 10);
        return 0.0;
    case ETimerCommand::AbsoluteTime: return Seconds(now);
    case ETimerCommand::AppTime: return Seconds(now - baseTime);
    case ETimerCommand::ElapsedTime: {
        const double elapsed = Seconds(now - lastElapsedTime);
        lastElapsedTime = now;
        return elapsed;
    }
    }
    return -1.0;
}
