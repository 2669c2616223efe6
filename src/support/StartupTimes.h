// Start-up phase marks for the start-up benchmark (bench/frame/startup.py).
#pragma once

namespace vexo {

// With TUNDREL_STARTUP_TIMES in the environment, writes "startup PHASE SECONDS CPU" to standard
// error: the seconds read from the monotonic clock that the benchmark's own clock reads too, so it
// can place each phase between starting the process and seeing the menu, and the processor time
// the calling (main) thread has used so far, which a busy machine stretches far less. Marks after "first frame"
// are ignored: a device reset later in the game is not start-up.
void MarkStartup(const char* phase);

} // namespace vexo
