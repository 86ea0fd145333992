#include "support/gameharness.h"

#include <QTest>

// Building and checking words, keyboard play, the sound cues and the Information menu's
// highlight, on the main window's model.

struct PlayEffectProbe // reaches the private PlayEffect, for cue numbers no handler passes
{
    static void play(frmMain &g, std::int32_t cue) { g.PlayEffect(cue); }
};

namespace {
const QStringList Words{"a", "ox", "cat", "dog", "tile", "stacking"};
} // namespace

class TestWordPlay : public QObject
{
    Q_OBJECT
private slots:
    // On a stack of CATDOGXY (and ABCDEFGH above it where pushed): the word, the first eight
    // tiles ('f' free, 'p' picked, 'h' hidden) and what the player hears (n: n clicks).
    void buildingTheWord_data()
    {
        addRows(
            {"clicks and a key | start click:0 click:1 key:t | CAT | pppfffff | 3",
             "a middle letter stays | start spell:cat slot:2 | CAT | pppfffff | 3",
             "an empty place | start spell:cat slot:4 | CAT | pppfffff | 3",
             "the last letter goes back | start spell:cat slot:3 slot:3 | CA | ppffffff | 3",
             "letter by letter, and place 0 | start spell:cat slot:3 slot:2 slot:1 slot:0 | | "
             "ffffffff | 3",
             "Backspace past the start | start spell:ca back back back | | ffffffff | 2",
             "Clear | start spell:cat slot:3 clear clear | | ffffffff | 3 clear",
             "Clear of eight letters | start push:ABCDEFGH spell:catdogxy clear | | ffffffff | 8 "
             "clear",
             "before Start | click:0 key:c | | ffffffff |",
             "paused | start start click:0 key:c | | ffffffff |",
             "tile picked already | start spell:c click:0 key:c | C | pfffffff | 1",
             "tile gone with a word | start spell:cat enter click:0 key:c | | hhhfffff | 3 correct",
             "no such tile | start click:99 key:q | | ffffffff |",
             "word full | start push:ABCDEFGH spell:abcdefgh click:0 key:c | ABCDEFGH | ffffffff | "
             "8",
             "game over | start over click:0 key:c | | ffffffff | beep warning beep gameend beep "
             "Record beep",
             "window closed | start unload exit:0 key:c | | ffffffff |"});
    }
    void buildingTheWord()
    {
        const QStringList f = fields();
        GameHarness h(Words);
        frmMain &g = h.game();
        h.play("push:CATDOGXY " + f[0]);
        QString tiles;
        for (int k = 0; k < 8; ++k) {
            const QString d = describe(g.OoperDaba[k]).section(' ', 3);
            tiles +=
                QHash<QString, QChar>{{"back #c8c8c8 disabled", 'p'}, {"back #c0ffff", 'f'}}.value(
                    d, d.endsWith("hidden") ? 'h' : '?');
        }
        const QString heard = h.log.lines.join(' ')
                                  .remove(QRegularExpression("sound |window |\\.wav"))
                                  .replace(QRegularExpression("^(click ?)+"),
                                           QString::number(h.log.count("sound click.wav")) + " ")
                                  .trimmed();
        QCOMPARE((QStringList{h.word(), tiles, heard}), f.mid(1));
        QCOMPARE(int(g.resultPos()), h.word().size() + 1);
    }

    // Enter shows its verdict for two seconds from the press, the score rising by ten times
    // the square of the word's length while the game runs. Fields: steps | message ($C:
    // Correct) | score | word left | cue.
    void enterJudgesTheWord_data()
    {
        addRows(
            {"correct | push:ABCDEFGH push:TXXXXXXX push:CAXXXXXX spell:cat | $C | 90 | | correct",
             "wrong | push:CATDOGXY spell:ca | 'Wrong' fore #ff0000 | 0 | CA | wrong",
             "empty: the message stays its two seconds more | | 'Press Start' fore #008000 | 0 | |",
             "1 letter | push:AZZZZZZZ spell:a | $C | 10 | | correct",
             "2 letters | push:OXZZZZZZ spell:ox | $C | 40 | | correct",
             "8 letters | push:STACKING spell:stacking | $C | 640 | | correct",
             "90, then 160 | push:CATZZZZZ push:TILEZZZZ spell:cat enter spell:tile | $C | 250 | | "
             "correct",
             "the same word twice | push:CATZZZZZ push:CATZZZZZ spell:cat enter spell:cat | $C | "
             "180 "
             "| | correct",
             "after the game over | push:CATZZZZZ spell:cat over | $C | 0 | | correct"});
    }
    void enterJudgesTheWord()
    {
        const QStringList f = fields().replaceInStrings("$C", "'Correct' fore #0000ff");
        GameHarness h(Words);
        frmMain &g = h.game();
        h.play("start wait:1500 " + f[0]);
        h.log.lines.clear();
        h.play("enter");
        const QStringList seen{describe(g.lblResult), g.lblScore.caption(), h.word(),
                               h.log.lines.join("").remove("sound ").remove(".wav")};
        QCOMPARE(seen, (QStringList{"90,18 103x25 " + f[1], f[2], f[3], f[4]}));
        h.advance(1999);
        QCOMPARE(describe(g.lblResult), "90,18 103x25 " + f[1]);
        h.advance(1);
        QCOMPARE(g.lblResult.caption(), "");
    }

    // Rows pushed oldest first; a key picks its letter's lowest tile, then the leftmost.
    void keyPicksTheLowestThenLeftmostTile_data()
    {
        addRows({"leftmost of two | CATCATXY | c | 0",
                 "lower wins over leftmost | CAXXXXXX XXXXXXXC | c | 15",
                 "the same letter twice | AXAXXXXX | aa | 0 2",
                 "a capital typed | XXXXXXXQ | Q | 7"});
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

    void cueNumbersPlayTheirFiles()
    {
        GameHarness h;
        for (int cue : {-1, 0, 1, 2, 3, 4, 5, 6, 7, INT_MIN, INT_MAX}) {
            PlayEffectProbe::play(h.game(), cue);
        }
        QCOMPARE(h.sound.paths.join(' ').remove("/game/sound/").remove(".wav"),
                 "click correct wrong clear warning levelup gameend");
    }

    // How to play, High Score and About: 'b' blue, 'k' black, after pointer moves; '+' moves
    // happen while the menu still works.
    void menuHighlightFollowsThePointer_data()
    {
        addRows({"nothing yet | | 1 | kkk", "High Score | highscore | 1 | kbk",
                 "a label leaves the others | howto about | 1 | bkb",
                 "across the frame | howto frame about | 1 | kkb",
                 "all, then the window | howto highscore about window | 1 | kkk",
                 "menu off: no light | howto about | 0 | kkk",
                 "menu off: the frame keeps it | +howto frame | 0 | bkk",
                 "menu off: the window resets | +howto window | 0 | kkk",
                 "menu off: the overlay resets | +highscore overlay | 0 | kkk"});
    }
    void menuHighlightFollowsThePointer()
    {
        const QStringList f = fields();
        GameHarness h;
        frmMain &g = h.game();
        const QHash<QString, void (frmMain::*)()> handlers{
            {"howto", &frmMain::lblHowTo_MouseMove},
            {"highscore", &frmMain::lblHighScore_MouseMove},
            {"about", &frmMain::lblAbout_MouseMove},
            {"frame", &frmMain::frameAbout_MouseMove},
            {"window", &frmMain::Form_MouseMove},
            {"overlay", &frmMain::PicBlack_MouseMove}};
        for (QString move : f[0].split(' ', Qt::SkipEmptyParts)) {
            g.frameAbout.setEnabled(f[1] == "1" || move.startsWith('+'));
            (g.*handlers.value(move.remove('+')))();
        }
        QString seen;
        for (const Control *c : {&g.lblHowTo, &g.lblHighScore, &g.lblAbout}) {
            seen += c->foreColor() == Colour::rgb(0, 0, 255) ? 'b'
                    : c->foreColor() == Colour()             ? 'k'
                                                             : '?';
        }
        QCOMPARE(seen, f[2]);
    }
};

QTEST_GUILESS_MAIN(TestWordPlay)
#include "test_wordplay.moc"
