#include "game/wordlist.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace {

// What a plain scan answers: some entry, lower-cased, equals the word. The entries come from
// splitting the text apart from the list under test.
struct LinearScan
{
    explicit LinearScan(const QByteArray &file)
    {
        for (const QString &e : QString::fromLatin1(file).split(QStringLiteral("\r\n"))) {
            lowered << e.toLower();
        }
    }
    bool found(const QString &word) const { return lowered.contains(word); }
    QStringList lowered;
};

// The list the build made beside the game (CTest names the game's folder).
QByteArray shippedList()
{
    QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/ShortList8.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString randomText(QRandomGenerator &rng, int length, const QString &alphabet)
{
    QString s;
    while (s.size() < length) {
        s += alphabet.at(rng.bounded(int(alphabet.size())));
    }
    return s;
}

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT
private slots:
    void fileLinesBecomeEntriesAsWritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("notFound");
        QTest::newRow("a final CR LF gives an empty entry")
            << QByteArray("cat\r\nDog\r\n") << QStringList{"cat", "Dog", ""}
            << QStringList{"cat", "dog", ""} << QStringList{"Dog", "ca", "cats"};
        QTest::newRow("no final CR LF") << QByteArray("cat\r\ndog") << QStringList{"cat", "dog"}
                                        << QStringList{"cat", "dog"} << QStringList{""};
        QTest::newRow("blanks belong to the entry")
            << QByteArray(" cat\r\ndog \r\n\tox") << QStringList{" cat", "dog ", "\tox"}
            << QStringList{" cat", "dog "} << QStringList{"cat", "dog", "ox"};
        QTest::newRow("empty lines")
            << QByteArray("\r\n\r\ncat\r\n\r\n") << QStringList{"", "", "cat", "", ""}
            << QStringList{"", "cat"} << QStringList{"a"};
        QTest::newRow("LF line ends make one entry")
            << QByteArray("cat\ndog\nox\n") << QStringList{"cat\ndog\nox\n"}
            << QStringList{"cat\ndog\nox\n"} << QStringList{"cat", "dog", "ox", ""};
        QTest::newRow("one line, no line end") << QByteArray("cat") << QStringList{"cat"}
                                               << QStringList{"cat"} << QStringList{"", "ca"};
        QTest::newRow("CR line ends make one entry")
            << QByteArray("cat\rdog\r") << QStringList{"cat\rdog\r"} << QStringList{}
            << QStringList{"cat", "dog"};
        QTest::newRow("CR CR LF keeps the first CR")
            << QByteArray("cat\r\r\ndog") << QStringList{"cat\r", "dog"}
            << QStringList{"dog", "cat\r"} << QStringList{"cat"};
        QTest::newRow("LF CR LF keeps the LF")
            << QByteArray("cat\n\r\ndog") << QStringList{"cat\n", "dog"} << QStringList{"dog"}
            << QStringList{"cat"};
        QTest::newRow("CR LF LF starts an entry with LF")
            << QByteArray("cat\r\n\ndog") << QStringList{"cat", "\ndog"} << QStringList{"cat"}
            << QStringList{"dog", "cat\r\n"};
        QTest::newRow("only a CR LF")
            << QByteArray("\r\n") << QStringList{"", ""} << QStringList{""} << QStringList{"a"};
        QTest::newRow("any case matches its lower case")
            << QByteArray("CAT\r\nDoG\r\nox") << QStringList{"CAT", "DoG", "ox"}
            << QStringList{"cat", "dog", "ox"} << QStringList{"CAT", "DoG", "Ox"};
        QTest::newRow("duplicates stay entries")
            << QByteArray("cat\r\nCAT\r\ncat") << QStringList{"cat", "CAT", "cat"}
            << QStringList{"cat"} << QStringList{"ca"};
        QTest::newRow("8-bit characters are Latin-1")
            << QByteArray("caf\xe9\r\n\xc0la\r\nSTRA\xdf"
                          "E")
            << QStringList{u"café"_qs, u"Àla"_qs, u"STRAßE"_qs}
            << QStringList{u"café"_qs, u"àla"_qs, u"straße"_qs}
            << QStringList{"cafe", "ala", u"Àla"_qs, "strasse", u"caf\u0130"_qs};
        QTest::newRow("long entries whole")
            << QByteArray("elephants\r\nab\r\nunbelievable")
            << QStringList{"elephants", "ab", "unbelievable"}
            << QStringList{"elephants", "unbelievable"}
            << QStringList{"elephant", "elephantss", "unbelievabl", "unbelievablx"};
    }
    void fileLinesBecomeEntriesAsWritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, found);
        QFETCH(QStringList, notFound);
        WordList list;
        list.setBytes(file);
        QStringList actual;
        for (int i = 0; i < list.size(); ++i) {
            actual << list.entry(i);
        }
        QCOMPARE(actual, entries);
        const LinearScan scan(file);
        for (const QString &w : found) {
            QVERIFY2(list.contains(w) && scan.found(w), qPrintable(w));
        }
        for (const QString &w : notFound) {
            QVERIFY2(!list.contains(w) && !scan.found(w), qPrintable(w));
        }
        list.clear();
        QCOMPARE(list.size(), 0);
        QVERIFY(!list.contains(found.value(0)));
    }

    void lowerCaseIsQtsForEveryLatin1Character()
    {
        for (int c = 0; c < 256; ++c) {
            const QString lower = QString(QChar(c)).toLower();
            QCOMPARE(QString(QChar(WordList::lowerLatin1(uchar(c)))), lower);
            WordList list;
            list.setBytes(QByteArray("x") + char(c));
            QVERIFY2(list.contains(QStringLiteral("x") + lower), qPrintable(QString::number(c)));
        }
    }

    void lookupAgreesWithALinearScan_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("words");
        QRandomGenerator rng(20240505);
        const QString az = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        const QByteArray shipped = shippedList();
        const QStringList entries = QString::fromLatin1(shipped).split(QStringLiteral("\r\n"));
        QStringList words = entries; // every entry, and random words
        for (int n = 0; n < 4000; ++n) {
            words << randomText(rng, rng.bounded(0, 12), az);
            QString changed = entries.at(rng.bounded(int(entries.size()))) + QStringLiteral("a");
            changed[rng.bounded(int(changed.size()))] = az.at(rng.bounded(26));
            words << changed;
        }
        QTest::newRow("the shipped list") << shipped << words;
        // Short entries over a small alphabet in any case: many lower to the same form and
        // many share places in the table.
        const QString mixed = QStringLiteral(u"aAbBéÉßÿ µ\u00de\u00fe\u00d7\u00f7");
        QByteArray dense;
        for (int n = 0; n < 3000; ++n) {
            dense += randomText(rng, rng.bounded(0, 9), mixed).toLatin1() + "\r\n";
        }
        words.clear();
        for (int n = 0; n < 3000; ++n) {
            const QString w = randomText(rng, rng.bounded(0, 9), mixed);
            words << (n % 2 ? w : w.toLower());
        }
        words << u"a\u0130"_qs << u"\u03bc"_qs << u"a\r\nb"_qs;
        QTest::newRow("short entries in mixed case and Latin-1") << dense << words;
    }
    void lookupAgreesWithALinearScan()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, words);
        QVERIFY2(!file.isEmpty(), "the build's ShortList8.txt is missing");
        WordList list;
        list.setBytes(file);
        const LinearScan scan(file);
        QCOMPARE(list.size(), scan.lowered.size());
        int found = 0;
        for (const QString &w : words) {
            QVERIFY2(list.contains(w) == scan.found(w), qPrintable(w));
            found += scan.found(w);
        }
        QVERIFY(found > 0 && found < words.size()); // both answers occur
    }

    // Words left out by name (and forms of them) and look-alikes that stay.
    void shippedListKeepsWordsAndLeavesOutOthers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("listed");
        for (const char *w :
             {"a",      "i",      "ox",      "cat",      "quiz",  "jazz",   "rhythm",
              "brr",    "nth",    "xi",      "stacking", "ass",   "cock",   "tit",
              "queer",  "gay",    "bastard", "screw",    "chink", "retard", "title",
              "spiced", "squawk", "gypsum",  "shatter"}) {
            QTest::newRow(w) << QString::fromLatin1(w) << true;
        }
        QFile excluded(QStringLiteral(TILNORA_EXCLUDED_WORDS));
        QVERIFY(excluded.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList out = QString::fromLatin1(excluded.readAll()).split(QLatin1Char('\n'));
        out.removeIf([](const QString &w) { return w.isEmpty() || w.startsWith(u'#'); });
        QVERIFY(out.size() > 50);
        out << QStringList{"b",         "x",       "cc",       "mph",      "ii",
                           "xiv",       "etc",     "approx",   "cat's",    "paris",
                           "elephants", "fucking", "fuckers",  "faggots",  "fagged",
                           "dykes",     "dyked",   "shitting", "shittier", "pisses",
                           "niggers",   "sysops",  "reorging", "grepped",  "pwned"};
        for (const QString &w : out) {
            QTest::newRow(qPrintable(w)) << QString(w).remove(u'=') << false;
        }
    }
    void shippedListKeepsWordsAndLeavesOutOthers()
    {
        QFETCH(QString, word);
        QFETCH(bool, listed);
        static WordList list;
        if (list.size() == 0) {
            list.setBytes(shippedList());
        }
        QCOMPARE(list.contains(word), listed);
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "test_wordlist.moc"
