#include "ui/qtclock.h"

#include "ui/toolkit/modeltimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

QtClock::QtClock(QObject *parent) : QObject(parent)
{
    m_elapsed.start();
}

std::int64_t QtClock::now() const
{
    return m_elapsed.elapsed();
}

void QtClock::timerChanged(ModelTimer &timer, bool restartCount)
{
    QTimer *&qt = m_timers[&timer];
    if (!qt) {
        qt = new QTimer(this);
        qt->setTimerType(Qt::PreciseTimer);
        ModelTimer *model = &timer;
        connect(qt, &QTimer::timeout, this, [model] { model->fire(); });
    }
    if (!timer.isActive()) {
        qt->stop();
    } else if (restartCount || !qt->isActive()) {
        qt->start(timer.interval());
    }
}

void QtClock::waitUntil(std::int64_t time)
{
    const std::int64_t wait = time - now();
    if (wait <= 0) {
        letEventsRun();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(wait), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void QtClock::letEventsRun()
{
    QCoreApplication::processEvents();
}
