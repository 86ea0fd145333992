#include "support/gameharness.h"

#include <QTest>

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    // Boards are pushed bottom row last; a letter picks its lowest tile, then the leftmost.
    void letterPicksTheLowestThenLeftmostTile_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("picked");
        QTest::newRow("one row, leftmost of two")
            << QStringList{"CATCATXY"} << "c" << QList<int>{0};
        QTest::newRow("lower row wins over older")
            << QStringList{"CAXXXXXX", "XXXXXXXC"} << "c" << QList<int>{15};
        QTest::newRow("repeated letter takes the next one")
            << QStringList{"AXAXXXXX"} << "aa" << QList<int>{0, 2};
        QTest::newRow("upper case typed works the same")
            << QStringList{"XXXXXXXQ"} << "Q" << QList<int>{7};
    }
    void letterPicksTheLowestThenLeftmostTile()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, typed);
        QFETCH(QList<int>, picked);
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        for (const QString &r : rows) {
            h.pushRow(r);
        }
        for (QChar c : typed) {
            QVERIFY(g.pickLetter(c));
        }
        for (int i = 0; i < picked.size(); ++i) {
            QCOMPARE(int(g.picked()[i]), picked[i]);
            QVERIFY(!g.OoperDaba[picked[i]].isEnabled());
        }
        QCOMPARE(h.word(), typed.toUpper());
    }

    void noPickWhereAClickCouldNotReach()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGAB"));
        g.btnStart_Click(); // paused: the overlay covers the field
        QVERIFY(!g.pickLetter(QLatin1Char('c')));
        g.btnStart_Click();
        QVERIFY(!g.pickLetter(QLatin1Char('z'))); // not on the stack
        QVERIFY(g.pickLetter(QLatin1Char('c')));
        QVERIFY(!g.pickLetter(QLatin1Char('c'))); // the only C is picked already
        QCOMPARE(h.word(), QStringLiteral("C"));
    }

    void noPickWhenTheWordIsFull()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("ABCDEFGH"));
        h.pushRow(QStringLiteral("IJKLMNOP"));
        h.spell(QStringLiteral("abcdefgh"));
        const int sounds = h.sound.paths.size();
        QVERIFY(!g.pickLetter(QLatin1Char('i')));
        QCOMPARE(h.sound.paths.size(), sounds);
        QVERIFY(g.OoperDaba[0].isEnabled() == false);
        QVERIFY(g.OoperDaba[8].isEnabled());
    }

    void takingBackFreesTheLastTileOnly()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATXXXXX"));
        h.spell(QStringLiteral("cat"));
        g.takeBackLetter();
        QCOMPARE(h.word(), QStringLiteral("CA"));
        QVERIFY(g.OoperDaba[2].isEnabled());
        QVERIFY(!g.OoperDaba[1].isEnabled());
        g.takeBackLetter();
        g.takeBackLetter();
        g.takeBackLetter(); // nothing left: no effect
        QCOMPARE(h.word(), QString());
        QCOMPARE(int(g.resultPos()), 1);
    }
};

QTEST_GUILESS_MAIN(TestKeyboard)
#include "test_keyboard.moc"
