#include "support/gameharness.h"

#include <QTest>

// The exit button and the main window's unload on the model: the dialog is played by a
// scripted window that stores the player's choice, as the real dialog's buttons do.
class TestExitModel : public QObject
{
    Q_OBJECT
private:
    static void choose(GameHarness &h, std::int32_t choice)
    {
        frmMain &g = h.game();
        h.windows.actions[Window::Exit] = [&g, choice] { g.frmExitStatus = choice; };
    }

    static void runToGameOver(GameHarness &h)
    {
        for (int i = 0; i < 1200 && !h.game().gameOver(); ++i) {
            h.advance(500);
        }
        QVERIFY(h.game().gameOver());
    }

    static int visibleStackTiles(const frmMain &g)
    {
        int n = 0;
        for (int k = 0; k < g.OoperDaba.bound(); ++k) {
            n += g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible();
        }
        return n;
    }

    enum class State { BeforeStart, Running, Paused, GameOver };

    static void bring(GameHarness &h, State state)
    {
        frmMain &g = h.game();
        if (state == State::BeforeStart) {
            return;
        }
        g.btnStart_Click();
        if (state == State::GameOver) {
            runToGameOver(h);
            return;
        }
        h.pushRow(QStringLiteral("CATDOGXY"));
        h.pushRow(QStringLiteral("ABCDEFGH"));
        h.spell(QStringLiteral("cat"));
        g.btnCheck_Click();
        if (state == State::Paused) {
            g.btnStart_Click();
        }
    }

private slots:
    void eachChoiceDoesItsOwnThing_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("choice");
        const char *const states[] = {"before the first Start", "during a game", "while paused",
                                      "after a game over"};
        const char *const choices[] = {"Restart Game", "Exit the Game", "Back to Game"};
        for (int s = 0; s < 4; ++s) {
            for (int c = 0; c < 3; ++c) {
                QTest::addRow("%s %s", choices[c], states[s]) << s << c;
            }
        }
    }
    void eachChoiceDoesItsOwnThing()
    {
        QFETCH(int, state);
        QFETCH(int, choice);
        GameHarness h;
        frmMain &g = h.game();
        bring(h, State(state));
        const QString caption = g.btnStart.caption();
        const QString score = g.lblScore.caption();
        const int tiles = visibleStackTiles(g);
        const bool over = g.gameOver();
        const bool filling = g.TimerNichlaDabaFill.isEnabled();
        h.log.clear();
        choose(h, choice);

        g.cmdExit_Click();

        QCOMPARE(h.log.lines.value(0), QStringLiteral("window Exit"));
        QCOMPARE(g.frmExitStatus, choice);
        switch (choice) {
        case 0: // a new game at once, from any state
            QVERIFY(!g.isUnloaded());
            QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
            QCOMPARE(g.lblScore.caption(), QStringLiteral("0"));
            QCOMPARE(g.lblLevel.caption(), QStringLiteral("1"));
            QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("11"));
            QCOMPARE(visibleStackTiles(g), 0);
            QVERIFY(!g.PicBlack.isVisible());
            QVERIFY(g.Picture1.isEnabled());
            QVERIFY(!g.frameAbout.isEnabled());
            QVERIFY(!g.gameOver());
            QVERIFY(g.TimerNichlaDabaFill.isEnabled());
            QVERIFY(g.Timer1.isEnabled());
            break;
        case 1: // the program ends
            QVERIFY(g.isUnloaded());
            QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
            QVERIFY(!g.Timer1.isEnabled());
            break;
        case 2: // nothing at all
            QVERIFY(!g.isUnloaded());
            QCOMPARE(g.btnStart.caption(), caption);
            QCOMPARE(g.lblScore.caption(), score);
            QCOMPARE(visibleStackTiles(g), tiles);
            QCOMPARE(g.gameOver(), over);
            QCOMPARE(g.TimerNichlaDabaFill.isEnabled(), filling);
            break;
        }
        QCOMPARE(h.log.lines.size(), 1); // no other window, no beep, no sound
    }

    void restartBeforeTheFirstStartStartsAGame()
    {
        GameHarness h;
        frmMain &g = h.game();
        choose(h, 0);
        g.cmdExit_Click();
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
        h.advance(400 * 9);
        QCOMPARE(visibleStackTiles(g), 8); // the first row has been pushed
    }

    void gameOverWhileTheDialogIsOpenThenBackToGame()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.advance(2000);
        // The dialog does not pause the game: the stack rises to the top behind it.
        h.windows.actions[Window::Exit] = [&] {
            runToGameOver(h);
            g.frmExitStatus = 2;
        };
        g.cmdExit_Click();
        QCOMPARE(h.log.lines.first(), QStringLiteral("window Exit"));
        QVERIFY(h.log.lines.contains(QStringLiteral("window Record")));
        QCOMPARE(g.frmExitStatus, 2);
        QVERIFY(g.gameOver());
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Restart"));
        QCOMPARE(g.lblBlack.caption(), QStringLiteral("Game Over!"));
        QVERIFY(g.PicBlack.isVisible());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QVERIFY(g.frameAbout.isEnabled());
        // Nothing restarts it later either; the pacing timer's last tick only stops itself.
        const int interval = g.TimerNichlaDabaFill.interval();
        h.advance(60000);
        QVERIFY(g.gameOver());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QVERIFY(!g.Timer1.isEnabled());
        QCOMPARE(g.TimerNichlaDabaFill.interval(), interval);
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Restart"));
    }

    void gameOverWhileTheDialogIsOpenThenRestart()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.windows.actions[Window::Exit] = [&] {
            runToGameOver(h);
            g.frmExitStatus = 0;
        };
        g.cmdExit_Click();
        QVERIFY(!g.gameOver());
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
        QVERIFY(!g.PicBlack.isVisible());
    }

    void eachOpeningActsOnItsOwnChoice()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGXY"));
        choose(h, 2);
        g.cmdExit_Click();
        QCOMPARE(visibleStackTiles(g), 8);
        choose(h, 0);
        g.cmdExit_Click();
        QCOMPARE(visibleStackTiles(g), 0);
        // The main window never resets the choice: it stays until the next one.
        QCOMPARE(g.frmExitStatus, 0);
    }

    void theTimersKeepTickingWhileTheDialogIsOpen()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        int filledMeanwhile = -1;
        h.windows.actions[Window::Exit] = [&] {
            h.advance(400 * 3);
            filledMeanwhile = g.fillPos();
            g.frmExitStatus = 2;
        };
        g.cmdExit_Click();
        QCOMPARE(filledMeanwhile, 2);
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
    }

    void unloadStopsBothGameTimersAndLeavesTheMessageTimer()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.advance(1000);
        QVERIFY(g.TimerNichlaDabaFill.isEnabled());
        QVERIFY(g.Timer1.isEnabled());
        const bool blink = g.TimerResultBlink.isEnabled();
        g.Form_Unload();
        QVERIFY(g.isUnloaded());
        QVERIFY(!g.TimerNichlaDabaFill.isEnabled());
        QVERIFY(!g.Timer1.isEnabled());
        QCOMPARE(g.TimerResultBlink.isEnabled(), blink);
        const int filled = g.fillPos();
        h.advance(20000);
        QCOMPARE(g.fillPos(), filled);
        // An unloaded window takes no more clicks.
        h.log.clear();
        g.cmdExit_Click();
        g.btnStart_Click();
        QVERIFY(h.log.lines.isEmpty());
        QCOMPARE(g.btnStart.caption(), QStringLiteral("Pause"));
    }

    void exitDuringAGameWritesNoFile()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGXY"));
        choose(h, 1);
        g.cmdExit_Click();
        QVERIFY(g.isUnloaded());
        QVERIFY(!h.files.fileExists(GameHarness::Folder + QStringLiteral("/record.dat")));
        QCOMPARE(h.log.lines, QStringList{QStringLiteral("window Exit")});
    }
};

QTEST_GUILESS_MAIN(TestExitModel)
#include "test_exitmodel.moc"
