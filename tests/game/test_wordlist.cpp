#include "game/wordlist.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

// What a plain scan compares the word with: every entry, lower-cased, split from the file
// apart from the list under test.
QStringList loweredEntries(const QByteArray &file)
{
    return QString::fromLatin1(file).toLower().split(QStringLiteral("\r\n"));
}

// The list the build made beside the game (CTest names the game's folder).
QByteArray shippedList()
{
    QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/ShortList8.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A row: the file's bytes, then its entries, words found and words not found, each list
// separated by '/'.
void row(const char *name, const char *file, const char *entries, const char *found,
         const char *notFound)
{
    QTest::newRow(name) << QByteArray(file)
                        << QList<QStringList>{QString(entries).split(u'/'),
                                              QString(found).split(u'/'),
                                              QString(notFound).split(u'/')};
}

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT
private slots:
    void fileLinesBecomeEntriesAsWritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<QStringList>>("lists");
        row("a final CR LF gives an empty entry", "cat\r\nDog\r\n", "cat/Dog/", "cat/dog/",
            "Dog/ca/cats");
        row("no final CR LF", "cat\r\ndog", "cat/dog", "cat/dog", "");
        row("blanks belong to the entry", " cat\r\ndog \r\n\tox", " cat/dog /\tox", " cat/dog ",
            "cat/dog/ox");
        row("empty lines", "\r\n\r\ncat\r\n\r\n", "//cat//", "/cat", "a");
        row("LF line ends make one entry", "cat\ndog\nox\n", "cat\ndog\nox\n", "cat\ndog\nox\n",
            "cat/dog/ox/");
        row("CR line ends make one entry", "cat\rdog\r", "cat\rdog\r", "cat\rdog\r", "cat/dog");
        row("CR CR LF keeps the first CR", "cat\r\r\ndog", "cat\r/dog", "dog/cat\r", "cat");
        row("CR LF LF starts an entry with LF", "cat\r\n\ndog", "cat/\ndog", "cat", "dog/cat\r\n");
        row("any case matches its lower case", "CAT\r\nDoG\r\nox", "CAT/DoG/ox", "cat/dog/ox",
            "CAT/DoG/Ox");
        row("8-bit characters are Latin-1",
            "caf\xe9\r\n\xc0la\r\nSTRA\xdf"
            "E",
            "café/Àla/STRAßE", "café/àla/straße", "cafe/ala/Àla/strasse/cafİ");
        row("long entries whole", "elephants\r\nab\r\nunbelievable", "elephants/ab/unbelievable",
            "elephants/unbelievable", "elephant/elephantss/unbelievabl/unbelievablx");
    }
    void fileLinesBecomeEntriesAsWritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<QStringList>, lists);
        const QStringList found = lists[1];
        WordList list;
        list.setBytes(file);
        QStringList actual;
        for (int i = 0; i < list.size(); ++i) {
            actual << list.entry(i);
        }
        QCOMPARE(actual, lists[0]);
        for (const QString &w : found + lists[2]) {
            QCOMPARE(list.contains(w), found.contains(w));
            QCOMPARE(loweredEntries(file).contains(w), found.contains(w));
        }
        list.clear();
        QVERIFY(list.size() == 0 && !list.contains(found.value(0)));
    }

    void lowerCaseIsQtsForEveryLatin1Character()
    {
        for (int c = 0; c < 256; ++c) {
            const QString lower = QString(QChar(c)).toLower();
            QCOMPARE(QString(QChar(WordList::lowerLatin1(uchar(c)))), lower);
            WordList list;
            list.setBytes(QByteArray("x") + char(c));
            QVERIFY2(list.contains("x" + lower), qPrintable(QString::number(c)));
        }
    }

    // The shipped list: every entry, and words a letter longer and changed in one place.
    void lookupAgreesWithALinearScan()
    {
        const QByteArray file = shippedList();
        QVERIFY2(!file.isEmpty(), "the build's ShortList8.txt is missing");
        WordList list;
        list.setBytes(file);
        const QStringList scan = loweredEntries(file);
        QStringList words = scan;
        QCOMPARE(list.size(), scan.size());
        QRandomGenerator rng(20240505);
        for (int n = 0; n < 4000; ++n) {
            QString changed = words.at(rng.bounded(int(words.size()))) + "a";
            changed[rng.bounded(int(changed.size()))] = QChar('a' + rng.bounded(26));
            words << changed;
        }
        int found = 0;
        for (const QString &w : words) {
            const bool listed = scan.contains(w);
            QVERIFY2(list.contains(w) == listed, qPrintable(w));
            found += listed;
        }
        QVERIFY(found > 0 && found < words.size()); // both answers occur
    }

    // Words left out by name (and forms of them) and look-alikes that stay.
    void shippedListKeepsWordsAndLeavesOutOthers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("listed");
        for (const QString &w :
             QStringLiteral(
                 "a ox quiz rhythm stacking ass cock tit queer gay bastard screw chink retard "
                 "title shatter")
                 .split(' ')) {
            QTest::newRow(qPrintable(w)) << w << true;
        }
        QFile excluded(QStringLiteral(TILNORA_EXCLUDED_WORDS));
        QVERIFY(excluded.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList out = QString::fromLatin1(excluded.readAll()).split(u'\n');
        out.removeIf([](const QString &w) { return w.isEmpty() || w.startsWith(u'#'); });
        out << QStringLiteral("b cc xiv etc cat's paris elephants fucking dyked shittier")
                   .split(' ');
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
