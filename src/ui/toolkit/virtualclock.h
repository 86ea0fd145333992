#pragma once

#include "ui/toolkit/clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// A clock that moves only when told to. Advancing it fires every tick that comes due on the
// way, in time order (ties in the order the timers were attached), and runs actions scheduled
// for a moment on the way. Waits of the game (a paint) advance it too, so a whole game runs
// in microseconds and the same way every time.
class VirtualClock : public Clock
{
public:
    std::int64_t now() const override { return m_now; }
    void timerChanged(ModelTimer &timer, bool restartCount) override;
    void waitUntil(std::int64_t time) override { advanceTo(time); }
    void letEventsRun() override;

    void advanceBy(std::int64_t ms) { advanceTo(m_now + ms); }
    void advanceTo(std::int64_t time);

    // Runs the action when the clock reaches the time (at once, on the next advance or
    // letEventsRun, when the time has passed).
    void at(std::int64_t time, std::function<void()> action);

    // Time of the next tick of the timer, or -1 when it is not counting.
    std::int64_t nextTick(const ModelTimer &timer) const;

private:
    struct Entry
    {
        ModelTimer *timer;
        std::int64_t due; // -1: not counting
    };
    Entry *entryFor(ModelTimer &timer);
    bool runDueActions(std::int64_t upTo);

    std::int64_t m_now = 0;
    std::vector<Entry> m_entries;
    std::multimap<std::int64_t, std::function<void()>> m_actions;
};
