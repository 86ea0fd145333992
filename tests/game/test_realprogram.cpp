#include "rfbclient.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// The built program itself, copied into a folder of its own and run on Qt's "vnc" platform:
// the test sees its screen and presses keys through the display protocol, as a player at a
// remote screen would, so the program runs exactly as shipped.
class TestRealProgram : public QObject
{
    Q_OBJECT
private:
    static constexpr std::uint32_t Return = 0xff0d;

    // Starts the copy in the folder and waits until something is drawn on its screen.
    static bool start(QProcess &process, RfbClient &screen, const QString &folder, QImage &shot)
    {
        const QString program = folder + QStringLiteral("/tilnora");
        if (!QFile::copy(QStringLiteral(TILNORA_EXECUTABLE), program)) {
            qWarning("cannot copy the program");
            return false;
        }
        const int port = RfbClient::freePort();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("vnc:size=700x560:port=%1").arg(port));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, QStringList{});
        if (!process.waitForStarted(5000)) {
            qWarning("the program did not start");
            return false;
        }
        if (!screen.connectTo(port, 10000)) {
            qWarning("%s", qPrintable(screen.error()));
            return false;
        }
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            if (!screen.grabScreen(shot, 5000)) {
                qWarning("%s", qPrintable(screen.error()));
                return false;
            }
            int drawn = 0;
            for (int y = 0; y < shot.height(); ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
                for (int x = 0; x < shot.width(); ++x) {
                    drawn += qGray(line[x]) > 100;
                }
            }
            if (drawn > 5000) {
                // Let it finish painting, then look once more.
                QThread::msleep(200);
                return screen.grabScreen(shot, 5000);
            }
            QThread::msleep(50);
        }
        qWarning("nothing was drawn");
        return false;
    }

    static void save(const QImage &shot, const QString &name)
    {
        const QString out = qEnvironmentVariable("TILNORA_TEST_OUTPUT");
        if (!out.isEmpty()) {
            QDir().mkpath(out);
            shot.save(out + QLatin1Char('/') + name);
        }
    }

private slots:
    void initTestCase()
    {
        const QString plugin =
            QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqvnc.so");
        if (!QFile::exists(plugin)) {
            QSKIP("Qt's vnc platform plugin is not installed");
        }
    }

    void withoutTheWordListTheProgramEndsWithAnErrorAfterOk()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QProcess process;
        RfbClient screen;
        QImage shot;
        QVERIFY(start(process, screen, folder.path(), shot));
        save(shot, QStringLiteral("real-program-without-word-list.png"));
        QCOMPARE(process.state(), QProcess::Running); // the message waits for the player

        // Enter presses the message's only button; press again if the first came too early.
        QElapsedTimer pressing;
        pressing.start();
        while (process.state() == QProcess::Running && pressing.elapsed() < 5000) {
            screen.pressKey(Return);
            process.waitForFinished(300);
        }
        QCOMPARE(process.state(), QProcess::NotRunning);
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
    }

    void withTheWordListTheProgramKeepsRunning()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile list(folder.path() + QStringLiteral("/ShortList8.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("cat\r\ndog\r\n");
        list.close();
        QProcess process;
        RfbClient screen;
        QImage shot;
        QVERIFY(start(process, screen, folder.path(), shot));
        save(shot, QStringLiteral("real-program-with-word-list.png"));
        for (int n = 0; n < 4; ++n) {
            screen.pressKey(Return);
            QVERIFY(!process.waitForFinished(300));
        }
        QCOMPARE(process.state(), QProcess::Running);
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(TestRealProgram)
#include "test_realprogram.moc"
