#pragma once

#include <QString>

#include <functional>

class Clock;

// A window timer: an interval in milliseconds and an enabled flag. Its count starts when it
// is enabled; an interval of 0 never ticks. Enabling a timer that is already enabled leaves
// its count running (the pacing of the stack relies on that); restart() is the one way to
// start the count again on purpose. Setting the interval of an enabled timer starts its count
// again, as a window timer does when it is set anew.
class ModelTimer
{
public:
    explicit ModelTimer(QString name, int interval = 0, bool enabled = false);

    // Connects the timer to the clock that drives it; state set before is handed over.
    void attach(Clock *clock);

    const QString &name() const { return m_name; }
    int interval() const { return m_interval; }
    bool isEnabled() const { return m_enabled; }
    // Enabled with a positive interval: ticks will come.
    bool isActive() const { return m_enabled && m_interval > 0; }

    void setInterval(int ms);
    void setEnabled(bool enabled);
    void restart();

    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    // One tick, called by the clock. The handler is never re-entered: a tick that comes due
    // while the handler runs (it may let events run) is handled once, right after it returns.
    void fire();

    // Ticks handled so far (for tests and benchmarks).
    long long ticks() const { return m_ticks; }

private:
    void notify(bool restartCount);

    QString m_name;
    int m_interval;
    bool m_enabled;
    Clock *m_clock = nullptr;
    std::function<void()> m_handler;
    bool m_running = false;
    bool m_missed = false;
    long long m_ticks = 0;
};
