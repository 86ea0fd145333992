#include "recordfiles.h"
#include "scores/recordtable.h"
#include "support/doubles.h"

#include <QTest>

#include <cerrno>

using namespace recordfiles;

// The high-score table and record.dat, through files held in memory.
class TestRecordTable : public QObject
{
    Q_OBJECT
private:
    static QStringList saveFromList(const RecordTable &table) { return table.listLines().mid(2); }

private slots:
    void readingTakesTheLinesAsTheyStand_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("three correct lines")
            << QByteArray("1\tann\t\t250\r\n2\tbob\t\t40\r\n3\tcy\t\t10\r\n")
            << QStringList{"ann=250", "bob=40", "cy=10"};
        QTest::newRow("ranks 7, 3, 9 play no part")
            << QByteArray("7\tann\t\t250\r\n3\tbob\t\t40\r\n9\tcy\t\t10\r\n")
            << QStringList{"ann=250", "bob=40", "cy=10"};
        QTest::newRow("lines out of order stay in file order")
            << QByteArray("1\tlow\t\t5\r\n2\thigh\t\t500\r\n3\tmid\t\t50\r\n")
            << QStringList{"low=5", "high=500", "mid=50"};
        QTest::newRow("fifteen lines are read whole")
            << fileOf(descending(15, 1500, 100)) << descending(15, 1500, 100);
        QTest::newRow("last line without CR LF is not read")
            << QByteArray("1\tann\t\t250\r\n2\tbob\t\t40") << QStringList{"ann=250"};
        QTest::newRow("empty line between two entries is an empty entry")
            << QByteArray("1\tann\t\t250\r\n\r\n3\tcy\t\t10\r\n")
            << QStringList{"ann=250", "=0", "cy=10"};
        QTest::newRow("0-byte file holds no entries") << QByteArray() << QStringList{};
        QTest::newRow("LF-only line ends give no entries")
            << QByteArray("1\tann\t\t250\n2\tbob\t\t40\n") << QStringList{};
        QTest::newRow("a lone CR LF is one empty entry") << QByteArray("\r\n") << QStringList{"=0"};
        QTest::newRow("line without a TAB is an empty entry")
            << QByteArray("hello\r\n") << QStringList{"=0"};
        QTest::newRow("line with one TAB is an empty entry")
            << QByteArray("1\tann\r\n") << QStringList{"=0"};
        QTest::newRow("three fields, no fourth, is an empty entry")
            << QByteArray("1\tann\t250\r\n2\tbob\t\r\n") << QStringList{"=0", "=0"};
        QTest::newRow("fourth field not a number is an empty entry")
            << QByteArray("1\tann\t\tlots\r\n2\tbob\t\t12x\r\n3\tcy\t\t\r\n4\tdee\t\t1.5\r\n")
            << QStringList{"=0", "=0", "=0", "=0"};
        QTest::newRow("largest and smallest 32-bit scores read")
            << QByteArray("1\tbig\t\t2147483647\r\n2\tsmall\t\t-2147483648\r\n")
            << QStringList{"big=2147483647", "small=-2147483648"};
        QTest::newRow("scores beyond 32 bits are empty entries")
            << QByteArray("1\ta\t\t2147483648\r\n2\tb\t\t-2147483649\r\n"
                          "3\tc\t\t99999999999999999999999999999999\r\n")
            << QStringList{"=0", "=0", "=0"};
        QTest::newRow("a fifth field is ignored")
            << QByteArray("1\tann\t\t250\tmore\r\n") << QStringList{"ann=250"};
        QTest::newRow("text in the third field is ignored")
            << QByteArray("1\tann\tnote\t250\r\n") << QStringList{"ann=250"};
        QTest::newRow("8-bit names read as Latin-1")
            << QByteArray("1\tZo\xeb\t\t9\r\n") << QStringList{QStringLiteral("Zo\u00eb=9")};
        QTest::newRow("a CR alone stays inside the name")
            << QByteArray("1\ta\rb\t\t9\r\n") << QStringList{"a\rb=9"};
        QTest::newRow("empty name and rank still read the score")
            << QByteArray("\t\t\t77\r\n") << QStringList{"=77"};
    }
    void readingTakesTheLinesAsTheyStand()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        MemoryFiles files;
        files.put(Path, file);
        RecordTable table(files, Folder);
        QVERIFY(table.LoadRecords());
        QCOMPARE(entriesOf(table), entries);
        QCOMPARE(table.records().size(), entries.size() + 1);
        QCOMPARE(table.records().last(), ScoreRecord{});
        QVERIFY(!table.readError());
    }

    void missingFileLeavesTheTableEmpty()
    {
        MemoryFiles files;
        files.put(QStringLiteral("/elsewhere/record.dat"), fileOf({"ann=5"}));
        RecordTable table(files, Folder);
        QVERIFY(!table.LoadRecords());
        QCOMPARE(table.count(), 0);
        QCOMPARE(table.records().size(), 1);
    }

    void unreadableFileGivesNoEntriesAndIsNeverSavedOver()
    {
        MemoryFiles files;
        const QByteArray old = fileOf({"ann=900", "bob=800"});
        files.put(Path, old);
        files.failWith(Path, EACCES, QStringLiteral("Permission denied"));
        RecordTable table(files, Folder);
        QVERIFY(table.LoadRecords());
        QCOMPARE(table.count(), 0);
        QVERIFY(table.readError());
        QCOMPARE(table.readError()->description, QStringLiteral("Permission denied"));

        table.insertRecord(ScoreRecord{QStringLiteral("zed"), 10});
        const FileWriteResult saved = table.save(saveFromList(table));
        QVERIFY(!saved.ok);
        QCOMPARE(saved.error.description, QStringLiteral("Permission denied"));
        QVERIFY(files.writeAttempts().isEmpty());
        QCOMPARE(files.content(Path), old);
    }

    void insertionSortsStablyAndKeepsTen_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("a tie goes to the older entry")
            << fileOf({"ann=90", "bob=50", "cy=10"}) << "zed" << 50
            << QStringList{"ann=90", "bob=50", "zed=50", "cy=10"};
        QTest::newRow("into an empty table") << QByteArray() << "zed" << 0 << QStringList{"zed=0"};
        QTest::newRow("best score goes first") << fileOf({"ann=90", "bob=50"}) << "zed" << 91
                                               << QStringList{"zed=91", "ann=90", "bob=50"};
        QTest::newRow("lowest score goes last") << fileOf({"ann=90", "bob=50"}) << "zed" << 0
                                                << QStringList{"ann=90", "bob=50", "zed=0"};
        QTest::newRow("ten entries, a tie with the last is dropped")
            << fileOf(descending(10, 1000, 50)) << "zed" << 550 << descending(10, 1000, 50);
        QTest::newRow("ten entries, beating the last drops the last")
            << fileOf(descending(10, 1000, 50)) << "zed" << 551
            << descending(9, 1000, 50) + QStringList{"zed=551"};
        QTest::newRow("fifteen entries leave the ten best")
            << fileOf(descending(15, 1500, 100)) << "zed" << 1050
            << descending(5, 1500, 100) + QStringList{"zed=1050"} +
                   descending(10, 1500, 100).mid(5, 4);
        QTest::newRow("an unsorted file is sorted, equal scores in file order")
            << fileOf({"a=5", "b=50", "c=5", "d=50"}) << "zed" << 5
            << QStringList{"b=50", "d=50", "a=5", "c=5", "zed=5"};
        QTest::newRow("empty entries sort by their score 0")
            << QByteArray("\r\n1\tann\t\t30\r\n") << "zed" << 0
            << QStringList{"ann=30", "=0", "zed=0"};
    }
    void insertionSortsStablyAndKeepsTen()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(int, score);
        QFETCH(QStringList, after);
        MemoryFiles files;
        if (!file.isNull()) {
            files.put(Path, file);
        }
        RecordTable table(files, Folder);
        table.LoadRecords();
        table.insertRecord(ScoreRecord{name, score});
        QCOMPARE(entriesOf(table), after);
        QCOMPARE(table.records().size(), after.size() + 1);
        QCOMPARE(table.records().last(), ScoreRecord{});
    }

    void scoreQualifiesForEntry_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("qualifies");
        QTest::newRow("no entries, score 0") << QStringList{} << 0 << false;
        QTest::newRow("no entries, score 1") << QStringList{} << 1 << true;
        QTest::newRow("no entries, score 120") << QStringList{} << 120 << true;
        QTest::newRow("one entry, score 0 below it") << QStringList{"ann=500"} << 0 << true;
        QTest::newRow("nine entries, score 0") << descending(9, 900, 10) << 0 << true;
        QTest::newRow("nine entries, tie with the last") << descending(9, 900, 10) << 820 << true;
        QTest::newRow("ten entries, tie with the last 50")
            << descending(10, 140, 10) << 50 << false;
        QTest::newRow("ten entries, 51 beats the last 50") << descending(10, 140, 10) << 51 << true;
        QTest::newRow("ten entries, score 0") << descending(10, 140, 10) << 0 << false;
        QTest::newRow("twelve entries, the last one decides")
            << descending(12, 160, 10) << 51 << true;
        QTest::newRow("twelve entries, a tie with the last")
            << descending(12, 160, 10) << 50 << false;
        QTest::newRow("ten entries out of order, the last line decides")
            << QStringList{"a=10", "b=20", "c=30", "d=40", "e=50",
                           "f=60", "g=70", "h=80", "i=90", "j=500"}
            << 100 << false;
    }
    void scoreQualifiesForEntry()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, score);
        QFETCH(bool, qualifies);
        MemoryFiles files;
        if (!entries.isEmpty()) {
            files.put(Path, fileOf(entries));
        }
        RecordTable table(files, Folder);
        table.LoadRecords();
        QCOMPARE(table.scoreQualifies(score), qualifies);
    }

    void listHasHeadingRuleAndFileLines()
    {
        MemoryFiles files;
        files.put(Path, QByteArray("4\tann\t\t250\r\n\r\n"));
        RecordTable table(files, Folder);
        table.LoadRecords();
        const QStringList lines = table.listLines();
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("Sr. #\tName\t\tScore"));
        QCOMPARE(lines[1], QString(67, u'-'));
        QCOMPARE(lines[2], QStringLiteral("1\tann\t\t250"));
        QCOMPARE(lines[3], QStringLiteral("2\t\t\t0"));
    }

    void savingWritesTheExactFormat_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("first file holds one line, rank 1")
            << QByteArray() << "zed" << 120 << QByteArray("1\tzed\t\t120\r\n");
        QTest::newRow("two entries as in the example")
            << QByteArray("1\tann\t\t250\r\n") << "bob" << 40
            << QByteArray("1\tann\t\t250\r\n2\tbob\t\t40\r\n");
        QTest::newRow("ranks are written anew")
            << QByteArray("7\tann\t\t250\r\n3\tbob\t\t40\r\n") << "cy" << 10
            << QByteArray("1\tann\t\t250\r\n2\tbob\t\t40\r\n3\tcy\t\t10\r\n");
        QTest::newRow("a last line without CR LF is gone")
            << QByteArray("1\tann\t\t250\r\n2\tbob\t\t40") << "cy" << 10
            << QByteArray("1\tann\t\t250\r\n2\tcy\t\t10\r\n");
        QTest::newRow("an empty entry is written as an empty name and 0")
            << QByteArray("x\r\n") << "cy" << 10 << QByteArray("1\tcy\t\t10\r\n2\t\t\t0\r\n");
        QTest::newRow("an empty name is an empty field")
            << QByteArray() << "" << 5 << QByteArray("1\t\t\t5\r\n");
        QTest::newRow("8-bit names are written back byte for byte")
            << QByteArray("1\t\xe9t\xe9\t\t250\r\n") << "" << 5
            << QByteArray("1\t\xe9t\xe9\t\t250\r\n2\t\t\t5\r\n");
    }
    void savingWritesTheExactFormat()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(int, score);
        QFETCH(QByteArray, after);
        MemoryFiles files;
        if (!before.isNull()) {
            files.put(Path, before);
        }
        RecordTable table(files, Folder);
        table.LoadRecords();
        table.insertRecord(ScoreRecord{name, score});
        QVERIFY(table.save(saveFromList(table)).ok);
        QCOMPARE(files.content(Path), after);
    }

    void tableRoundTripsByteForByte_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("one entry") << fileOf({"ann=250"});
        QTest::newRow("ten entries") << fileOf(descending(10, 2147483647, 1));
        QTest::newRow("ties and empty entries")
            << QByteArray("1\ta\t\t5\r\n2\tb\t\t5\r\n3\t\t\t0\r\n");
        QTest::newRow("every 8-bit character but TAB, CR and LF in names") << [] {
            QByteArray bytes;
            int rank = 1;
            for (int c = 0; c < 256; c += 8) {
                QByteArray name;
                for (int k = c; k < c + 8; ++k) {
                    if (k != '\t' && k != '\r' && k != '\n') {
                        name += char(k);
                    }
                }
                bytes += QByteArray::number(rank++) + '\t' + name + "\t\t" + QByteArray::number(c) +
                         "\r\n";
            }
            return bytes;
        }();
        QTest::newRow("negative and zero scores") << fileOf({"a=0", "b=-1", "c=-2147483648"});
    }
    void tableRoundTripsByteForByte()
    {
        QFETCH(QByteArray, file);
        MemoryFiles files;
        files.put(Path, file);
        RecordTable table(files, Folder);
        QVERIFY(table.LoadRecords());
        QVERIFY(table.save(saveFromList(table)).ok);
        QCOMPARE(files.content(Path), file);
    }

    void namesAreTakenSafeForTheFile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken");
        QTest::newRow("plain name unchanged") << "ann"
                                              << "ann";
        QTest::newRow("Ur Nick. unchanged") << "Ur Nick."
                                            << "Ur Nick.";
        QTest::newRow("TAB becomes a blank") << "a\tb"
                                             << "a b";
        QTest::newRow("CR LF become two blanks") << "a\r\nb"
                                                 << "a  b";
        QTest::newRow("lone LF and CR become blanks") << "\na\r"
                                                      << " a ";
        QTest::newRow("Latin-1 letters kept")
            << QStringLiteral("Zo\u00eb \u00ff") << QStringLiteral("Zo\u00eb \u00ff");
        QTest::newRow("Euro sign becomes ?") << QStringLiteral("\u20ac5") << "?5";
        QTest::newRow("Cyrillic letters become ? each")
            << QStringLiteral("\u0418\u0432\u0430\u043d") << "????";
        QTest::newRow("a character beyond 16 bits becomes one ?")
            << QStringLiteral("a\U0001F600b") << "a?b";
        QTest::newRow("a lone surrogate becomes ?") << QString(QChar(0xD800)) + u'x' << "?x";
    }
    void namesAreTakenSafeForTheFile()
    {
        QFETCH(QString, typed);
        QFETCH(QString, taken);
        QCOMPARE(RecordTable::takeName(typed), taken);

        // What is taken is saved and read back unchanged, in its own line.
        MemoryFiles files;
        files.put(Path, fileOf({"ann=90"}));
        RecordTable table(files, Folder);
        table.LoadRecords();
        table.insertRecord(ScoreRecord{RecordTable::takeName(typed), 100});
        QVERIFY(table.save(saveFromList(table)).ok);
        RecordTable again(files, Folder);
        QVERIFY(again.LoadRecords());
        QCOMPARE(entriesOf(again), (QStringList{taken + QStringLiteral("=100"), "ann=90"}));
    }

    void failedSaveLeavesTheOldFileAndSaysWhy_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("nothing writable") << EACCES << "Permission denied";
        QTest::newRow("disk full") << ENOSPC << "No space left on device";
        QTest::newRow("read-only file system") << EROFS << "Read-only file system";
    }
    void failedSaveLeavesTheOldFileAndSaysWhy()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        MemoryFiles files;
        const QByteArray old = fileOf({"ann=90", "bob=50"});
        files.put(Path, old);
        files.failWritesWith(Path, number, description);
        RecordTable table(files, Folder);
        table.LoadRecords();
        table.insertRecord(ScoreRecord{QStringLiteral("zed"), 70});
        const FileWriteResult saved = table.save(saveFromList(table));
        QVERIFY(!saved.ok);
        QCOMPARE(saved.error.number, number);
        QCOMPARE(saved.error.description, description);
        QCOMPARE(files.content(Path), old);
    }
};

QTEST_GUILESS_MAIN(TestRecordTable)
#include "test_recordtable.moc"
