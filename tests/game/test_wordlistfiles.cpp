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
        addRows({"readable file | file | 0", "missing file | | 2",
                 "file without read permission | file unreadable | 13",
                 "folder without search permission | file closed | 13",
                 "a folder of that name | folder | 21"});
    }
    void realFilesGiveTheSystemsError()
    {
        const QString setup = fields()[0];
        const int error = fields()[1].toInt();
        if (error == EACCES && ::geteuid() == 0) {
            QSKIP("root reads every file; run-unprivileged-tests.sh runs this as another user");
        }
        QTemporaryDir dir;
        const QString folder = dir.path() + "/game", path = folder + "/ShortList8.txt";
        QVERIFY(QDir().mkpath(setup == "folder" ? path : folder));
        QFile f(path);
        QVERIFY(!setup.startsWith("file") ||
                (f.open(QIODevice::WriteOnly) && f.write("cat\r\nDog\r\n") == 10 && f.flush()));
        QVERIFY(!setup.endsWith("unreadable") || f.setPermissions({}));
        const QByteArray name = QFile::encodeName(folder);
        QVERIFY(!setup.endsWith("closed") || ::chmod(name, S_IRUSR | S_IWUSR) == 0);
        GameHarness h({}, false);
        SystemFileAccess files;
        frmMain game(
            Platform{h.clock, h.random, h.beeper, h.messageBox, h.sound, h.windows, files, folder});
        game.Form_Load();
        ::chmod(name, S_IRWXU); // let the folder be removed
        QCOMPARE(QString::number(game.words().size()) + h.messageBox.texts.join(""),
                 error ? QStringLiteral("0Error %1 opening file.\r\n").arg(error) + strerror(error)
                       : "3");
    }
};

QTEST_GUILESS_MAIN(TestWordListFiles)
#include "test_wordlistfiles.moc"
