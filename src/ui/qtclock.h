#pragma once

#include "ui/toolkit/clock.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>

class QTimer;

// Drives the model's timers from QTimer, on the user-interface thread, and waits by running
// a local event loop, so input and timer ticks are handled while the game waits.
class QtClock : public QObject, public Clock
{
    Q_OBJECT
public:
    explicit QtClock(QObject *parent = nullptr);

    std::int64_t now() const override;
    void timerChanged(ModelTimer &timer, bool restartCount) override;
    void waitUntil(std::int64_t time) override;
    void letEventsRun() override;

private:
    QElapsedTimer m_elapsed;
    QHash<ModelTimer *, QTimer *> m_timers;
};
