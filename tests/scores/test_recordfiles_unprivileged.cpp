#include "scores/frmrecord.h"
#include "ui/toolkit/fileaccess.h"

#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// The high-score window over real files that permission bits keep from being read or
// written. Root passes every such bit, so these run as a user without its powers
// (scripts/run-unprivileged-tests.sh); where the bits do not bind, they skip.
class TestRecordFilesUnprivileged : public QObject
{
    Q_OBJECT
private:
    static constexpr bool GameOver = false;
    static constexpr bool ViewMode = true;

    std::unique_ptr<QTemporaryDir> m_dir;
    SystemFileAccess m_files;

    QString path() const { return m_dir->filePath(QStringLiteral("record.dat")); }
    static bool setMode(const QString &path, mode_t mode)
    {
        return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
    }
    static struct stat statOf(const QString &path)
    {
        struct stat st
        {
        };
        ::stat(QFile::encodeName(path).constData(), &st);
        return st;
    }
    // Reads a file whatever its mode, putting the mode back afterwards.
    static QByteArray contentOf(const QString &path)
    {
        const mode_t mode = statOf(path).st_mode & 07777;
        setMode(path, mode | S_IRUSR);
        QFile f(path);
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        setMode(path, mode);
        return bytes;
    }
    void put(const QByteArray &bytes, mode_t mode)
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        QVERIFY(setMode(path(), mode));
    }
    static bool entryShown(const frmRecord &w) { return w.Frame1->isVisibleTo(&w); }

    static inline const QByteArray Old = "1\tann\t\t900\r\n2\tbob\t\t50\r\n";

private slots:
    void initTestCase()
    {
        QTemporaryDir probe;
        const QByteArray file = QFile::encodeName(probe.filePath(QStringLiteral("probe")));
        const int fd = ::open(file.constData(), O_CREAT | O_WRONLY, 0);
        QVERIFY(fd >= 0);
        ::close(fd);
        const int again = ::open(file.constData(), O_RDONLY);
        if (again >= 0) {
            ::close(again);
            QSKIP("permission bits do not bind this user: run scripts/run-unprivileged-tests.sh");
        }
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        setMode(m_dir->path(), 0755);
        setMode(path(), 0644);
        m_dir.reset();
    }

    void neitherFolderNorFileWritableKeepsTheOldFileAndSaysSo()
    {
        put(Old, 0444);
        QVERIFY(setMode(m_dir->path(), 0555));
        frmRecord w(m_files, m_dir->path(), GameOver, 120);
        QVERIFY(entryShown(w));
        QCOMPARE(w.List1->count(), 4);
        w.cmdEnter_Click();
        QCOMPARE(w.notice(), QStringLiteral("Could not save the score: Permission denied"));
        QCOMPARE(contentOf(path()), Old);
    }

    void folderNotWritableAndNoFileSaysSo()
    {
        QVERIFY(setMode(m_dir->path(), 0555));
        frmRecord w(m_files, m_dir->path(), GameOver, 120);
        QVERIFY(entryShown(w));
        w.cmdEnter_Click();
        QCOMPARE(w.notice(), QStringLiteral("Could not save the score: Permission denied"));
        QVERIFY(!QFile::exists(path()));
    }

    void onlyTheFileWritableIsSavedInPlace()
    {
        put(Old, 0644);
        const ino_t before = statOf(path()).st_ino;
        QVERIFY(setMode(m_dir->path(), 0555));
        frmRecord w(m_files, m_dir->path(), GameOver, 120);
        w.cmdEnter_Click();
        QCOMPARE(w.notice(), QString());
        QCOMPARE(contentOf(path()),
                 QByteArray("1\tann\t\t900\r\n2\tUr Nick.\t\t120\r\n3\tbob\t\t50\r\n"));
        QCOMPARE(statOf(path()).st_ino, before);
    }

    void inPlaceSaveOnAFullDiskKeepsTheOldFileAndSaysSo()
    {
        put(Old, 0644);
        QVERIFY(setMode(m_dir->path(), 0555));
        frmRecord w(m_files, m_dir->path(), GameOver, 120);
        // A file size limit just above the old file's stands in for a full disk.
        struct rlimit saved
        {
        };
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = Old.size() + 6;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        w.cmdEnter_Click();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(w.notice(), QStringLiteral("Could not save the score: ") +
                                 QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(contentOf(path()), Old);
    }

    void unreadableFileIsReportedAndNeverSavedOver_data()
    {
        QTest::addColumn<bool>("view");
        QTest::newRow("from the menu") << ViewMode;
        QTest::newRow("at game over with a qualifying score") << GameOver;
    }
    void unreadableFileIsReportedAndNeverSavedOver()
    {
        QFETCH(bool, view);
        put(Old, 0200);
        const struct stat before = statOf(path());
        frmRecord w(m_files, m_dir->path(), view, 5000);
        QCOMPARE(w.notice(), QStringLiteral("Could not read the high scores: Permission denied"));
        QVERIFY(!entryShown(w));
        QCOMPARE(w.List1->count(), 2);
        w.cmdEnter_Click();
        const struct stat after = statOf(path());
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        QCOMPARE(contentOf(path()), Old);
    }

    void folderThatCannotBeSearchedKeepsItsFile()
    {
        put(Old, 0644);
        QVERIFY(setMode(m_dir->path(), 0644));
        frmRecord w(m_files, m_dir->path(), GameOver, 120);
        // The file cannot even be seen: the window shows no table and offers the entry, and
        // the save that follows fails with the reason.
        QCOMPARE(w.List1->count(), 0);
        w.cmdEnter_Click();
        QCOMPARE(w.notice(), QStringLiteral("Could not save the score: Permission denied"));
        QVERIFY(setMode(m_dir->path(), 0755));
        QCOMPARE(contentOf(path()), Old);
    }
};

QTEST_MAIN(TestRecordFilesUnprivileged)
#include "test_recordfiles_unprivileged.moc"
