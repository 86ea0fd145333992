#include "dialogs/frmexit.h"
#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QTest>
#include <QtWidgets>

// The game on a Wayland compositor of the test's own (weston-run.sh): the real windows and
// files, on a virtual clock.
struct Game
{
    VirtualClock clock;
    EventLog log;
    RecordingSound sound{log};
    GameApplication app{{qEnvironmentVariable("TILNORA_GAME_DIR"), &clock, &sound, nullptr, 1}};
    MainWindow &window = app.window();
    bool open()
    {
        if (!app.load()) {
            return false;
        }
        app.show();
        return QTest::qWaitForWindowExposed(&window);
    }
};

// The names of the buttons on a window's title bar.
static QStringList buttons(QWidget *window)
{
    QStringList names;
    for (QToolButton *b : window->findChildren<QToolButton *>()) {
        names << b->objectName();
    }
    return names;
}

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    // Where Qt would offer minimise, maximise and close, the title bars offer the window's
    // own: minimise and close on the main window, close on the dialogs, which belong to it.
    void titleBarsOfferTheWindowsOwnButtons()
    {
        Game g;
        QVERIFY(g.open());
        QCOMPARE(buttons(&g.window), (QStringList{"minimise", "close"}));
        std::int32_t status = 0;
        frmExit dialog(status, &g.window);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(buttons(&dialog), QStringList{"close"});
        QCOMPARE(dialog.windowHandle()->transientParent(), g.window.windowHandle());
    }

    // A maximised or full-screen state, as a double-click or a shortcut asks for it, leaves
    // the window at its size and the game playing.
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
        QVERIFY(g.open());
        const QSize size = g.window.size();
        g.window.windowHandle()->setWindowStates(asked);
        QTest::qWait(1000);
        QTRY_COMPARE(g.window.windowHandle()->windowStates(), Qt::WindowNoState);
        QTest::mouseClick(g.window.widgetFor(ControlId::btnStart), Qt::LeftButton);
        for (int ms = 0; ms < 4000; ms += 100) {
            g.clock.advanceBy(100);
            QTest::qWait(5);
        }
        QCOMPARE(g.app.model().topRow(), 0); // a row was pushed
        QCOMPARE(g.window.size(), size);
        QCOMPARE(g.window.findChild<QWidget *>("clientArea")->size(), QSize(635, 484));
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
