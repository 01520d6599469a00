#include "platform/RandomGenerator.h"

#include <windows.h>

#include <random>

namespace sorabako {
namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator;
    return generator;
}

}  // namespace

void SeedRandomGenerator(std::uint64_t seed) {
    Generator().seed(seed);
}

void SeedRandomGeneratorFromClock() {
    LARGE_INTEGER counter{};
    const bool haveCounter = ::QueryPerformanceCounter(&counter) && counter.QuadPart != 0;
    SeedRandomGenerator(haveCounter ? static_cast<std::uint64_t>(counter.QuadPart) : ::GetTickCount());
}

std::uint32_t NextRandom(std::uint32_t bound) {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(Generator());
}

}  // namespace sorabako
