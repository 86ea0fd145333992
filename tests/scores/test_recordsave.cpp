#include "scores/recordtable.h"
#include "ui/toolkit/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// Saving record.dat on the real file system, in cases that permission bits play no part in,
// so they run as any user.
class TestRecordSave : public QObject
{
    Q_OBJECT
private:
    static ino_t inode(const QString &path)
    {
        struct stat st
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }
    static QByteArray contentOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    SystemFileAccess m_files;

private slots:
    void firstSaveCreatesTheFile()
    {
        QTemporaryDir dir;
        RecordTable table(m_files, dir.path());
        QVERIFY(!table.LoadRecords());
        table.insertRecord(ScoreRecord{QStringLiteral("zed"), 120});
        QVERIFY(table.save(table.listLines().mid(2)).ok);
        QCOMPARE(contentOf(table.path()), QByteArray("1\tzed\t\t120\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("record.dat")});
    }

    void saveReplacesTheFileThroughANewOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.dat"));
        put(path, "1\tann\t\t90\r\n");
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        const ino_t before = inode(path);
        RecordTable table(m_files, dir.path());
        QVERIFY(table.LoadRecords());
        table.insertRecord(ScoreRecord{QStringLiteral("zed"), 50});
        QVERIFY(table.save(table.listLines().mid(2)).ok);
        QCOMPARE(contentOf(path), QByteArray("1\tann\t\t90\r\n2\tzed\t\t50\r\n"));
        // A new file took the old one's name: the old one was never opened for writing.
        QVERIFY(inode(path) != before);
        QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                               QFile::WriteUser | QFile::ReadGroup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("record.dat")});
    }

    void saveThatFailsMidwayLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<int>("size");
        // Qt keeps a small write in memory until the file is committed; a large one goes
        // out at once.
        QTest::newRow("a table's worth, held until the commit") << 200;
        QTest::newRow("larger than Qt's buffer") << 100000;
    }
    void saveThatFailsMidwayLeavesTheOldFileWhole()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.dat"));
        const QByteArray old = "1\tann\t\t90\r\n";
        put(path, old);
        // A file size limit makes the write fail part of the way, as a full disk would.
        struct rlimit saved
        {
        };
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 64;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const FileWriteResult result = m_files.writeAll(path, QByteArray(size, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!result.ok);
        QCOMPARE(result.error.description, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(contentOf(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("record.dat")});
    }

    void folderNamedRecordDatIsNoFileAndIsLeftAlone()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("record.dat")));
        RecordTable table(m_files, dir.path());
        QVERIFY(!table.LoadRecords());
        table.insertRecord(ScoreRecord{QStringLiteral("zed"), 50});
        const FileWriteResult result = table.save(table.listLines().mid(2));
        QVERIFY(!result.ok);
        QVERIFY(!result.error.description.isEmpty());
        QVERIFY(QFileInfo(table.path()).isDir());
    }
};

QTEST_GUILESS_MAIN(TestRecordSave)
#include "test_recordsave.moc"
