#include "scores/frmrecord.h"
#include "support/doubles.h"

#include <QTest>
#include <QtWidgets>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestRecords : public QObject
{
    Q_OBJECT
    static inline const QString Path = QStringLiteral("/game/record.dat");
    static inline const QByteArray Old = "1\tann\t\t900\r\n2\tbob\t\t50\r\n", None;

    // "*ann=90|bob=50": "1 TAB ann TAB TAB 90 CR LF 2 TAB bob ..."; the * is only a mark.
    static QByteArray fileOf(QString entries)
    {
        QByteArray bytes;
        for (QString e : entries.remove(u'*').split(u'|', Qt::SkipEmptyParts))
            bytes += QByteArray::number(bytes.count("\r\n") + 1) + '\t' +
                     e.replace(e.lastIndexOf(u'='), 1, "\t\t").toLatin1() + "\r\n";
        return bytes;
    }
    static QString ladder(int n, QString out = {}) // |p1=1000|p2=990|...
    {
        for (int i = 1; i <= n; ++i)
            out += QStringLiteral("|p%1=%2").arg(i).arg(1010 - 10 * i);
        return out;
    }

private slots:
    // Steps after the score: "menu" opens from the menu, "unreadable"/"diskfull" fail reading/
    // writing; "box", "button" click; "type:", "paste:" fill; "again" asks twice; Keys.
    void windowShowsReadsAndSavesTheTable_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no record.dat
        QTest::addColumn<QString>("play");    // "steps -> listed entries", * if in record.dat
        const QString p9 = ladder(9), p10 = ladder(10), f15 = "low=5|high=500|bob=50" + ladder(12);
        QTest::newRow("no file, score 0") << None << "0 again -> ";
        QTest::newRow("no file, Enter button") << None << "120 button again -> *Ur Nick.=120";
        QTest::newRow("0 is 10th") << fileOf(p9) << "0 box type:ann Return -> *" + p9 + "|ann=0";
        QTest::newRow("a tie with the 10th") << fileOf(p10) << "910 again -> " + p10;
        QTest::newRow("beating the 10th by keypad Enter, 8 characters kept")
            << fileOf(p10) << "911 box type:abcdefghij Num+Enter -> *" + p9 + "|abcdefgh=911";
        QTest::newRow("menu, 15 lines in file order") << fileOf(f15) << "5000 menu again -> " + f15;
        QTest::newRow("sorts all, after an older tie, 10 kept")
            << fileOf(f15) << "930 button -> *" + ladder(8) + "|Ur Nick.=930|p9=920";
        QTest::newRow("0-byte file") << QByteArray("") << "0 menu -> ";
        QTest::newRow("empty line, 3 fields, not 32-bit; 32-bit limits, 5 fields, CR in name, LF")
            << QByteArray("\r\n1\ta\t5\r\n2\tb\t\tx\r\n3\tc\t\t1.5\r\n4\td\t\t2147483648\r\n"
                          "1\tbig\t\t2147483647\tx\r\n2\ts\rm\t\t-2147483648\r\n3\tc\t\t4\n")
            << "0 menu -> =0|=0|=0|=0|=0|big=2147483647|s\rm=-2147483648";
        QTest::newRow("8-bit both ways, controls made safe")
            << QByteArray("1\tZo\xeb\t\t9\r\n")
            << "9 paste:\t\u00ff\r\n\u0100\U0001F600 button -> *Zo\u00eb=9| \u00ff  ?\?=9";
        QTest::newRow("box empties on focus; Esc keeps window and name")
            << None << "5 box type:ann Tab Backtab type:bo Esc Return -> *bo=5";
        QTest::newRow("failed save: old file kept")
            << Old << "120 diskfull button again -> ann=900|Ur Nick.=120|bob=50";
        QTest::newRow("unreadable: said, never saved over") << Old << "5000 unreadable again -> ";
    }
    void windowShowsReadsAndSavesTheTable()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, play);
        const QString steps = play.section(" -> ", 0, 0), list = play.section(" -> ", 1);
        MemoryFiles files;
        file.isNull() ? void() : files.put(Path, file);
        files.failWith(steps.contains(u"unreadable") ? Path : "", EACCES, "Permission denied");
        files.failWritesWith(steps.contains(u"diskfull") ? Path : "", ENOSPC, "No space left");
        frmRecord w(files, "/game", steps.contains(u"menu"), steps.section(u' ', 0, 0).toInt());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w) && w.minimumSize() == w.maximumSize() &&
                w.size() == QSize(312, 344));
        QCOMPARE(
            QList({w.List1->geometry(), w.Frame1->geometry(), w.cmdClose->geometry()}),
            QList({QRect(18, 36, 274, 196), QRect(18, 243, 274, 58), QRect(105, 309, 97, 28)}));
        QCOMPARE(w.lblHighScore->text() + w.cmdEnter->text() + w.cmdClose->text() + " in " +
                     QFontInfo(w.List1->font()).family(),
                 "High ScoresEnterClose in Liberation Sans");
        const QHash<QString, QWidget *> clicks{{"box", w.Text1}, {"button", w.cmdEnter}};
        for (const QString &step : steps.split(u' ').mid(1))
            clicks.contains(step)        ? QTest::mouseClick(clicks[step], Qt::LeftButton)
            : step.startsWith(u"type:")  ? QTest::keyClicks(w.focusWidget(), step.mid(5))
            : step.startsWith(u"paste:") ? w.Text1->setText(step.mid(6))
            : step == u"again"           ? w.Text1_KeyPress(13)
            : step[0].isUpper()          ? QTest::keySequence(w.focusWidget(), step)
                                         : void();
        QVERIFY(w.isVisible());
        QCOMPARE(files.content(Path), list.startsWith(u'*') ? fileOf(list)
                                      : file.isNull()       ? std::nullopt
                                                            : std::optional(file));
        QString shown, heading = "Sr. #\tName\t\tScore\r\n" + QString(67, u'-') + "\r\n";
        for (const QListWidgetItem *item : w.List1->findItems("", Qt::MatchContains))
            shown += item->text() + "\r\n";
        QCOMPARE(shown, (file.isNull() && !list.startsWith(u'*') ? "" : heading) +
                            QString::fromLatin1(fileOf(list)));
        QCOMPARE(w.notice(),
                 steps.contains(u"unreadable") ? "Could not read the high scores: Permission denied"
                 : steps.contains(u"diskfull") ? "Could not save the score: No space left"
                                               : "");
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
        const QRect room = w.noticeLabel->contentsRect();
        const QRect needed = w.noticeLabel->fontMetrics().boundingRect(
            room, int(w.noticeLabel->alignment()) | Qt::TextWordWrap, said);
        QVERIFY2(room.contains(needed), qPrintable(QString("%1 x %2 needed, %3 x %4 there")
                                                       .arg(needed.width())
                                                       .arg(needed.height())
                                                       .arg(room.width())
                                                       .arg(room.height())));
    }

    // Random and damaged files read whole, one entry per CR LF; what is saved reads back equal.
    void anyFileReadsSafelyAndWhatIsSavedReadsBackEqual()
    {
        std::mt19937 rng(20240611);
        auto pick = [&](qsizetype n) { return int(rng() % quint32(n)); };
        const QByteArrayList pieces{"\t", "\r\n", "\r", "\n", "-", " ", "2147483648", "ann"};
        for (int n = 0; n < 3000; ++n) {
            QByteArray file = fileOf(ladder(pick(16)));
            for (int m = pick(8), at = 0; m > 0; --m, at = pick(file.size() + 1))
                pick(3) ? void(file.insert(at, pick(2) ? pieces[pick(8)]
                                                       : QByteArray(1, char(pick(256)))))
                        : void(file.remove(at, pick(12)));
            MemoryFiles disk;
            disk.put(Path, file);
            RecordTable table(disk, "/game"), again(disk, "/game");
            QVERIFY(table.LoadRecords() && table.count() == file.count("\r\n"));
            table.insertRecord(
                {RecordTable::takeName(QString::fromLatin1(file.left(8))), pick(2000) - 10});
            QCOMPARE(table.count(), std::min(int(file.count("\r\n")) + 1, RecordTable::MaxEntries));
            QVERIFY(table.save(table.listLines().mid(2)).ok && again.LoadRecords());
            QVERIFY2(again.records() == table.records(), file.toPercentEncoding().constData());
        }
    }

    // Rows needing permission bits skip as root: scripts/run-unprivileged-tests.sh runs them.
    void realFilesKeepWhatWasSaved_data()
    {
        // Folder mode; file mode (0: no file, -1: a folder named record.dat); largest file in
        // bytes, as a full disk (0: any); bytes written (0: the window saves Ur Nick.=120).
        QTest::addColumn<QList<int>>("setup");
        QTest::addColumn<QString>("said"); // by the window, or by the write alone
        QTest::addColumn<QByteArray>("after");
        const QByteArray added = fileOf("ann=900|Ur Nick.=120|bob=50");
        const QString big = "File too large",
                      save = "Could not save the score: ", deny = save + "Permission denied",
                      unread = "Could not read the high scores: Permission denied";
        QTest::newRow("first save") << QList{0755, 0, 0, 0} << "" << fileOf("Ur Nick.=120");
        QTest::newRow("full disk, small write") << QList{0755, 0644, 64, 200} << big << Old;
        QTest::newRow("full disk, large write") << QList{0755, 0644, 64, 100000} << big << Old;
        QTest::newRow("a folder record.dat")
            << QList{0755, -1, 0, 0} << save + "Is a directory" << QByteArray("");
        QTest::newRow("read-only folder and file") << QList{0555, 0444, 0, 0} << deny << Old;
        QTest::newRow("read-only folder, no file") << QList{0555, 0, 0, 0} << deny << None;
        QTest::newRow("only the file writable: in place") << QList{0555, 0644, 0, 0} << "" << added;
        QTest::newRow("in place on a full disk") << QList{0555, 0644, 30, 0} << save + big << Old;
        QTest::newRow("unreadable file") << QList{0755, 0200, 0, 0} << unread << Old;
    }
    void realFilesKeepWhatWasSaved()
    {
        QFETCH(QList<int>, setup);
        QFETCH(QString, said);
        QFETCH(QByteArray, after);
        const int folderMode = setup[0], fileMode = setup[1];
        if ((folderMode != 0755 || (fileMode > 0 && (fileMode & 0600) != 0600)) && !::geteuid())
            QSKIP("permission bits do not bind this user: run scripts/run-unprivileged-tests.sh");
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()), name = folder + "/record.dat";
        struct stat before = {}, now = {};
        SystemFileAccess files;
        QVERIFY(fileMode < 0 ? !::mkdir(name, 0755) : !fileMode || files.writeAll(name, Old).ok);
        QVERIFY(!::chmod(folder, folderMode) && (fileMode <= 0 || !::chmod(name, fileMode)));
        ::stat(name, &before);
        frmRecord w(files, dir.path(), false, 120);
        rlimit unlimited = {};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit small{setup[2] ? rlim_t(setup[2]) : unlimited.rlim_cur, unlimited.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
        ::setrlimit(RLIMIT_FSIZE, &small);
        const QString shown =
            setup[3] ? files.writeAll(name, QByteArray(setup[3], 'x')).error.description
                     : (w.cmdEnter_Click(), w.notice());
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QVERIFY(::chmod(folder, 0755) == 0);
        QCOMPARE(shown, said);
        QCOMPARE(::stat(name, &now) == 0, !after.isNull());
        // A new file takes the old one's place where the folder allows.
        QCOMPARE(now.st_ino != before.st_ino, shown.isEmpty() && folderMode == 0755);
        ::chmod(name, fileMode > 0 ? 0644 : 0755);
        QCOMPARE(files.readAll(name).bytes, after);
    }
};

QTEST_MAIN(TestRecords)
#include "test_records.moc"
