#pragma once

#include <cstdint>

class ModelTimer;

// Where the game's time comes from. The game never reads the wall clock itself: the program
// runs it on QTimer and a monotonic clock, the tests on a virtual clock they advance by hand.
class Clock
{
public:
    virtual ~Clock() = default;

    // Milliseconds since the clock began.
    virtual std::int64_t now() const = 0;

    // A timer's interval or enabled flag changed. restartCount asks for its count to start
    // again from now; otherwise a count already running keeps running.
    virtual void timerChanged(ModelTimer &timer, bool restartCount) = 0;

    // Lets pending events (timer ticks, clicks) run until the given time has come.
    virtual void waitUntil(std::int64_t time) = 0;

    // Lets pending events run once, then returns.
    virtual void letEventsRun() = 0;
};
