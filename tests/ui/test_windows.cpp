#include "dialogs/frmabout.h"
#include "dialogs/frmexit.h"
#include "dialogs/frmhowto.h"
#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"
#include <QTest>
#include <QtWidgets>

static const QStringList Names =
    QStringLiteral("frmMain Picture1 PicBlack lblBlack OoperDaba NichlaDaba Line1 Frame1 lblResult "
                   "Result btnCheck btnClear Frame2 lblScore frmLevel lblLevel Frame3 lblRowsLeft "
                   "frameAbout lblHowTo lblHighScore lblAbout btnStart cmdExit")
        .split(' ');

// The real main window offscreen on a virtual clock; every letter and pair of letters is a word.
struct Game
{
    MemoryFiles files;
    VirtualClock clock;
    EventLog log;
    RecordingSound sound{log};
    GameApplication app{{QStringLiteral("/game"), &clock, &sound, &files, 11}};
    MainWindow &main = app.window();
    Game()
    {
        QByteArray words;
        for (int i = 0; i < 26 * 27; ++i)
            words += QByteArray(1, 'a' + i / 27).append('`' + i % 27).replace('`', "") + "\r\n";
        files.put(QStringLiteral("/game/ShortList8.txt"), words);
        QVERIFY(app.load());
        app.show();
        QVERIFY(QTest::qWaitForWindowActive(main.windowHandle()));
    }
    QWidget *w(QString n, int i = 0) { return main.widgetFor(ControlId(Names.indexOf(n)), i); }
    QString text(const QString &name, int i = 0) { return w(name, i)->property("text").toString(); }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    void click(const QString &name) { click(w(name)); }
    // The stack tiles a player can click: shown, enabled, above the incoming row.
    QList<QLabel *> freeTiles()
    {
        QList<QLabel *> t = w("Picture1")->findChildren<QLabel *>();
        t.removeIf([](QLabel *l) { return !l->isVisible() || !l->isEnabled() || l->y() > 413; });
        return t;
    }
    bool runUntil(const std::function<bool()> &done)
    {
        for (int i = 0; i < 3000 && !done(); ++i)
            clock.advanceBy(100);
        return done();
    }
    QString seen() { return text("btnStart") + ' ' + text("lblScore") + ' ' + text("lblBlack"); }
};

// Runs `open`, and the action on the first modal window; the window's class name, or "".
static QString onModal(const std::function<void()> &open, const std::function<void(QDialog &)> &act)
{
    QString opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (d && opened.isEmpty() && QApplication::activeWindow() == d) {
            opened = d->metaObject()->className(), act(*d), d->isVisible() ? d->done(-1) : void();
        }
    });
    poll.start(0);
    return open(), opened;
}

// Rows of a table as one text, split at '|'; each row is named by its part before ':'.
static void rows(const char *table)
{
    QTest::addColumn<QStringList>("row");
    for (const QString &r : QString::fromLatin1(table).split('|'))
        QTest::newRow(qPrintable(r.section(':', 0, 0))) << r.section(':', 1).trimmed().split(' ');
}

class TestWindows : public QObject
{
    Q_OBJECT
    std::int32_t m_status = 0;

private slots:
    // Per window: its fixed size, then controls as name[.index]=x,y,width,height[,font].
    void controlsStandAtTheirDesignPlaces_data()
    {
        // The main window's places are the model's; the view adds the field's border to tiles.
        rows("Main: -=0,0,635,484 Picture1=6,9,342,465 OoperDaba=5,373,40,40 "
             "NichlaDaba.7=299,419,40,40 Frame1=354,4,277,127,Sans Result.8=238,50,32,37 "
             "cmdExit=618,465,16,16|About: -=0,0,312,210,Sans Frame1=6,9,298,151 "
             "Image1=21,24,32,32 Label1=102,27,142,25,Serif Label2=102,57,148,19 "
             "Label3=62,111,188,13,Sans Command1=99,171,112,28|HowTo: -=0,0,312,316,Sans "
             "Text1=9,9,295,259,Sans cmdOK=106,279,100,28|Exit: -=0,0,279,190,Sans "
             "cmdRestart=43,21,193,40 cmdExit=43,75,193,40 cmdBack=42,129,193,40");
    }
    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QStringList, row);
        const QString window = QTest::currentDataTag();
        Game g;
        QWidget *top = window == "About"   ? new frmAbout(&g.main)
                       : window == "HowTo" ? new frmHowTo(&g.main)
                       : window == "Exit"  ? new frmExit(m_status, &g.main)
                                           : static_cast<QWidget *>(&g.main);
        QVERIFY(top->minimumSize() == top->maximumSize());
        for (const QString &c : row) {
            const QString name = c.section('=', 0, 0);
            QWidget *w = name == "-" ? top : top->findChild<QWidget *>(name);
            w = w ? w : g.w(name.section('.', 0, 0), name.section('.', 1).toInt()); // main's arrays
            const QRect r = w == top ? QRect({}, w->maximumSize()) : w->geometry();
            const auto at = QString::asprintf("=%d,%d,%d,%d", r.x(), r.y(), r.width(), r.height());
            const auto font = c.count(',') > 3 ? ',' + QFontInfo(w->font()).family().mid(11) : "";
            QCOMPARE(name + at + font, c);
        }
    }

    // State, control clicked, Tabs, focus, key (-: close box), and then the dialog or the game.
    void windowsAndTheirKeys_data()
    {
        rows("Enter in the How-to text does nothing: new lblHowTo 0 Text1 Return open|"
             "Enter on OK closes How to play: new lblHowTo 1 cmdOK Return closed|"
             "Esc closes How to play: new lblHowTo 0 Text1 Esc closed|"
             "Enter on Restart Game: running cmdExit 0 cmdRestart Return restart|"
             "Enter on Back to Game: running cmdExit 2 cmdBack Enter same|"
             "Esc in the exit dialog does nothing: running cmdExit 0 cmdRestart Esc open|"
             "the exit dialog's close box goes back: running cmdExit 0 cmdRestart - same");
    }
    void windowsAndTheirKeys()
    {
        QFETCH(QStringList, row);
        Game g;
        row[0] == "running" ? g.click("btnStart") : void();
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == (row[0] == "running" ? 16 : 0); }));
        const QString before = g.seen();
        const auto act = [&](QDialog &d) {
            for (int i = 0; i < row[2].toInt(); ++i)
                QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), row[3]);
            auto *text = d.findChild<QPlainTextEdit *>();
            const QString was = text ? text->toPlainText() : "";
            row[4] == "-" ? void(d.windowHandle()->close())
                          : QTest::keyClick(d.windowHandle(), QKeySequence(row[4])[0].key());
            QCOMPARE(d.isVisible(), row[5] == "open");
            QVERIFY(!text || text->toPlainText() == was);
        };
        QCOMPARE(onModal([&] { g.click(row[1]); }, act).isEmpty(), row[3] == "-");
        QVERIFY(row[5] != "same" || g.seen() == before);
        QVERIFY(row[5] != "restart" || (g.freeTiles().isEmpty() && g.text("btnStart") == "Pause"));
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
        QWindow *window = g.main.windowHandle();
        for (int key : keys) {
            QTest::keyClick(window, Qt::Key(key));
        }
        if (clickStartPauseResume) {
            for (int i = 0; i < 3; ++i) {
                g.click("btnStart");
            }
        }
        QCOMPARE(g.text("btnStart"), "Pause");
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 8; }));
        QTest::keyClick(window, g.freeTiles().at(0)->text().at(0).toLower().toLatin1());
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(g.text("lblResult"), "Correct");
        QCOMPARE(g.text("btnStart"), "Pause");
    }

    // The five frames draw their top line at half their caption's height, the caption set
    // into it and the line whole above the message; the panel numbers stand in the middle.
    void framesDrawTheirBorderRoundTheirPlace()
    {
        Game g;
        const QImage shot = g.main.grab().toImage();
        const QRgb face = shot.pixel(351, 2); // the window between the field and the frames
        int line = 4; // the Result frame's top line, found right of the message
        while (line < 60 && shot.pixel(600, line) == face) {
            ++line;
        }
        const int half = QFontMetrics(g.w("Frame1")->font()).height() / 2;
        QVERIFY2(line <= 4 + half + 1, qPrintable(QString("top line at y %1").arg(line)));
        for (int x = 444; x <= 546; ++x) {
            QVERIFY2(shot.pixel(x, line) == shot.pixel(600, line),
                     qPrintable(QString("gap in the top line at x %1").arg(x)));
        }
        // The Score panel, 135 to 187: its inside between its two lines, and the number's ink.
        int top = 135, bottom = 186, inkTop = -1, inkBottom = -1;
        while (shot.pixel(600, top) == face) {
            ++top;
        }
        while (shot.pixel(600, bottom) == face) {
            --bottom;
        }
        for (int y = top + 1; y < bottom; ++y) {
            for (int x = 470; x < 520; ++x) {
                if (qRed(shot.pixel(x, y)) > 150 && qBlue(shot.pixel(x, y)) < 80) {
                    inkBottom = y;
                    if (inkTop < 0) {
                        inkTop = y;
                    }
                }
            }
        }
        const double inkMiddle = (inkTop + inkBottom) / 2.0, middle = (top + bottom) / 2.0;
        QVERIFY2(qAbs(inkMiddle - middle) <= 2,
                 qPrintable(QString("number %1 to %2 in a panel %3 to %4")
                                .arg(inkTop)
                                .arg(inkBottom)
                                .arg(top)
                                .arg(bottom)));
    }

    // The line between the stack and the incoming row stays inside the field's border.
    void lineStaysInsideTheField()
    {
        Game g;
        g.click("btnStart");
        const QImage shot = g.main.grab().toImage();
        for (int x : {346, 347}) {
            QCOMPARE(QColor(shot.pixel(x, 424)), QColor(shot.pixel(x, 300)));
        }
        QCOMPARE(QColor(shot.pixel(200, 424)), QColor(Qt::black));
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
        frmMain &model = g.app.model();
        g.click("btnStart");
        if (gameOver) {
            const auto over = [&] { QVERIFY(g.runUntil([&] { return model.gameOver(); })); };
            QCOMPARE(onModal(over, [](QDialog &) {}), "frmRecord");
        } else {
            model.lblRowsLeft.setCaption("1");
            QVERIFY(g.runUntil([&] { return g.text("lblLevel") == "2"; }));
        }
        g.click("btnStart");
        if (gameOver) {
            g.click("btnStart");
        }
        QCOMPARE(g.text("lblBlack"), "Paused");
        QCOMPARE(QColor(g.main.grab().toImage().pixel(100, 470)), QColor(Qt::black));
    }

    void aWholeGame()
    {
        Game g;
        QWindow *keys = g.main.windowHandle();
        for (const char *c : {"btnStart", "btnCheck", "btnClear", "cmdExit", "Picture1"}) {
            QTest::keyClick(keys, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), g.w(c)); // Tab walks round to the field
        }
        const auto result = [&] { return g.text("lblResult") + ' ' + g.text("lblScore"); };
        const auto type = [&](QLabel *tile) { // a letter and Return into the window
            QTest::keyClick(keys, tile->text()[0].toLower().toLatin1());
            QTest::keyClick(keys, Qt::Key_Return);
            return result();
        };
        g.click("btnStart");
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        QCOMPARE(type(g.freeTiles()[0]), "Correct 10"); // the click left the focus on the field
        // A listed word spelt by clicks scores, an unlisted one stays; Clear gives the tiles back.
        QList<QLabel *> t = g.freeTiles().mid(0, 2);
        g.click(t[0]), g.click(t[1]);
        QCOMPARE(g.text("Result", 1) + g.text("Result", 2), t[0]->text() + t[1]->text());
        g.click("btnCheck");
        QCOMPARE(result(), "Correct 50");
        QVERIFY(!t[0]->isVisible() && !t[1]->isVisible() && g.text("Result", 1) == "");
        t = g.freeTiles().mid(0, 3);
        g.click(t[0]), g.click(t[1]), g.click(t[2]), g.click("btnCheck");
        QCOMPARE(result(), "Wrong 50");
        QVERIFY(!t[2]->isEnabled() && t[2]->isVisible());
        g.click("btnClear");
        QVERIFY(t[0]->isEnabled() && t[2]->isEnabled() && g.text("Result", 1) == "");
        QCOMPARE(type(t[0]), "Correct 60"); // the focus stayed on the field
        g.click("btnStart");
        QCOMPARE(g.seen(), "Resume 60 Paused");
        g.click(t[1]), g.clock.advanceBy(10000);
        QCOMPARE(g.text("Result", 1) + g.text("lblRowsLeft"), "9");
        g.click("btnStart");
        QVERIFY(g.runUntil([&] {
            while (!g.w("PicBlack")->isVisible() && g.freeTiles().size() > 24)
                g.click(g.freeTiles()[0]), g.click(g.freeTiles()[0]), g.click("btnCheck");
            return g.text("lblLevel") + ' ' + g.text("lblRowsLeft") == "2 14"; // a level's rows
        }));
        const QString score = g.text("lblScore");
        const auto over = [&] { QVERIFY(g.runUntil([&] { return g.app.model().gameOver(); })); };
        const auto name = [&](QDialog &d) {
            g.click(d.findChild<QLineEdit *>()), QTest::keyClicks(d.focusWidget(), "Tester\r");
        };
        QCOMPARE(onModal(over, name), "frmRecord");
        QCOMPARE(g.files.content("/game/record.dat").value_or("none"),
                 "1\tTester\t\t" + score.toLatin1() + "\r\n");
        QCOMPARE(g.seen(), "Restart " + score + " Game Over!");
        g.click("btnStart"); // a fresh game from the first level
        QCOMPARE(g.text("lblScore") + g.text("lblLevel") + g.text("lblRowsLeft"), "0111");
        QVERIFY(g.freeTiles().isEmpty() && g.runUntil([&] { return g.freeTiles().size() == 8; }));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
