#include "dialogs/frmexit.h"
#include "uitesting.h"

#include <QLabel>
#include <QPushButton>
#include <QWindow>

// The exit button, the real exit dialog and the main window's unload, offscreen.
class TestExitFlow : public QObject
{
    Q_OBJECT
private:
    static QPushButton *button(QDialog &d, const char *name)
    {
        return d.findChild<QPushButton *>(QString::fromLatin1(name));
    }

    static QString text(OffscreenGame &g, ControlId id)
    {
        QWidget *w = g.widget(id);
        if (auto *b = qobject_cast<QPushButton *>(w)) {
            return b->text();
        }
        return static_cast<QLabel *>(w)->text();
    }

    // Starts a game and lets two rows come in.
    static void playAWhile(OffscreenGame &g)
    {
        QTest::mouseClick(g.widget(ControlId::btnStart), Qt::LeftButton);
        QVERIFY(g.runUntilTiles(16));
    }

    // Clicks the main window's X; the action runs in the exit dialog.
    static QString exitDialog(OffscreenGame &g, std::function<void(QDialog &)> action)
    {
        ModalWatch watch(std::move(action));
        QTest::mouseClick(g.widget(ControlId::cmdExit), Qt::LeftButton);
        return watch.openedClass();
    }

    static void expectFreshGame(OffscreenGame &g)
    {
        QCOMPARE(text(g, ControlId::btnStart), QStringLiteral("Pause"));
        QCOMPARE(text(g, ControlId::lblScore), QStringLiteral("0"));
        QCOMPARE(text(g, ControlId::lblLevel), QStringLiteral("1"));
        QCOMPARE(text(g, ControlId::lblRowsLeft), QStringLiteral("11"));
        QCOMPARE(g.visibleStackTiles(), 0);
        QVERIFY(!g.widget(ControlId::PicBlack)->isVisible());
        QVERIFY(g.model().TimerNichlaDabaFill.isEnabled());
    }

private slots:
    void enterAtOpeningRestartsTheGame()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        playAWhile(g);
        const QString opened = exitDialog(g, [](QDialog &d) {
            QCOMPARE(QApplication::focusWidget(), button(d, "cmdRestart"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(opened, QStringLiteral("frmExit"));
        QCOMPARE(g.model().frmExitStatus, 0);
        expectFreshGame(g);
        QVERIFY(g.runUntilTiles(8));
    }

    void restartBeforeTheFirstStartStartsAGame()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        QVERIFY(g.widget(ControlId::PicBlack)->isVisible());
        exitDialog(g,
                   [](QDialog &d) { QTest::mouseClick(button(d, "cmdRestart"), Qt::LeftButton); });
        expectFreshGame(g);
        QVERIFY(!g.widget(ControlId::frameAbout)->isEnabled());
    }

    void backToGameLeavesTheGameRunning()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        playAWhile(g);
        exitDialog(g, [&](QDialog &d) {
            QVERIFY(g.runUntilTiles(24)); // the game goes on behind the dialog
            QTest::mouseClick(button(d, "cmdBack"), Qt::LeftButton);
        });
        QCOMPARE(g.model().frmExitStatus, 2);
        QCOMPARE(g.visibleStackTiles(), 24);
        QCOMPARE(text(g, ControlId::btnStart), QStringLiteral("Pause"));
    }

    void escDoesNothingAndTheCloseBoxGoesBackToTheGame()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        playAWhile(g);
        QCOMPARE(g.model().frmExitStatus, 0); // the first value would restart
        bool openAfterEsc = false;
        exitDialog(g, [&](QDialog &d) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCoreApplication::processEvents();
            openAfterEsc = d.isVisible();
            d.windowHandle()->close();
        });
        QVERIFY(openAfterEsc);
        QCOMPARE(g.model().frmExitStatus, 2);
        QCOMPARE(g.visibleStackTiles(), 16);
        QCOMPARE(text(g, ControlId::btnStart), QStringLiteral("Pause"));
        QVERIFY(g.window().isVisible());
    }

    void gameOverWhileTheDialogIsOpenThenBackToGame()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        playAWhile(g);
        QString stillOpen;
        exitDialog(g, [&](QDialog &d) {
            QVERIFY(g.runToGameOver());
            stillOpen =
                QString::fromLatin1(QApplication::activeModalWidget()->metaObject()->className());
            QTest::mouseClick(button(d, "cmdBack"), Qt::LeftButton);
        });
        QCOMPARE(stillOpen, QStringLiteral("frmExit"));
        QVERIFY(g.model().gameOver());
        QCOMPARE(text(g, ControlId::btnStart), QStringLiteral("Restart"));
        QCOMPARE(text(g, ControlId::lblBlack), QStringLiteral("Game Over!"));
        QVERIFY(g.widget(ControlId::PicBlack)->isVisible());
        QVERIFY(g.widget(ControlId::frameAbout)->isEnabled());
        g.clock.advanceBy(30000);
        QVERIFY(g.model().gameOver());
        QVERIFY(g.widget(ControlId::PicBlack)->isVisible());
    }

    void exitTheGameUnloadsTheWindow()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        playAWhile(g);
        exitDialog(g, [](QDialog &d) { QTest::mouseClick(button(d, "cmdExit"), Qt::LeftButton); });
        QCOMPARE(g.model().frmExitStatus, 1);
        QVERIFY(g.model().isUnloaded());
        QVERIFY(!g.window().isVisible());
        QVERIFY(!g.model().Timer1.isEnabled());
        QVERIFY(!g.model().TimerNichlaDabaFill.isEnabled());
        QVERIFY(QApplication::topLevelWidgets().size() >= 1);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            QVERIFY2(!w->isVisible(), w->metaObject()->className());
        }
    }

    void windowSystemCloseUnloadsWithoutTheDialog_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("during a game") << true;
        QTest::newRow("before the first Start") << false;
    }
    void windowSystemCloseUnloadsWithoutTheDialog()
    {
        QFETCH(bool, running);
        OffscreenGame g;
        QVERIFY(g.open());
        if (running) {
            playAWhile(g);
            QVERIFY(g.model().Timer1.isEnabled() || g.model().TimerNichlaDabaFill.isEnabled());
        }
        ModalWatch watch;
        QVERIFY(g.window().windowHandle());
        g.window().windowHandle()->close();
        QCOMPARE(watch.openedClass(), QString());
        QVERIFY(g.model().isUnloaded());
        QVERIFY(!g.window().isVisible());
        QVERIFY(!g.model().Timer1.isEnabled());
        QVERIFY(!g.model().TimerNichlaDabaFill.isEnabled());
        const int filled = g.model().fillPos();
        g.clock.advanceBy(10000);
        QCOMPARE(g.model().fillPos(), filled);
    }

    // The whole program on real time: start, let a row come in, restart through the exit
    // dialog, then leave through it. The event loop must end with status 0.
    void realTimeRunRestartsThenEndsWithExitCodeZero()
    {
        OffscreenGame g(true);
        bool resetSeen = false;
        int tilesBeforeRestart = -1;
        QTimer::singleShot(0, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&g.window()));
            QTest::mouseClick(g.widget(ControlId::btnStart), Qt::LeftButton);
        });
        // Once the first row stands on the stack (at 3.6 s, later on a busy machine).
        QTimer poll;
        poll.setInterval(50);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (g.visibleStackTiles() == 0) {
                return;
            }
            poll.stop();
            tilesBeforeRestart = g.visibleStackTiles();
            exitDialog(
                g, [](QDialog &d) { QTest::keyClick(button(d, "cmdRestart"), Qt::Key_Return); });
            resetSeen = g.visibleStackTiles() == 0 && text(g, ControlId::btnStart) == "Pause" &&
                        !g.widget(ControlId::PicBlack)->isVisible();
            exitDialog(g,
                       [](QDialog &d) { QTest::mouseClick(button(d, "cmdExit"), Qt::LeftButton); });
        });
        poll.start();
        // A guard: a run that does not end reports 99.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(30000);
        const int status = g.app->exec();
        QCOMPARE(status, 0);
        QCOMPARE(tilesBeforeRestart, 8);
        QVERIFY(resetSeen);
        QVERIFY(g.model().isUnloaded());
        QVERIFY(!g.window().isVisible());
    }
};

QTEST_MAIN(TestExitFlow)
#include "test_exitflow.moc"
