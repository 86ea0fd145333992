#include "support/gameharness.h"

#include <QTest>

Q_DECLARE_METATYPE(const Control *)

namespace {
QString rgb(Colour colour)
{
    return QStringLiteral("%1,%2,%3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}
} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
    GameHarness m_startedUp;

private slots:
    // Colours as "red,green,blue"; none: the system's, not checked.
    void designStateAfterStartUp_data()
    {
        QTest::addColumn<const Control *>("control");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("fore");
        const frmMain &g = m_startedUp.game();
        const QString none;
        const QString tile = "192,255,255";
        const QString green = "0,128,0";
        const QString black = "0,0,0";
        QTest::newRow("frmMain") << &g.frmMainWindow << 0 << 0 << 635 << 484 << "Tilnora" << none
                                 << none;
        QTest::newRow("Picture1") << &g.Picture1 << 6 << 9 << 342 << 465 << "" << none << none;
        QTest::newRow("OoperDaba(0)")
            << &g.OoperDaba[0] << 3 << 371 << 40 << 40 << "U" << tile << none;
        QTest::newRow("NichlaDaba(7)") << &g.NichlaDaba[7] << 297 << 417 << 40 << 40 << "T"
                                       << "255,192,255" << none;
        QTest::newRow("Line1") << &g.Line1 << 0 << 413 << 340 << 0 << "" << none << none;
        QTest::newRow("PicBlack") << &g.PicBlack << 6 << 9 << 343 << 469 << "" << black << none;
        QTest::newRow("lblBlack") << &g.lblBlack << 168 << 207 << 7 << 24 << "" << none
                                  << "255,255,255";
        QTest::newRow("Frame1") << &g.Frame1 << 354 << 4 << 277 << 127 << "Result" << none << none;
        QTest::newRow("lblResult")
            << &g.lblResult << 90 << 18 << 103 << 25 << "Press Start" << none << green;
        QTest::newRow("Result(8)") << &g.Result[8] << 238 << 50 << 32 << 37 << "" << tile << none;
        QTest::newRow("btnCheck") << &g.btnCheck << 9 << 96 << 76 << 23 << "Enter" << none << none;
        QTest::newRow("btnClear") << &g.btnClear << 192 << 96 << 76 << 23 << "Clear" << none
                                  << none;
        QTest::newRow("Frame2") << &g.Frame2 << 354 << 135 << 277 << 52 << "Score" << none << none;
        QTest::newRow("lblScore") << &g.lblScore << 133 << 12 << 20 << 37 << "0" << none
                                  << "192,64,0";
        QTest::newRow("frmLevel") << &g.frmLevel << 354 << 189 << 277 << 52 << "Level" << none
                                  << none;
        QTest::newRow("lblLevel") << &g.lblLevel << 133 << 12 << 20 << 37 << "0" << none
                                  << "0,0,128";
        QTest::newRow("Frame3") << &g.Frame3 << 354 << 243 << 277 << 52 << "Rows Left" << none
                                << none;
        QTest::newRow("lblRowsLeft")
            << &g.lblRowsLeft << 133 << 12 << 20 << 37 << "0" << none << green;
        QTest::newRow("frameAbout")
            << &g.frameAbout << 354 << 309 << 277 << 112 << "Information" << none << none;
        QTest::newRow("lblHowTo") << &g.lblHowTo << 108 << 24 << 70 << 16 << "How to play" << none
                                  << black;
        QTest::newRow("lblHighScore")
            << &g.lblHighScore << 108 << 54 << 67 << 16 << "High Score" << none << black;
        QTest::newRow("lblAbout") << &g.lblAbout << 126 << 81 << 35 << 16 << "About" << none
                                  << black;
        QTest::newRow("btnStart") << &g.btnStart << 432 << 438 << 118 << 34 << "Start" << none
                                  << none;
        QTest::newRow("cmdExit") << &g.cmdExit << 618 << 465 << 16 << 16 << "X" << none << none;
    }
    void designStateAfterStartUp()
    {
        QFETCH(const Control *, control);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, caption);
        QFETCH(QString, back);
        QFETCH(QString, fore);
        QCOMPARE(control->left(), float(left));
        QCOMPARE(control->top(), float(top));
        QCOMPARE(control->width(), float(width));
        QCOMPARE(control->height(), float(height));
        QCOMPARE(control->caption(), caption);
        if (!back.isEmpty()) {
            QCOMPARE(rgb(control->backColor()), back);
        }
        if (!fore.isEmpty()) {
            QCOMPARE(rgb(control->foreColor()), fore);
        }
    }

    // Nothing moves behind the message, and the program ends.
    void wordListMissing()
    {
        GameHarness h({}, false);
        h.files.remove("/game/ShortList8.txt");
        QStringList whileOpen;
        h.messageBox.whileOpen = [&] {
            h.clock.advanceBy(60000);
            whileOpen = h.facts({"lblResult", "incomingTiles"});
        };
        h.game().Form_Load();
        QCOMPARE(h.log.lines,
                 QStringList{"message Error 2 opening file.\r\nNo such file or directory"});
        QCOMPARE(whileOpen, QStringList({"lblResult=Press Start", "incomingTiles=0"}));
        QCOMPARE(h.fact("closed"), "closed=yes");
    }

    // Run control, the exit dialog, High Score; the fill, 200 ms slower 4 s after Start
    // and after each push, up to 2 s.
    void runControl_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("facts");
        QTest::newRow("Start") << "start"
                               << QStringList{"btnStart=Pause", "lblLevel=1", "lblRowsLeft=11",
                                              "PicBlack=hidden"};
        QTest::newRow("Pause") << "start start"
                               << QStringList{"btnStart=Resume", "lblBlack=Paused",
                                              "PicBlack=shown", "fillTimer=off"};
        QTest::newRow("Resume") << "start start start"
                                << QStringList{"btnStart=Pause", "fillTimer=on"};
        QTest::newRow("Restart after a game over")
            << "start push:CATDOGXY spell:cat enter wait:9000 over start"
            << QStringList{"btnStart=Pause", "lblScore=0", "stack=", "PicBlack=hidden",
                           "fillInterval=400"};
        QTest::newRow("Restart Game while paused")
            << "start wait:1000 start exit:0" << QStringList{"btnStart=Pause", "incomingTiles=0"};
        QTest::newRow("Exit the Game")
            << "start exit:1" << QStringList{"closed=yes", "fillTimer=off"};
        QTest::newRow("Back to Game")
            << "start push:CATDOGXY exit:2" << QStringList{"closed=no", "stack=CATDOGXY"};
        QTest::newRow("High Score before Start") << "record" << QStringList{"highScoreView=yes"};
        QTest::newRow("the ninth fill tick")
            << "start wait:3600" << QStringList{"incomingTiles=0", "lblRowsLeft=10"};
        QTest::newRow("4 s after Start") << "start wait:4000" << QStringList{"fillInterval=600"};
        QTest::newRow("100 s after Start")
            << "start wait:100000" << QStringList{"fillInterval=2000"};
    }
    void runControl()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, facts);
        GameHarness h;
        h.play(steps);
        QCOMPARE(h.facts(facts), facts);
    }

    // A vowel when r x 4 rounds to 1 (halves to even), U O I E A A by r x 5 + 1
    // rounded; else a letter r x 90 + 65 rounded, drawn again above 90.
    void drawsGiveLetters_data()
    {
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("letter");
        QTest::newRow("r x 4 = 0.5 rounds to 0: a letter") << QList<double>{0.125, 0} << "A";
        QTest::newRow("91 is drawn again") << QList<double>{0, 26.0 / 90, 1.0 / 90} << "B";
        QTest::newRow("vowel 4") << QList<double>{0.25, 0.6} << "E";
    }
    void drawsGiveLetters()
    {
        QFETCH(QList<double>, draws);
        QFETCH(QString, letter);
        GameHarness h;
        h.random.script = draws;
        h.play("start wait:400");
        QCOMPARE(h.game().NichlaDaba[0].caption(), letter);
        QCOMPARE(h.random.script, QList<double>());
    }

    // The rows pushed, the oldest first; the word spelled and Enter pressed.
    void wordTilesVanishAndTilesAboveDrop_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("stackAfter");
        QTest::newRow("two of one column: the tile above both drops twice")
            << QStringList{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX", "YZABCDEF"} << "ka"
            << QStringList{"AB.DEFGH", "IJ.LMNOP", "QRCTUVWX", "YZSBCDEF"};
        QTest::newRow("the second row's first tile: the tile above drops")
            << QStringList{"ABCDEFGH", "IJKLMNOP"} << "i" << QStringList{".BCDEFGH", "AJKLMNOP"};
    }
    void wordTilesVanishAndTilesAboveDrop()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, word);
        QFETCH(QStringList, stackAfter);
        GameHarness h({word});
        h.play("start push:" + rows.join(" push:") + " spell:" + word + " enter");
        QCOMPARE(h.stackPicture(), stackAfter);
    }

    // After a restart that left tile 0 picked, the ninth push takes the oldest row to
    // Top 42: a warning. The tenth takes it to Top 1: game over, for good, under a red
    // gradient of 204 rows from 254 up; clicks meanwhile are ignored.
    void nearTheTopWarnsThenTheGameEnds()
    {
        GameHarness h;
        h.play("start push:CATDOGXY spell:c exit:0 " + QString("push:ABCDEFGH ").repeated(8));
        h.play("push:ABCDEFGH wait:1999");
        const QStringList warning{"lblResult=Be Carefull", "heard=click beep warning"};
        QCOMPARE(h.facts(warning), warning);
        h.play("wait:1");
        QCOMPARE(h.fact("lblResult"), "lblResult=");

        h.clock.at(h.clock.now() + 500, [&] { h.play("start exit:0 record"); });
        h.log.lines.clear();
        h.play("push:ABCDEFGH wait:5000");
        const QStringList over{"btnStart=Restart", "lblBlack=Game Over!", "PicBlack=shown",
                               "lblRowsLeft=2", "fillTimer=off"};
        QCOMPARE(h.facts(over), over);
        QCOMPARE(h.log.lines,
                 (QStringList{"beep", "sound gameend.wav", "beep", "window Record", "beep"}));
        QCOMPARE(h.stackPicture(), QStringList(10, "ABCDEFGH"));
        const OverlaySurface &drawing = h.game().picBlackDrawing();
        QCOMPARE(drawing.linesDrawn(), 204);
        QCOMPARE(rgb(drawing.line(468).value_or(OverlaySurface::Line{}).colour), "254,0,0");
    }

    // A push on the level's last row: the level rises and the word empties under
    // "Level Up!" while the gradient is painted; then the board clears.
    void levelUpClearsTheBoard()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start push:CATDOGXY spell:ca");
        g.lblLevel.setCaption("3");
        g.lblRowsLeft.setCaption("1");
        const QStringList painting{"lblBlack=Level Up!", "PicBlack=shown", "lblLevel=4",
                                   "lblRowsLeft=20",     "word=",          "incomingTiles=0"};
        QStringList duringPaint;
        h.clock.at(h.clock.now() + 500, [&] { duringPaint = h.facts(painting); });
        h.play("push:ABCDEFGH");
        QCOMPARE(duringPaint, painting);
        const QStringList after{"PicBlack=hidden", "stack=", "heard=click click levelup beep"};
        QCOMPARE(h.facts(after), after);
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
