#include "game/mainobserver.h"
#include "support/gameharness.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cerrno>
#include <cmath>

// The board on the main window's model: start-up, the Start button, the incoming row, the
// stack, the top watch and the overlay's paint, on a virtual clock.

Q_DECLARE_METATYPE(const Control *)

namespace {

const QString Fresh = QStringLiteral(
    "Pause level 1 rows 11 score 0 overlay off field on menu off fill 400 on pace on");
const QString BeforeStart = QStringLiteral(
    "Start level 0 rows 0 score 0 overlay '' field on menu on fill 400 off pace off");
const QString ListPath = GameHarness::Folder + QStringLiteral("/ShortList8.txt");

GameHarness &designed()
{
    static GameHarness h;
    return h;
}

// The incoming row: each tile's letter, '.' where it is hidden.
QString incoming(const frmMain &g)
{
    QString s;
    for (int i = 0; i <= 7; ++i) {
        s += g.NichlaDaba[i].isVisible() ? g.NichlaDaba[i].caption() : QStringLiteral(".");
    }
    return s;
}

// A view that keeps what it is told: the stack tiles alive besides element 0, and faults
// such as a tile made twice, destroyed while absent or a move that never ends.
class View : public MainObserver
{
public:
    QSet<int> tiles;
    int faults = 0, moving = 0, overlayRows = 0, changes = 0;
    bool closed = false;
    void controlChanged(const Control &) override { ++changes; }
    void tileLoaded(int k) override
    {
        faults += k == 0 || tiles.contains(k);
        tiles.insert(k);
    }
    void tileUnloaded(int k) override { faults += k == 0 || !tiles.remove(k); }
    void overlayChanged(int y) override { overlayRows += y >= 0; }
    void stackMoving(bool started) override
    {
        moving += started ? 1 : -1;
        faults += moving != 0 && moving != 1;
    }
    void unloaded() override { closed = true; }
};

QSet<int> range(int first, int last)
{
    QSet<int> s;
    for (int k = first; k <= last; ++k) {
        s << k;
    }
    return s;
}

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void designStateAfterStartUp_data()
    {
        QTest::addColumn<const Control *>("control");
        QTest::addColumn<QString>("expected");
        const frmMain &g = designed().game();
        QTest::newRow("frmMain") << &g.frmMainWindow << "0,0 635x484 'Tilnora'";
        QTest::newRow("Picture1") << &g.Picture1 << "6,9 342x465";
        QTest::newRow("OoperDaba(0)") << &g.OoperDaba[0] << "3,371 40x40 'U' back #c0ffff hidden";
        for (int i = 0; i <= 7; ++i) {
            QTest::addRow("NichlaDaba(%d)", i)
                << &g.NichlaDaba[i]
                << QStringLiteral("%1,417 40x40 'T' back #ffc0ff hidden").arg(3 + 42 * i);
        }
        QTest::newRow("Line1") << &g.Line1 << "0,413 340x0";
        QTest::newRow("PicBlack") << &g.PicBlack << "6,9 343x469";
        QTest::newRow("lblBlack") << &g.lblBlack << "168,207 7x24 fore #ffffff";
        QTest::newRow("Frame1") << &g.Frame1 << "354,4 277x127 'Result'";
        QTest::newRow("lblResult") << &g.lblResult << "90,18 103x25 'Press Start' fore #008000";
        for (int k = 1; k <= 8; ++k) {
            QTest::addRow("Result(%d)", k)
                << &g.Result[k] << QStringLiteral("%1,50 32x37 back #c0ffff").arg(7 + 33 * (k - 1));
        }
        QTest::newRow("btnCheck") << &g.btnCheck << "9,96 76x23 'Enter'";
        QTest::newRow("btnClear") << &g.btnClear << "192,96 76x23 'Clear'";
        QTest::newRow("Frame2") << &g.Frame2 << "354,135 277x52 'Score'";
        QTest::newRow("lblScore") << &g.lblScore << "133,12 20x37 '0' fore #c04000";
        QTest::newRow("frmLevel") << &g.frmLevel << "354,189 277x52 'Level'";
        QTest::newRow("lblLevel") << &g.lblLevel << "133,12 20x37 '0' fore #000080";
        QTest::newRow("Frame3") << &g.Frame3 << "354,243 277x52 'Rows Left'";
        QTest::newRow("lblRowsLeft") << &g.lblRowsLeft << "133,12 20x37 '0' fore #008000";
        QTest::newRow("frameAbout") << &g.frameAbout << "354,309 277x112 'Information'";
        QTest::newRow("lblHowTo") << &g.lblHowTo << "108,24 70x16 'How to play'";
        QTest::newRow("lblHighScore") << &g.lblHighScore << "108,54 67x16 'High Score'";
        QTest::newRow("lblAbout") << &g.lblAbout << "126,81 35x16 'About'";
        QTest::newRow("btnStart") << &g.btnStart << "432,438 118x34 'Start'";
        QTest::newRow("cmdExit") << &g.cmdExit << "618,465 16x16 'X' tip 'Close'";
    }
    void designStateAfterStartUp()
    {
        QFETCH(const Control *, control);
        QFETCH(QString, expected);
        QCOMPARE(describe(*control), expected);
    }

    void startUpWaitsForStartAndBlanksItsMessage()
    {
        GameHarness h;
        frmMain &g = h.game();
        QCOMPARE(h.state(), BeforeStart);
        QCOMPARE(g.Timer1.interval(), 4000);
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Press Start"));
        h.advance(1);
        QCOMPARE(g.lblResult.caption(), QString());
        h.advance(60000);
        QCOMPARE(incoming(g), QStringLiteral("........"));
        QCOMPARE(h.log.lines, QStringList());
    }

    void wordListFailureShowsTheErrorAndEnds_data()
    {
        QTest::addColumn<int>("error"); // -1: missing, 0: empty file
        QTest::addColumn<QString>("message");
        const auto text = [](int n) { return QString::fromLocal8Bit(std::strerror(n)); };
        QTest::newRow("missing") << -1 << "Error 2 opening file.\r\n" + text(ENOENT);
        QTest::newRow("empty") << 0 << "Error 61 opening file.\r\n" + text(ENODATA);
        QTest::newRow("no read permission") << EACCES << "Error 13 opening file.\r\nno access";
        QTest::newRow("read error") << EIO << "Error 5 opening file.\r\nbroken disk";
    }
    void wordListFailureShowsTheErrorAndEnds()
    {
        QFETCH(int, error);
        QFETCH(QString, message);
        auto h = GameHarness::unloaded();
        h->files.remove(ListPath);
        if (error == 0) {
            h->files.put(ListPath, {});
        } else if (error > 0) {
            h->files.failWith(ListPath, error, message.section(QLatin1Char('\n'), 1));
        }
        frmMain &g = h->game();
        QStringList whileOpen;
        h->messageBox.whileOpen = [&] {
            h->advance(60000); // the player reads it for a minute: nothing moves meanwhile
            whileOpen = h->log.lines;
            whileOpen << h->state() << incoming(g) << g.lblResult.caption();
        };
        h->load();
        QCOMPARE(whileOpen,
                 (QStringList{"message " + message, BeforeStart, "........", "Press Start"}));
        QVERIFY(g.loadFailed() && g.isUnloaded());
        QCOMPARE(g.words().size(), 0);
        h->play(QStringLiteral("start restart wait:60000"));
        QCOMPARE(h->state(), BeforeStart + " unloaded");
        QCOMPARE(h->log.lines.size(), 1);
    }

    void startButtonFollowsItsCaption_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("state");
        QTest::newRow("Start") << "start" << Fresh;
        QTest::newRow("Pause") << "start start"
                               << "Resume level 1 rows 11 score 0 overlay 'Paused' field off menu "
                                  "off fill 400 off pace off";
        QTest::newRow("Resume") << "start start start" << Fresh;
        QTest::newRow("Restart after a scored game over")
            << "start push:CATDOGXY spell:cat enter wait:9000 over start" << Fresh;
        QTest::newRow("closed window ignores it") << "unload start" << BeforeStart + " unloaded";
    }
    void startButtonFollowsItsCaption()
    {
        QFETCH(QString, steps);
        QFETCH(QString, state);
        GameHarness h;
        h.play(steps);
        QCOMPARE(h.state(), state);
    }

    void unknownCaptionDoesNothing()
    {
        GameHarness h;
        h.game().btnStart.setCaption(QStringLiteral("start"));
        h.play(QStringLiteral("start"));
        QCOMPARE(h.state(), QString(BeforeStart).replace(0, 5, QStringLiteral("start")));
    }

    void restartEmptiesTheBoardAndTheWord()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start push:CATDOGXY push:ABCDEFGH spell:ca enter wait:5000 start"));
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 600);
        g.RestartGame();
        QCOMPARE(h.state(), Fresh);
        QCOMPARE(g.OoperDaba.count(), 1);
        QVERIFY(!g.OoperDaba[0].isVisible());
        QCOMPARE(h.word() + g.lblResult.caption() + incoming(g), QStringLiteral("........"));
        QCOMPARE(int(g.resultPos()), 1);
        h.advance(400);
        QVERIFY(QRegularExpression(QStringLiteral("^[A-Z]\\.{7}$")).match(incoming(g)).hasMatch());
    }

    void eightTicksFillTheRowAndTheNinthPushesIt()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start"));
        for (int i = 1; i <= 8; ++i) {
            h.advance(399);
            QCOMPARE(incoming(g).count(QLatin1Char('.')), 9 - i);
            h.advance(1);
            const QRegularExpression filled(QStringLiteral("^[A-Z]{%1}\\.{%2}$").arg(i).arg(8 - i));
            QVERIFY2(filled.match(incoming(g)).hasMatch(), qPrintable(incoming(g)));
        }
        const QString row = incoming(g);
        QCOMPARE(h.stackPicture(), QStringList());
        h.advance(400);
        QCOMPARE(h.stackPicture(), QStringList{row});
        QCOMPARE(incoming(g), QStringLiteral("........"));
        QCOMPARE(h.state(),
                 QString(Fresh).replace(QStringLiteral("rows 11"), QStringLiteral("rows 10")));
        h.advance(400);
        QCOMPARE(incoming(g).count(QLatin1Char('.')), 7);
        QVERIFY(g.NichlaDaba[0].isVisible());
    }

    // A tile is a vowel when r x 4 rounds to 1 (halves go to the even neighbour), otherwise a
    // letter r x 90 + 65 rounded, drawn again above 90; a vowel b = r x 5 + 1 rounded gives
    // 1 U, 2 O, 3 I, 4 E, 5 and 6 A.
    void drawsGiveLetters_data()
    {
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("letter");
        const double below1 = std::nextafter(1.0, 0.0);
        QTest::newRow("r x 4 = 0.5: letter") << QList<double>{0.125, 0.0} << "A";
        QTest::newRow("just above 0.5: vowel")
            << QList<double>{std::nextafter(0.125, 1.0), 0.0} << "U";
        QTest::newRow("r x 4 = 1: vowel") << QList<double>{0.25, 0.0} << "U";
        QTest::newRow("just below 1.5: vowel")
            << QList<double>{std::nextafter(0.375, 0.0), 0.0} << "U";
        QTest::newRow("r x 4 = 1.5: letter") << QList<double>{0.375, 0.0} << "A";
        QTest::newRow("r near 1: letter") << QList<double>{below1, 0.0} << "A";
        QTest::newRow("65.5 to the even 66") << QList<double>{0, 0.5 / 90} << "B";
        QTest::newRow("66.5 to the even 66") << QList<double>{0, 1.5 / 90} << "B";
        QTest::newRow("89.5 to the even 90") << QList<double>{0, 24.5 / 90} << "Z";
        QTest::newRow("90.5 to the even 90") << QList<double>{0, 25.5 / 90} << "Z";
        QTest::newRow("91 drawn again") << QList<double>{0, 26.0 / 90, 1.0 / 90} << "B";
        QTest::newRow("154.9 and 110 drawn again")
            << QList<double>{0, below1, 0.5, 24.0 / 90} << "Y";
        QTest::newRow("b 1.5 to the even 2") << QList<double>{0.25, 0.1} << "O";
        QTest::newRow("b 2.5 to the even 2") << QList<double>{0.25, 0.3} << "O";
        QTest::newRow("b 3") << QList<double>{0.25, 0.4} << "I";
        QTest::newRow("b 4") << QList<double>{0.25, 0.6} << "E";
        QTest::newRow("b 5") << QList<double>{0.25, 0.8} << "A";
        QTest::newRow("b just below 6") << QList<double>{0.25, below1} << "A";
    }
    void drawsGiveLetters()
    {
        QFETCH(QList<double>, draws);
        QFETCH(QString, letter);
        GameHarness h;
        h.play(QStringLiteral("start"));
        for (double d : draws) {
            h.draws.script(d);
        }
        const long long before = h.draws.drawn();
        h.game().TimerNichlaDabaFill_Timer();
        QCOMPARE(h.game().NichlaDaba[0].caption(), letter);
        QCOMPARE(h.draws.drawn() - before, draws.size());
    }

    void pushedRowsStandOneStrideAboveTheNext()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start"));
        // Element 0 as a player may have left it: picked, then hidden by a reset.
        g.OoperDaba[0].setBackColor(frmMain::PickedColour);
        g.OoperDaba[0].setEnabled(false);
        for (int pushes = 1; pushes <= 10; ++pushes) {
            h.pushRow(QStringLiteral("QWERTYUI"));
            QCOMPARE(g.OoperDaba.count(), 8 * pushes);
            for (int k = 0; k < 8 * pushes; ++k) {
                const int top = 370 - 41 * (pushes - 1 - k / 8);
                QCOMPARE(describe(g.OoperDaba[k]), QStringLiteral("%1,%2 40x40 '%3' back #c0ffff")
                                                       .arg(3 + 42 * (k % 8))
                                                       .arg(top)
                                                       .arg(QStringLiteral("QWERTYUI")[k % 8]));
            }
        }
    }

    void viewHearsEveryTileMadeAndDestroyed()
    {
        GameHarness h({QStringLiteral("abcdefgh")});
        frmMain &g = h.game();
        View view;
        g.setObserver(&view);
        h.play(QStringLiteral("start"));
        for (int row = 0; row <= 6; ++row) {
            h.pushRow(QStringLiteral("ABCDEFGH"));
            QCOMPARE(view.tiles, range(1, 8 * row + 7));
        }
        QVERIFY(view.changes > 56);
        h.enterTiles({48, 49, 50, 51, 52, 53, 54, 55}); // hides them, destroys none
        QCOMPARE(view.tiles, range(1, 55));
        g.RestartGame();
        QCOMPARE(view.tiles, QSet<int>());
        h.play(QStringLiteral("push:ABCDEFGH push:ABCDEFGH rows:1 push:ABCDEFGH"));
        QCOMPARE(view.tiles, QSet<int>());
        QCOMPARE(view.overlayRows, 205); // the first line falls below the surface
        h.play(QStringLiteral("push:ABCDEFGH unload"));
        QCOMPARE(view.tiles, range(1, 7));
        QVERIFY(view.closed);
        QCOMPARE(view.faults + view.moving, 0);
        g.setObserver(nullptr);
    }

    // Rows are pushed oldest first; '*' marks the word's tiles, clicked in index order; then
    // the stack as it shows, top line first, and once more after a push of STUVWXYZ.
    void wordTilesVanishAndTilesAboveDrop_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("after");
        const QStringList five{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX", "YZABCDEF", "GHIJKLMN"};
        const QStringList three{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX"};
        QTest::newRow("bottom tile of a column five high")
            << five << QStringList{"........", "........", "........", "........", "..*....."}
            << QStringList{"AB.DEFGH", "IJCLMNOP", "QRKTUVWX", "YZSBCDEF", "GHAJKLMN"};
        QTest::newRow("two tiles of one column")
            << five << QStringList{"........", "........", "..*.....", "........", "..*....."}
            << QStringList{"AB.DEFGH", "IJ.LMNOP", "QRCTUVWX", "YZKBCDEF", "GHAJKLMN"};
        QTest::newRow("several columns and rows")
            << five << QStringList{"........", ".*......", "...*..*.", ".*......", "*......*"}
            << QStringList{"..C.EF..", "A.KDMNGH", "IBSLUVOP", "QRABCDEX", "YHIJKLMF"};
        QTest::newRow("tiles of the oldest row only: nothing moves")
            << three << QStringList{"*......*", "........", "........"}
            << QStringList{".BCDEFG.", "IJKLMNOP", "QRSTUVWX"};
        QTest::newRow("first tile of the second row")
            << three << QStringList{"........", "*.......", "........"}
            << QStringList{".BCDEFGH", "AJKLMNOP", "QRSTUVWX"};
        QTest::newRow("the whole bottom row")
            << three << QStringList{"........", "........", "********"}
            << QStringList{"ABCDEFGH", "IJKLMNOP"};
        QTest::newRow("a whole column") << three << QStringList{".....*..", ".....*..", ".....*.."}
                                        << QStringList{"ABCDE.GH", "IJKLM.OP", "QRSTU.WX"};
        QTest::newRow("one tile of a single row")
            << QStringList{"ABCDEFGH"} << QStringList{"...*...."} << QStringList{"ABC.EFGH"};
    }
    void wordTilesVanishAndTilesAboveDrop()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, removed);
        QFETCH(QStringList, after);
        QList<int> tiles;
        QString word;
        for (int k = 0; k < 8 * rows.size(); ++k) {
            if (removed[k / 8][k % 8] == u'*') {
                tiles << k;
                word += rows[k / 8][k % 8];
            }
        }
        GameHarness h({word.toLower()});
        frmMain &g = h.game();
        h.play(QStringLiteral("start"));
        for (const QString &row : rows) {
            h.pushRow(row);
        }
        QCOMPARE(h.stackPicture(), rows);
        h.enterTiles(tiles);
        QCOMPARE(h.stackPicture(), after);
        QCOMPARE(h.word(), QString());
        QList<float> tops;
        for (int k = 0; k < g.OoperDaba.count(); ++k) {
            tops << g.OoperDaba[k].top() - 41;
        }
        h.pushRow(QStringLiteral("STUVWXYZ"));
        QCOMPARE(h.stackPicture(), after << QStringLiteral("STUVWXYZ"));
        for (int k = 0; k < tops.size(); ++k) {
            QCOMPARE(g.OoperDaba[k].top(), tops[k]); // hidden tiles move up with the rest
        }
    }

    // A hidden tile keeps its place in its column: below row 0 it goes down with the tiles
    // above it, in row 0 it stays.
    void removedTilesMoveWithTheirColumn()
    {
        GameHarness h({QStringLiteral("ckse")});
        h.play(QStringLiteral("start push:ABCDEFGH push:IJKLMNOP push:QRSTUVWX"));
        h.enterTiles({2, 10, 18, 4});
        QList<float> tops;
        for (int k : {2, 10, 18, 4, 12}) {
            tops << h.game().OoperDaba[k].top();
        }
        QCOMPARE(tops, (QList<float>{370, 411, 411, 288, 329}));
    }

    // The pacing timer ticks 4 s after Start and after each push, slowing the fill by 200 ms
    // up to 2 s; after the game over it ticks once more, only to stop itself.
    void pacingSlowsTheFillRowByRow()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start"));
        QList<int> intervals;
        for (long long ticks = 0; !g.gameOver(); h.advance(100)) {
            if (g.Timer1.ticks() != ticks) {
                ticks = g.Timer1.ticks();
                intervals << g.TimerNichlaDabaFill.interval();
            }
        }
        QCOMPARE(intervals, (QList<int>{600, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2000}));
        QVERIFY(g.Timer1.isEnabled());
        const long long ticks = g.Timer1.ticks(), fills = g.TimerNichlaDabaFill.ticks();
        h.advance(60000);
        QCOMPARE(g.Timer1.ticks(), ticks + 1);
        QCOMPARE(g.TimerNichlaDabaFill.ticks(), fills);
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 2000);
        QVERIFY(!g.Timer1.isEnabled());
    }

    // Tiles of a one-row stack as "k=Top" (visible) or "k=Toph" (hidden); a warning below
    // Top 60, game over at 20 and above, the first visible tile in index order deciding.
    void topWatchTakesTheFirstVisibleTileInIndexOrder_data()
    {
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("61: nothing") << "3=61"
                                     << "";
        QTest::newRow("60: nothing") << "3=60"
                                     << "";
        QTest::newRow("59.5: warning") << "3=59.5"
                                       << "Be Carefull";
        QTest::newRow("21: warning") << "3=21"
                                     << "Be Carefull";
        QTest::newRow("20.5: warning") << "3=20.5"
                                       << "Be Carefull";
        QTest::newRow("20: game over") << "3=20"
                                       << "Game Over!";
        QTest::newRow("-40: game over") << "3=-40"
                                        << "Game Over!";
        QTest::newRow("warning tile before a higher one") << "0=42 1=1"
                                                          << "Be Carefull";
        QTest::newRow("top tile before a warning tile") << "2=20 5=42"
                                                        << "Game Over!";
        QTest::newRow("hidden top tile skipped") << "0=1h 4=59"
                                                 << "Be Carefull";
        QTest::newRow("hidden tiles never count") << "0=1h 1=42h 7=-3h"
                                                  << "";
        QTest::newRow("hidden warning tile, then a top one") << "1=50h 6=10"
                                                             << "Game Over!";
        QTest::newRow("low tiles before a warning tile") << "0=300 1=100 7=59"
                                                         << "Be Carefull";
    }
    void topWatchTakesTheFirstVisibleTileInIndexOrder()
    {
        QFETCH(QString, tiles);
        QFETCH(QString, outcome);
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start push:ABCDEFGH wait:2000"));
        for (const QString &item : tiles.split(QLatin1Char(' '))) {
            Control &t = g.OoperDaba[item.section(QLatin1Char('='), 0, 0).toInt()];
            t.setTop(item.section(QLatin1Char('='), 1).remove(QLatin1Char('h')).toFloat());
            t.setVisible(!item.endsWith(QLatin1Char('h')));
        }
        g.checkTopTouch();
        QCOMPARE(g.gameOver() ? g.lblBlack.caption() : g.lblResult.caption(), outcome);
    }

    void warningBeepsAndBlanksTwoSecondsLater()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start ") + QStringLiteral("push:ABCDEFGH ").repeated(8) +
               "wait:2000");
        h.log.clear();
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(h.log.lines, (QStringList{"beep", "sound warning.wav"}));
        QCOMPARE(describe(g.lblResult), "90,18 103x25 'Be Carefull' fore #fa3232");
        QCOMPARE(h.state(),
                 QString(Fresh).replace(QStringLiteral("rows 11"), QStringLiteral("rows 2")));
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Be Carefull"));
        h.advance(1);
        QCOMPARE(g.lblResult.caption(), QString());
    }

    // The level's last row: the next level's rows (level x 3 + 8) and an empty board, the
    // word emptied, the fill back at 400 ms and its first tick, due during the paint, after it.
    void lastRowOfALevelGivesTheNext_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("rows");
        QTest::newRow("1 to 2") << 1 << 14;
        QTest::newRow("3 to 4") << 3 << 20;
        QTest::newRow("99 to 100") << 99 << 308;
    }
    void lastRowOfALevelGivesTheNext()
    {
        QFETCH(int, level);
        QFETCH(int, rows);
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start push:CATDOGXY spell:ca enter rows:2 level:%1").arg(level));
        h.play(QStringLiteral("push:ABCDEFGH"));
        QCOMPARE(g.lblRowsLeft.caption() + g.lblLevel.caption(), "1" + QString::number(level));
        g.Timer1_Timer();
        g.Timer1_Timer();
        QString during;
        h.clock.at(h.clock.now() + 500, [&] {
            during = h.word() + g.lblLevel.caption() + "/" + g.lblRowsLeft.caption() + "/" +
                     QString::number(g.OoperDaba.count());
        });
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(during, QStringLiteral("%1/%2/24").arg(level + 1).arg(rows));
        QCOMPARE(h.state(), QString(Fresh).replace(
                                QStringLiteral("level 1 rows 11"),
                                QStringLiteral("level %1 rows %2").arg(level + 1).arg(rows)));
        QCOMPARE(g.OoperDaba.count(), 1);
        QCOMPARE(g.lblResult.caption() + h.stackPicture().join(QString()), QString());
        QCOMPARE(incoming(g).count(QLatin1Char('.')), 7);
        QVERIFY(g.NichlaDaba[0].isVisible());
    }

    // The overlay's gradient rises from the bottom, one row a step darker from 254 down to 51,
    // over a second on the clock: green for a level up, red for a game over. Clicks meanwhile
    // are ignored; a window closed meanwhile stops it.
    void overlayPaintAtLevelUpAndGameOver_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("green");
        QTest::addColumn<QString>("during");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("after");
        const QString nine =
            QStringLiteral("start ") + QStringLiteral("push:ABCDEFGH ").repeated(9);
        const QString levelUp = QStringLiteral("Pause level 2 rows 14 score 0 overlay 'Level Up!' "
                                               "field on menu off fill 400 ");
        const QString over = QStringLiteral("Restart level 1 rows 2 score 0 overlay 'Game Over!' "
                                            "field on menu on fill 400 off pace ");
        const QStringList ended{"beep", "sound gameend.wav", "beep", "window Record", "beep"};
        QTest::newRow("level up") << "start rows:1" << false << true << levelUp + "on pace on"
                                  << QStringList{"sound levelup.wav", "beep"}
                                  << QString(Fresh).replace(QStringLiteral("1 rows 11"),
                                                            QStringLiteral("2 rows 14"));
        QTest::newRow("level up, window closed")
            << "start rows:1" << true << true << levelUp + "on pace on"
            << QStringList{"sound levelup.wav"} << levelUp + "off pace off unloaded";
        QTest::newRow("game over")
            << nine << false << false << over + "off over" << ended << over + "on over";
        QTest::newRow("game over on the level's last row")
            << nine + "rows:1" << false << false
            << QString(over).replace(QStringLiteral("rows 2"), QStringLiteral("rows 1")) +
                   "off over"
            << ended
            << QString(over).replace(QStringLiteral("rows 2"), QStringLiteral("rows 1")) +
                   "on over";
        QTest::newRow("game over, window closed")
            << nine << true << false << over + "off over"
            << QStringList{"beep", "sound gameend.wav"} << over + "off over unloaded";
    }
    void overlayPaintAtLevelUpAndGameOver()
    {
        QFETCH(QString, steps);
        QFETCH(bool, closed);
        QFETCH(bool, green);
        QFETCH(QString, during);
        QFETCH(QStringList, log);
        QFETCH(QString, after);
        GameHarness h;
        frmMain &g = h.game();
        h.play(steps);
        h.log.clear();
        const std::int64_t start = h.clock.now();
        QString seen;
        h.clock.at(start + frmMain::PaintDurationMs / 2, [&] {
            seen = h.state();
            g.btnStart_Click();
            g.cmdExit_Click();
            g.lblHowTo_Click();
            g.lblHighScore_Click();
            g.lblAbout_Click();
            if (closed) {
                g.Form_Unload();
            }
        });
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(seen, during);
        QCOMPARE(h.log.lines, log);
        QCOMPARE(h.state(), after);
        const OverlaySurface &s = g.picBlackDrawing();
        QCOMPARE(s.linesDrawn() == 204, !closed);
        QCOMPARE(h.clock.now() - start == frmMain::PaintDurationMs, !closed);
        for (int y = 0; y < s.height(); ++y) {
            const int intensity = 255 - (469 - y);
            if (y < 469 - s.linesDrawn()) {
                QVERIFY(!s.line(y));
            } else {
                QCOMPARE(s.line(y)->colour,
                         green ? Colour::rgb(0, intensity, 0) : Colour::rgb(intensity, 0, 0));
                QCOMPARE(s.line(y)->x1 * 1000 + s.line(y)->x2, 1343);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
