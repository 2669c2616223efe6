// The process-wide 15-bit generator.
#include "support/Random.h"

namespace vexo {

namespace {
std::uint32_t g_state = 1; // the classic default before any seeding
}

void SeedRand(std::uint32_t seed) { g_state = seed; }

int Rand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

} // namespace vexo
