#include "support/gameharness.h"

#include <QTest>

// Words built and checked, and the menu's highlight.

class TestWordPlay : public QObject
{
    Q_OBJECT
private slots:
    // In a game whose stack holds CATDOGXY, with ox and cat listed. A word scores
    // ten times the square of its length.
    void wordPlay_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("facts");
        QTest::newRow("three clicks: the letters in order, the tiles picked")
            << "click:0 click:1 click:2"
            << QStringList{"word=CAT", "stack=catDOGXY", "heard=click click click"};
        QTest::newRow("the last letter clicked twice: one letter back")
            << "spell:cat slot:3 slot:3" << QStringList{"word=CA", "stack=caTDOGXY"};
        QTest::newRow("Backspace, also past the first letter")
            << "spell:ca back back back" << QStringList{"word=", "stack=CATDOGXY"};
        QTest::newRow("Clear, then Clear on the empty word")
            << "spell:cat clear clear"
            << QStringList{"word=", "stack=CATDOGXY", "heard=click click click clear"};
        QTest::newRow("a key takes the lowest tile, then the next")
            << "push:CXXXXXXX spell:cc" << QStringList{"stack=cATDOGXY cXXXXXXX"};
        QTest::newRow("cat: Correct, 90 points, the tiles gone")
            << "spell:cat enter"
            << QStringList{"lblResult=Correct", "lblScore=90", "stack=...DOGXY",
                           "heard=click click click correct"};
        QTest::newRow("ca: Wrong, the word stays")
            << "spell:ca enter"
            << QStringList{"lblResult=Wrong", "word=CA", "heard=click click wrong"};
        QTest::newRow("after the game over: Correct, no points")
            << "spell:ox over enter" << QStringList{"lblResult=Correct", "lblScore=0"};
    }
    void wordPlay()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, facts);
        GameHarness h({"ox", "cat"});
        h.play("start push:CATDOGXY " + steps);
        QCOMPARE(h.facts(facts), facts);
    }

    // A menu label lights under the pointer; the frame's free area puts the lights
    // out, but not in a game.
    void menuHighlightFollowsThePointer()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.lblHowTo_MouseMove();
        g.lblAbout_MouseMove();
        QCOMPARE(h.fact("blue"), "blue=How to play, About");
        g.frameAbout_MouseMove();
        QCOMPARE(h.fact("blue"), "blue=");
        g.lblHighScore_MouseMove();
        h.play("start");
        g.frameAbout_MouseMove();
        g.lblAbout_MouseMove();
        QCOMPARE(h.fact("blue"), "blue=High Score");
    }
};

QTEST_GUILESS_MAIN(TestWordPlay)
#include "test_wordplay.moc"
