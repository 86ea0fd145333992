#include "support/gameharness.h"

#include <QTest>

// The gradient is checked through the level-up, which paints it in green, and the game
// over, which paints it in red.
class TestPaint : public QObject
{
    Q_OBJECT
private:
    static void runLevelOut(GameHarness &h)
    {
        frmMain &g = h.game();
        g.btnStart_Click();
        g.lblRowsLeft.setCaption(QStringLiteral("1"));
        h.pushRow(QStringLiteral("ABCDEFGH"));
    }

private slots:
    void levelUpPaintsTheGreenBand()
    {
        GameHarness h;
        runLevelOut(h);
        const OverlaySurface &s = h.game().picBlackDrawing();
        QCOMPARE(s.width(), 343);
        QCOMPARE(s.height(), 469);
        // Lines at y = 469 .. 265 in intensities 255 .. 51; y = 469 lies below the surface.
        QCOMPARE(s.linesDrawn(), 204);
        for (int y = 0; y < 469; ++y) {
            const auto line = s.line(y);
            if (y < 265) {
                QVERIFY2(!line, qPrintable(QStringLiteral("row %1 stays black").arg(y)));
                continue;
            }
            QVERIFY(line);
            QCOMPARE(line->colour, Colour::rgb(0, 255 - (469 - y), 0));
            QCOMPARE(line->x1, 1); // the column x = 0 stays black
            QCOMPARE(line->x2, 343);
        }
        QCOMPARE(s.line(468)->colour, Colour::rgb(0, 254, 0));
        QCOMPARE(s.line(265)->colour, Colour::rgb(0, 51, 0));
    }

    void paintTakesItsTimeOnTheClockAndEndsWithOneBeep()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        g.lblRowsLeft.setCaption(QStringLiteral("1"));
        const std::int64_t before = h.clock.now();
        int beepsDuring = -1;
        h.clock.at(before + frmMain::PaintDurationMs / 2, [&] {
            QVERIFY(g.isPainting());
            beepsDuring = h.log.count(QStringLiteral("beep"));
        });
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(h.clock.now() - before, std::int64_t{frmMain::PaintDurationMs});
        QCOMPARE(beepsDuring, 0);
        QCOMPARE(h.log.count(QStringLiteral("beep")), 1);
        QVERIFY(!g.isPainting());
    }

    void clicksDuringAPaintAreIgnored()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        g.lblRowsLeft.setCaption(QStringLiteral("1"));
        h.clock.at(h.clock.now() + 300, [&] {
            g.btnStart_Click();     // would pause
            g.cmdExit_Click();      // would open the exit dialog
            g.lblHighScore_Click(); // the menu is disabled anyway
        });
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
        QVERIFY(h.windows.opened.isEmpty());
        QVERIFY(!g.PicBlack.isVisible());
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("2"));
    }

    void otherTimersTickDuringAPaint()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        g.btnStart_Click(); // paused: no timer of the game runs
        g.lblRowsLeft.setCaption(QStringLiteral("1"));
        g.lblResult.setCaption(QStringLiteral("Wrong"));
        g.TimerResultBlink.restart();
        h.advance(1500);
        const std::int64_t before = h.clock.now();
        // The paint runs 1000 ms; the blink is due 500 ms into it.
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(h.clock.now() - before, std::int64_t{frmMain::PaintDurationMs});
        QVERIFY(g.lblResult.caption().isEmpty());
        QVERIFY(!g.TimerResultBlink.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TestPaint)
#include "test_paint.moc"
