#include "support/gameharness.h"

#include <QTest>

// Building a word from stack tiles, taking letters back, and the check on Enter, on the model
// with a virtual clock. Rows are pushed straight into the stack; after Start the incoming row
// needs 3.6 s for its first push, so every wait here stays well below that.

namespace {

const QString ListPath = GameHarness::Folder + QStringLiteral("/ShortList8.txt");
const QString Click = QStringLiteral("sound click.wav");
const QString ClearCue = QStringLiteral("sound clear.wav");
const QString CorrectCue = QStringLiteral("sound correct.wav");
const QString WrongCue = QStringLiteral("sound wrong.wav");
constexpr Colour Blue = Colour::rgb(0, 0, 255);
constexpr Colour Red = Colour::rgb(255, 0, 0);

bool isFree(const Control &tile)
{
    return tile.isEnabled() && tile.backColor() == frmMain::TileColour;
}

bool isPicked(const Control &tile)
{
    return !tile.isEnabled() && tile.backColor() == frmMain::PickedColour;
}

QStringList sounds(const EventLog &log)
{
    QStringList s;
    for (const QString &line : log.lines) {
        if (line.startsWith(QLatin1String("sound "))) {
            s << line;
        }
    }
    return s;
}

} // namespace

class TestWordPlay : public QObject
{
    Q_OBJECT
private slots:
    // --- Building the word

    void clickedTilesGoIntoTheWord()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATXXXXX"));
        h.log.clear();
        for (int k : {0, 1, 2}) {
            g.OoperDaba_Click(k);
        }
        QCOMPARE(g.Result[1].caption(), QStringLiteral("C"));
        QCOMPARE(g.Result[2].caption(), QStringLiteral("A"));
        QCOMPARE(g.Result[3].caption(), QStringLiteral("T"));
        for (int k = 4; k <= 8; ++k) {
            QVERIFY(g.Result[k].caption().isEmpty());
        }
        QCOMPARE(int(g.resultPos()), 4);
        for (int k : {0, 1, 2}) {
            QVERIFY(isPicked(g.OoperDaba[k]));
            QVERIFY(g.OoperDaba[k].isVisible());
            QCOMPARE(int(g.picked()[std::size_t(k)]), k);
            // The word row keeps its colour.
            QCOMPARE(g.Result[k + 1].backColor(), frmMain::TileColour);
        }
        QVERIFY(isFree(g.OoperDaba[3]));
        QCOMPARE(h.log.lines, QStringList(3, Click));
    }

    void aNinthLetterChangesNothing()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("ABCDEFGH"));
        h.pushRow(QStringLiteral("IJKLMNOP"));
        h.spell(QStringLiteral("ijklmnop"));
        QCOMPARE(int(g.resultPos()), 9);
        const auto picked = g.picked();
        h.log.clear();
        g.OoperDaba_Click(0);
        QCOMPARE(h.word(), QStringLiteral("IJKLMNOP"));
        QCOMPARE(int(g.resultPos()), 9);
        QVERIFY(isFree(g.OoperDaba[0]));
        QCOMPARE(g.picked(), picked);
        QVERIFY(h.log.lines.isEmpty());
    }

    void onlyTheLastLetterGoesBack_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("freed");

        QTest::newRow("a middle letter stays") << QList<int>{2} << "CAT"
                                               << "";
        QTest::newRow("the first letter stays") << QList<int>{1} << "CAT"
                                                << "";
        QTest::newRow("an empty slot does nothing") << QList<int>{4} << "CAT"
                                                    << "";
        QTest::newRow("the last letter goes back") << QList<int>{3} << "CA"
                                                   << "T";
        QTest::newRow("the same slot twice takes back one") << QList<int>{3, 3} << "CA"
                                                            << "T";
        QTest::newRow("then the new last letter") << QList<int>{3, 3, 2} << "C"
                                                  << "AT";
        QTest::newRow("front to back takes back only the end") << QList<int>{1, 2, 3} << "CA"
                                                               << "T";
        QTest::newRow("every letter, one by one") << QList<int>{3, 2, 1} << ""
                                                  << "CAT";
    }
    void onlyTheLastLetterGoesBack()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, word);
        QFETCH(QString, freed);
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATXXXXX"));
        h.spell(QStringLiteral("cat"));
        h.log.clear();
        for (int slot : clicks) {
            g.Result_Click(slot);
        }
        QCOMPARE(h.word(), word);
        QCOMPARE(int(g.resultPos()), word.size() + 1);
        for (int k = 0; k < 3; ++k) {
            const bool shouldBeFree = freed.contains(g.OoperDaba[k].caption());
            QCOMPARE(isFree(g.OoperDaba[k]), shouldBeFree);
            QCOMPARE(isPicked(g.OoperDaba[k]), !shouldBeFree);
            // A letter taken back leaves its entry as it was.
            QCOMPARE(int(g.picked()[std::size_t(k)]), k);
        }
        QVERIFY(h.log.lines.isEmpty());
    }

    void clearTakesBackTheWholeWord_data()
    {
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<QList<int>>("takenBack");
        QTest::addColumn<bool>("cue");

        QTest::newRow("three letters") << "cat" << QList<int>{} << true;
        QTest::newRow("eight letters") << "catxxxxx" << QList<int>{} << true;
        QTest::newRow("one letter left") << "cat" << QList<int>{3, 2} << true;
        QTest::newRow("empty word") << "" << QList<int>{} << false;
        QTest::newRow("every letter taken back first") << "cat" << QList<int>{3, 2, 1} << false;
    }
    void clearTakesBackTheWholeWord()
    {
        QFETCH(QString, spelled);
        QFETCH(QList<int>, takenBack);
        QFETCH(bool, cue);
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATXXXXX"));
        h.spell(spelled);
        for (int slot : takenBack) {
            g.Result_Click(slot);
        }
        h.log.clear();
        g.btnClear_Click();
        QVERIFY(h.word().isEmpty());
        QCOMPARE(int(g.resultPos()), 1);
        for (int k = 0; k < 8; ++k) {
            QVERIFY(isFree(g.OoperDaba[k]));
            if (cue) {
                QCOMPARE(int(g.picked()[std::size_t(k)]), 0);
            }
        }
        QCOMPARE(h.log.lines, cue ? QStringList{ClearCue} : QStringList{});
    }

    void clearFreesTileZeroButLeavesItHidden()
    {
        GameHarness h({QStringLiteral("cat")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGXX"));
        h.spell(QStringLiteral("cat"));
        g.btnCheck_Click(); // tile 0 is gone with the word
        QVERIFY(!g.OoperDaba[0].isVisible());
        // Whatever state tile 0 is left in, a Clear of a word without it frees it, through
        // the entries beyond the word.
        g.OoperDaba[0].setEnabled(false);
        g.OoperDaba[0].setBackColor(frmMain::PickedColour);
        h.spell(QStringLiteral("dog"));
        g.btnClear_Click();
        QVERIFY(isFree(g.OoperDaba[0]));
        QVERIFY(!g.OoperDaba[0].isVisible());
    }

    void aWordInProgressAtLevelUpIsEmptiedWithItsBoard()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATXXXXX"));
        h.spell(QStringLiteral("ca"));
        g.lblRowsLeft.setCaption(QStringLiteral("1")); // the next row ends the level
        h.log.clear();
        h.pushRow(QStringLiteral("XXXXXXXX"));
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("2"));
        QVERIFY(h.word().isEmpty());
        QCOMPARE(int(g.resultPos()), 1);
        for (std::int16_t entry : g.picked()) {
            QCOMPARE(int(entry), 0);
        }
        QCOMPARE(g.OoperDaba.count(), 1);
        QVERIFY(!sounds(h.log).contains(ClearCue));

        // The new board's word starts afresh.
        h.pushRow(QStringLiteral("DOGXXXXX"));
        h.spell(QStringLiteral("do"));
        QCOMPARE(int(g.picked()[0]), 0);
        QCOMPARE(int(g.picked()[1]), 1);
        g.btnClear_Click();
        QVERIFY(isFree(g.OoperDaba[0]));
        QVERIFY(isFree(g.OoperDaba[1]));
    }

    void tilesTakeNoClicksWhilePausedButTheWordRowDoes()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATXXXXX"));
        h.spell(QStringLiteral("ca"));
        g.btnStart_Click(); // pause
        h.log.clear();
        g.OoperDaba_Click(2);
        QCOMPARE(h.word(), QStringLiteral("CA"));
        QVERIFY(isFree(g.OoperDaba[2]));
        QVERIFY(h.log.lines.isEmpty());
        g.Result_Click(2);
        QCOMPARE(h.word(), QStringLiteral("C"));
        QVERIFY(isFree(g.OoperDaba[1]));
        g.btnClear_Click();
        QVERIFY(h.word().isEmpty());
        QCOMPARE(h.log.lines, QStringList{ClearCue});
    }

    void tilesTakeNoClicksBeforeStart()
    {
        GameHarness h;
        frmMain &g = h.game();
        h.pushRow(QStringLiteral("CATXXXXX"));
        g.OoperDaba_Click(0);
        QVERIFY(h.word().isEmpty());
        QVERIFY(isFree(g.OoperDaba[0]));
        QVERIFY(h.log.lines.isEmpty());
    }

    // --- Checking the word

    void aCorrectWordScoresAndItsTilesVanish()
    {
        GameHarness h({QStringLiteral("cat")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("ABCDEFGH"));
        h.pushRow(QStringLiteral("TXXXXXXX"));
        h.pushRow(QStringLiteral("CAXXXXXX"));
        QCOMPARE(h.stackPicture(), (QStringList{"ABCDEFGH", "TXXXXXXX", "CAXXXXXX"}));
        h.spell(QStringLiteral("cat")); // C and A from the bottom row, T above the C
        const std::array<int, 3> tiles{g.picked()[0], g.picked()[1], g.picked()[2]};
        h.log.clear();
        g.btnCheck_Click();

        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        QCOMPARE(g.lblResult.foreColor(), Blue);
        QCOMPARE(h.log.lines, QStringList{CorrectCue});
        QCOMPARE(g.lblScore.caption(), QStringLiteral("90"));
        // The A above two removed tiles drops two rows, the X and B above one removed tile
        // one row; the other columns stay.
        QCOMPARE(h.stackPicture(), (QStringList{"..CDEFGH", ".BXXXXXX", "AXXXXXXX"}));
        QVERIFY(h.word().isEmpty());
        QCOMPARE(int(g.resultPos()), 1);
        for (int k : tiles) {
            QVERIFY(!g.OoperDaba[k].isVisible());
            QVERIFY(isFree(g.OoperDaba[k]));
        }

        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        h.advance(1);
        QVERIFY(g.lblResult.caption().isEmpty());
        QCOMPARE(g.lblResult.foreColor(), Blue);
        QVERIFY(!g.TimerResultBlink.isEnabled());
    }

    void pointsAreTenTimesTheSquareOfTheLength_data()
    {
        QTest::addColumn<QString>("before"); // a word scored first
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("score");
        QTest::newRow("1 letter") << ""
                                  << "a"
                                  << "10";
        QTest::newRow("2 letters") << ""
                                   << "ox"
                                   << "40";
        QTest::newRow("3 letters") << ""
                                   << "cat"
                                   << "90";
        QTest::newRow("4 letters") << ""
                                   << "tile"
                                   << "160";
        QTest::newRow("5 letters") << ""
                                   << "words"
                                   << "250";
        QTest::newRow("6 letters") << ""
                                   << "letter"
                                   << "360";
        QTest::newRow("7 letters") << ""
                                   << "spelled"
                                   << "490";
        QTest::newRow("8 letters") << ""
                                   << "stacking"
                                   << "640";
        QTest::newRow("90, then 8 letters") << "cat"
                                            << "stacking"
                                            << "730";
        QTest::newRow("the same word twice") << "cat"
                                             << "cat"
                                             << "180";
    }
    void pointsAreTenTimesTheSquareOfTheLength()
    {
        QFETCH(QString, before);
        QFETCH(QString, word);
        QFETCH(QString, score);
        GameHarness h({before, word});
        frmMain &g = h.game();
        g.btnStart_Click();
        for (const QString &w : {before, word}) {
            h.pushRow((w.toUpper() + QStringLiteral("ZZZZZZZZ")).left(8));
        }
        if (!before.isEmpty()) {
            h.spell(before);
            g.btnCheck_Click();
        }
        h.spell(word);
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        QCOMPARE(g.lblScore.caption(), score);
    }

    void aWrongWordLeavesEverythingPicked()
    {
        GameHarness h({QStringLiteral("dog")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("MNOPMNOP"));
        h.pushRow(QStringLiteral("CATZZZZZ"));
        const QStringList picture = h.stackPicture();
        h.spell(QStringLiteral("cat"));
        h.log.clear();
        g.btnCheck_Click();

        QCOMPARE(g.lblResult.caption(), QStringLiteral("Wrong"));
        QCOMPARE(g.lblResult.foreColor(), Red);
        QCOMPARE(h.log.lines, QStringList{WrongCue});
        QCOMPARE(g.lblScore.caption(), QStringLiteral("0"));
        QCOMPARE(h.word(), QStringLiteral("CAT"));
        QCOMPARE(int(g.resultPos()), 4);
        for (int k : {8, 9, 10}) {
            QVERIFY(isPicked(g.OoperDaba[k]));
            QVERIFY(g.OoperDaba[k].isVisible());
        }
        QCOMPARE(h.stackPicture(), picture);

        h.advance(2000);
        QVERIFY(g.lblResult.caption().isEmpty());
        QCOMPARE(h.word(), QStringLiteral("CAT"));
    }

    void theEntryMatchesWhateverItsCase_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<bool>("correct");
        QTest::newRow("cat") << QByteArray("cat\r\n") << "cat" << true;
        QTest::newRow("Cat") << QByteArray("Cat\r\n") << "cat" << true;
        QTest::newRow("CAT") << QByteArray("CAT\r\n") << "cat" << true;
        QTest::newRow("cat and Dog, CAT") << QByteArray("cat\r\nDog\r\n") << "cat" << true;
        QTest::newRow("cat and Dog, DOG") << QByteArray("cat\r\nDog\r\n") << "dog" << true;
        QTest::newRow("a blank before") << QByteArray(" cat\r\n") << "cat" << false;
        QTest::newRow("a blank after") << QByteArray("cat \r\n") << "cat" << false;
        QTest::newRow("LF line ends") << QByteArray("dog\ncat\n") << "cat" << false;
        QTest::newRow("a longer entry") << QByteArray("cats\r\n") << "cat" << false;
        QTest::newRow("a shorter entry") << QByteArray("ca\r\n") << "cat" << false;
        QTest::newRow("only empty entries") << QByteArray("\r\n\r\n") << "cat" << false;
    }
    void theEntryMatchesWhateverItsCase()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, spelled);
        QFETCH(bool, correct);
        auto h = GameHarness::unloaded();
        h->files.put(ListPath, file);
        h->load();
        frmMain &g = h->game();
        g.btnStart_Click();
        h->pushRow(QStringLiteral("CATDOGZZ"));
        h->spell(spelled);
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(),
                 correct ? QStringLiteral("Correct") : QStringLiteral("Wrong"));
        QCOMPARE(g.lblScore.caption(), correct ? QStringLiteral("90") : QStringLiteral("0"));
    }

    void enterOnAnEmptyWordBlanksAPendingWarningTwoSecondsLater()
    {
        GameHarness h;
        frmMain &g = h.game();
        for (int n = 0; n < 9; ++n) {
            h.pushRow(QStringLiteral("ZZZZZZZZ"));
        }
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Be Carefull"));
        h.advance(1500);
        h.log.clear();
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Be Carefull"));
        QCOMPARE(g.lblScore.caption(), QStringLiteral("0"));
        QVERIFY(h.log.lines.isEmpty());
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Be Carefull"));
        h.advance(1);
        QVERIFY(g.lblResult.caption().isEmpty());
        QVERIFY(h.log.lines.isEmpty());
    }

    void eachMessageStaysItsFullTwoSeconds()
    {
        GameHarness h({QStringLiteral("cat")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATZZZZZ"));
        h.spell(QStringLiteral("cat"));
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        h.advance(1000);
        h.spell(QStringLiteral("zz"));
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Wrong"));
        h.advance(1999);
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Wrong"));
        h.advance(1);
        QVERIFY(g.lblResult.caption().isEmpty());
    }

    void aCorrectWordWhilePausedScoresUnderTheOverlay()
    {
        GameHarness h({QStringLiteral("cat")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("MNOPMNOP"));
        h.pushRow(QStringLiteral("CATZZZZZ"));
        h.spell(QStringLiteral("cat"));
        g.btnStart_Click(); // pause
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        QCOMPARE(g.lblScore.caption(), QStringLiteral("90"));
        QCOMPARE(h.stackPicture(), (QStringList{"...PMNOP", "MNOZZZZZ"}));
        QVERIFY(h.word().isEmpty());
        QVERIFY(g.PicBlack.isVisible());
        QCOMPARE(g.lblBlack.caption(), QStringLiteral("Paused"));
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Resume"));
    }

    void aCorrectWordAfterGameOverRemovesItsTilesButScoresNothing()
    {
        GameHarness h({QStringLiteral("cat"), QStringLiteral("dog")});
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("DOGZZZZZ"));
        h.spell(QStringLiteral("dog"));
        g.btnCheck_Click();
        QCOMPARE(g.lblScore.caption(), QStringLiteral("90"));
        h.pushRow(QStringLiteral("CATZZZZZ"));
        h.spell(QStringLiteral("cat"));
        while (!g.gameOver()) {
            h.pushRow(QStringLiteral("ZZZZZZZZ"));
        }
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Restart"));
        QCOMPARE(h.word(), QStringLiteral("CAT"));
        h.log.clear();
        g.btnCheck_Click();
        QCOMPARE(g.lblResult.caption(), QStringLiteral("Correct"));
        QCOMPARE(h.log.lines, QStringList{CorrectCue});
        QCOMPARE(g.lblScore.caption(), QStringLiteral("90"));
        QVERIFY(h.word().isEmpty());
        for (int k : {8, 9, 10}) {
            QVERIFY(!g.OoperDaba[k].isVisible());
        }
    }
};

QTEST_GUILESS_MAIN(TestWordPlay)
#include "test_wordplay.moc"
