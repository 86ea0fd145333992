#include "support/scriptedrandom.h"

#include <stdexcept>

void ScriptedRandom::script(std::initializer_list<double> draws)
{
    for (double d : draws) {
        script(d);
    }
}

void ScriptedRandom::script(double draw)
{
    if (!(draw >= 0.0 && draw < 1.0)) {
        throw std::invalid_argument("a random draw lies in [0, 1)");
    }
    m_script.push_back(draw);
}

double ScriptedRandom::next()
{
    ++m_drawn;
    if (!m_script.empty()) {
        const double d = m_script.front();
        m_script.pop_front();
        return d;
    }
    if (!m_fallback) {
        throw std::logic_error("the game drew more random numbers than the script holds");
    }
    return m_fallback->next();
}
