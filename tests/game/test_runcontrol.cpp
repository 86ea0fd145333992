#include "support/gameharness.h"

#include <QTest>

class TestRunControl : public QObject
{
    Q_OBJECT
private slots:
    void startPauseResumeCycle()
    {
        GameHarness h;
        frmMain &g = h.game();
        const QStringList captions{"Pause", "Resume", "Pause", "Resume"};
        for (int i = 0; i < 4; ++i) {
            g.btnStart_Click();
            QCOMPARE(g.btnStart.caption(), captions[i]);
            const bool paused = captions[i] == QLatin1String("Resume");
            QCOMPARE(g.PicBlack.isVisible(), paused);
            QCOMPARE(g.Picture1.isEnabled(), !paused);
            QCOMPARE(g.TimerNichlaDabaFill.isEnabled(), !paused);
            QCOMPARE(g.Timer1.isEnabled(), !paused);
            QVERIFY(!g.frameAbout.isEnabled());
            if (paused) {
                QCOMPARE(g.lblBlack.caption(), QStringLiteral("Paused"));
            }
        }
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("1"));
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("11"));
    }

    void startKeepsTheScore()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        QCOMPARE(g.lblScore.caption(), QStringLiteral("0"));
        QCOMPARE(int(g.topRow()), -1);
    }

    void resumeStartsThePacingCountAgain()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click(); // Timer1 counts from here
        h.advance(3000);
        g.btnStart_Click(); // pause with a tick pending
        h.advance(10000);
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 400);
        g.btnStart_Click(); // resume
        const std::int64_t resumedAt = h.clock.now();
        QCOMPARE(h.clock.nextTick(g.Timer1), resumedAt + 4000);
        // The first push comes at 3600 ms of running, so Timer1 is enabled again before its
        // tick, which must keep its count running.
        h.advance(3999);
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 400);
        h.advance(1);
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 600);
        QVERIFY(!g.Timer1.isEnabled() || h.clock.nextTick(g.Timer1) > h.clock.now());
    }

    void unknownCaptionDoesNothing()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart.setCaption(QStringLiteral("start"));
        g.btnStart_Click();
        QCOMPARE(g.btnStart.caption(), QStringLiteral("start"));
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QVERIFY(g.PicBlack.isVisible());
    }

    void restartGivesAFreshGame()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGXY"));
        h.pushRow(QStringLiteral("ABCDEFGH"));
        h.spell(QStringLiteral("cat"));
        g.btnCheck_Click();
        QCOMPARE(g.lblScore.caption(), QStringLiteral("90"));
        h.advance(9000);
        g.btnStart_Click(); // pause
        g.RestartGame();
        QCOMPARE(g.lblScore.caption(), QStringLiteral("0"));
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("1"));
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("11"));
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
        QCOMPARE(int(g.topRow()), -1);
        QCOMPARE(int(g.fillPos()), -1);
        QCOMPARE(g.OoperDaba.count(), 1);
        QVERIFY(!g.OoperDaba[0].isVisible());
        for (int i = 0; i <= 7; ++i) {
            QVERIFY(!g.NichlaDaba[i].isVisible());
        }
        QVERIFY(!g.PicBlack.isVisible());
        QVERIFY(g.Picture1.isEnabled());
        QVERIFY(!g.frameAbout.isEnabled());
        QVERIFY(!g.gameOver());
        QVERIFY(g.lblResult.caption().isEmpty());
        QVERIFY(g.TimerNichlaDabaFill.isEnabled());
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 400);
        QVERIFY(g.Timer1.isEnabled());
        QCOMPARE(int(g.resultPos()), 1);
        // And it fills every 400 ms from column 0.
        h.advance(400);
        QVERIFY(g.NichlaDaba[0].isVisible());
        QVERIFY(!g.NichlaDaba[1].isVisible());
    }

    // Rows left of the next level, set when the level before runs out: level x 3 + 8.
    void setRowsLeftFollowsTheLevel_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("rows");
        QTest::newRow("level 1 to 2") << "1"
                                      << "14";
        QTest::newRow("level 3 to 4") << "3"
                                      << "20";
        QTest::newRow("level 9 to 10") << "9"
                                       << "38";
    }
    void setRowsLeftFollowsTheLevel()
    {
        QFETCH(QString, level);
        QFETCH(QString, rows);
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        g.lblLevel.setCaption(level);
        g.lblRowsLeft.setCaption(QStringLiteral("1"));
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(g.lblLevel.caption(), QString::number(level.toInt() + 1));
        QCOMPARE(g.lblRowsLeft.caption(), rows);
    }
};

QTEST_GUILESS_MAIN(TestRunControl)
#include "test_runcontrol.moc"
