#include "ui/toolkit/randomsource.h"

#include <chrono>

SeededRandom::SeededRandom(std::uint64_t seed) : m_engine(seed) {}

std::uint64_t SeededRandom::clockSeed()
{
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

double SeededRandom::next()
{
    // 53 random bits give every double in [0, 1) on a 2^-53 grid; never 1.0.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}
