#pragma once

#include <cstdint>
#include <random>

// The game's one random source: uniform draws in [0, 1).
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// A Mersenne Twister source. Tests give it a fixed seed; the game seeds it once from the clock.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed);
    static std::uint64_t clockSeed();
    double next() override;

private:
    std::mt19937_64 m_engine;
};
