#include "scores/frmrecord.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>

// The built program as shipped, copied into a folder of its own and started on the test's own
// X server (xcb, no window manager): keys go in with xdotool, title bars are read with xprop
// and what only this process can read is read here.
class TestRealProgram : public QObject
{
    Q_OBJECT
    static QString run(const QString &tool, const QStringList &args)
    {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(20000)) {
            p.kill();
        }
        return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    }
    // The title bar of a window as the X server holds it; Qt would fill an empty one.
    static QString title(const QString &window)
    {
        return run("xprop", {"-id", window, "_NET_WM_NAME", "WM_NAME"});
    }
    static QString find(QProcess &game, const char *name)
    {
        const QString window =
            run("xdotool", {"search", "--sync", "--onlyvisible", "--all", "--pid",
                            QString::number(game.processId()), "--name", name});
        run("xdotool", {"windowfocus", "--sync", window});
        return window;
    }

private slots:
    void runsFromItsFolder_data()
    {
        QTest::addColumn<bool>("withWordList");
        QTest::newRow("without the word list: a message, then status 1") << false;
        QTest::newRow("with the word list: the window, X, Exit the Game, status 0") << true;
    }
    void runsFromItsFolder()
    {
        QFETCH(bool, withWordList);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(TILNORA_EXECUTABLE, dir.filePath("tilnora")));
        const QString list = qEnvironmentVariable("TILNORA_GAME_DIR") + "/ShortList8.txt";
        QVERIFY(!withWordList || QFile::copy(list, dir.filePath("ShortList8.txt")));
        QProcess game;
        game.setProcessChannelMode(QProcess::ForwardedChannels);
        game.start(dir.filePath("tilnora"), {});
        QVERIFY(game.waitForStarted());
        const QString window = find(game, "^Tilnora$");
        QVERIFY2(!window.isEmpty() && !window.contains('\n'), qPrintable(window));
        if (withWordList) {
            QVERIFY(run("xdotool", {"getwindowgeometry", window}).contains("635x484"));
            run("xdotool", {"key", "Tab", "Tab", "Tab", "Tab", "space"}); // the X button
            const QString exitTitle = title(find(game, "^ $"));
            QVERIFY2(exitTitle.count(" = \" \"") == 2, qPrintable(exitTitle));
            run("xdotool", {"key", "Tab", "Return"}); // Exit the Game
        } else {
            QCOMPARE(game.state(), QProcess::Running); // the message waits for the player
            run("xdotool", {"key", "Return"});
        }
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitCode(), withWordList ? 0 : 1);
    }

    // The same start in this process, where the message's text can be read.
    void theMessageNamesTheError()
    {
        QTemporaryDir empty;
        GameApplication app({empty.path(), nullptr, nullptr, nullptr, 1});
        QString text;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            text = box ? box->text() : QString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(app.exec(), 1);
        QCOMPARE(text, "Error 2 opening file.\r\n" + QString::fromLocal8Bit(strerror(ENOENT)));
    }

    void highScoreWindowHasABlankTitle()
    {
        MemoryFiles files;
        frmRecord record(files, QStringLiteral("/scores"), true, 0);
        record.show();
        QVERIFY(QTest::qWaitForWindowExposed(&record));
        QCOMPARE(title(QString::number(record.winId())).count(" = \" \""), 2);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilnora"));
    TestRealProgram test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_realprogram.moc"
