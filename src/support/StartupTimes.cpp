// Start-up phase marks.
#include "support/StartupTimes.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace vexo {

void MarkStartup(const char* phase) {
    static const bool wanted = std::getenv("TUNDREL_STARTUP_TIMES") != nullptr;
    static bool over = false;
    if (!wanted || over) return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    std::fprintf(stderr, "startup %s %.6f %.6f\n", phase, std::chrono::duration<double>(now).count(),
                 double(used.tv_sec) + double(used.tv_nsec) * 1e-9);
    std::fflush(stderr);
    over = std::strcmp(phase, "first frame") == 0;
}

} // namespace vexo
