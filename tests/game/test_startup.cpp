#include "support/gameharness.h"

#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void startUpGivesTheFirstValues()
    {
        GameHarness h;
        frmMain &g = h.game();
        QCOMPARE(g.frmMainWindow.caption(), QStringLiteral("Tilnora"));
        QCOMPARE(int(g.topRow()), -1);
        QCOMPARE(int(g.fillPos()), -1);
        QCOMPARE(int(g.resultPos()), 1);
        QCOMPARE(int(g.tileHeight()), 40);
        QVERIFY(!g.gameOver());
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("0"));
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("0"));
        QCOMPARE(g.lblScore.caption(), QStringLiteral("0"));
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Start"));
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Press Start"));
        QVERIFY(g.PicBlack.isVisible());
        QVERIFY(g.lblBlack.caption().isEmpty());
        QVERIFY(g.frameAbout.isEnabled());
        QVERIFY(!g.OoperDaba[0].isVisible());
        for (int i = 0; i <= 7; ++i) {
            QVERIFY2(!g.NichlaDaba[i].isVisible(), "incoming row hidden at start-up");
        }
        QCOMPARE(g.OoperDaba.count(), 1);
    }

    void timersAfterStartUp()
    {
        GameHarness h;
        frmMain &g = h.game();
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 400);
        QVERIFY(!g.Timer1.isEnabled());
        QCOMPARE(g.Timer1.interval(), 4000);
        QVERIFY(g.TimerResultBlink.isEnabled());
        QCOMPARE(g.TimerResultBlink.interval(), 2000);
    }

    void pressStartBlanksAfterTwoSeconds()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Press Start"));
        h.advance(1);
        QVERIFY(g.lblResult.caption().isEmpty());
        QVERIFY(!g.TimerResultBlink.isEnabled());
        // Nothing else moves until Start.
        h.advance(60000);
        QCOMPARE(int(g.topRow()), -1);
        QVERIFY(h.log.lines.isEmpty());
    }

    void wordListIsReadFromTheProgramFolder()
    {
        GameHarness h({QStringLiteral("cat"), QStringLiteral("Dog")});
        QCOMPARE(h.game().words().size(), 3);
        QVERIFY(h.game().words().contains(QStringLiteral("dog")));
        QVERIFY(!h.game().loadFailed());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
