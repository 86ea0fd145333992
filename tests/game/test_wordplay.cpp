#include "support/gameharness.h"

#include <QTest>

// Words built and checked, keys and the menu's highlight, on the main window's model.

class TestWordPlay : public QObject
{
    Q_OBJECT
private slots:
    // On a stack of CATDOGXY (ABCDEFGH and more above where pushed): the word, the first
    // eight tiles ('f' free, 'p' picked, 'h' hidden), what the player hears (the number of clicks,
    // then the rest), the message ($S Press Start and 0, $C Correct, $W Wrong), which lasts two
    // seconds from its cause, and the score, ten times the square of each word's length.
    void buildingAndCheckingWords_data()
    {
        addRows({
            "clicks and a key | start click:0 click:1 key:t | CAT pppfffff 3 $S",
            "a middle letter stays | start spell:cat slot:2 | CAT pppfffff 3 $S",
            "an empty place | start spell:cat slot:4 | CAT pppfffff 3 $S",
            "the last letter goes back | start spell:cat slot:3 slot:3 | CA ppffffff 3 $S",
            "one by one, and place 0 | start spell:cat slot:3 slot:2 slot:1 slot:0 | ffffffff 3 $S",
            "Backspace past the start | start spell:ca back back back | ffffffff 2 $S",
            "Clear | start spell:cat slot:3 clear clear | ffffffff 3 clear $S",
            "Clear of eight | start push:ABCDEFGH spell:catdogxy clear | ffffffff 8 clear $S",
            "before Start | click:0 key:c | ffffffff 0 $S",
            "paused | start start click:0 key:c | ffffffff 0 $S",
            "tile picked already | start spell:c click:0 key:c | C pfffffff 1 $S",
            "no such tile | start click:99 key:q | ffffffff 0 $S",
            "word full | start push:ABCDEFGH spell:abcdefgh click:0 key:c | ABCDEFGH ffffffff 8 $S",
            "window closed | start unload exit:0 key:c | ffffffff 0 $S",
            "wrong | start wait:1500 spell:ca enter | CA ppffffff 2 wrong $W 0",
            "empty: the message stays | start wait:1500 enter | ffffffff 0 $S",
            "1 letter, tile gone | start wait:1500 spell:a enter click:1 key:a | fhffffff 1 "
            "correct $C 10",
            "8 letters | start push:STACKING wait:1500 spell:stacking enter | ffffffff 8 correct "
            "$C 640",
            "90, 160 | start push:TILEZZZZ spell:cat enter wait:1500 spell:tile enter | hhhfffff 7 "
            "correct correct $C 250",
            "the same word twice | start push:CATZZZZZ spell:cat enter wait:1500 spell:cat enter | "
            "hhhfffff 6 correct correct $C 180",
            "after the game over | start wait:1500 spell:ox over enter | ffffhfhf 2 beep warning "
            "beep gameend beep Record beep correct $C 0",
        });
    }
    void buildingAndCheckingWords()
    {
        const QStringList f = fields();
        GameHarness h({"a", "ox", "cat", "dog", "tile", "stacking"});
        frmMain &g = h.game();
        h.play("push:CATDOGXY " + f[0]);
        QString seen = h.word() + " ";
        for (int k = 0; k < 8; ++k) {
            const QString d = describe(g.OoperDaba[k]).section(' ', 3);
            seen +=
                d.endsWith("hidden")
                    ? 'h'
                    : "?pf"[QStringList{"back #c8c8c8 disabled", "back #c0ffff"}.indexOf(d) + 1];
        }
        seen += QStringLiteral(" %1 ").arg(h.log.count("sound click.wav")) +
                h.log.lines.join(' ').remove(
                    QRegularExpression("sound click.wav|sound |window |\\.wav"));
        seen += " " + describe(g.lblResult).section(' ', 2) + " " + g.lblScore.caption();
        QCOMPARE(seen.simplified(), QString(f[1])
                                        .replace("$S", "'Press Start' fore #008000 0")
                                        .replace("$C", "'Correct' fore #0000ff")
                                        .replace("$W", "'Wrong' fore #ff0000"));
        QCOMPARE(int(g.resultPos()), h.word().size() + 1);
        const QString message = describe(g.lblResult);
        h.clock.advanceBy(1999);
        QCOMPARE(describe(g.lblResult), message); // two seconds from its cause
        h.clock.advanceBy(1);
        QCOMPARE(g.lblResult.caption(), "");
    }

    // Rows pushed oldest first; a key picks its letter's lowest tile, then the leftmost.
    void keyPicksTheLowestThenLeftmostTile_data()
    {
        addRows({"leftmost of two | CATCATXY | c | 0", "a capital typed | XXXXXXXQ | Q | 7",
                 "lower wins over leftmost | CAXXXXXX XXXXXXXC | c | 15",
                 "the same letter twice | AXAXXXXX | aa | 0 2"});
    }
    void keyPicksTheLowestThenLeftmostTile()
    {
        const QStringList f = fields();
        GameHarness h;
        h.play("start push:" + QString(f[0]).replace(" ", " push:"));
        QStringList picked;
        for (QChar c : f[1]) {
            QVERIFY(h.game().pickLetter(c));
            picked << QString::number(h.game().picked().at(picked.size()));
        }
        QCOMPARE(h.word() + picked.join(' '), f[1].toUpper() + f[2]);
    }

    // How to play, High Score and About: 'b' blue, 'k' black, after pointer moves over How to
    // play, High Score, About, the frame, the window, the overlay ('+': the menu still works).
    void menuHighlightFollowsThePointer_data()
    {
        addRows({"nothing yet | | 1 | kkk", "High Score | s | 1 | kbk", "all | h s a w | 1 | kkk",
                 "a label leaves the others | h a | 1 | bkb", "across the frame | h f a | 1 | kkb",
                 "off: no light | h a | 0 | kkk", "off: the frame keeps it | +h f | 0 | bkk",
                 "off: the window resets | +h w | 0 | kkk",
                 "off: the overlay resets | +s o | 0 | kkk"});
    }
    void menuHighlightFollowsThePointer()
    {
        const QStringList f = fields();
        GameHarness h;
        frmMain &g = h.game();
        void (frmMain::*moves[])() = {
            &frmMain::lblHowTo_MouseMove, &frmMain::lblHighScore_MouseMove,
            &frmMain::lblAbout_MouseMove, &frmMain::frameAbout_MouseMove,
            &frmMain::Form_MouseMove,     &frmMain::PicBlack_MouseMove};
        for (const QString &move : f[0].split(' ', Qt::SkipEmptyParts)) {
            g.frameAbout.setEnabled(f[1] == "1" || move.startsWith('+'));
            (g.*moves[QStringLiteral("hsafwo").indexOf(move.back())])();
        }
        QString seen;
        for (const Control *c : {&g.lblHowTo, &g.lblHighScore, &g.lblAbout}) {
            seen += "?kb"[QList{Colour(), Colour::rgb(0, 0, 255)}.indexOf(c->foreColor()) + 1];
        }
        QCOMPARE(seen, f[2]);
    }
};

QTEST_GUILESS_MAIN(TestWordPlay)
#include "test_wordplay.moc"
