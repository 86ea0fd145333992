#include "support/gameharness.h"

#include <QTest>

// The board on the main window's model, on a virtual clock.

namespace {
const QString Fresh = "Pause 1/11/0 - field+ menu- fill400+ pace+ '' s0 r0";
const QString Waiting = "Start 0/0/0 '' field+ menu+ fill400- pace- '' s0 r0";
// Rows' shorthands: $F a fresh game, $W waiting for Start, $O and $1 a game over with two
// rows and one row left, $U a level up, $R paused, $D a game with a word.
QStringList expand(QStringList f)
{
    return f.replaceInStrings("$F", Fresh)
        .replaceInStrings("$W", Waiting)
        .replaceInStrings("$O", "Restart 1/2/0 'Game Over!' field+ menu+ fill400- pace")
        .replaceInStrings("$1", "Restart 1/1/0 'Game Over!' field+ menu+ fill400- pace")
        .replaceInStrings("$R", "'Paused' field- menu- fill400- pace-")
        .replaceInStrings("$D", "Pause 1/10/90 - field+ menu- fill400")
        .replaceInStrings("$U", "Pause 4/20/0 'Level Up!' field+ menu- fill400");
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
             {&g.frmMainWindow, &g.Picture1,   &g.OoperDaba[0],  &g.Line1,         &g.PicBlack,
              &g.lblBlack,      &g.Frame1,     &g.lblResult,     &g.btnCheck,      &g.btnClear,
              &g.Frame2,        &g.lblScore,   &g.frmLevel,      &g.lblLevel,      &g.Frame3,
              &g.lblRowsLeft,   &g.frameAbout, &g.lblHowTo,      &g.lblHighScore,  &g.lblAbout,
              &g.btnStart,      &g.cmdExit,    &g.NichlaDaba[0], &g.NichlaDaba[7], &g.Result[1],
              &g.Result[8]}) {
            seen << describe(*c);
        }
        QCOMPARE(seen.join(" | "),
                 "0,0 635x484 'Tilnora' | 6,9 342x465 | 3,371 40x40 'U' back #c0ffff hidden | "
                 "0,413 340x0 | 6,9 343x469 | 168,207 7x24 fore #ffffff | 354,4 277x127 'Result' "
                 "| 90,18 103x25 'Press Start' fore #008000 | 9,96 76x23 'Enter' | 192,96 76x23 "
                 "'Clear' | 354,135 277x52 'Score' | 133,12 20x37 '0' fore #c04000 | 354,189 "
                 "277x52 'Level' | 133,12 20x37 '0' fore #000080 | 354,243 277x52 'Rows Left' | "
                 "133,12 20x37 '0' fore #008000 | 354,309 277x112 'Information' | 108,24 70x16 "
                 "'How to play' | 108,54 67x16 'High Score' | 126,81 35x16 'About' | 432,438 "
                 "118x34 'Start' | 618,465 16x16 'X' tip 'Close' | 3,417 40x40 'T' back #ffc0ff "
                 "hidden | 297,417 40x40 'T' back #ffc0ff hidden | 7,50 32x37 back #c0ffff | "
                 "238,50 32x37 back #c0ffff");
        QCOMPARE(h.state() + QString::number(g.Timer1.interval()), Waiting + "4000");
        h.clock.advanceBy(60000);
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
        GameHarness h({}, false);
        const QString path = GameHarness::Folder + "/ShortList8.txt";
        f[0] == "2" ? h.files.remove(path) : h.files.put(path, {});
        f[1].isEmpty() ? void() : h.files.failWith(path, f[0].toInt(), f[1]);
        QStringList whileOpen;
        h.messageBox.whileOpen = [&] {
            h.clock.advanceBy(60000);
            whileOpen << h.log.lines << h.state() << h.game().lblResult.caption();
        };
        h.play("load");
        const QString text = f[1].isEmpty() ? strerror(f[0].toInt()) : f[1];
        QCOMPARE(whileOpen.join('|'), "message Error " + f[0] + " opening file.\r\n" + text + "|" +
                                          Waiting + "|Press Start");
        h.play("start restart wait:60000");
        QCOMPARE(h.state() + QString::number(h.log.lines.size() + h.game().words().size()),
                 Waiting + " closed1");
    }

    // Start follows its caption; the exit dialog answered 0 (Restart Game), 1 (Exit the Game)
    // or 2 (Back to Game); the menu opens its windows (the Record table for viewing) only
    // outside a game. Fields: steps | state | windows opened.
    void runControl_data()
    {
        addRows({
            "Start | start | $F",
            "Resume | start start start | $F",
            "Pause | start start | Resume 1/11/0 $R '' s0 r0",
            "Restart, game over | start push:CATDOGXY spell:ca wait:9000 over start | $F | Record",
            "Restart, paused | start push:CATDOGXY spell:do enter wait:5000 start restart | $F",
            "odd caption | caption:start start | start 0/0/0 '' field+ menu+ fill400- pace- '' s0 "
            "r0",
            "closed window | unload start exit:0 | $W closed",
            "Restart Game first | exit:0 | $F | Exit",
            "Exit the Game first | exit:1 | $W closed | Exit",
            "Back to Game first | exit:2 | $W | Exit",
            "Exit the Game in a game | $G exit:1 | $D- pace- 'DO' s5 r0 closed | Exit",
            "Back to Game in a game | $G exit:2 | $D+ pace+ 'DO' s5 r0 | Exit",
            "Exit the Game, paused | $P exit:1 | Resume 1/10/0 $R 'DO' s8 r0 closed | Exit",
            "Back to Game, paused | $P exit:2 | Resume 1/10/0 $R 'DO' s8 r0 | Exit",
            "Restart Game, game over | start over exit:0 | $F | Record Exit",
            "Exit the Game, game over | start over exit:1 | $O- '' s80 r0 over closed | Record "
            "Exit",
            "Back to Game, game over | start over exit:2 | $O+ '' s80 r0 over | Record Exit",
            "menu first | howto record about | $W | HowTo Record viewing About",
            "menu in a game | start howto record about | $F",
            "menu, game over | start over howto record about | $O+ '' s80 r0 over | Record HowTo "
            "Record viewing About",
        });
    }
    void runControl()
    {
        const QStringList f = expand(fields());
        GameHarness h;
        h.windows.actions[Window::Record] = [&] {
            h.game().blnHighScoreClick ? h.log.add("window viewing") : void();
        };
        h.play(QString(f[0])
                   .replace("$G", "start push:CATDOGXY spell:cat enter spell:do")
                   .replace("$P", "start push:CATDOGXY spell:do start"));
        QCOMPARE(h.state(), f[1]);
        QCOMPARE(h.log.lines.filter("window ").join(' ').remove("window "), f.value(2));
    }

    void rowFillsInEightTicksAndThePushOnTheNinth()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start wait:1200");
        QCOMPARE(h.state(), QString(Fresh).replace("r0", "r3"));
        h.clock.advanceBy(2399);
        QString row = h.state().right(2) + h.stackPicture().join("") + " ";
        for (int i = 0; i < 8; ++i) {
            row += g.NichlaDaba[i].caption();
        }
        h.clock.advanceBy(1);
        QCOMPARE(h.state() + " r8 " + h.stackPicture().value(0),
                 QString(Fresh).replace("11", "10").replace("s0", "s8") + " " + row);
        h.clock.advanceBy(400);
        QVERIFY(g.NichlaDaba[0].isVisible() && !g.NichlaDaba[1].isVisible());
    }

    // A tile is a vowel when r x 4 rounds to 1 (halves to even), else a letter r x 90 + 65
    // rounded, drawn again above 90; a vowel b = r x 5 + 1 rounded: U O I E A A.
    void drawsGiveLetters_data()
    {
        addRows({"r x 4 = 0.5: letter | 0.125 0 | A", "just above 0.5: vowel | 0.1250001 0 | U",
                 "just below 1.5: vowel | 0.3749999 0 | U", "r x 4 = 1.5: letter | 0.375 0 | A",
                 "65.5 to the even 66 | 0 0.5/90 | B", "66.5 to the even 66 | 0 1.5/90 | B",
                 "90.5 to the even 90 | 0 25.5/90 | Z", "91 drawn again | 0 26/90 1/90 | B",
                 "b 1.5 to 2 | 0.25 0.1 | O", "b 3 | 0.25 0.4 | I", "b 4 | 0.25 0.6 | E",
                 "b 5 | 0.25 0.8 | A", "b just below 6 | 0.25 0.9999999 | A"});
    }
    void drawsGiveLetters()
    {
        const QStringList f = fields(), draws = f[0].split(' ');
        GameHarness h;
        h.play("start");
        for (const QString &d : draws) {
            h.random.script << d.section('/', 0, 0).toDouble() /
                                   (d + "/1").section('/', 1, 1).toDouble();
        }
        const long long before = h.random.drawn;
        h.game().TimerNichlaDabaFill_Timer();
        QCOMPARE(h.game().NichlaDaba[0].caption(), f[1]);
        QCOMPARE(h.random.drawn - before, draws.size());
    }

    void pushedRowsStandOneStrideAboveTheNext()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play("start");
        g.OoperDaba[0].setBackColor(frmMain::PickedColour); // as a word may have left it
        g.OoperDaba[0].setEnabled(false);
        h.play(QString("push:QWERTYUI ").repeated(10));
        QStringList seen{QString::number(g.OoperDaba.count())}; // the count, then a diagonal
        for (int k = 0; k < g.OoperDaba.count(); k += 9) {
            seen << describe(g.OoperDaba[k]).remove(" 40x40").remove(" back #c0ffff");
        }
        QCOMPARE(seen.join(' '),
                 "80 3,1 'Q' 45,42 'W' 87,83 'E' 129,124 'R' 171,165 'T' 213,206 'Y' "
                 "255,247 'U' 297,288 'I' 3,370 'Q'");
    }

    // Rows pushed oldest first, the word's tiles in small letters; then the stack as shown,
    // and once more after a push of STUVWXYZ.
    void wordTilesVanishAndTilesAboveDrop_data()
    {
        addRows(
            {"two of a column | ABCDEFGH IJKLMNOP QRsTUVWX YZABCDEF GHiJKLMN | AB.DEFGH "
             "IJ.LMNOP QRCTUVWX YZKBCDEF GHAJKLMN",
             "many columns and rows | ABCDEFGH IjKLMNOP QRStUVwX YzABCDEF gHIJKLMn | ..C.EF.. "
             "A.KDMNGH IBSLUVOP QRABCDEX YHIJKLMF",
             "oldest row only | aBCDEFGh IJKLMNOP QRSTUVWX | .BCDEFG. IJKLMNOP QRSTUVWX",
             "first of the second row | ABCDEFGH iJKLMNOP QRSTUVWX | .BCDEFGH AJKLMNOP QRSTUVWX",
             "the whole bottom row | ABCDEFGH IJKLMNOP qrstuvwx | ABCDEFGH IJKLMNOP",
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
        for (long long ticks = 0; !g.gameOver(); h.clock.advanceBy(100)) {
            if (g.Timer1.ticks() != ticks) {
                ticks = g.Timer1.ticks();
                intervals << g.TimerNichlaDabaFill.interval();
            }
        }
        QCOMPARE(intervals, (QList<int>{600, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2000}));
        const long long ticks = g.Timer1.ticks() + g.TimerNichlaDabaFill.ticks();
        h.clock.advanceBy(60000);
        QCOMPARE(g.Timer1.ticks() + g.TimerNichlaDabaFill.ticks() - ticks, 1);
        QVERIFY(!g.Timer1.isEnabled() && g.TimerNichlaDabaFill.interval() == 2000);
    }

    // One row's tiles as "k=Top", hidden ones "k=Toph": a warning below Top 60, game over at
    // 20 and above, the first visible tile in index order deciding.
    void topWatch_data()
    {
        addRows({"60: nothing | 3=60 | fore #008000 / /", "59.5: warning | 3=59.5 | $B",
                 "20.5: warning | 3=20.5 | $B", "20: game over | 3=20 | Game Over!",
                 "warning tile before a higher one | 0=42 1=1 | $B",
                 "top tile before a warning tile | 2=20 5=42 | Game Over!",
                 "hidden top tile skipped | 0=1h 4=59 | $B",
                 "hidden tiles never count | 0=1h 1=42h | fore #008000 / /",
                 "low tiles, then a warning | 0=300 1=100 7=59 | $B"});
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
        h.log.lines.clear();
        g.checkTopTouch();
        QString seen = describe(g.lblResult).section(' ', 2) + " " + h.log.lines.join(' ');
        h.clock.advanceBy(1999);
        seen += " / " + g.lblResult.caption();
        h.clock.advanceBy(1);
        QCOMPARE(g.gameOver() ? g.lblBlack.caption()
                              : (seen + " / " + g.lblResult.caption()).simplified(),
                 QString(fields()[1])
                     .replace("$B",
                              "'Be Carefull' fore #fa3232 beep sound warning.wav / Be Carefull /"));
    }

    // The gradient rises from the bottom, a row a step darker from 254 to 51, over a second
    // on the clock: green at a level up, red at a game over. Clicks meanwhile are ignored; a
    // window closed meanwhile stops it. Fields: steps | closed | state in the middle | log |
    // state after.
    void overlayPaint_data()
    {
        addRows(
            {"level up | $L | 0 | $U+ pace+ '' s16 r0 | sound levelup.wav beep | Pause 4/20/0 "
             "- field+ menu- fill400+ pace+ '' s0 r1",
             "level up, window closed | $L | 1 | $U+ pace+ '' s16 r0 | sound levelup.wav | $U- "
             "pace- '' s16 r0 closed",
             "game over | $9 | 0 | $O- 'CA' s80 r8 over | beep sound gameend.wav beep window "
             "Record beep | $O+ 'CA' s80 r0 over",
             "game over, window closed | $9 | 1 | $O- 'CA' s80 r8 over | beep sound gameend.wav "
             "| $O- 'CA' s80 r8 over closed",
             "game over on the level's last row | $9 rows:1 | 0 | $1- 'CA' s80 r8 over | beep "
             "sound gameend.wav beep window Record beep | $1+ 'CA' s80 r0 over"});
    }
    void overlayPaint()
    {
        const QStringList f =
            expand(fields())
                .replaceInStrings("$L", "start push:CATDOGXY spell:ca level:3 rows:1")
                .replaceInStrings("$9", "start push:CATDOGXY spell:ca enter" +
                                            QString(" push:ZZZZZZZZ").repeated(8));
        GameHarness h;
        frmMain &g = h.game();
        h.play(f[0]);
        h.log.lines.clear();
        const std::int64_t start = h.clock.now();
        QString during;
        h.clock.at(start + 500, [&] {
            during = h.state();
            h.play(QString(f[1] == "1" ? "unload " : "") + "start exit:0 howto record about");
        });
        h.pushRow("ABCDEFGH");
        QCOMPARE(during + " | " + h.log.lines.join(' ') + " | " + h.state(), f.mid(2).join(" | "));
        if (f[2].contains("Level") && f[1] == "0") {
            QCOMPARE(g.picBlackDrawing().linesDrawn(), 0); // wiped as the overlay went
            return;
        }
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
