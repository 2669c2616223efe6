// The one process-wide random generator: 15 bits (0 ... 32767), the classic linear congruential
// sequence, so seeding it makes every simulation reproducible on every platform.
#pragma once

#include <cstdint>

namespace vexo {

constexpr int RandMax = 32767;

void SeedRand(std::uint32_t seed);
int Rand();

} // namespace vexo
