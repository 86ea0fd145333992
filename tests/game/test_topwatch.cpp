#include "support/gameharness.h"

#include <QTest>

namespace {

const QString Row = QStringLiteral("ABCDEFGH");

enum class Outcome { None, Warning, GameOver };

Outcome outcomeOf(GameHarness &h)
{
    if (h.game().gameOver()) {
        return Outcome::GameOver;
    }
    return h.game().lblResult.caption() == QLatin1String("Be Carefull") ? Outcome::Warning
                                                                        : Outcome::None;
}

// Sets the tiles of a one-row stack as described, "k=Top" for a visible tile and "k=Toph"
// for a hidden one, separated by blanks; the other tiles stay visible at 370.
void arrangeRow(frmMain &g, const QString &tiles)
{
    for (const QString &item : tiles.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int k = item.section(QLatin1Char('='), 0, 0).toInt();
        QString top = item.section(QLatin1Char('='), 1);
        const bool hidden = top.endsWith(QLatin1Char('h'));
        if (hidden) {
            top.chop(1);
        }
        g.OoperDaba[k].setTop(top.toFloat());
        g.OoperDaba[k].setVisible(!hidden);
    }
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestTopWatch : public QObject
{
    Q_OBJECT
private slots:
    // Warning below Top 60, game over at 20 and above. In index order the first visible
    // tile that meets a test decides; hidden ones never count.
    void thresholdsMetByTheFirstVisibleTileInIndexOrder_data()
    {
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("61: nothing") << "3=61" << Outcome::None;
        QTest::newRow("60: nothing") << "3=60" << Outcome::None;
        QTest::newRow("59.5: warning") << "3=59.5" << Outcome::Warning;
        QTest::newRow("59: warning") << "3=59" << Outcome::Warning;
        QTest::newRow("21: warning") << "3=21" << Outcome::Warning;
        QTest::newRow("20.5: warning") << "3=20.5" << Outcome::Warning;
        QTest::newRow("20: game over") << "3=20" << Outcome::GameOver;
        QTest::newRow("-40: game over") << "3=-40" << Outcome::GameOver;
        QTest::newRow("warning tile before a higher one at the top")
            << "0=42 1=1" << Outcome::Warning;
        QTest::newRow("tile at the top before a warning tile") << "2=20 5=42" << Outcome::GameOver;
        QTest::newRow("hidden tile at the top skipped") << "0=1h 4=59" << Outcome::Warning;
        QTest::newRow("hidden tiles above both lines") << "0=1h 1=42h 7=-3h" << Outcome::None;
        QTest::newRow("hidden warning tile, then one at the top")
            << "1=50h 6=10" << Outcome::GameOver;
        QTest::newRow("low tiles before a warning tile") << "0=300 1=100 7=59" << Outcome::Warning;
    }
    void thresholdsMetByTheFirstVisibleTileInIndexOrder()
    {
        QFETCH(QString, tiles);
        QFETCH(Outcome, outcome);
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(Row);
        arrangeRow(g, tiles);
        g.checkTopTouch();
        QCOMPARE(outcomeOf(h), outcome);
        // One outcome per call: a game over shows no warning.
        if (outcome == Outcome::GameOver) {
            QCOMPARE(h.log.count(QStringLiteral("sound warning.wav")), 0);
            QVERIFY(g.lblResult.caption() != QLatin1String("Be Carefull"));
        }
    }

    // In play: a column that lost a tile stands lower, so its oldest tile, met first, only
    // warns while the next column's oldest tile has reached the top; the next push ends it.
    void lowerColumnMetFirstDelaysTheGameOver()
    {
        GameHarness h({QStringLiteral("a")});
        frmMain &g = h.game();
        g.btnStart_Click();
        for (int i = 0; i < 9; ++i) {
            h.pushRow(Row);
        }
        QCOMPARE(outcomeOf(h), Outcome::Warning);
        h.spell(QStringLiteral("a")); // the bottom tile of column 0
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        h.pushRow(Row);
        QCOMPARE(g.OoperDaba[0].top(), 42.0f);
        QCOMPARE(g.OoperDaba[1].top(), 1.0f);
        QVERIFY(g.OoperDaba[1].isVisible());
        QCOMPARE(outcomeOf(h), Outcome::Warning);
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("1"));
        h.pushRow(Row);
        QCOMPARE(outcomeOf(h), Outcome::GameOver);
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("1"));
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("1"));
    }

    // In play: a word took the whole oldest row, so its hidden tiles rise to the top unseen.
    void hiddenRowRisingToTheTopNeverCounts()
    {
        GameHarness h({QStringLiteral("abcdefgh")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(Row);
        h.spell(QStringLiteral("abcdefgh"));
        g.btnCheck_Click();
        for (int i = 0; i < 8; ++i) {
            h.pushRow(Row);
        }
        QCOMPARE(g.OoperDaba[0].top(), 42.0f);
        QCOMPARE(outcomeOf(h), Outcome::None);
        h.pushRow(Row);
        QCOMPARE(g.OoperDaba[0].top(), 1.0f);
        QVERIFY(!g.OoperDaba[0].isVisible());
        QCOMPARE(outcomeOf(h), Outcome::Warning);
        h.pushRow(Row);
        QCOMPARE(outcomeOf(h), Outcome::GameOver);
    }

    void warningStepsAndTheBlankTwoSecondsLater()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        for (int i = 0; i < 8; ++i) {
            h.pushRow(Row);
        }
        QCOMPARE(outcomeOf(h), Outcome::None);
        h.advance(2000); // the start-up message has long gone; the blink timer is off
        QVERIFY(!g.TimerResultBlink.isEnabled());
        h.log.clear();
        h.pushRow(Row);
        QCOMPARE(g.OoperDaba[0].top(), 42.0f);
        QCOMPARE(h.log.lines, (QStringList{"beep", "sound warning.wav"}));
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Be Carefull"));
        QCOMPARE(g.lblResult.foreColor(), Colour::rgb(250, 50, 50));
        QVERIFY(g.TimerResultBlink.isEnabled());
        QVERIFY(!g.gameOver());
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("2"));
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Be Carefull"));
        h.advance(1);
        QVERIFY(g.lblResult.caption().isEmpty());
        QVERIFY(!g.TimerResultBlink.isEnabled());
        QCOMPARE(g.lblResult.foreColor(), Colour::rgb(250, 50, 50));
    }

    // The thirteen steps, seen from halfway through the paint, from inside the high-score
    // window and after it closed.
    void gameOverStepsInTheirOrder()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        for (int i = 0; i < 9; ++i) {
            h.pushRow(Row);
        }
        g.blnHighScoreClick = true; // as the menu would have left it
        h.log.clear();

        bool sawPaint = false;
        h.clock.at(h.clock.now() + frmMain::PaintDurationMs / 2, [&] {
            sawPaint = true;
            QVERIFY(g.isPainting());
            QCOMPARE(h.log.lines, (QStringList{"beep", "sound gameend.wav"}));
            QVERIFY(!g.Timer1.isEnabled());
            QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
            QVERIFY(g.gameOver());
            QCOMPARE(g.btnStart.caption(), QStringLiteral("Restart"));
            QCOMPARE(g.lblBlack.caption(), QStringLiteral("Game Over!"));
            QVERIFY(g.PicBlack.isVisible());
            QVERIFY(g.frameAbout.isEnabled());
            QVERIFY(g.blnHighScoreClick);
            QVERIFY(g.picBlackDrawing().linesDrawn() > 0);
            QVERIFY(g.picBlackDrawing().linesDrawn() < 204);
        });
        bool sawWindow = false;
        h.windows.actions[Window::Record] = [&] {
            sawWindow = true;
            QVERIFY(!g.isPainting());
            // The paint has ended with its own beep.
            QCOMPARE(h.log.lines,
                     (QStringList{"beep", "sound gameend.wav", "beep", "window Record"}));
            QVERIFY(!g.blnHighScoreClick);
            QCOMPARE(g.picBlackDrawing().linesDrawn(), 204);
            QCOMPARE(g.picBlackDrawing().line(468)->colour, Colour::rgb(254, 0, 0));
            QCOMPARE(g.picBlackDrawing().line(265)->colour, Colour::rgb(51, 0, 0));
            QVERIFY(g.PicBlack.isVisible());
            QCOMPARE(g.btnStart.caption(), QStringLiteral("Restart"));
        };
        h.pushRow(Row);
        QVERIFY(sawPaint);
        QVERIFY(sawWindow);
        QCOMPARE(h.log.lines,
                 (QStringList{"beep", "sound gameend.wav", "beep", "window Record", "beep"}));
        QCOMPARE(h.windows.opened, QList<Window>{Window::Record});
        QVERIFY(g.gameOver());
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Restart"));
        QCOMPARE(g.lblBlack.caption(), QStringLiteral("Game Over!"));
        QVERIFY(g.PicBlack.isVisible());
        QVERIFY(g.frameAbout.isEnabled());
        QVERIFY(!g.blnHighScoreClick);
        // The stack stays as it was under the overlay, the incoming row hidden.
        QCOMPARE(int(g.topRow()), 9);
        QCOMPARE(g.OoperDaba.count(), 80);
        QCOMPARE(h.stackPicture().size(), 10);
        for (int i = 0; i <= 7; ++i) {
            QVERIFY(!g.NichlaDaba[i].isVisible());
        }
    }

    // The push that ends the game is not counted, does not level up, and enables the pacing
    // timer once more.
    void gameOverPushNeitherCountsNorLevelsUp_data()
    {
        QTest::addColumn<QString>("rowsLeft");
        QTest::newRow("two rows left") << "2";
        QTest::newRow("the level's last row") << "1";
    }
    void gameOverPushNeitherCountsNorLevelsUp()
    {
        QFETCH(QString, rowsLeft);
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        for (int i = 0; i < 9; ++i) {
            h.pushRow(Row);
        }
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("2"));
        g.lblRowsLeft.setCaption(rowsLeft);
        h.pushRow(Row);
        QVERIFY(g.gameOver());
        QCOMPARE(g.lblRowsLeft.caption(), rowsLeft);
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("1"));
        QCOMPARE(g.lblBlack.caption(), QStringLiteral("Game Over!"));
        QCOMPARE(h.log.count(QStringLiteral("sound levelup.wav")), 0);
        QCOMPARE(int(g.topRow()), 9);
        QVERIFY(g.Timer1.isEnabled());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TestTopWatch)
#include "test_topwatch.moc"
