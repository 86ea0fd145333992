#include "support/gameharness.h"

#include <QTest>

#include <limits>

// Building and checking words, keyboard play, the sound cues, the Information menu and the
// exit dialog, on the main window's model.

// Reaches the private PlayEffect, for cue numbers no handler passes.
struct PlayEffectProbe
{
    static void play(frmMain &g, std::int32_t cue) { g.PlayEffect(cue); }
};

namespace {

const QString Fresh = QStringLiteral(
    "Pause level 1 rows 11 score 0 overlay off field on menu off fill 400 on pace on");

// Stack tiles 0 to n - 1: 'f' free, 'p' picked, '?' anything else.
QString tiles(const frmMain &g, int n)
{
    QString s;
    for (int k = 0; k < n; ++k) {
        const QString d = describe(g.OoperDaba[k]);
        s += d.endsWith(QLatin1String("back #c0ffff"))            ? u'f'
             : d.endsWith(QLatin1String("back #c8c8c8 disabled")) ? u'p'
                                                                  : u'?';
    }
    return s;
}

} // namespace

class TestWordPlay : public QObject
{
    Q_OBJECT
private slots:
    void clickedTilesMakeTheWord()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start push:CATXXXXX"));
        h.log.clear();
        h.play(QStringLiteral("click:0 click:1 key:t"));
        QCOMPARE(h.word(), QStringLiteral("CAT"));
        QCOMPARE(int(g.resultPos()), 4);
        QCOMPARE(tiles(g, 4), QStringLiteral("pppf"));
        QCOMPARE(describe(g.Result[3]), QStringLiteral("73,50 32x37 'T' back #c0ffff"));
        QCOMPARE(h.log.lines, QStringList(3, QStringLiteral("sound click.wav")));
    }

    // Neither a click nor a key takes a tile the player cannot reach.
    void noTileTakenOutOfReach_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("tile"); // clicked, or -1
        QTest::addColumn<QString>("letter");
        const QString row = QStringLiteral("push:CATDOGXY ");
        QTest::newRow("before Start") << row << 0 << "c";
        QTest::newRow("paused") << "start " + row + "start" << 0 << "c";
        QTest::newRow("tile picked already") << "start " + row + "spell:c" << 0 << "c";
        QTest::newRow("tile gone with a word") << "start " + row + "spell:cat enter" << 0 << "c";
        QTest::newRow("no such tile") << "start " + row << 99 << "q";
        QTest::newRow("word full") << "start " + row + "push:ABCDEFGH spell:abcdefgh" << 0 << "c";
        QTest::newRow("game over") << "start " + row + "over" << 0 << "z";
        QTest::newRow("window closed") << "start " + row + "unload" << -1 << "c";
    }
    void noTileTakenOutOfReach()
    {
        QFETCH(QString, steps);
        QFETCH(int, tile);
        QFETCH(QString, letter);
        GameHarness h;
        frmMain &g = h.game();
        h.play(steps);
        const QString word = h.word(), before = tiles(g, 8);
        h.log.clear();
        if (tile >= 0) {
            g.OoperDaba_Click(tile);
        }
        QVERIFY(!g.pickLetter(letter.at(0)));
        QCOMPARE(h.word() + tiles(g, 8), word + before);
        QCOMPARE(h.log.lines, QStringList());
    }

    // CAT is spelt from tiles 0, 1 and 2; only the word's last letter goes back.
    void onlyTheLastLetterGoesBack_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("word");
        QTest::newRow("a middle letter stays") << "slot:2"
                                               << "CAT";
        QTest::newRow("the first letter stays") << "slot:1"
                                                << "CAT";
        QTest::newRow("an empty place does nothing") << "slot:4"
                                                     << "CAT";
        QTest::newRow("the last letter goes back") << "slot:3"
                                                   << "CA";
        QTest::newRow("the same place twice") << "slot:3 slot:3"
                                              << "CA";
        QTest::newRow("then the new last letter") << "slot:3 slot:2"
                                                  << "C";
        QTest::newRow("front to back") << "slot:1 slot:2 slot:3"
                                       << "CA";
        QTest::newRow("every letter, and place 0") << "slot:3 slot:2 slot:1 slot:0"
                                                   << "";
        QTest::newRow("Backspace") << "back"
                                   << "CA";
        QTest::newRow("Backspace past the start") << "back back back back"
                                                  << "";
    }
    void onlyTheLastLetterGoesBack()
    {
        QFETCH(QString, steps);
        QFETCH(QString, word);
        GameHarness h;
        h.play(QStringLiteral("start push:CATXXXXX spell:cat"));
        h.log.clear();
        h.play(steps);
        QCOMPARE(h.word(), word);
        QCOMPARE(int(h.game().resultPos()), word.size() + 1);
        QCOMPARE(tiles(h.game(), 4), QString(word.size(), u'p') + QString(4 - word.size(), u'f'));
        QCOMPARE(h.log.lines, QStringList());
    }

    void clearFreesTheWholeWord_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("cue");
        QTest::newRow("three letters") << "spell:cat" << true;
        QTest::newRow("eight letters") << "spell:catxxxxx" << true;
        QTest::newRow("one letter left") << "spell:cat slot:3 slot:2" << true;
        QTest::newRow("empty word") << "" << false;
        QTest::newRow("every letter taken back") << "spell:cat back back back" << false;
        QTest::newRow("cleared already") << "spell:cat clear" << false;
    }
    void clearFreesTheWholeWord()
    {
        QFETCH(QString, steps);
        QFETCH(bool, cue);
        GameHarness h;
        h.play(QStringLiteral("start push:CATXXXXX ") + steps);
        h.log.clear();
        h.play(QStringLiteral("clear"));
        QCOMPARE(h.word() + tiles(h.game(), 8), QStringLiteral("ffffffff"));
        QCOMPARE(int(h.game().resultPos()), 1);
        QCOMPARE(h.log.lines, cue ? QStringList{"sound clear.wav"} : QStringList());
    }

    // Enter shows its verdict for two seconds from the press; an empty word only starts the
    // two seconds again for the message showing.
    void enterJudgesTheWord_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<QString>("word");
        const QStringList rows{"ABCDEFGH", "TXXXXXXX", "CAXXXXXX"};
        QTest::newRow("correct") << "spell:cat"
                                 << "'Correct' fore #0000ff" << QStringList{"sound correct.wav"}
                                 << QStringList{"..CDEFGH", ".BXXXXXX", "AXXXXXXX"} << "";
        QTest::newRow("wrong") << "spell:ca"
                               << "'Wrong' fore #ff0000" << QStringList{"sound wrong.wav"} << rows
                               << "CA";
        QTest::newRow("empty") << ""
                               << "'Press Start' fore #008000" << QStringList() << rows << "";
    }
    void enterJudgesTheWord()
    {
        QFETCH(QString, steps);
        QFETCH(QString, result);
        QFETCH(QStringList, log);
        QFETCH(QStringList, picture);
        QFETCH(QString, word);
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start push:ABCDEFGH push:TXXXXXXX push:CAXXXXXX wait:1500 ") +
               steps);
        h.log.clear();
        h.play(QStringLiteral("enter"));
        QCOMPARE(describe(g.lblResult), "90,18 103x25 " + result);
        QCOMPARE(h.log.lines, log);
        QCOMPARE(h.stackPicture(), picture);
        QCOMPARE(h.word(), word);
        h.advance(1999);
        QCOMPARE(describe(g.lblResult), "90,18 103x25 " + result);
        h.advance(1);
        QCOMPARE(g.lblResult.caption(), QString());
    }

    // Ten points times the square of the length; nothing after the game is over.
    void scoreOfCorrectWords_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("score");
        QTest::newRow("1 letter") << "a"
                                  << "push:AZZZZZZZ spell:a enter"
                                  << "10";
        QTest::newRow("2 letters") << "ox"
                                   << "push:OXZZZZZZ spell:ox enter"
                                   << "40";
        QTest::newRow("8 letters") << "stacking"
                                   << "push:STACKING spell:stacking enter"
                                   << "640";
        QTest::newRow("90, then 160")
            << "cat tile"
            << "push:CATZZZZZ push:TILEZZZZ spell:cat enter spell:tile enter"
            << "250";
        QTest::newRow("the same word twice")
            << "cat"
            << "push:CATZZZZZ push:CATZZZZZ spell:cat enter spell:cat enter"
            << "180";
        QTest::newRow("after the game over") << "cat"
                                             << "push:CATZZZZZ spell:cat over enter"
                                             << "0";
    }
    void scoreOfCorrectWords()
    {
        QFETCH(QString, words);
        QFETCH(QString, steps);
        QFETCH(QString, score);
        GameHarness h(words.split(QLatin1Char(' ')));
        h.play(QStringLiteral("start ") + steps);
        QCOMPARE(h.game().lblResult.caption(), QStringLiteral("Correct"));
        QCOMPARE(h.word(), QString());
        QCOMPARE(h.game().lblScore.caption(), score);
    }

    // Rows are pushed oldest first; a key picks its letter's lowest tile, then the leftmost.
    void keyPicksTheLowestThenLeftmostTile_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("picked");
        QTest::newRow("leftmost of two") << QStringList{"CATCATXY"} << "c" << QList<int>{0};
        QTest::newRow("lower wins over leftmost")
            << QStringList{"CAXXXXXX", "XXXXXXXC"} << "c" << QList<int>{15};
        QTest::newRow("the same letter twice")
            << QStringList{"AXAXXXXX"} << "aa" << QList<int>{0, 2};
        QTest::newRow("a capital typed") << QStringList{"XXXXXXXQ"} << "Q" << QList<int>{7};
    }
    void keyPicksTheLowestThenLeftmostTile()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, typed);
        QFETCH(QList<int>, picked);
        GameHarness h;
        h.play(QStringLiteral("start push:") + rows.join(QStringLiteral(" push:")));
        for (QChar c : typed) {
            QVERIFY(h.game().pickLetter(c));
        }
        QCOMPARE(h.word(), typed.toUpper());
        for (int i = 0; i < picked.size(); ++i) {
            QCOMPARE(int(h.game().picked()[i]), picked[i]);
        }
    }

    void cueNumbersPlayTheirFiles_data()
    {
        QTest::addColumn<int>("cue");
        QTest::addColumn<QString>("file");
        const char *const files[] = {"click",   "correct", "wrong",  "clear",
                                     "warning", "levelup", "gameend"};
        for (int cue = 0; cue <= 6; ++cue) {
            QTest::addRow("%d %s", cue, files[cue])
                << cue << QStringLiteral("/game/sound/%1.wav").arg(QLatin1String(files[cue]));
        }
        QTest::newRow("-1 nothing") << -1 << "";
        QTest::newRow("7 nothing") << 7 << "";
        QTest::newRow("lowest nothing") << std::numeric_limits<int>::min() << "";
        QTest::newRow("highest nothing") << std::numeric_limits<int>::max() << "";
    }
    void cueNumbersPlayTheirFiles()
    {
        QFETCH(int, cue);
        QFETCH(QString, file);
        GameHarness h;
        PlayEffectProbe::play(h.game(), cue);
        QCOMPARE(h.sound.paths, file.isEmpty() ? QStringList() : QStringList{file});
    }

    // Labels How to play, High Score and About as 'b' (blue) or 'k' (black) after pointer
    // moves; '+' moves happen while the menu still works.
    void menuHighlightFollowsThePointer_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<bool>("works");
        QTest::addColumn<QString>("colours");
        QTest::newRow("nothing yet") << "" << true << "kkk";
        QTest::newRow("How to play") << "howto" << true << "bkk";
        QTest::newRow("High Score") << "highscore" << true << "kbk";
        QTest::newRow("About") << "about" << true << "kkb";
        QTest::newRow("a label leaves the others") << "howto about" << true << "bkb";
        QTest::newRow("across the frame") << "howto frame about" << true << "kkb";
        QTest::newRow("all, then the frame") << "howto highscore about frame" << true << "kkk";
        QTest::newRow("then the window") << "highscore window" << true << "kkk";
        QTest::newRow("then the overlay") << "about overlay" << true << "kkk";
        QTest::newRow("reset, then a label") << "about window howto" << true << "bkk";
        QTest::newRow("menu off: no light") << "howto about" << false << "kkk";
        QTest::newRow("menu off: the frame keeps it") << "+howto frame" << false << "bkk";
        QTest::newRow("menu off: the window resets") << "+howto window" << false << "kkk";
        QTest::newRow("menu off: the overlay resets") << "+highscore overlay" << false << "kkk";
    }
    void menuHighlightFollowsThePointer()
    {
        QFETCH(QString, moves);
        QFETCH(bool, works);
        QFETCH(QString, colours);
        GameHarness h;
        frmMain &g = h.game();
        const QHash<QString, void (frmMain::*)()> handlers{
            {"howto", &frmMain::lblHowTo_MouseMove},
            {"highscore", &frmMain::lblHighScore_MouseMove},
            {"about", &frmMain::lblAbout_MouseMove},
            {"frame", &frmMain::frameAbout_MouseMove},
            {"window", &frmMain::Form_MouseMove},
            {"overlay", &frmMain::PicBlack_MouseMove}};
        for (QString move : moves.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            g.frameAbout.setEnabled(works || move.startsWith(QLatin1Char('+')));
            (g.*handlers.value(move.remove(QLatin1Char('+'))))();
        }
        QString seen;
        for (const Control *c : {&g.lblHowTo, &g.lblHighScore, &g.lblAbout}) {
            seen += c->foreColor() == Colour::rgb(0, 0, 255) ? u'b'
                    : c->foreColor() == Colour()             ? u'k'
                                                             : u'?';
        }
        QCOMPARE(seen, colours);
    }

    void menuOpensWindowsBeforeStartAndAfterGameOver_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("works");
        QTest::newRow("before the first Start") << "" << true;
        QTest::newRow("while a game runs") << "start wait:1000" << false;
        QTest::newRow("while paused") << "start wait:1000 start" << false;
        QTest::newRow("after a game over") << "start over" << true;
    }
    void menuOpensWindowsBeforeStartAndAfterGameOver()
    {
        QFETCH(QString, steps);
        QFETCH(bool, works);
        GameHarness h;
        frmMain &g = h.game();
        h.play(steps);
        const QString state = h.state();
        h.log.clear();
        bool viewing = false;
        h.windows.actions[Window::Record] = [&] { viewing = g.blnHighScoreClick; };
        g.lblHowTo_Click();
        g.lblHighScore_Click();
        g.lblAbout_Click();
        const QStringList opened{"window HowTo", "window Record", "window About"};
        QCOMPARE(h.log.lines, works ? opened : QStringList());
        QCOMPARE(viewing, works); // the table opens for viewing, not for a new entry
        QCOMPARE(h.state(), state);
        if (works) {
            h.play(QStringLiteral("start over")); // the next game over opens it for an entry
            QVERIFY(!viewing);
        }
    }

    // Exit answered 0 (Restart Game), 1 (Exit the Game) or 2 (Back to Game) in each state.
    void exitDialogChoices_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("choice");
        const char *const states[][2] = {
            {"before the first Start", ""},
            {"during a game", "start push:CATDOGXY spell:cat enter"},
            {"while paused", "start push:CATDOGXY spell:cat enter start"},
            {"after a game over", "start over"}};
        const char *const choices[] = {"Restart Game", "Exit the Game", "Back to Game"};
        for (const auto &s : states) {
            for (int c = 0; c < 3; ++c) {
                QTest::addRow("%s %s", choices[c], s[0]) << QString::fromLatin1(s[1]) << c;
            }
        }
    }
    void exitDialogChoices()
    {
        QFETCH(QString, steps);
        QFETCH(int, choice);
        GameHarness h;
        frmMain &g = h.game();
        h.play(steps);
        const QString state = h.state();
        const QStringList picture = h.stackPicture();
        h.log.clear();
        h.play(QStringLiteral("exit:%1").arg(choice));
        QCOMPARE(h.log.lines, QStringList{"window Exit"});
        if (choice == 0) {
            QCOMPARE(h.state(), Fresh);
            QCOMPARE(h.stackPicture(), QStringList());
        } else if (choice == 1) {
            QVERIFY(g.isUnloaded());
            QVERIFY(!g.TimerNichlaDabaFill.isEnabled() && !g.Timer1.isEnabled());
        } else {
            QCOMPARE(h.state(), state);
            QCOMPARE(h.stackPicture(), picture);
        }
    }

    // A closed window stops the game's timers, leaves the message's, and takes no clicks.
    void closedWindowStopsTheGame()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.play(QStringLiteral("start wait:1000 unload"));
        QVERIFY(g.TimerResultBlink.isEnabled());
        const int filled = g.fillPos();
        h.play(QStringLiteral("wait:20000 exit:0 start"));
        QCOMPARE(g.fillPos(), filled);
        QCOMPARE(h.state(), QString(Fresh).replace(QStringLiteral("on pace on"),
                                                   QStringLiteral("off pace off unloaded")));
        QCOMPARE(h.log.lines, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestWordPlay)
#include "test_wordplay.moc"
