#include "ui/toolkit/modeltimer.h"
#include "ui/toolkit/virtualclock.h"

#include <QTest>

class TestTimers : public QObject
{
    Q_OBJECT
private slots:
    void countStartsWhenEnabled()
    {
        VirtualClock clock;
        ModelTimer t(QStringLiteral("t"), 100, false);
        t.attach(&clock);
        int ticks = 0;
        t.setHandler([&] { ++ticks; });
        clock.advanceBy(250);
        QCOMPARE(ticks, 0);
        t.setEnabled(true);
        clock.advanceBy(99);
        QCOMPARE(ticks, 0);
        clock.advanceBy(1);
        QCOMPARE(ticks, 1);
        clock.advanceBy(200);
        QCOMPARE(ticks, 3);
    }

    void intervalZeroNeverTicks()
    {
        VirtualClock clock;
        ModelTimer t(QStringLiteral("t"), 0, true);
        t.attach(&clock);
        int ticks = 0;
        t.setHandler([&] { ++ticks; });
        clock.advanceBy(100000);
        QCOMPARE(ticks, 0);
        t.setInterval(50);
        clock.advanceBy(50);
        QCOMPARE(ticks, 1);
    }

    void enablingAnEnabledTimerKeepsItsCount()
    {
        VirtualClock clock;
        ModelTimer t(QStringLiteral("t"), 4000, true);
        t.attach(&clock);
        int ticks = 0;
        t.setHandler([&] { ++ticks; });
        clock.advanceBy(3600);
        t.setEnabled(true);
        clock.advanceBy(400);
        QCOMPARE(ticks, 1);
    }

    void restartStartsTheCountAgain()
    {
        VirtualClock clock;
        ModelTimer t(QStringLiteral("t"), 2000, true);
        t.attach(&clock);
        int ticks = 0;
        t.setHandler([&] { ++ticks; });
        clock.advanceBy(1500);
        t.restart();
        clock.advanceBy(1999);
        QCOMPARE(ticks, 0);
        clock.advanceBy(1);
        QCOMPARE(ticks, 1);
    }

    void settingTheIntervalRestartsARunningCount()
    {
        VirtualClock clock;
        ModelTimer t(QStringLiteral("t"), 400, true);
        t.attach(&clock);
        int ticks = 0;
        t.setHandler([&] { ++ticks; });
        clock.advanceBy(300);
        t.setInterval(600);
        clock.advanceBy(599);
        QCOMPARE(ticks, 0);
        clock.advanceBy(1);
        QCOMPARE(ticks, 1);
    }

    void handlerIsNeverReenteredAndAMissedTickFollows()
    {
        VirtualClock clock;
        ModelTimer t(QStringLiteral("t"), 100, true);
        t.attach(&clock);
        int depth = 0;
        int maxDepth = 0;
        int ticks = 0;
        t.setHandler([&] {
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            ++ticks;
            if (ticks == 1) {
                // The handler waits; ticks come due meanwhile.
                clock.waitUntil(clock.now() + 350);
            }
            --depth;
        });
        clock.advanceBy(100);
        QCOMPARE(maxDepth, 1);
        // The first tick, then the one missed during its wait.
        QCOMPARE(ticks, 2);
    }

    void ticksComeInTimeOrder()
    {
        VirtualClock clock;
        QStringList order;
        ModelTimer a(QStringLiteral("a"), 300, true);
        ModelTimer b(QStringLiteral("b"), 200, true);
        a.attach(&clock);
        b.attach(&clock);
        a.setHandler([&] { order << QStringLiteral("a%1").arg(clock.now()); });
        b.setHandler([&] { order << QStringLiteral("b%1").arg(clock.now()); });
        clock.advanceBy(600);
        QCOMPARE(order, (QStringList{"b200", "a300", "b400", "a600", "b600"}));
    }

    void actionsRunAtTheirTime()
    {
        VirtualClock clock;
        std::int64_t seen = -1;
        clock.at(250, [&] { seen = clock.now(); });
        clock.advanceBy(100);
        QCOMPARE(seen, std::int64_t{-1});
        clock.advanceBy(200);
        QCOMPARE(seen, std::int64_t{250});
        QCOMPARE(clock.now(), std::int64_t{300});
    }
};

QTEST_GUILESS_MAIN(TestTimers)
#include "test_timers.moc"
