#include "game/mainobserver.h"
#include "support/gameharness.h"

#include <QSet>
#include <QTest>

namespace {

const QStringList Alphabet = [] {
    QStringList words;
    for (char c = 'a'; c <= 'z'; ++c) {
        words << QString(QLatin1Char(c));
    }
    return words;
}();

// Hears which stack tiles exist, as a view does.
class TileLife : public MainObserver
{
public:
    QSet<int> alive;
    int loads = 0;
    int faults = 0; // a tile created twice, destroyed while absent, or element 0 destroyed

    void controlChanged(const Control &) override {}
    void tileLoaded(int k) override
    {
        ++loads;
        faults += k == 0 || alive.contains(k);
        alive.insert(k);
    }
    void tileUnloaded(int k) override
    {
        faults += k == 0 || !alive.contains(k);
        alive.remove(k);
    }
    void overlayChanged(int) override {}
    void unloaded() override {}
};

QSet<int> range(int first, int last)
{
    QSet<int> s;
    for (int k = first; k <= last; ++k) {
        s.insert(k);
    }
    return s;
}

} // namespace

class TestTileStack : public QObject
{
    Q_OBJECT
private slots:
    void firstPushMakesElementZeroTheFirstTile()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        // Element 0 as a player might have left it: picked colour, disabled.
        g.OoperDaba[0].setBackColor(frmMain::PickedColour);
        g.OoperDaba[0].setEnabled(false);
        h.pushRow(QStringLiteral("QWERTYUI"));
        const float lefts[] = {3, 45, 87, 129, 171, 213, 255, 297};
        QCOMPARE(g.OoperDaba.count(), 8);
        for (int k = 0; k <= 7; ++k) {
            const Control &t = g.OoperDaba[k];
            QCOMPARE(t.left(), lefts[k]);
            QCOMPARE(t.top(), 370.0f);
            QCOMPARE(t.width(), 40.0f);
            QCOMPARE(t.height(), 40.0f);
            QVERIFY(t.isVisible());
            QVERIFY(t.isEnabled());
            QCOMPARE(t.backColor(), Colour::rgb(192, 255, 255));
            QCOMPARE(t.caption(), QString(QStringLiteral("QWERTYUI")[k]));
        }
    }

    // Rows stand at 370, 329, ..., 1 by age, hidden tiles included.
    void pushedRowsRiseOneStrideEach()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        const float tops[] = {370, 329, 288, 247, 206, 165, 124, 83, 42, 1};
        for (int pushes = 1; pushes <= 10; ++pushes) {
            h.pushRow(QStringLiteral("ABCDEFGH"));
            QCOMPARE(int(g.topRow()), pushes - 1);
            QCOMPARE(g.OoperDaba.count(), 8 * pushes);
            for (int row = 0; row < pushes; ++row) {
                for (int k = 8 * row; k <= 8 * row + 7; ++k) {
                    QCOMPARE(g.OoperDaba[k].top(), tops[pushes - 1 - row]);
                }
            }
        }
    }

    void tilesLiveExactlyAsLongAsTheirRows()
    {
        GameHarness h({QStringLiteral("abcdefgh")});
        frmMain &g = h.game();
        TileLife life;
        g.setObserver(&life);
        g.btnStart_Click();
        for (int row = 0; row <= 6; ++row) {
            h.pushRow(QStringLiteral("ABCDEFGH"));
            QCOMPARE(life.alive, range(1, 8 * row + 7));
            QCOMPARE(g.OoperDaba.count(), 8 * row + 8);
            QVERIFY(!g.OoperDaba.exists(8 * row + 8));
        }
        // A word hides tiles but destroys none.
        h.enterTiles({48, 49, 50, 51, 52, 53, 54, 55});
        QCOMPARE(g.OoperDaba.count(), 56);
        QCOMPARE(life.alive, range(1, 55));

        // The restart destroys every tile but element 0, which is only hidden.
        g.RestartGame();
        QVERIFY(life.alive.isEmpty());
        QCOMPARE(g.OoperDaba.count(), 1);
        QVERIFY(g.OoperDaba.exists(0));
        QVERIFY(!g.OoperDaba[0].isVisible());

        // A level-up does the same; element 0 is reused by the next level's first row.
        g.lblRowsLeft.setCaption(QStringLiteral("3"));
        for (int i = 0; i < 3; ++i) {
            h.pushRow(QStringLiteral("ABCDEFGH"));
        }
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("2"));
        QVERIFY(life.alive.isEmpty());
        QCOMPARE(g.OoperDaba.count(), 1);
        QVERIFY(!g.OoperDaba[0].isVisible());
        h.pushRow(QStringLiteral("ABCDEFGH"));
        QCOMPARE(life.alive, range(1, 7));
        QVERIFY(g.OoperDaba[0].isVisible());
        QCOMPARE(life.faults, 0);
        QCOMPARE(life.loads, 7 * 8 - 1 + 3 * 8 - 1 + 7);
    }

    // Rows are pushed oldest first; '*' in `removed` marks the tiles of the word (clicked in
    // index order); `after` is the stack as it then shows, top line first.
    void wordTilesVanishAndTilesAboveDrop_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("after");
        const QStringList five{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX", "YZABCDEF", "GHIJKLMN"};
        QTest::newRow("bottom tile of a column five high")
            << five << QStringList{"........", "........", "........", "........", "..*....."}
            << QStringList{"AB.DEFGH", "IJCLMNOP", "QRKTUVWX", "YZSBCDEF", "GHAJKLMN"};
        QTest::newRow("two tiles of one column")
            << five << QStringList{"........", "........", "..*.....", "........", "..*....."}
            << QStringList{"AB.DEFGH", "IJ.LMNOP", "QRCTUVWX", "YZKBCDEF", "GHAJKLMN"};
        QTest::newRow("tiles of the oldest row only: nothing moves")
            << QStringList{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX"}
            << QStringList{"*......*", "........", "........"}
            << QStringList{".BCDEFG.", "IJKLMNOP", "QRSTUVWX"};
        QTest::newRow("several columns and rows")
            << five << QStringList{"........", ".*......", "...*..*.", ".*......", "*......*"}
            << QStringList{"..C.EF..", "A.KDMNGH", "IBSLUVOP", "QRABCDEX", "YHIJKLMF"};
        QTest::newRow("the whole bottom row") << QStringList{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX"}
                                              << QStringList{"........", "........", "********"}
                                              << QStringList{"ABCDEFGH", "IJKLMNOP"};
        QTest::newRow("a whole column") << QStringList{"ABCDEFGH", "IJKLMNOP", "QRSTUVWX"}
                                        << QStringList{".....*..", ".....*..", ".....*.."}
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
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < 8; ++c) {
                if (removed[r][c] == u'*') {
                    tiles << 8 * r + c;
                    word += rows[r][c];
                }
            }
        }
        GameHarness h({word.toLower()});
        frmMain &g = h.game();
        g.btnStart_Click();
        for (const QString &row : rows) {
            h.pushRow(row);
        }
        QCOMPARE(h.stackPicture(), rows);
        h.enterTiles(tiles);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        QCOMPARE(h.stackPicture(), after);
        QCOMPARE(h.stackLayoutFault(), QString());
        for (int k : tiles) {
            QVERIFY(!g.OoperDaba[k].isVisible());
        }
        // The word row is empty again and the stack kept every tile.
        QVERIFY(h.word().isEmpty());
        QCOMPARE(g.OoperDaba.count(), 8 * int(rows.size()));
    }

    // A push after a drop moves every older tile, hidden or not, up by exactly one stride.
    void pushAfterADropKeepsTheColumnsPacked()
    {
        GameHarness h({QStringLiteral("jtwzgn")});
        frmMain &g = h.game();
        g.btnStart_Click();
        for (const char *row : {"ABCDEFGH", "IJKLMNOP", "QRSTUVWX", "YZABCDEF", "GHIJKLMN"}) {
            h.pushRow(QLatin1String(row));
        }
        h.enterTiles({9, 19, 22, 25, 32, 39});
        QList<float> before;
        for (int k = 0; k < 40; ++k) {
            before << g.OoperDaba[k].top();
        }
        h.pushRow(QStringLiteral("STUVWXYZ"));
        for (int k = 0; k < 40; ++k) {
            QCOMPARE(g.OoperDaba[k].top(), before[k] - 41);
        }
        QCOMPARE(h.stackPicture(), (QStringList{"..C.EF..", "A.KDMNGH", "IBSLUVOP", "QRABCDEX",
                                                "YHIJKLMF", "STUVWXYZ"}));
        QCOMPARE(h.stackLayoutFault(), QString());
    }

    // Hidden tiles keep their place in the column: one removed below row 0 goes down with the
    // tiles above it, one in row 0 stays where it was.
    void removedTilesMoveWithTheirColumn()
    {
        GameHarness h({QStringLiteral("ckse")});
        frmMain &g = h.game();
        g.btnStart_Click();
        for (const char *row : {"ABCDEFGH", "IJKLMNOP", "QRSTUVWX"}) {
            h.pushRow(QLatin1String(row));
        }
        h.enterTiles({2, 10, 18, 4}); // C (row 0), K and S below it, E (row 0)
        QCOMPARE(g.OoperDaba[2].top(), 288.0f + 82);
        QCOMPARE(g.OoperDaba[10].top(), 329.0f + 82);
        QCOMPARE(g.OoperDaba[18].top(), 370.0f + 41);
        QCOMPARE(g.OoperDaba[4].top(), 288.0f);
        QCOMPARE(g.OoperDaba[12].top(), 329.0f);
    }

    // On the clock: Timer1 ticks 4000 ms after each enabling and each push enables it again,
    // so the interval climbs one step per row until the level ends.
    void pacingOnTheClockThroughALevel()
    {
        GameHarness h(Alphabet);
        frmMain &g = h.game();
        g.btnStart_Click();
        QList<int> atTicks;
        QList<std::int64_t> tickTimes;
        long long ticks = g.Timer1.ticks();
        int top = -1;
        while (g.lblLevel.caption() == QLatin1String("1") && h.clock.now() < 600000) {
            h.advance(1);
            if (g.Timer1.ticks() != ticks) {
                ticks = g.Timer1.ticks();
                atTicks << g.TimerNichlaDabaFill.interval();
                tickTimes << h.clock.now();
            }
            if (g.topRow() > top) {
                // Take the new row away, letter by letter, so the stack stays low.
                top = g.topRow();
                for (int k = 8 * top; k <= 8 * top + 7; ++k) {
                    h.enterTiles({k});
                }
            }
        }
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("2"));
        QCOMPARE(tickTimes.value(0), std::int64_t{4000});
        QCOMPARE(atTicks, (QList<int>{600, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2000, 2000}));
        QCOMPARE(g.TimerNichlaDabaFill.interval(), 400);
        QVERIFY(!g.gameOver());
    }

    void pacingTickAfterGameOverOnlyStopsItself()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        g.Timer1_Timer();
        g.Timer1_Timer();
        for (int i = 0; i < 10; ++i) {
            h.pushRow(QStringLiteral("ABCDEFGH"));
        }
        QVERIFY(g.gameOver());
        QVERIFY(g.Timer1.isEnabled());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        const int interval = g.TimerNichlaDabaFill.interval();
        const long long fills = g.TimerNichlaDabaFill.ticks();
        h.advance(4000);
        QCOMPARE(g.Timer1.ticks(), 1);
        QVERIFY(!g.Timer1.isEnabled());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QCOMPARE(g.TimerNichlaDabaFill.interval(), interval);
        h.advance(60000);
        QCOMPARE(g.Timer1.ticks(), 1);
        QCOMPARE(g.TimerNichlaDabaFill.ticks(), fills);
        QCOMPARE(int(g.topRow()), 9);
    }
};

QTEST_GUILESS_MAIN(TestTileStack)
#include "test_tilestack.moc"
