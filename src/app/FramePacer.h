// Keeps the frame loop at the display's pace where presenting does not wait for it.
#pragma once

#include <cstdint>

// Without vertical sync (a virtual X server, some drivers) the loop would draw hundreds of frames
// a second that nobody sees and keep a core busy. The pacer notices frames coming faster than the
// swap interval asked for allows and tells the loop how long to sleep. Where the driver already
// waits for the display, frames come at its pace and the pacer never asks for a sleep. The game's
// update is untouched: it still advances by the time that really passed.
class CFramePacer {
public:
    // The rate assumed when the display does not say.
    static constexpr std::uint32_t kDefaultRefreshRate = 60;

    // Called by the frame loop after each frame step with the absolute time in seconds, the swap
    // interval the settings ask for (0: as fast as possible, never paced) and the display's
    // refresh rate in Hz (0: unknown). Returns the milliseconds to sleep before the next step.
    std::uint32_t AfterFrame(double now, int swapInterval, std::uint32_t refreshRate);

    // Forgets the last frame's time, so a pause is not taken for a slow frame to catch up on.
    void Reset() { started = false; }

private:
    bool started = false;
    // When the last frame was due: the pace is kept from one due time to the next, so sleeping in
    // whole milliseconds does not drift the rate.
    double due = 0.0;
};
