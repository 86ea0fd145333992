#include "game/wordlist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

static QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

static const QString ShippedList = qEnvironmentVariable("TILNORA_GAME_DIR") + "/ShortList8.txt";

// SCOWL files: some the generator reads, some it never reads.
static const QList<std::pair<QString, QByteArray>> ScowlFiles = {
    {"english-words.10", "café\nturd\nturds\nshithead\nswank\n"},
    {"variant_2-words.40", "snuck\n"},
    {"special-hacker.50", "grok\n"},
};

class TestWordList : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_made; // the lines the generator wrote for ScowlFiles

    void write(const QString &name, const QByteArray &text)
    {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly)) {
            f.write(text);
        }
    }

private slots:
    void initTestCase()
    {
        QDir(m_dir.path()).mkpath("scowl");
        for (const auto &[name, text] : ScowlFiles) {
            write("scowl/" + name, text);
        }
        write("excluded", "turd\n*shit\n*wank\n+swank\n");
        write("everyday", "app\n");
        QProcess generator;
        generator.start(TILNORA_MAKEWORDLIST, {m_dir.filePath("scowl"), m_dir.filePath("excluded"),
                                               m_dir.filePath("everyday"), m_dir.filePath("out")});
        generator.waitForFinished();
        QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError());
        m_made = QString(readFile(m_dir.filePath("out"))).split("\r\n");
    }

    // Words are checked at once, before prepareLookup(), as a player may check.
    void fileLinesBecomeEntriesAsWritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("notFound");
        QTest::newRow("capitals (Latin-1 too), a final CR LF: an empty entry")
            << QByteArray("cat\r\nDog\r\n\xc0la\r\n") << QStringList{"cat", "Dog", "Àla", ""}
            << QStringList{"Dog", "ca", "cats"};
        QTest::newRow("lone LF and CR, blanks: one entry")
            << QByteArray("cat\ndog\r ox") << QStringList{"cat\ndog\r ox"}
            << QStringList{"cat", "ox", " ox"};
    }
    void fileLinesBecomeEntriesAsWritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, notFound);
        WordList list;
        list.setBytes(file);
        QStringList read;
        for (int i = 0; i < list.size(); ++i) {
            read << list.entry(i);
        }
        QCOMPARE(read, entries);
        for (const QString &w : entries) {
            QVERIFY2(list.contains(w.toLower()), qPrintable(w));
        }
        for (const QString &w : notFound) {
            QVERIFY2(!list.contains(w), qPrintable(w));
        }
    }

    // The shipped list and "x" before every Latin-1 character: every entry, lowered as Qt
    // lowers it, is found.
    void lookupFindsEveryEntryLowered()
    {
        QByteArray file = readFile(ShippedList);
        QVERIFY2(!file.isEmpty(), "the build's ShortList8.txt is missing");
        for (int c = 0; c < 256; ++c) {
            file += QByteArray("x") + char(c) + "\r\n";
        }
        WordList list;
        list.setBytes(file);
        const QStringList scan = QString::fromLatin1(file).toLower().split("\r\n");
        QCOMPARE(list.size(), scan.size());
        for (const QString &w : scan) {
            QVERIFY2(list.contains(w), qPrintable(w));
        }
    }

    // Each line of the exclusion list is out, but for the innocent words ("+swank").
    void shippedListKeepsWordsAndLeavesOutOthers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("listed");
        const QStringList in = {"a",     "cafe",    "colour", "donut", "makeover", "app",
                                "ass",   "bastard", "bitch",  "chink", "cock",     "gay",
                                "queer", "retard",  "screw",  "tit",   "title",    "shatter"};
        const QStringList out = {"b", "xiv", "grok", "elephants", "shithead", "bitchy"};
        for (const QString &w : in + out) {
            QTest::newRow(qPrintable(w)) << w << in.contains(w);
        }
        for (const QString &line : QString(readFile(TILNORA_EXCLUDED_WORDS)).split('\n')) {
            if (line.isEmpty() || line.startsWith('#')) {
                continue;
            }
            QString word = line;
            if (!word[0].isLetter()) {
                word.remove(0, 1);
            }
            QTest::newRow(qPrintable(line)) << word << line.startsWith('+');
        }
    }
    void shippedListKeepsWordsAndLeavesOutOthers()
    {
        QFETCH(QString, word);
        QFETCH(bool, listed);
        static WordList list;
        if (list.size() == 0) {
            list.setBytes(readFile(ShippedList));
        }
        QCOMPARE(list.contains(word), listed);
    }

    void generatorFoldsReadsAndLeavesOut_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("listed");
        QTest::newRow("café: accent folded") << "cafe" << true;
        QTest::newRow("turds: a form of an excluded word") << "turds" << false;
        QTest::newRow("shithead: holds a vulgar root") << "shithead" << false;
        QTest::newRow("swank: innocent, holds a root") << "swank" << true;
        QTest::newRow("app: from the everyday list") << "app" << true;
        QTest::newRow("snuck: variant 2 past 35, not read") << "snuck" << false;
        QTest::newRow("grok: hacker jargon, not read") << "grok" << false;
    }
    void generatorFoldsReadsAndLeavesOut()
    {
        QFETCH(QString, word);
        QFETCH(bool, listed);
        QCOMPARE(m_made.contains(word), listed);
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "test_wordlist.moc"
