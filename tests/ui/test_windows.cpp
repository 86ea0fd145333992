#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QTest>
#include <QtWidgets>

Q_DECLARE_METATYPE(ControlId)

// The real main window offscreen, on a virtual clock, with a word list of every letter: any
// one tile makes a word, two never do.
struct Game
{
    MemoryFiles files;
    VirtualClock clock;
    EventLog log;
    RecordingSound sound{log};
    GameApplication app{{QStringLiteral("/game"), &clock, &sound, &files, 11}};
    MainWindow &main = app.window();
    frmMain &model = app.model();

    // Loads the word list and shows the window; false if either failed.
    bool open()
    {
        QByteArray words;
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            words += letter + QByteArray("\r\n");
        }
        files.put(QStringLiteral("/game/ShortList8.txt"), words);
        if (!app.load()) {
            return false;
        }
        app.show();
        return QTest::qWaitForWindowActive(main.windowHandle());
    }
    QWidget *widget(ControlId id, int index = 0) { return main.widgetFor(id, index); }
    QString text(ControlId id, int index = 0)
    {
        return widget(id, index)->property("text").toString();
    }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    void click(ControlId id) { click(widget(id)); }
    void type(int key) { QTest::keyClick(main.windowHandle(), Qt::Key(key)); }
    void type(char letter) { QTest::keyClick(main.windowHandle(), letter); }
    // The stack tiles a player can click: shown, enabled, above the incoming row.
    QList<QLabel *> freeTiles()
    {
        QList<QLabel *> tiles = widget(ControlId::Picture1)->findChildren<QLabel *>();
        tiles.removeIf(
            [](QLabel *t) { return !t->isVisible() || !t->isEnabled() || t->y() > 413; });
        return tiles;
    }
    // Runs the clock until done(), five minutes at most; what done() says then.
    bool runUntil(const std::function<bool()> &done)
    {
        for (int i = 0; i < 3000 && !done(); ++i) {
            clock.advanceBy(100);
        }
        return done();
    }
};

// Runs open(), which shows a modal window, and act() on that window once it is active, then
// closes it as its close box would; the window's class name, or "" if none opened.
static QString onModal(const std::function<void()> &open, const std::function<void(QDialog &)> &act)
{
    QString opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !opened.isEmpty() || QApplication::activeWindow() != dialog) {
            return;
        }
        opened = dialog->metaObject()->className();
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    poll.start(0);
    open();
    return opened;
}

// The first row from `from` on, by `step`, where column x is not the window's face.
static int lineAt(const QImage &shot, int x, int from, int step)
{
    const QRgb face = shot.pixel(351, 2); // between the field and the frames
    int y = from;
    while (y > 0 && y < shot.height() - 1 && shot.pixel(x, y) == face) {
        y += step;
    }
    return y;
}

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // The view puts each control where the model places it, the tiles inside the field's
    // border, in the layout's faces (without them Qt would fall back without a word).
    void controlsStandInTheirPlacesAndFaces()
    {
        Game g;
        QVERIFY(g.open());
        QCOMPARE(g.widget(ControlId::OoperDaba)->geometry(), QRect(5, 373, 40, 40));
        QCOMPARE(g.widget(ControlId::Result, 8)->geometry(), QRect(238, 50, 32, 37));
        QCOMPARE(QFontInfo(g.widget(ControlId::NichlaDaba)->font()).family(), "Liberation Sans");
        QCOMPARE(QFontInfo(g.widget(ControlId::lblBlack)->font()).family(), "Liberation Serif");
    }

    // Tab moves the focus on from where a dialog puts it; Enter presses the focused button;
    // Esc does nothing in the exit dialog, whose close box goes back to the game.
    void dialogKeys_data()
    {
        QTest::addColumn<ControlId>("opener");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key"); // 0: the close box
        QTest::addColumn<bool>("stillOpen");
        QTest::addColumn<QString>("startAfter"); // "Pause": a new game is running
        QTest::newRow("Enter in the instructions' text: nothing")
            << ControlId::lblHowTo << 0 << "Text1" << int(Qt::Key_Return) << true << "Start";
        QTest::newRow("Enter on Restart Game: a new game")
            << ControlId::cmdExit << 0 << "cmdRestart" << int(Qt::Key_Return) << false << "Pause";
        QTest::newRow("keypad Enter on Back to Game: the same game")
            << ControlId::cmdExit << 2 << "cmdBack" << int(Qt::Key_Enter) << false << "Start";
        QTest::newRow("Esc in the exit dialog: nothing")
            << ControlId::cmdExit << 0 << "cmdRestart" << int(Qt::Key_Escape) << true << "Start";
        QTest::newRow("the exit dialog's close box: the same game")
            << ControlId::cmdExit << 0 << "cmdRestart" << 0 << false << "Start";
    }
    void dialogKeys()
    {
        QFETCH(ControlId, opener);
        QFETCH(int, tabs);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, stillOpen);
        QFETCH(QString, startAfter);
        Game g;
        QVERIFY(g.open());
        QString focused;
        bool openAfterKey = false;
        const auto act = [&](QDialog &d) {
            for (int i = 0; i < tabs; ++i) {
                QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
            }
            focused = QApplication::focusWidget()->objectName();
            if (key == 0) {
                d.windowHandle()->close();
            } else {
                QTest::keyClick(d.windowHandle(), Qt::Key(key));
            }
            openAfterKey = d.isVisible();
        };
        QVERIFY(!onModal([&] { g.click(opener); }, act).isEmpty());
        QCOMPARE(focused, focus);
        QCOMPARE(openAfterKey, stillOpen);
        QCOMPARE(g.text(ControlId::btnStart), startAfter);
    }

    // Whenever the game runs, typed letters and Return go to the word, however it was
    // started, paused and resumed: Space (or the Pause key) is Start, Pause and Resume.
    void keysStayWithTheWord_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("clickStartPauseResume");
        QTest::newRow("Start, Pause and Resume clicked") << QList<int>{} << true;
        QTest::newRow("Tab to Start, Space") << QList<int>{Qt::Key_Tab, Qt::Key_Space} << false;
        QTest::newRow("Space to start, pause and resume")
            << QList<int>{Qt::Key_Space, Qt::Key_Space, Qt::Key_Space} << false;
        QTest::newRow("the Pause key to start, pause and resume")
            << QList<int>{Qt::Key_Pause, Qt::Key_Pause, Qt::Key_Pause} << false;
    }
    void keysStayWithTheWord()
    {
        QFETCH(QList<int>, keys);
        QFETCH(bool, clickStartPauseResume);
        Game g;
        QVERIFY(g.open());
        for (int key : keys) {
            g.type(key);
        }
        if (clickStartPauseResume) {
            for (int i = 0; i < 3; ++i) {
                g.click(ControlId::btnStart);
            }
        }
        QCOMPARE(g.text(ControlId::btnStart), "Pause");
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 8; }));
        g.type(g.freeTiles().at(0)->text().at(0).toLower().toLatin1());
        g.type(Qt::Key_Return);
        QCOMPARE(g.text(ControlId::lblResult), "Correct");
        QCOMPARE(g.text(ControlId::btnStart), "Pause");
    }

    // A game by mouse: tiles clicked into a word, Enter and Clear, the name typed into the
    // table at the game over, Restart.
    void aGameByMouse()
    {
        Game g;
        QVERIFY(g.open());
        g.click(ControlId::btnStart);
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        QList<QLabel *> tiles = g.freeTiles();
        g.click(tiles[0]);
        QCOMPARE(g.text(ControlId::Result, 1), tiles[0]->text());
        g.click(ControlId::btnCheck);
        QCOMPARE(g.text(ControlId::lblResult), "Correct");
        QCOMPARE(g.text(ControlId::lblScore), "10");
        QVERIFY(!tiles[0]->isVisible());
        g.click(tiles[1]);
        g.click(tiles[2]);
        g.click(ControlId::btnCheck);
        QCOMPARE(g.text(ControlId::lblResult), "Wrong");
        g.click(ControlId::btnClear);
        QCOMPARE(g.text(ControlId::Result, 1), "");
        const auto over = [&] { QVERIFY(g.runUntil([&] { return g.model.gameOver(); })); };
        const auto name = [](QDialog &d) {
            QTest::mouseClick(d.findChild<QLineEdit *>(), Qt::LeftButton);
            QTest::keyClicks(d.focusWidget(), "Tester\r");
        };
        QCOMPARE(onModal(over, name), "frmRecord");
        QCOMPARE(g.files.content("/game/record.dat"), "1\tTester\t\t10\r\n");
        QCOMPARE(g.text(ControlId::btnStart), "Restart");
        g.click(ControlId::btnStart);
        QCOMPARE(g.text(ControlId::lblScore), "0");
        QCOMPARE(g.freeTiles().size(), 0); // the old board gone from the screen
    }

    // The five frames draw their top line at half their caption's height, the caption set
    // into it and the line whole above the message; the panel numbers stand in the middle.
    void framesDrawTheirBorderRoundTheirPlace()
    {
        Game g;
        QVERIFY(g.open());
        const QImage shot = g.main.grab().toImage();
        const int line = lineAt(shot, 600, 4, 1); // right of the message
        const int half = QFontMetrics(g.widget(ControlId::Frame1)->font()).height() / 2;
        QVERIFY2(line <= 4 + half + 1, qPrintable(QString("the top line at y %1").arg(line)));
        for (int x = 444; x <= 546; ++x) {
            QVERIFY2(shot.pixel(x, line) == shot.pixel(600, line),
                     qPrintable(QString("a gap in the top line at x %1").arg(x)));
        }
        // The Score panel's lines, round its number (a label whose text is centred in it).
        const int top = lineAt(shot, 600, 135, 1), bottom = lineAt(shot, 600, 186, -1);
        QWidget *number = g.widget(ControlId::lblScore);
        const int middle = number->mapTo(&g.main, number->rect().center()).y();
        QVERIFY2(qAbs(2 * middle - (top + bottom)) <= 4,
                 qPrintable(QString("the number at y %1, the panel's lines at %2 and %3")
                                .arg(middle)
                                .arg(top)
                                .arg(bottom)));
    }

    // The line between the stack and the incoming row stays inside the field's border.
    void lineStaysInsideTheField()
    {
        Game g;
        QVERIFY(g.open());
        g.click(ControlId::btnStart);
        const QImage shot = g.main.grab().toImage();
        QCOMPARE(QColor(shot.pixel(200, 424)), QColor(Qt::black));
        for (int x : {346, 347}) {
            QCOMPARE(QColor(shot.pixel(x, 424)), QColor(shot.pixel(x, 300)));
        }
    }

    // "Paused" shows on black, never over the gradient of the last game over or level up.
    void pausedShowsOnBlack_data()
    {
        QTest::addColumn<bool>("gameOver");
        QTest::newRow("after a game over and Restart") << true;
        QTest::newRow("after a level up") << false;
    }
    void pausedShowsOnBlack()
    {
        QFETCH(bool, gameOver);
        Game g;
        QVERIFY(g.open());
        g.click(ControlId::btnStart);
        if (gameOver) {
            const auto over = [&] { QVERIFY(g.runUntil([&] { return g.model.gameOver(); })); };
            QCOMPARE(onModal(over, [](QDialog &) {}), "frmRecord");
            g.click(ControlId::btnStart);
        } else {
            g.model.lblRowsLeft.setCaption("1");
            QVERIFY(g.runUntil([&] { return g.text(ControlId::lblLevel) == "2"; }));
        }
        g.click(ControlId::btnStart);
        QCOMPARE(g.text(ControlId::lblBlack), "Paused");
        QCOMPARE(QColor(g.main.grab().toImage().pixel(100, 470)), QColor(Qt::black));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
