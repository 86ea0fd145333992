#include "recordfiles.h"
#include "scores/recordtable.h"
#include "support/doubles.h"

#include <QTest>

#include <random>

using namespace recordfiles;

// The reader fed thousands of random and damaged files: it never fails, every line end makes
// one entry, and whatever the table then saves reads back as the same table, byte for byte
// when saved again.
class TestRecordFuzz : public QObject
{
    Q_OBJECT
private:
    using Rng = std::mt19937_64;

    static int pick(Rng &rng, int lo, int hi)
    {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    }

    static QByteArray token(Rng &rng)
    {
        static const char *const pieces[] = {"\t",
                                             "\t",
                                             "\t\t",
                                             "\r\n",
                                             "\r\n",
                                             "\r",
                                             "\n",
                                             "-",
                                             "+",
                                             " ",
                                             "0",
                                             "7",
                                             "42",
                                             "2147483647",
                                             "2147483648",
                                             "-2147483648",
                                             "-2147483649",
                                             "99999999999999999999",
                                             "00000000000000000000000000000000000001",
                                             "ann",
                                             "Ur Nick.",
                                             "\xe9\xff",
                                             "\x00",
                                             "x"};
        const int n = int(std::size(pieces));
        const char *p = pieces[pick(rng, 0, n - 1)];
        // The NUL piece is one byte long.
        return p[0] == '\0' ? QByteArray(1, '\0') : QByteArray(p);
    }

    static QByteArray randomBytes(Rng &rng, int length)
    {
        QByteArray bytes(length, '\0');
        for (char &c : bytes) {
            c = char(pick(rng, 0, 255));
        }
        return bytes;
    }

    static QByteArray tokens(Rng &rng, int count)
    {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            bytes += token(rng);
        }
        return bytes;
    }

    static QByteArray mutated(Rng &rng)
    {
        QStringList entries;
        for (int i = pick(rng, 0, 15); i > 0; --i) {
            entries << QStringLiteral("n%1=%2").arg(i).arg(pick(rng, -5, 100000));
        }
        QByteArray bytes = fileOf(entries);
        for (int m = pick(rng, 1, 6); m > 0; --m) {
            const int at = bytes.isEmpty() ? 0 : pick(rng, 0, int(bytes.size()) - 1);
            switch (pick(rng, 0, 4)) {
            case 0:
                if (!bytes.isEmpty()) {
                    bytes[at] = char(pick(rng, 0, 255));
                }
                break;
            case 1:
                bytes.insert(at, token(rng));
                break;
            case 2:
                bytes.remove(at, pick(rng, 1, 12));
                break;
            case 3:
                bytes.insert(at, bytes.mid(at, pick(rng, 1, 40)));
                break;
            default:
                bytes.chop(pick(rng, 0, 3));
                break;
            }
        }
        return bytes;
    }

    static QByteArray longLines(Rng &rng)
    {
        QByteArray bytes;
        for (int i = pick(rng, 1, 3); i > 0; --i) {
            const int length = pick(rng, 10000, 200000);
            switch (pick(rng, 0, 3)) {
            case 0: // a huge number in the score field
                bytes += "1\tann\t\t" + QByteArray(length, '9') + "\r\n";
                break;
            case 1: // a huge name
                bytes += "1\t" + QByteArray(length, 'n') + "\t\t5\r\n";
                break;
            case 2: // thousands of empty lines
                for (int k = length / 50; k > 0; --k) {
                    bytes += "\r\n";
                }
                break;
            default:
                bytes += randomBytes(rng, length);
                break;
            }
        }
        return bytes;
    }

    static QByteArray makeFile(Rng &rng, int n)
    {
        if (n % 200 == 199) {
            return longLines(rng);
        }
        switch (n % 3) {
        case 0:
            return randomBytes(rng, pick(rng, 0, 400));
        case 1:
            return tokens(rng, pick(rng, 0, 120));
        default:
            return mutated(rng);
        }
    }

private slots:
    void randomFilesReadSafelyAndSaveWhatReadsBackEqual()
    {
        Rng rng(20240611);
        const int files = 4000;
        int withEntries = 0;
        int withScores = 0;
        for (int n = 0; n < files; ++n) {
            const QByteArray file = makeFile(rng, n);
            MemoryFiles disk;
            disk.put(Path, file);
            RecordTable table(disk, Folder);
            QVERIFY(table.LoadRecords());
            const int lineEnds = int(file.count("\r\n"));
            QCOMPARE(table.count(), lineEnds);
            QCOMPARE(table.records().last(), ScoreRecord{});
            for (const ScoreRecord &r : table.records()) {
                QVERIFY(!r.Name.contains(u'\t'));
                withScores += r.Score != 0;
            }
            withEntries += lineEnds > 0;

            const QString typed = QString::fromLatin1(tokens(rng, pick(rng, 0, 3)));
            table.insertRecord(
                ScoreRecord{RecordTable::takeName(typed.left(8)), pick(rng, -10, 200000)});
            QCOMPARE(table.count(), std::min(lineEnds + 1, RecordTable::MaxEntries));
            for (int i = 1; i < table.count(); ++i) {
                QVERIFY(table.entry(i - 1).Score >= table.entry(i).Score);
            }
            QVERIFY(table.save(table.listLines().mid(2)).ok);
            const QByteArray written = *disk.content(Path);

            RecordTable again(disk, Folder);
            QVERIFY(again.LoadRecords());
            if (again.records() != table.records()) {
                QFAIL(
                    qPrintable(QStringLiteral("file %1 did not read back: %2")
                                   .arg(n)
                                   .arg(QString::fromLatin1(file.left(200).toPercentEncoding()))));
            }
            QVERIFY(again.save(again.listLines().mid(2)).ok);
            QCOMPARE(*disk.content(Path), written);
        }
        // The generators reach the interesting parts of the reader.
        QVERIFY(withEntries > files / 3);
        QVERIFY(withScores > files / 10);
    }
};

QTEST_GUILESS_MAIN(TestRecordFuzz)
#include "test_recordfuzz.moc"
