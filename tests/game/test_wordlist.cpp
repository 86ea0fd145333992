#include "game/wordlist.h"
#include "support/gameharness.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const QString ListPath = GameHarness::Folder + QStringLiteral("/ShortList8.txt");

// The answer the plain scan gives: some entry, lower-cased, equals the word. The entries come
// from splitting the file's text independently of the list under test.
struct LinearScan
{
    explicit LinearScan(const QByteArray &file)
    {
        for (const QString &e : QString::fromLatin1(file).split(QStringLiteral("\r\n"))) {
            lowered << e.toLower();
        }
    }
    bool found(const QString &word) const
    {
        return std::find(lowered.cbegin(), lowered.cend(), word) != lowered.cend();
    }
    QStringList lowered;
};

QString systemText(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

// The list the build made beside the game (CTest names the game's folder).
QByteArray shippedList()
{
    QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/ShortList8.txt"));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

QString randomLetters(QRandomGenerator &rng, int length, const QString &alphabet)
{
    QString s;
    for (int k = 0; k < length; ++k) {
        s += alphabet.at(rng.bounded(static_cast<int>(alphabet.size())));
    }
    return s;
}

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT
private slots:
    void fileLinesBecomeEntriesExactlyAsWritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("notFound");

        QTest::newRow("cat, Dog and a final CR LF give three entries")
            << QByteArray("cat\r\nDog\r\n") << QStringList{"cat", "Dog", ""}
            << QStringList{"cat", "dog"} << QStringList{"Dog", "ca", "cats"};
        QTest::newRow("no final CR LF, no empty entry")
            << QByteArray("cat\r\ndog") << QStringList{"cat", "dog"} << QStringList{"cat", "dog"}
            << QStringList{""};
        QTest::newRow("blanks are part of the entry")
            << QByteArray(" cat\r\ndog \r\n\tox") << QStringList{" cat", "dog ", "\tox"}
            << QStringList{" cat", "dog "} << QStringList{"cat", "dog", "ox"};
        QTest::newRow("empty lines give empty entries")
            << QByteArray("\r\n\r\ncat\r\n\r\n") << QStringList{"", "", "cat", "", ""}
            << QStringList{"", "cat"} << QStringList{"a"};
        QTest::newRow("LF line ends make one entry")
            << QByteArray("cat\ndog\nox\n") << QStringList{"cat\ndog\nox\n"} << QStringList{}
            << QStringList{"cat", "dog", "ox", ""};
        QTest::newRow("a single line without a line end is found")
            << QByteArray("cat") << QStringList{"cat"} << QStringList{"cat"}
            << QStringList{"", "ca"};
        QTest::newRow("a single line with an LF is not")
            << QByteArray("cat\n") << QStringList{"cat\n"} << QStringList{} << QStringList{"cat"};
        QTest::newRow("CR line ends make one entry")
            << QByteArray("cat\rdog\r") << QStringList{"cat\rdog\r"} << QStringList{}
            << QStringList{"cat", "dog"};
        QTest::newRow("CR CR LF keeps the first CR")
            << QByteArray("cat\r\r\ndog") << QStringList{"cat\r", "dog"} << QStringList{"dog"}
            << QStringList{"cat"};
        QTest::newRow("LF CR LF keeps the LF")
            << QByteArray("cat\n\r\ndog") << QStringList{"cat\n", "dog"} << QStringList{"dog"}
            << QStringList{"cat"};
        QTest::newRow("CR LF LF starts the next entry with an LF")
            << QByteArray("cat\r\n\ndog") << QStringList{"cat", "\ndog"} << QStringList{"cat"}
            << QStringList{"dog"};
        QTest::newRow("only a CR LF gives two empty entries")
            << QByteArray("\r\n") << QStringList{"", ""} << QStringList{""} << QStringList{"a"};
        QTest::newRow("any case matches its lower case form")
            << QByteArray("CAT\r\nDoG\r\nox") << QStringList{"CAT", "DoG", "ox"}
            << QStringList{"cat", "dog", "ox"} << QStringList{"CAT", "DoG", "Ox"};
        QTest::newRow("duplicates are kept as entries")
            << QByteArray("cat\r\nCAT\r\ncat") << QStringList{"cat", "CAT", "cat"}
            << QStringList{"cat"} << QStringList{"ca"};
        QTest::newRow("8-bit characters are Latin-1")
            << QByteArray("caf\xe9\r\n\xc0la\r\nSTRA\xdf"
                          "E")
            << QStringList{QStringLiteral(u"café"), QStringLiteral(u"Àla"),
                           QStringLiteral(u"STRAßE")}
            << QStringList{QStringLiteral(u"café"), QStringLiteral(u"àla"),
                           QStringLiteral(u"straße")}
            << QStringList{"cafe", "ala", QStringLiteral(u"Àla"), "strasse"};
        QTest::newRow("long entries are kept whole")
            << QByteArray("elephants\r\nab") << QStringList{"elephants", "ab"}
            << QStringList{"elephants"} << QStringList{"elephant"};
    }
    void fileLinesBecomeEntriesExactlyAsWritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, found);
        QFETCH(QStringList, notFound);

        auto h = GameHarness::unloaded();
        h->files.put(ListPath, file);
        h->load();
        const WordList &list = h->game().words();
        QVERIFY(!h->game().loadFailed());
        QVERIFY(h->messageBox.texts.isEmpty());

        QStringList actual;
        for (int i = 0; i < list.size(); ++i) {
            actual << list.entry(i);
        }
        QCOMPARE(actual, entries);
        const LinearScan scan(file);
        for (const QString &w : found) {
            QVERIFY2(list.contains(w), qPrintable(w));
            QVERIFY(scan.found(w));
        }
        for (const QString &w : notFound) {
            QVERIFY2(!list.contains(w), qPrintable(w));
            QVERIFY(!scan.found(w));
        }
    }

    void lowerCaseIsQtsForEveryLatin1Character()
    {
        for (int c = 0; c < 256; ++c) {
            const QString expected = QString(QChar(c)).toLower();
            const auto lowered = WordList::lowerLatin1(static_cast<unsigned char>(c));
            QCOMPARE(QString(QChar(lowered)), expected);

            // And through the lookup: an entry "x" + c is found under Qt's lower case form.
            WordList list;
            list.setBytes(QByteArray("x") + char(c));
            QVERIFY2(list.contains(QStringLiteral("x") + expected), qPrintable(QString::number(c)));
        }
    }

    void lookupAgreesWithALinearScan_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("words");

        QRandomGenerator rng(20240505);
        const QString lower = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        auto randomWords = [&](int count, const QString &alphabet) {
            QStringList words;
            for (int n = 0; n < count; ++n) {
                words << randomLetters(rng, rng.bounded(0, 9), alphabet);
            }
            return words;
        };

        const QByteArray shipped = shippedList();
        QStringList shippedWords = randomWords(4000, lower);
        // Some entries, and the same entries with one letter changed.
        const QStringList entries = QString::fromLatin1(shipped).split(QStringLiteral("\r\n"));
        for (int n = 0; n < 1000; ++n) {
            const QString &e = entries.at(rng.bounded(static_cast<int>(entries.size())));
            shippedWords << e;
            if (!e.isEmpty()) {
                QString changed = e;
                changed[rng.bounded(static_cast<int>(e.size()))] =
                    lower.at(rng.bounded(static_cast<int>(lower.size())));
                shippedWords << changed;
            }
        }
        QTest::newRow("the shipped list") << shipped << shippedWords;

        // Short entries over a small alphabet in any case, Latin-1 included: many entries
        // lower to the same form and many share places in the table.
        const QString mixed = QStringLiteral(u"aAbBéÉßÿ µ\u00de\u00fe\u00d7\u00f7");
        QByteArray dense;
        for (int n = 0; n < 3000; ++n) {
            dense += randomLetters(rng, rng.bounded(0, 4), mixed).toLatin1() + "\r\n";
        }
        QStringList denseWords = randomWords(3000, mixed);
        for (QString &w : denseWords) {
            if (rng.bounded(2) == 0) {
                w = w.toLower();
            }
        }
        denseWords << QStringLiteral(u"a\u0130") << QStringLiteral(u"\u03bc") << QString();
        QTest::newRow("short entries in mixed case and Latin-1") << dense << denseWords;
    }
    void lookupAgreesWithALinearScan()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, words);
        QVERIFY2(!file.isEmpty(), "the build's ShortList8.txt is missing");
        WordList list;
        list.setBytes(file);
        const LinearScan scan(file);
        int found = 0;
        for (const QString &w : words) {
            const bool expected = scan.found(w);
            if (list.contains(w) != expected) {
                QFAIL(qPrintable(QStringLiteral("lookup and scan differ on \"%1\"").arg(w)));
            }
            found += expected;
        }
        // Both answers occur, so the comparison means something.
        QVERIFY(found > 0);
        QVERIFY(found < words.size());
    }

    void everyShippedEntryIsFound()
    {
        const QByteArray file = shippedList();
        WordList list;
        list.setBytes(file);
        const QStringList entries = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
        QCOMPARE(list.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(list.entry(i), entries.at(i));
            QVERIFY2(list.contains(entries.at(i).toUpper().toLower()), qPrintable(entries.at(i)));
        }
    }

    void shippedListHoldsOnlyPlayableWords()
    {
        const QByteArray file = shippedList();
        QVERIFY(file.endsWith("\r\n"));
        QVERIFY(!file.contains("\r\r") && !file.contains("\n\n"));
        const QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.last(), QString());
        const QStringList words = lines.mid(0, lines.size() - 1);
        QVERIFY(words.size() > 20000);
        static const QRegularExpression shape(QStringLiteral("^[a-z]{1,8}$"));
        QStringList oneLetter;
        for (const QString &w : words) {
            QVERIFY2(shape.match(w).hasMatch(), qPrintable(w));
            if (w.size() == 1) {
                oneLetter << w;
            }
        }
        QCOMPARE(oneLetter, (QStringList{"a", "i"}));
        QStringList sorted = words;
        sorted.sort();
        sorted.removeDuplicates();
        QCOMPARE(sorted.size(), words.size());
    }

    void shippedListKeepsWordsAndLeavesOutOthers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("listed");
        for (const char *w : {"a", "i", "ox", "cat", "dog", "quiz", "jazz", "rhythm", "brr", "nth",
                              "mix", "xi", "mi", "stacking", "zebra"}) {
            QTest::newRow(w) << QString::fromLatin1(w) << true;
        }
        for (const char *w : {"b", "x", "cc", "cm", "mph", "lbs", "ii", "xiv", "lxvii", "etc",
                              "approx", "em", "xor", "cat's", "paris", "elephants"}) {
            QTest::newRow(w) << QString::fromLatin1(w) << false;
        }
        // The words left out by name, some of their forms, and look-alikes that stay.
        QFile excluded(QStringLiteral(TILNORA_EXCLUDED_WORDS));
        QVERIFY(excluded.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList out = QString::fromLatin1(excluded.readAll()).split(QLatin1Char('\n'));
        out.removeIf([](const QString &w) { return w.isEmpty() || w.startsWith(u'#'); });
        QVERIFY(out.size() > 50);
        out << QStringList{"fucking", "fuckers",  "faggots",  "fagged", "dykes",
                           "dyked",   "shitting", "shittier", "pisses", "niggers",
                           "sysops",  "reorging", "grepped",  "pwned"};
        for (const QString &w : out) {
            QTest::newRow(qPrintable(w)) << QString(w).remove(u'=') << false;
        }
        for (const char *w : {"ass", "cock", "tit", "queer", "gay", "bastard", "screw", "chink",
                              "retard", "title", "spiced", "squawk", "gypsum", "shatter"}) {
            QTest::newRow(w) << QString::fromLatin1(w) << true;
        }
    }
    void shippedListKeepsWordsAndLeavesOutOthers()
    {
        QFETCH(QString, word);
        QFETCH(bool, listed);
        WordList list;
        list.setBytes(shippedList());
        QCOMPARE(list.contains(word), listed);
    }

    void failureMessageNamesTheErrorOnly_data()
    {
        QTest::addColumn<int>("error");        // 0: no failure injected
        QTest::addColumn<QString>("system");   // the description the failure carries
        QTest::addColumn<QByteArray>("bytes"); // the file, when there is one
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("message");

        QTest::newRow("missing file")
            << 0 << QString() << QByteArray() << false
            << QStringLiteral("Error 2 opening file.\r\n") + systemText(ENOENT);
        QTest::newRow("no read permission")
            << EACCES << QStringLiteral("Permission denied") << QByteArray("cat\r\n") << true
            << QStringLiteral("Error 13 opening file.\r\nPermission denied");
        QTest::newRow("read error")
            << EIO << QStringLiteral("Input/output error") << QByteArray("cat\r\n") << true
            << QStringLiteral("Error 5 opening file.\r\nInput/output error");
        QTest::newRow("empty file")
            << 0 << QString() << QByteArray() << true
            << QStringLiteral("Error 61 opening file.\r\n") + systemText(ENODATA);
    }
    void failureMessageNamesTheErrorOnly()
    {
        QFETCH(int, error);
        QFETCH(QString, system);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(QString, message);

        auto h = GameHarness::unloaded();
        h->files.remove(ListPath);
        if (present) {
            h->files.put(ListPath, bytes);
        }
        if (error != 0) {
            h->files.failWith(ListPath, error, system);
        }
        h->load();
        QCOMPARE(h->messageBox.texts, QStringList{message});
        QVERIFY(h->game().loadFailed());
        QVERIFY(h->game().isUnloaded());
        // No partial list is kept.
        QCOMPARE(h->game().words().size(), 0);
        QVERIFY(!h->game().words().contains(QStringLiteral("cat")));
    }

    void noTimerTicksWhileTheMessageIsOpen()
    {
        auto h = GameHarness::unloaded();
        h->files.remove(ListPath);
        frmMain &g = h->game();
        long long ticks = -1;
        QStringList logWhileOpen;
        QString resultWhileOpen;
        bool incomingShown = false;
        h->messageBox.whileOpen = [&] {
            // The player reads the message for a minute.
            h->advance(60000);
            ticks = g.TimerNichlaDabaFill.ticks() + g.Timer1.ticks() + g.TimerResultBlink.ticks();
            logWhileOpen = h->log.lines;
            resultWhileOpen = g.lblResult.caption();
            for (int i = 0; i <= 7; ++i) {
                incomingShown = incomingShown || g.NichlaDaba[i].isVisible();
            }
        };
        h->load();
        QCOMPARE(ticks, 0);
        QCOMPARE(logWhileOpen.size(), 1);
        QVERIFY(logWhileOpen.first().startsWith(QStringLiteral("message Error 2 opening file.")));
        QCOMPARE(resultWhileOpen, QStringLiteral("Press Start"));
        QVERIFY(!incomingShown);
        QCOMPARE(int(g.topRow()), -1);
        QVERIFY(h->windows.opened.isEmpty());
    }

    void noGameCanStartAfterAFailure()
    {
        auto h = GameHarness::unloaded();
        h->files.remove(ListPath);
        h->load();
        frmMain &g = h->game();
        g.btnStart_Click();
        g.RestartGame();
        h->advance(60000);
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Start"));
        QCOMPARE(g.lblLevel.caption(), QStringLiteral("0"));
        QVERIFY(g.PicBlack.isVisible());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QVERIFY(!g.Timer1.isEnabled());
        QVERIFY(!g.TimerResultBlink.isEnabled());
        QCOMPARE(g.TimerNichlaDabaFill.ticks() + g.Timer1.ticks(), 0);
        QCOMPARE(int(g.topRow()), -1);
        QCOMPARE(h->log.lines.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "test_wordlist.moc"
