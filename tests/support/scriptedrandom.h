#pragma once

#include "ui/toolkit/randomsource.h"

#include <deque>
#include <initializer_list>

// A random source that hands out given numbers first, in order, and then those of a fallback
// source. Without a fallback, drawing past the script is a test failure (it throws), so a test
// can tell exactly how many numbers the game drew.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(RandomSource *fallback = nullptr) : m_fallback(fallback) {}

    // Appends numbers in [0, 1) to the script.
    void script(std::initializer_list<double> draws);
    void script(double draw);
    // Numbers of the script not drawn yet.
    int remaining() const { return static_cast<int>(m_script.size()); }
    // Numbers drawn so far, scripted or not.
    long long drawn() const { return m_drawn; }

    double next() override;

private:
    RandomSource *m_fallback;
    std::deque<double> m_script;
    long long m_drawn = 0;
};
