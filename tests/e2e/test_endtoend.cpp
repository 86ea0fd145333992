#include "ui/uitesting.h"
#include <QLineEdit>
#include <QListWidget>
#include <QWindow>

using Id = ControlId;

// One whole game as a player plays it: mouse clicks and keys on the real widgets, offscreen,
// on the virtual clock, checking what the screen shows and what is saved.
class TestEndToEnd : public QObject
{
    Q_OBJECT
    static void spell(const QList<QLabel *> &tiles)
    {
        for (QLabel *t : tiles) {
            QTest::mouseClick(t, Qt::LeftButton);
        }
    }

private slots:
    void aWholeGame()
    {
        OffscreenGame g;
        QWindow *keys = g.app->window().windowHandle();
        QVERIFY(QTest::qWaitForWindowActive(keys));
        // Tab walks the field and the buttons, round to the field.
        for (Id id : {Id::btnStart, Id::btnCheck, Id::btnClear, Id::cmdExit, Id::Picture1}) {
            QTest::keyClick(keys, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), g.w(id));
        }
        g.click(Id::btnStart);
        QCOMPARE(g.text(Id::btnStart), QStringLiteral("Pause"));
        QVERIFY(!g.w(Id::PicBlack)->isVisible());
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        QCOMPARE(g.text(Id::lblRowsLeft), QStringLiteral("9"));

        // A listed word: its letters fill the Result row; Enter scores it and the tiles go.
        QList<QLabel *> tiles = g.freeTiles().mid(0, 2);
        spell(tiles);
        QCOMPARE(g.text(Id::Result, 1) + g.text(Id::Result, 2),
                 tiles[0]->text() + tiles[1]->text());
        QVERIFY(!tiles[0]->isEnabled() && tiles[0]->isVisible());
        g.click(Id::btnCheck);
        QCOMPARE(g.text(Id::lblResult) + ' ' + g.text(Id::lblScore), "Correct 40");
        QCOMPARE(g.w(Id::lblResult)->palette().color(QPalette::WindowText), Qt::blue);
        QVERIFY(!tiles[0]->isVisible() && !tiles[1]->isVisible() && g.text(Id::Result, 1) == "");

        // An unlisted word stays picked and scores nothing; Clear gives the tiles back.
        tiles = g.freeTiles().mid(0, 3);
        spell(tiles);
        g.click(Id::btnCheck);
        QCOMPARE(g.text(Id::lblResult) + ' ' + g.text(Id::lblScore), "Wrong 40");
        QVERIFY(!tiles[2]->isEnabled() && tiles[2]->isVisible());
        g.click(Id::btnClear);
        QVERIFY(tiles[0]->isEnabled() && tiles[2]->isEnabled() && g.text(Id::Result, 1) == "");
        // The mouse left the focus on the field: a typed letter and Enter score it.
        QTest::keyClick(keys, tiles[0]->text()[0].toLower().toLatin1());
        QTest::keyClick(keys, Qt::Key_Return);
        QCOMPARE(g.text(Id::lblResult) + ' ' + g.text(Id::lblScore), "Correct 50");

        // Paused: the field is covered, takes no clicks and no rows come.
        g.click(Id::btnStart);
        QCOMPARE(g.text(Id::btnStart) + ' ' + g.text(Id::lblBlack), "Resume Paused");
        QTest::mouseClick(tiles[1], Qt::LeftButton);
        g.clock.advanceBy(10000);
        QCOMPARE(g.text(Id::Result, 1) + g.text(Id::lblRowsLeft), "9");
        g.click(Id::btnStart);
        QVERIFY(g.text(Id::btnStart) == "Pause" && !g.w(Id::PicBlack)->isVisible());

        // Keeping the stack low, the level is played out (the level-up cue is heard).
        QVERIFY(g.runUntil([&] {
            while (!g.w(Id::PicBlack)->isVisible() && g.freeTiles().size() > 24) {
                spell(g.freeTiles().mid(0, 2));
                g.click(Id::btnCheck);
            }
            return g.text(Id::lblLevel) == "2";
        }));
        QCOMPARE(g.text(Id::lblRowsLeft), QStringLiteral("14"));
        const QString score = g.text(Id::lblScore);

        // Left alone, the stack reaches the top; the high-score window asks for a name.
        const QString opened = onModal(
            [&] { QVERIFY(g.runUntil([&] { return g.app->model().gameOver(); })); },
            [&](QDialog &d) {
                auto *name = d.findChild<QLineEdit *>();
                QCOMPARE(name->text(), QStringLiteral("Ur Nick."));
                QTest::mouseClick(name, Qt::LeftButton);
                QTest::keyClicks(name, QStringLiteral("Tester"));
                QTest::keyClick(name, Qt::Key_Return);
                QVERIFY(!name->isVisible()); // one entry per opening
                QCOMPARE(d.findChild<QListWidget *>()->item(2)->text(), "1\tTester\t\t" + score);
                for (QPushButton *b : d.findChildren<QPushButton *>()) {
                    if (b->text() == QLatin1String("Close")) {
                        QTest::mouseClick(b, Qt::LeftButton);
                    }
                }
                QVERIFY(!d.isVisible());
            });
        QCOMPARE(opened, QStringLiteral("frmRecord"));
        QCOMPARE(g.files.content("/game/record.dat").value_or("none"),
                 "1\tTester\t\t" + score.toLatin1() + "\r\n");
        QCOMPARE(g.text(Id::btnStart) + ' ' + g.text(Id::lblBlack), "Restart Game Over!");
        QVERIFY(g.w(Id::PicBlack)->isVisible() && g.w(Id::frameAbout)->isEnabled());

        // Restart: a fresh game from the first level.
        g.click(Id::btnStart);
        QCOMPARE(g.text(Id::lblScore) + g.text(Id::lblLevel) + g.text(Id::lblRowsLeft), "0111");
        QCOMPARE(g.freeTiles().size(), 0);
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 8; }));

        // What was heard: each cue from the sound folder beside the program.
        for (const char *cue : {"click", "correct", "wrong", "clear", "levelup", "gameend"}) {
            QVERIFY2(g.sound.paths.contains(QStringLiteral("/game/sound/%1.wav").arg(cue)), cue);
        }
        QCOMPARE(g.log.count(QStringLiteral("sound gameend.wav")), 1);
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_endtoend.moc"
