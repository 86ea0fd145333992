#pragma once

#include "ui/toolkit/randomsource.h"

#include <deque>
#include <initializer_list>
#include <stdexcept>

// Hands out given numbers first, in order, then those of the fallback source. Without a
// fallback, drawing past the script throws, so a test knows exactly how many numbers it drew.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(RandomSource *fallback = nullptr) : m_fallback(fallback) {}
    void script(std::initializer_list<double> draws) { m_script.insert(m_script.end(), draws); }
    void script(double draw) { m_script.push_back(draw); }
    int remaining() const { return int(m_script.size()); }
    long long drawn() const { return m_drawn; }
    double next() override
    {
        ++m_drawn;
        if (m_script.empty() && !m_fallback) {
            throw std::logic_error("the game drew more numbers than the script holds");
        }
        const double d = m_script.empty() ? m_fallback->next() : m_script.front();
        if (!m_script.empty()) {
            m_script.pop_front();
        }
        return d;
    }

private:
    RandomSource *m_fallback;
    std::deque<double> m_script;
    long long m_drawn = 0;
};
