#pragma once
// The program's pseudo-random generator, seeded once at start-up.
#include <cstdint>

namespace sorabako {

void SeedRandomGenerator(std::uint64_t seed);
// Seeds from the high-resolution performance counter, or the tick count.
void SeedRandomGeneratorFromClock();
// A number from 0 to bound - 1.
std::uint32_t NextRandom(std::uint32_t bound);

}  // namespace sorabako
