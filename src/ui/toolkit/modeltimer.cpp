#include "ui/toolkit/modeltimer.h"

#include "ui/toolkit/clock.h"

ModelTimer::ModelTimer(QString name, int interval, bool enabled)
    : m_name(std::move(name)), m_interval(interval), m_enabled(enabled)
{
}

void ModelTimer::attach(Clock *clock)
{
    m_clock = clock;
    notify(true);
}

void ModelTimer::setInterval(int ms)
{
    if (ms < 0) {
        ms = 0;
    }
    m_interval = ms;
    notify(true);
}

void ModelTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    notify(true);
}

void ModelTimer::restart()
{
    m_enabled = true;
    notify(true);
}

void ModelTimer::notify(bool restartCount)
{
    if (m_clock) {
        m_clock->timerChanged(*this, restartCount);
    }
}

void ModelTimer::fire()
{
    if (!isActive()) {
        return;
    }
    if (m_running) {
        m_missed = true;
        return;
    }
    m_running = true;
    do {
        m_missed = false;
        ++m_ticks;
        if (m_handler) {
            m_handler();
        }
    } while (m_missed && isActive());
    m_running = false;
}
