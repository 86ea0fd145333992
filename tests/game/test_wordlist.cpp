#include "game/wordlist.h"
#include "support/gameharness.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

// What a plain scan compares the word with.
static QStringList loweredEntries(const QByteArray &file)
{
    return QString::fromLatin1(file).toLower().split(QStringLiteral("\r\n"));
}

// The list the build made beside the game (CTest names the game's folder).
static QByteArray shippedList()
{
    QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/ShortList8.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TestWordList : public QObject
{
    Q_OBJECT
private slots:
    // The file (\r, \n, \t as in C, _ a blank) | its entries | words found | words not found,
    // each list separated by '/'.
    void fileLinesBecomeEntriesAsWritten_data()
    {
        addRows({
            "final CR LF | cat\\r\\nDog\\r\\n | cat/Dog/ | cat/dog/ | Dog/ca/cats",
            "no final CR LF | cat\\r\\ndog | cat/dog | cat/dog |",
            "blanks | _cat\\r\\ndog_\\r\\n\\tox | _cat/dog_/\\tox | _cat/dog_ | cat/dog/ox",
            "empty lines | \\r\\n\\r\\ncat\\r\\n\\r\\n | //cat// | /cat | a",
            "LF ends | cat\\ndog\\nox\\n | cat\\ndog\\nox\\n | cat\\ndog\\nox\\n | cat/dog/ox/",
            "CR ends | cat\\rdog\\r | cat\\rdog\\r | cat\\rdog\\r | cat/dog",
            "CR CR LF | cat\\r\\r\\ndog | cat\\r/dog | dog/cat\\r | cat",
            "CR LF LF | cat\\r\\n\\ndog | cat/\\ndog | cat | dog/cat\\r\\n",
            "any case | CAT\\r\\nDoG\\r\\nox | CAT/DoG/ox | cat/dog/ox | CAT/DoG/Ox",
            "Latin-1 | café\\r\\nÀla\\r\\nSTRAßE | café/Àla/STRAßE | café/àla/straße | "
            "cafe/ala/Àla/strasse/cafİ",
            "long | elephants\\r\\nab\\r\\nunbelievable | elephants/ab/unbelievable | "
            "elephants/unbelievable | elephant/elephantss/unbelievabl/unbelievablx",
        });
    }
    void fileLinesBecomeEntriesAsWritten()
    {
        const QStringList f = fields()
                                  .replaceInStrings("\\r", "\r")
                                  .replaceInStrings("\\n", "\n")
                                  .replaceInStrings("\\t", "\t")
                                  .replaceInStrings("_", " ");
        const QByteArray file = f[0].toLatin1();
        const QStringList found = f[2].split(u'/');
        WordList list;
        list.setBytes(file);
        QStringList entries;
        for (int i = 0; i < list.size(); ++i) {
            entries << list.entry(i);
        }
        QCOMPARE(entries.join(u'/'), f[1]);
        for (const QString &w : found + f[3].split(u'/')) {
            QCOMPARE(list.contains(w), found.contains(w));
            QCOMPARE(loweredEntries(file).contains(w), found.contains(w));
        }
        list.clear();
        QVERIFY(list.size() == 0 && !list.contains(found.value(0)));
    }

    // The shipped list and "x" before every Latin-1 character: every entry, lowered as Qt
    // lowers it, and words a letter longer and changed in one place.
    void lookupAgreesWithALinearScan()
    {
        QByteArray file = shippedList();
        QVERIFY2(!file.isEmpty(), "the build's ShortList8.txt is missing");
        for (int c = 0; c < 256; ++c) {
            file += QByteArray("x") + char(c) + "\r\n";
        }
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
        for (const QString &w : words) {
            QVERIFY2(list.contains(w) == scan.contains(w), qPrintable(w));
        }
    }

    // Words left out by name (and forms of them) and look-alikes that stay.
    void shippedListKeepsWordsAndLeavesOutOthers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("listed");
        const QStringList in = QStringLiteral("a ox quiz rhythm stacking ass cock tit queer gay "
                                              "bastard screw chink retard title shatter")
                                   .split(' ');
        QFile excluded(QStringLiteral(TILNORA_EXCLUDED_WORDS));
        QVERIFY(excluded.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList out = QString::fromLatin1(excluded.readAll()).split(u'\n');
        out.removeIf([](const QString &w) { return w.isEmpty() || w.startsWith(u'#'); });
        out << QString("b cc xiv etc cat's paris elephants fucking dyked shittier").split(' ');
        for (const QString &w : in + out) {
            QTest::newRow(qPrintable(w)) << QString(w).remove(u'=') << in.contains(w);
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
