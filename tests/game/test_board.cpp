#include "support/gameharness.h"

#include <QTest>

#include <cmath>

// The board on the main window's model: start-up, run control, the incoming row, the stack,
// the top watch and the overlay's paint, on a virtual clock.

namespace {
const QString Fresh =
    "Pause 1/11/0 overlay - field on menu off fill 400 on pace on word '' stack 0 row 0";
const QString Waiting =
    "Start 0/0/0 overlay '' field on menu on fill 400 off pace off word '' stack 0 row 0";
QString expand(QString s)
{
    return s.replace("$F", Fresh).replace("$W", Waiting);
}
} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void designStateAfterStartUp()
    {
        GameHarness h;
        frmMain &g = h.game();
        QStringList seen;
        for (const Control *c :
             {&g.frmMainWindow, &g.Picture1,   &g.OoperDaba[0], &g.Line1,        &g.PicBlack,
              &g.lblBlack,      &g.Frame1,     &g.lblResult,    &g.btnCheck,     &g.btnClear,
              &g.Frame2,        &g.lblScore,   &g.frmLevel,     &g.lblLevel,     &g.Frame3,
              &g.lblRowsLeft,   &g.frameAbout, &g.lblHowTo,     &g.lblHighScore, &g.lblAbout,
              &g.btnStart,      &g.cmdExit}) {
            seen << describe(*c);
        }
        QCOMPARE(seen, (QStringList{"0,0 635x484 'Tilnora'",
                                    "6,9 342x465",
                                    "3,371 40x40 'U' back #c0ffff hidden",
                                    "0,413 340x0",
                                    "6,9 343x469",
                                    "168,207 7x24 fore #ffffff",
                                    "354,4 277x127 'Result'",
                                    "90,18 103x25 'Press Start' fore #008000",
                                    "9,96 76x23 'Enter'",
                                    "192,96 76x23 'Clear'",
                                    "354,135 277x52 'Score'",
                                    "133,12 20x37 '0' fore #c04000",
                                    "354,189 277x52 'Level'",
                                    "133,12 20x37 '0' fore #000080",
                                    "354,243 277x52 'Rows Left'",
                                    "133,12 20x37 '0' fore #008000",
                                    "354,309 277x112 'Information'",
                                    "108,24 70x16 'How to play'",
                                    "108,54 67x16 'High Score'",
                                    "126,81 35x16 'About'",
                                    "432,438 118x34 'Start'",
                                    "618,465 16x16 'X' tip 'Close'"}));
        for (int i = 0; i <= 7; ++i) {
            QCOMPARE(describe(g.NichlaDaba[i]),
                     QStringLiteral("%1,417 40x40 'T' back #ffc0ff hidden").arg(3 + 42 * i));
            QCOMPARE(describe(g.Result[i + 1]),
                     QStringLiteral("%1,50 32x37 back #c0ffff").arg(7 + 33 * i));
        }
        QCOMPARE(h.state() + QString::number(g.Timer1.interval()), Waiting + "4000");
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), "Press Start");
        h.advance(60001);
        QCOMPARE(g.lblResult.caption() + h.log.lines.join("") + h.state(), Waiting);
    }

    // The message is "Error N opening file." CR LF and the description; nothing moves while
    // it is open, and the program ends.
    void wordListFailure_data()
    {
        addRows({"missing | 2 |", "empty | 61 |", "no read permission | 13 | no access",
                 "read error | 5 | broken disk"});
    }
    void wordListFailure()
    {
        const QStringList f = fields();
        GameHarness h({}, 1, false);
        const QString path = GameHarness::Folder + "/ShortList8.txt";
        h.files.put(path, {});
        f[0] == "2"      ? h.files.remove(path)
        : f[1].isEmpty() ? void()
                         : h.files.failWith(path, f[0].toInt(), f[1]);
        QStringList whileOpen;
        h.messageBox.whileOpen = [&] {
            h.advance(60000);
            whileOpen << h.log.lines << h.state() << h.game().lblResult.caption();
        };
        h.play("load");
        const QString text = f[1].isEmpty() ? QString::fromLocal8Bit(strerror(f[0].toInt())) : f[1];
        QCOMPARE(whileOpen, (QStringList{"message Error " + f[0] + " opening file.\r\n" + text,
                                         Waiting, "Press Start"}));
        h.play("start restart wait:60000");
        QCOMPARE(h.state(), Waiting + " closed");
        QCOMPARE(h.log.lines.size() + h.game().words().size(), 1);
    }

    // Start follows its caption; the exit dialog answered 0 (Restart Game), 1 (Exit the Game)
    // or 2 (Back to Game). $F: a fresh game, $W: waiting for Start.
    void runControlAndExitChoices_data()
    {
        const QByteArray game = "start push:CATDOGXY spell:cat enter spell:do";
        const QByteArray paused = "start push:CATDOGXY spell:do start";
        addRows({
            "Start | start | $F",
            "Pause | start start | Resume 1/11/0 overlay 'Paused' field off menu off fill 400 "
            "off pace off word '' stack 0 row 0",
            "Resume | start start start | $F",
            "Restart after a game over | start push:CATDOGXY spell:cat enter spell:do "
            "wait:9000 over start | $F",
            "Restart while paused | start push:CATDOGXY spell:do enter wait:5000 start "
            "restart | $F",
            "unknown caption | caption:start start | s" + Waiting.mid(1).toLatin1(),
            "closed window | unload start exit:0 | $W closed",
            "Restart Game before the first Start | exit:0 | $F",
            "Exit the Game before the first Start | exit:1 | $W closed",
            "Back to Game before the first Start | exit:2 | $W",
            "Restart Game during a game | " + game + " exit:0 | $F",
            "Exit the Game during a game | " + game +
                " exit:1 | Pause 1/10/90 overlay - field on menu off fill 400 off pace off word "
                "'DO' stack 5 row 0 closed",
            "Back to Game during a game | " + game +
                " exit:2 | Pause 1/10/90 overlay - field on menu off fill 400 on pace on word 'DO' "
                "stack 5 row 0",
            "Restart Game while paused | " + paused + " exit:0 | $F",
            "Exit the Game while paused | " + paused +
                " exit:1 | Resume 1/10/0 overlay 'Paused' field off menu off fill 400 off pace off "
                "word 'DO' stack 8 row 0 closed",
            "Back to Game while paused | " + paused +
                " exit:2 | Resume 1/10/0 overlay 'Paused' field off menu off fill 400 off pace off "
                "word 'DO' stack 8 row 0",
            "Restart Game after a game over | start over exit:0 | $F",
            "Exit the Game after a game over | start over exit:1 | Restart 1/2/0 overlay 'Game "
            "Over!' field on menu on fill 400 off pace off word '' stack 80 row 0 over closed",
            "Back to Game after a game over | start over exit:2 | Restart 1/2/0 overlay 'Game "
            "Over!' field on menu on fill 400 off pace on word '' stack 80 row 0 over",
        });
    }
    void runControlAndExitChoices()
    {
        GameHarness h;
        h.play(fields()[0]);
        QCOMPARE(h.state(), expand(fields()[1]));
        QCOMPARE(h.log.count("window Exit"), int(fields()[0].section("unload", 0, 0).count("exit:")));
    }

    void rowFillsInEightTicksAndThePushOnTheNinth()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start wait:1200");
        QCOMPARE(h.state(), QString(Fresh).replace("row 0", "row 3"));
        h.advance(2399);
        QString row = h.state().right(5);
        for (int i = 0; i < 8; ++i) {
            row += g.NichlaDaba[i].caption();
        }
        QCOMPARE(h.stackPicture(), QStringList());
        h.advance(1);
        QCOMPARE(h.state(), QString(Fresh).replace("11", "10").replace("stack 0", "stack 8"));
        QCOMPARE("row 8" + h.stackPicture().value(0), row);
        h.advance(400);
        QVERIFY(g.NichlaDaba[0].isVisible() && !g.NichlaDaba[1].isVisible());
    }

    // A tile is a vowel when r x 4 rounds to 1 (halves to even), else a letter r x 90 + 65
    // rounded, drawn again above 90; a vowel b = r x 5 + 1 rounded: U O I E A A.
    void drawsGiveLetters_data()
    {
        addRows({"r x 4 = 0.5: letter | 0.125 0 | A", "just above 0.5: vowel | 0.125+ 0 | U",
                 "r x 4 = 1: vowel | 0.25 0 | U", "just below 1.5: vowel | 0.375- 0 | U",
                 "r x 4 = 1.5: letter | 0.375 0 | A", "r near 1: letter | 1- 0 | A",
                 "65.5 to the even 66 | 0 0.5/90 | B", "66.5 to the even 66 | 0 1.5/90 | B",
                 "89.5 to the even 90 | 0 24.5/90 | Z", "90.5 to the even 90 | 0 25.5/90 | Z",
                 "91 drawn again | 0 26/90 1/90 | B",
                 "154.9 and 110 drawn again | 0 1- 0.5 24/90 | Y", "b 1.5 to 2 | 0.25 0.1 | O",
                 "b 2.5 to 2 | 0.25 0.3 | O", "b 3 | 0.25 0.4 | I", "b 4 | 0.25 0.6 | E",
                 "b 5 | 0.25 0.8 | A", "b just below 6 | 0.25 1- | A"});
    }
    void drawsGiveLetters()
    {
        const QStringList draws = fields()[0].split(' ');
        GameHarness h;
        h.play("start");
        for (QString d : draws) {
            const int step = d.endsWith('+') - d.endsWith('-');
            d.remove('+').remove('-');
            const double r = d.section('/', 0, 0).toDouble() /
                             (d.contains('/') ? d.section('/', 1).toDouble() : 1);
            h.random.script << (step ? std::nextafter(r, r + step) : r);
        }
        const long long before = h.random.drawn;
        h.game().TimerNichlaDabaFill_Timer();
        QCOMPARE(h.game().NichlaDaba[0].caption(), fields()[1]);
        QCOMPARE(h.random.drawn - before, draws.size());
    }

    void pushedRowsStandOneStrideAboveTheNext()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start");
        g.OoperDaba[0].setBackColor(frmMain::PickedColour); // as a word may have left it
        g.OoperDaba[0].setEnabled(false);
        for (int pushes = 1; pushes <= 10; ++pushes) {
            h.pushRow("QWERTYUI");
            QCOMPARE(g.OoperDaba.count(), 8 * pushes);
            for (int k = 0; k < 8 * pushes; ++k) {
                QCOMPARE(describe(g.OoperDaba[k]), QStringLiteral("%1,%2 40x40 '%3' back #c0ffff")
                                                       .arg(3 + 42 * (k % 8))
                                                       .arg(370 - 41 * (pushes - 1 - k / 8))
                                                       .arg("QWERTYUI"[k % 8]));
            }
        }
    }

    // Rows pushed oldest first, the word's tiles in small letters; then the stack as shown,
    // and once more after a push of STUVWXYZ.
    void wordTilesVanishAndTilesAboveDrop_data()
    {
        addRows(
            {"bottom of a column | ABCDEFGH IJKLMNOP QRSTUVWX YZABCDEF GHiJKLMN | AB.DEFGH "
             "IJCLMNOP QRKTUVWX YZSBCDEF GHAJKLMN",
             "two of a column | ABCDEFGH IJKLMNOP QRsTUVWX YZABCDEF GHiJKLMN | AB.DEFGH IJ.LMNOP "
             "QRCTUVWX YZKBCDEF GHAJKLMN",
             "many columns and rows | ABCDEFGH IjKLMNOP QRStUVwX YzABCDEF gHIJKLMn | ..C.EF.. "
             "A.KDMNGH IBSLUVOP QRABCDEX YHIJKLMF",
             "oldest row only | aBCDEFGh IJKLMNOP QRSTUVWX | .BCDEFG. IJKLMNOP QRSTUVWX",
             "first of the second row | ABCDEFGH iJKLMNOP QRSTUVWX | .BCDEFGH AJKLMNOP QRSTUVWX",
             "the whole bottom row | ABCDEFGH IJKLMNOP qrstuvwx | ABCDEFGH IJKLMNOP",
             "a whole column | ABCDEfGH IJKLMnOP QRSTUvWX | ABCDE.GH IJKLM.OP QRSTU.WX",
             "a single row | ABCdEFGH | ABC.EFGH"});
    }
    void wordTilesVanishAndTilesAboveDrop()
    {
        const QString rows = fields()[0];
        QString clicks;
        for (int k = 0; k < rows.size(); ++k) {
            clicks += rows[k].isLower() ? QStringLiteral(" click:%1").arg(k - k / 9) : "";
        }
        GameHarness h({QString(rows).remove(QRegularExpression("[A-Z ]"))});
        h.play("start push:" + rows.toUpper().replace(" ", " push:") + clicks + " enter");
        QCOMPARE(h.stackPicture().join(' ') + h.word(), fields()[1]);
        QList<float> tops;
        for (int k = 0; k < h.game().OoperDaba.count(); ++k) {
            tops << h.game().OoperDaba[k].top() - 41;
        }
        h.pushRow("STUVWXYZ");
        QCOMPARE(h.stackPicture().join(' '), fields()[1] + " STUVWXYZ");
        for (int k = 0; k < tops.size(); ++k) {
            QCOMPARE(h.game().OoperDaba[k].top(), tops[k]); // hidden tiles too
        }
    }

    // The pacing timer ticks 4 s after Start and after each push, slowing the fill by 200 ms
    // up to 2 s; after the game over it ticks once more, only to stop itself.
    void pacingSlowsTheFillRowByRow()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start");
        QList<int> intervals;
        for (long long ticks = 0; !g.gameOver(); h.advance(100)) {
            if (g.Timer1.ticks() != ticks) {
                ticks = g.Timer1.ticks();
                intervals << g.TimerNichlaDabaFill.interval();
            }
        }
        QCOMPARE(intervals, (QList<int>{600, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2000}));
        const long long ticks = g.Timer1.ticks() + g.TimerNichlaDabaFill.ticks();
        h.advance(60000);
        QCOMPARE(g.Timer1.ticks() + g.TimerNichlaDabaFill.ticks() - ticks, 1);
        QVERIFY(!g.Timer1.isEnabled() && g.TimerNichlaDabaFill.interval() == 2000);
    }

    // One row's tiles as "k=Top", hidden ones "k=Toph": a warning below Top 60, game over at
    // 20 and above, the first visible tile in index order deciding.
    void topWatch_data()
    {
        addRows({"61: nothing | 3=61 |", "60: nothing | 3=60 |",
                 "59.5: warning | 3=59.5 | Be Carefull", "21: warning | 3=21 | Be Carefull",
                 "20.5: warning | 3=20.5 | Be Carefull", "20: game over | 3=20 | Game Over!",
                 "-40: game over | 3=-40 | Game Over!",
                 "warning tile before a higher one | 0=42 1=1 | Be Carefull",
                 "top tile before a warning tile | 2=20 5=42 | Game Over!",
                 "hidden top tile skipped | 0=1h 4=59 | Be Carefull",
                 "hidden tiles never count | 0=1h 1=42h 7=-3h |",
                 "hidden warning, then top | 1=50h 6=10 | Game Over!",
                 "low tiles, then a warning | 0=300 1=100 7=59 | Be Carefull"});
    }
    void topWatch()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start push:ABCDEFGH start wait:2000");
        for (const QString &item : fields()[0].split(' ')) {
            Control &t = g.OoperDaba[item.section('=', 0, 0).toInt()];
            t.setTop(item.section('=', 1).remove('h').toFloat());
            t.setVisible(!item.endsWith('h'));
        }
        h.log.clear();
        g.checkTopTouch();
        QCOMPARE(g.gameOver() ? g.lblBlack.caption() : g.lblResult.caption(), fields()[1]);
        if (g.gameOver()) {
            return;
        }
        const bool warned = !fields()[1].isEmpty();
        QCOMPARE(h.log.lines.join(' '), warned ? "beep sound warning.wav" : "");
        QCOMPARE(describe(g.lblResult).contains("'Be Carefull' fore #fa3232"), warned);
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), warned ? "Be Carefull" : "");
        h.advance(1);
        QCOMPARE(g.lblResult.caption(), "");
    }
    // The gradient rises from the bottom, a row a step darker from 254 to 51, over a second
    // on the clock: green at a level up, red at a game over. Clicks meanwhile are ignored; a
    // window closed meanwhile stops it. Fields: steps | closed | state in the middle | log |
    // state after.
    void overlayPaint_data()
    {
        const QByteArray up = "Pause 4/20/0 overlay 'Level Up!' field on menu off fill 400 ";
        const QByteArray over =
            "Restart 1/2/0 overlay 'Game Over!' field on menu on fill 400 off pace ";
        const QByteArray nine = "start push:CATDOGXY spell:ca enter push:A push:A push:A push:A "
                                "push:A push:A push:A push:A";
        addRows({"level up | start push:CATDOGXY spell:ca level:3 rows:1 | 0 | " + up +
                     "on pace on word '' stack 16 row 0 | sound levelup.wav beep | Pause 4/20/0 "
                     "overlay - field on menu off fill 400 on pace on word '' stack 0 row 1",
                 "level up, window closed | start push:CATDOGXY spell:ca level:3 rows:1 | 1 | " +
                     up + "on pace on word '' stack 16 row 0 | sound levelup.wav | " + up +
                     "off pace off word '' stack 16 row 0 closed",
                 "game over | " + nine + " | 0 | " + over +
                     "off word 'CA' stack 80 row 8 over | beep sound gameend.wav beep window "
                     "Record beep | " +
                     over + "on word 'CA' stack 80 row 0 over",
                 "game over, window closed | " + nine + " | 1 | " + over +
                     "off word 'CA' stack 80 row 8 over | beep sound gameend.wav | " + over +
                     "off word 'CA' stack 80 row 8 over closed",
                 "game over on the level's last row | " + nine + " rows:1 | 0 | " +
                     QByteArray(over).replace("1/2", "1/1") +
                     "off word 'CA' stack 80 row 8 over | beep sound gameend.wav beep window "
                     "Record beep | " +
                     QByteArray(over).replace("1/2", "1/1") + "on word 'CA' stack 80 row 0 over"});
    }
    void overlayPaint()
    {
        const QStringList f = fields();
        GameHarness h;
        frmMain &g = h.game();
        h.play(QString(f[0]).replace("push:A", "push:ZZZZZZZZ"));
        h.log.clear();
        const std::int64_t start = h.clock.now();
        QString during;
        h.clock.at(start + 500, [&] {
            during = h.state();
            h.play(f[1] == "1" ? "start exit:0 unload" : "start exit:0");
            g.lblHowTo_Click();
            g.lblHighScore_Click();
            g.lblAbout_Click();
        });
        h.pushRow("ABCDEFGH");
        QCOMPARE(during, f[2]);
        QCOMPARE(h.log.lines.join(' '), f[3]);
        QCOMPARE(h.state(), f[4]);
        const OverlaySurface &s = g.picBlackDrawing();
        QCOMPARE(s.linesDrawn() == 204 && h.clock.now() - start == 1000, f[1] == "0");
        for (int y = 0; y < s.height(); ++y) {
            const int i = 255 - (469 - y);
            const Colour c = f[2].contains("Level") ? Colour::rgb(0, i, 0) : Colour::rgb(i, 0, 0);
            QVERIFY(y < 469 - s.linesDrawn()
                        ? !s.line(y)
                        : s.line(y)->colour == c && s.line(y)->x1 == 1 && s.line(y)->x2 == 343);
        }
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
