#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QTest>
#include <QtWidgets>

// The game as players run it on Wayland desktops, on a compositor of the test's own (see
// weston-run.sh): the real windows, word list and files, on a virtual clock.
struct Game
{
    VirtualClock clock;
    EventLog log;
    RecordingSound sound{log};
    GameApplication app{options()};
    GameApplication::Options options()
    {
        GameApplication::Options o;
        o.programFolder = qEnvironmentVariable("TILNORA_GAME_DIR");
        o.clock = &clock;
        o.sound = &sound;
        return o;
    }
};

class TestWayland : public QObject
{
    Q_OBJECT

    // The buttons of a window's title bar, by name.
    static QStringList buttons(QWidget *window)
    {
        QStringList names;
        for (QToolButton *b : window->findChildren<QToolButton *>()) {
            names << b->objectName();
        }
        return names;
    }

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), "wayland"); }

    // Where Qt would offer minimise, maximise and close on every window, the title bars
    // offer what each window has: minimise and close on the main window, close on the others.
    void titleBarsOfferTheWindowsOwnButtons()
    {
        Game g;
        GameApplication &app = g.app;
        QVERIFY(app.load());
        app.show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.window()));
        QCOMPARE(buttons(&app.window()), (QStringList{"minimise", "close"}));
        QStringList opened, notOver;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (dialog && dialog->isVisible()) {
                const QString name = dialog->metaObject()->className();
                opened << name + ": " + buttons(dialog).join(' ');
                // Placed over the main window, the one thing a compositor needs to know.
                if (dialog->windowHandle()->transientParent() != app.window().windowHandle()) {
                    notOver << name;
                }
                dialog->close();
            }
        });
        poll.start(50);
        frmMain &model = app.model();
        model.lblAbout_Click();
        model.lblHowTo_Click();
        model.lblHighScore_Click();
        model.cmdExit_Click();
        QCOMPARE(opened, (QStringList{"frmAbout: close", "frmHowTo: close", "frmRecord: close",
                                      "frmExit: close"}));
        QCOMPARE(notOver, QStringList());
    }

    // A maximised or full-screen state, as a title-bar double-click or a shortcut would ask
    // for it, leaves the window at its size and the game playing.
    void askedToFillTheScreenTheGameStaysAtItsSize_data()
    {
        QTest::addColumn<Qt::WindowState>("asked");
        QTest::newRow("maximised") << Qt::WindowMaximized;
        QTest::newRow("full screen") << Qt::WindowFullScreen;
    }
    void askedToFillTheScreenTheGameStaysAtItsSize()
    {
        QFETCH(Qt::WindowState, asked);
        Game g;
        GameApplication &app = g.app;
        QVERIFY(app.load());
        app.show();
        MainWindow &window = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size = window.size();
        window.windowHandle()->setWindowStates(asked);
        QTest::qWait(1000);
        QTRY_COMPARE(window.windowHandle()->windowStates(), Qt::WindowNoState);
        QTRY_COMPARE(window.size(), size);
        QWidget *client = window.findChild<QWidget *>("clientArea");
        QCOMPARE(client->size(), QSize(635, 484));
        QTest::mouseClick(window.widgetFor(ControlId::btnStart), Qt::LeftButton);
        for (int ms = 0; ms < 4000; ms += 100) {
            g.clock.advanceBy(100);
            QTest::qWait(5);
        }
        QCOMPARE(app.model().btnStart.caption(), "Pause");
        QCOMPARE(app.model().topRow(), 0); // a row was pushed
        QCOMPARE(window.size(), size);
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
