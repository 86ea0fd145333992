#include "support/gameharness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// The word list read from real files. Permission bits stop nothing for root, so the rows that
// need them are run by an unprivileged user (the test carries the label "unprivileged").
class TestWordListFiles : public QObject
{
    Q_OBJECT
private slots:
    void realFilesGiveTheSystemsError_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("error"); // 0: the list loads
        QTest::newRow("readable file") << "file" << 0;
        QTest::newRow("missing file") << "" << ENOENT;
        QTest::newRow("file without read permission") << "file unreadable" << EACCES;
        QTest::newRow("folder without search permission") << "file closed" << EACCES;
        QTest::newRow("a folder of that name") << "folder" << EISDIR;
    }
    void realFilesGiveTheSystemsError()
    {
        QFETCH(QString, setup);
        QFETCH(int, error);
        if (error == EACCES && ::geteuid() == 0) {
            QSKIP("root reads every file; run-unprivileged-tests.sh runs this as another user");
        }
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/game");
        const QString path = folder + QStringLiteral("/ShortList8.txt");
        QVERIFY(QDir().mkpath(setup == QLatin1String("folder") ? path : folder));
        QFile f(path);
        if (setup.startsWith(QLatin1String("file"))) {
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("cat\r\nDog\r\n") == 10);
            f.close();
        }
        QVERIFY(!setup.endsWith(QLatin1String("unreadable")) || f.setPermissions({}));
        const QByteArray name = QFile::encodeName(folder);
        QVERIFY(!setup.endsWith(QLatin1String("closed")) || ::chmod(name, S_IRUSR | S_IWUSR) == 0);

        auto h = GameHarness::unloaded();
        SystemFileAccess files;
        frmMain game(Platform{h->clock, h->random, h->beeper, h->messageBox, h->sound, h->windows,
                              files, folder});
        game.Form_Load();
        ::chmod(name, S_IRWXU); // let the folder be removed
        const QString message = QStringLiteral("Error %1 opening file.\r\n").arg(error) +
                                QString::fromLocal8Bit(std::strerror(error));
        QCOMPARE(h->messageBox.texts, error ? QStringList{message} : QStringList());
        QCOMPARE(game.isUnloaded(), error != 0);
        QCOMPARE(game.words().size(), error ? 0 : 3);
        QCOMPARE(game.words().contains(QStringLiteral("dog")), error == 0);
    }
};

QTEST_GUILESS_MAIN(TestWordListFiles)
#include "test_wordlistfiles.moc"
