#include "scores/frmrecord.h"
#include "support/doubles.h"

#include <QTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// record.dat holds one line per entry, "rank TAB name TAB TAB score", each ended by CR LF.
static const QString Path = "/game/record.dat";
static const QByteArray NoFile; // no record.dat at all, unlike an empty one
static const QByteArray OldScores = "1\tann\t\t900\r\n2\tbob\t\t50\r\n";
static const QStringList Heading{"Sr. #\tName\t\tScore", QString(67, u'-')}; // above the entries

static QByteArray fileOf(const QStringList &lines)
{
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

// The entries p1, p2, ... scored 1000, 990, ...
static QStringList ladder(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        lines << QString("%1\tp%1\t\t%2").arg(i).arg(1010 - 10 * i);
    }
    return lines;
}

static QStringList listed(const frmRecord &w)
{
    QStringList lines;
    for (int i = 0; i < w.List1->count(); ++i) {
        lines << w.List1->item(i)->text();
    }
    return lines;
}

class TestRecords : public QObject
{
    Q_OBJECT
private slots:
    // The window opens at the end of a game with that score, or from the menu. An entry offered
    // is made with the Enter button, under the box's first text "Ur Nick."; entries: the lines
    // listed afterwards, and saved if an entry was made.
    void entriesAreListedAndAddedAtTheirRank_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QStringList>("entries");
        const QByteArray ten = fileOf(ladder(10));
        const QStringList first{"1\tUr Nick.\t\t120"};
        QTest::newRow("no file, 0: nothing") << NoFile << 0 << false << false << QStringList();
        QTest::newRow("no file, 120: the first line") << NoFile << 120 << false << true << first;
        QTest::newRow("nine entries, a tie with the ninth: the tenth, below it")
            << fileOf(ladder(9)) << 920 << false << true << (ladder(9) << "10\tUr Nick.\t\t920");
        QTest::newRow("a tie with the tenth: not entered")
            << ten << 910 << false << false << ladder(10);
        QTest::newRow("beating the tenth: it drops out")
            << ten << 911 << false << true << (ladder(9) << "10\tUr Nick.\t\t911");
        QTest::newRow("from the menu: never offered") << ten << 5000 << true << false << ladder(10);
        QTest::newRow("odd ranks, out of order: ranked afresh, not sorted")
            << QByteArray("7\tcy\t\t50\r\n3\tbo\t\t90\r\n") << 0 << true << false
            << QStringList{"1\tcy\t\t50", "2\tbo\t\t90"};
        QTest::newRow("a last line without CR LF: not read, gone after a save")
            << fileOf(ladder(8)) + "9\tcy\t\t50" << 0 << false << true
            << (ladder(8) << "9\tUr Nick.\t\t0");
        QTest::newRow("an empty line: an empty entry in its place")
            << QByteArray("\r\n2\tbo\t\t90\r\n") << 0 << true << false
            << QStringList{"1\t\t\t0", "2\tbo\t\t90"};
        QTest::newRow("one entry with an 8-bit name, 0: entered below it, in 8 bits")
            << QByteArray("1\tZo\xeb\t\t9\r\n") << 0 << false << true
            << QStringList{"1\tZo\u00eb\t\t9", "2\tUr Nick.\t\t0"};
    }
    void entriesAreListedAndAddedAtTheirRank()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, score);
        QFETCH(bool, fromMenu);
        QFETCH(bool, offered);
        QFETCH(QStringList, entries);
        MemoryFiles files;
        if (!file.isNull()) {
            files.put(Path, file);
        }
        frmRecord w(files, "/game", fromMenu, score);
        QCOMPARE(w.Frame1->isVisibleTo(&w), offered);
        QTest::mouseClick(w.cmdEnter, Qt::LeftButton);
        w.Text1_KeyPress(13); // a second entry in the same opening adds nothing
        const QByteArray after = offered ? fileOf(entries) : file; // an entry rewrites it
        QStringList lines;
        if (!after.isNull()) { // without a file, not even the heading
            lines << Heading << entries;
        }
        QCOMPARE(listed(w), lines);
        QCOMPARE(files.fileExists(Path), !after.isNull());
        QCOMPARE(files.readAll(Path).bytes, after);
    }

    // TAB, CR and LF would split the line: they become blanks. Beyond 8 bits, a "?" each.
    void namesAreMadeSafeForTheFile()
    {
        QCOMPARE(RecordTable::takeName("a\tb\rc\nd"), "a b c d");
        QCOMPARE(RecordTable::takeName("\u00ff"), "\u00ff");
        QCOMPARE(RecordTable::takeName("\u0100\U0001F600"), "??");
    }

    // Scores that cannot be read are not listed, and nothing is saved over them.
    void anUnreadableFileIsToldAndKept()
    {
        MemoryFiles files;
        files.put(Path, OldScores);
        files.failWith(Path, EACCES, "Permission denied");
        frmRecord w(files, "/game", false, 5000);
        QCOMPARE(w.notice(), "Could not read the high scores: Permission denied");
        QCOMPARE(listed(w), Heading);
        QVERIFY(!w.Frame1->isVisibleTo(&w));
        w.cmdEnter_Click();
        QCOMPARE(files.content(Path).value_or(""), OldScores);
    }

    // A failed save shows its whole reason, wrapped within the line's room: here the longest
    // description the system has for any error.
    void failureLineShowsTheWholeReason()
    {
        QString longest;
        for (int number = 1; number < 200; ++number) {
            const QString description = QString::fromLocal8Bit(strerror(number));
            if (description.size() > longest.size()) {
                longest = description;
            }
        }
        MemoryFiles files;
        files.failWritesWith(Path, EOVERFLOW, longest);
        frmRecord w(files, "/game", false, 120);
        w.show();
        w.cmdEnter_Click();
        const QString said = "Could not save the score: " + longest;
        QCOMPARE(w.noticeLabel->text(), said);
        // Wide and high enough for the text as it wraps.
        const QLabel *line = w.noticeLabel;
        QCOMPARE_LE(line->minimumSizeHint().width(), line->width());
        QCOMPARE_LE(line->heightForWidth(line->width()), line->height());
    }

    // The window saves "Ur Nick." with 120 over OldScores in a real folder, or says why not.
    // Read-only folders do not bind root: scripts/run-unprivileged-tests.sh runs those rows.
    void realFilesKeepWhatWasSaved_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("diskRoom"); // the largest file the disk takes, in bytes
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QByteArray>("after");
        const QString full = "Could not save the score: File too large";
        const QByteArray added = fileOf({"1\tann\t\t900", "2\tUr Nick.\t\t120", "3\tbob\t\t50"});
        QTest::newRow("a full disk: kept") << 0755 << 30 << full << OldScores;
        QTest::newRow("only the file writable, just room for it: in place")
            << 0555 << int(added.size()) << "" << added;
        QTest::newRow("in place on a full disk: kept") << 0555 << 30 << full << OldScores;
    }
    void realFilesKeepWhatWasSaved()
    {
        QFETCH(int, folderMode);
        QFETCH(int, diskRoom);
        QFETCH(QString, notice);
        QFETCH(QByteArray, after);
        if (folderMode != 0755 && ::geteuid() == 0) {
            QSKIP("permission bits do not bind this user: run scripts/run-unprivileged-tests.sh");
        }
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray name = folder + "/record.dat";
        SystemFileAccess files;
        QVERIFY(files.writeAll(name, OldScores).ok);
        QCOMPARE(::chmod(folder, folderMode), 0);
        frmRecord w(files, dir.path(), false, 120);
        rlimit unlimited = {};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit small{rlim_t(diskRoom), unlimited.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
        ::setrlimit(RLIMIT_FSIZE, &small);
        w.cmdEnter_Click();
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(::chmod(folder, 0755), 0);
        QCOMPARE(w.notice(), notice);
        QCOMPARE(files.readAll(name).bytes, after);
    }
};

QTEST_MAIN(TestRecords)
#include "test_records.moc"
