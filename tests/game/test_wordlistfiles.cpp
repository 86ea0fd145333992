#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// The word list read from real files. Permission bits stop nothing for root, so the rows that
// need them are run by an unprivileged user (the test carries the label "unprivileged").
class TestWordListFiles : public QObject
{
    Q_OBJECT
private:
    enum Setup { Readable, Missing, NoReadPermission, FolderNotSearchable, FolderInItsPlace };

private slots:
    void realFilesGiveTheSystemsError_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("error"); // 0: the list loads
        QTest::newRow("readable file") << int(Readable) << 0;
        QTest::newRow("missing file") << int(Missing) << ENOENT;
        QTest::newRow("file without read permission") << int(NoReadPermission) << EACCES;
        QTest::newRow("folder without search permission") << int(FolderNotSearchable) << EACCES;
        QTest::newRow("a folder of that name") << int(FolderInItsPlace) << EISDIR;
    }
    void realFilesGiveTheSystemsError()
    {
        QFETCH(int, setup);
        QFETCH(int, error);
        const bool needsPermissions = setup == NoReadPermission || setup == FolderNotSearchable;
        if (needsPermissions && ::geteuid() == 0) {
            QSKIP("root reads every file; run-unprivileged-tests.sh runs this as another user");
        }

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + QStringLiteral("/game");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/ShortList8.txt");
        if (setup == FolderInItsPlace) {
            QVERIFY(QDir().mkpath(path));
        } else if (setup != Missing) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("cat\r\nDog\r\n");
        }
        const QByteArray name = QFile::encodeName(setup == FolderNotSearchable ? folder : path);
        if (setup == NoReadPermission) {
            QCOMPARE(::chmod(name.constData(), 0), 0);
        } else if (setup == FolderNotSearchable) {
            QCOMPARE(::chmod(name.constData(), S_IRUSR | S_IWUSR), 0);
        }

        VirtualClock clock;
        SeededRandom random(1);
        EventLog log;
        RecordingBeeper beeper(log);
        RecordingMessageBox messageBox(log);
        RecordingSound sound(log);
        ScriptedWindows windows(log);
        SystemFileAccess files;
        frmMain game(Platform{clock, random, beeper, messageBox, sound, windows, files, folder});
        game.Form_Load();
        ::chmod(QFile::encodeName(folder).constData(), S_IRWXU); // let the folder be removed

        if (error == 0) {
            QVERIFY(messageBox.texts.isEmpty());
            QVERIFY(!game.loadFailed());
            QCOMPARE(game.words().size(), 3);
            QVERIFY(game.words().contains(QStringLiteral("dog")));
            return;
        }
        const QString expected = QStringLiteral("Error ") + QString::number(error) +
                                 QStringLiteral(" opening file.\r\n") +
                                 QString::fromLocal8Bit(std::strerror(error));
        QCOMPARE(messageBox.texts, QStringList{expected});
        QVERIFY(game.loadFailed());
        QVERIFY(game.isUnloaded());
        QCOMPARE(game.words().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestWordListFiles)
#include "test_wordlistfiles.moc"
