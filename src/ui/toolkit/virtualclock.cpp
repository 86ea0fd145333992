#include "ui/toolkit/virtualclock.h"

#include "ui/toolkit/modeltimer.h"

VirtualClock::Entry *VirtualClock::entryFor(ModelTimer &timer)
{
    for (auto &e : m_entries) {
        if (e.timer == &timer) {
            return &e;
        }
    }
    m_entries.push_back(Entry{&timer, -1});
    return &m_entries.back();
}

void VirtualClock::timerChanged(ModelTimer &timer, bool restartCount)
{
    Entry *e = entryFor(timer);
    if (!timer.isActive()) {
        e->due = -1;
    } else if (restartCount || e->due < 0) {
        e->due = m_now + timer.interval();
    }
}

std::int64_t VirtualClock::nextTick(const ModelTimer &timer) const
{
    for (const auto &e : m_entries) {
        if (e.timer == &timer) {
            return e.due;
        }
    }
    return -1;
}

void VirtualClock::at(std::int64_t time, std::function<void()> action)
{
    m_actions.emplace(time, std::move(action));
}

bool VirtualClock::runDueActions(std::int64_t upTo)
{
    auto it = m_actions.begin();
    if (it == m_actions.end() || it->first > upTo) {
        return false;
    }
    auto action = std::move(it->second);
    m_actions.erase(it);
    action();
    return true;
}

void VirtualClock::letEventsRun()
{
    while (runDueActions(m_now)) {
    }
}

void VirtualClock::advanceTo(std::int64_t time)
{
    for (;;) {
        // The earliest tick or action on the way; actions first at equal times.
        std::size_t best = m_entries.size();
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const auto &e = m_entries[i];
            if (e.due >= 0 && e.due <= time &&
                (best == m_entries.size() || e.due < m_entries[best].due)) {
                best = i;
            }
        }
        const std::int64_t tickAt = best < m_entries.size() ? m_entries[best].due : -1;
        if (!m_actions.empty() && m_actions.begin()->first <= time &&
            (tickAt < 0 || m_actions.begin()->first <= tickAt)) {
            if (m_actions.begin()->first > m_now) {
                m_now = m_actions.begin()->first;
            }
            runDueActions(m_now);
            continue;
        }
        if (tickAt < 0) {
            break;
        }
        if (tickAt > m_now) {
            m_now = tickAt;
        }
        Entry &e = m_entries[best];
        ModelTimer *timer = e.timer;
        e.due = tickAt + timer->interval();
        timer->fire();
    }
    if (time > m_now) {
        m_now = time;
    }
}
