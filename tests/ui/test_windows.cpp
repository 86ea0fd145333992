#include "dialogs/frmabout.h"
#include "dialogs/frmexit.h"
#include "dialogs/frmhowto.h"
#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using Id = ControlId;
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
        for (int i = 0; i < 26 * 27; ++i) {
            words += QByteArray(1, 'a' + i / 27) + (i % 27 ? QByteArray(1, 'a' + i % 27 - 1) : "");
            words += "\r\n";
        }
        files.put(QStringLiteral("/game/ShortList8.txt"), words);
        QVERIFY(app.load());
        app.show();
        QVERIFY(QTest::qWaitForWindowActive(main.windowHandle()));
    }
    // A control by name ("Result 8": the eighth of an array).
    QWidget *w(const QString &name, int i = 0)
    {
        return main.widgetFor(Id(Names.indexOf(name)), i);
    }
    QString text(const QString &name, int i = 0)
    {
        auto *b = qobject_cast<QAbstractButton *>(w(name, i));
        return b ? b->text() : static_cast<QLabel *>(w(name, i))->text();
    }
    void click(const QString &name) { QTest::mouseClick(w(name), Qt::LeftButton); }
    // The stack tiles a player can click: shown, enabled, above the incoming row.
    QList<QLabel *> freeTiles()
    {
        QList<QLabel *> t = w("Picture1")->findChildren<QLabel *>();
        t.removeIf([](QLabel *l) { return !l->isVisible() || !l->isEnabled() || l->y() > 413; });
        return t;
    }
    // Advances the clock by 0.1 s until the condition holds; false if it never does.
    bool runUntil(const std::function<bool()> &done)
    {
        for (int i = 0; i < 3000 && !done(); ++i) {
            clock.advanceBy(100);
        }
        return done();
    }
    QString seen() { return text("btnStart") + ' ' + text("lblScore") + ' ' + text("lblBlack"); }
};

// Runs `open`; once a modal window is active, runs the action on it and closes it if still
// open. The class name of the window, or "" when none opened.
static QString onModal(const std::function<void()> &open, const std::function<void(QDialog &)> &act)
{
    QString opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (d && opened.isEmpty() && QApplication::activeWindow() == d) {
            opened = QString::fromLatin1(d->metaObject()->className());
            act(*d);
            d->isVisible() ? d->done(-1) : void();
        }
    });
    poll.start(0);
    open();
    return opened;
}

// Rows of a table as one text, split at '|'; each row is its own name.
static void rows(const char *table)
{
    QTest::addColumn<QString>("row");
    for (const QString &r : QString::fromLatin1(table).split('|')) {
        QTest::newRow(qPrintable(r)) << r;
    }
}

// The main window, About, How to play and the exit dialog as a player meets them, offscreen.
class TestWindows : public QObject
{
    Q_OBJECT
    std::int32_t m_status = 0;

private slots:
    // window, control (-: the window) and index, place, font, text (the rest of the row)
    void controlsStandAtTheirDesignPlaces_data()
    {
        rows("Main - 0 0,0,635,484 - Tilnora|Main Picture1 0 6,9,342,465 - -|"
             "Main PicBlack 0 6,9,343,469 - -|Main lblBlack 0 - Serif -|"
             "Main OoperDaba 0 5,373,40,40 - -|Main NichlaDaba 0 5,419,40,40 - -|"
             "Main NichlaDaba 7 299,419,40,40 - -|Main Frame1 0 354,4,277,127 Sans Result|"
             "Main lblResult 0 90,18,103,25 - Press Start|Main Result 1 7,50,32,37 - -|"
             "Main Result 8 238,50,32,37 - -|Main btnCheck 0 9,96,76,23 - Enter|"
             "Main btnClear 0 192,96,76,23 - Clear|Main Frame2 0 354,135,277,52 - Score|"
             "Main frmLevel 0 354,189,277,52 - Level|Main Frame3 0 354,243,277,52 - Rows Left|"
             "Main frameAbout 0 354,309,277,112 - Information|"
             "Main lblHowTo 0 108,24,70,16 - How to play|"
             "Main lblHighScore 0 108,54,67,16 - High Score|Main lblAbout 0 126,81,35,16 - About|"
             "Main btnStart 0 432,438,118,34 - Start|Main cmdExit 0 618,465,16,16 - X|"
             "About - 0 0,0,312,210 Sans About|About Frame1 0 6,9,298,151 - -|"
             "About Image1 0 21,24,32,32 - -|About Label1 0 102,27,142,25 Serif T I L N O R A|"
             "About Label2 0 102,57,148,19 - Version: 1.0|"
             "About Label3 0 62,111,188,13 Sans notice|About Command1 0 99,171,112,28 - OK|"
             "HowTo - 0 0,0,312,316 Sans Instructions|HowTo Text1 0 9,9,295,259 Sans -|"
             "HowTo cmdOK 0 106,279,100,28 - OK|Exit - 0 0,0,279,190 Sans -|"
             "Exit cmdRestart 0 43,21,193,40 - Restart Game|"
             "Exit cmdExit 0 43,75,193,40 - Exit the Game|"
             "Exit cmdBack 0 42,129,193,40 - Back to Game");
    }
    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(' '), r = f[3].split(',');
        const QString text = f.mid(5).join(' ');
        Game g;
        QWidget *m = &g.main;
        std::unique_ptr<QWidget> own(f[0] == "About"   ? static_cast<QWidget *>(new frmAbout(m))
                                     : f[0] == "HowTo" ? static_cast<QWidget *>(new frmHowTo(m))
                                     : f[0] == "Exit"  ? new frmExit(m_status, m)
                                                       : nullptr);
        QWidget *w = f[1] == "-" ? (own ? own.get() : &g.main)
                     : own       ? own->findChild<QWidget *>(f[1])
                                 : g.w(f[1], f[2].toInt());
        if (r.size() == 4) {
            QCOMPARE(f[1] == "-" ? QRect(QPoint(), w->maximumSize()) : w->geometry(),
                     QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()));
            QVERIFY(f[1] != "-" || w->minimumSize() == w->maximumSize());
        }
        QVERIFY(f[4] == "-" || QFontInfo(w->font()).family() == "Liberation " + f[4]);
        auto *l = qobject_cast<QLabel *>(w);
        auto *b = qobject_cast<QAbstractButton *>(w);
        auto *box = qobject_cast<QGroupBox *>(w);
        const QString shown = l ? l->text() : b ? b->text() : box ? box->title() : w->windowTitle();
        QCOMPARE(text == "-" ? "-" : shown, text == "notice" ? frmAbout::notice() : text);
    }

    // In a state of the game the player clicks (or ~ points at) controls, presses Tab so many
    // times and the key (-: the close box); what opened, the focus, and what is left.
    void windowsAndTheirKeys_data()
    {
        rows("new lblHowTo frmHowTo 0 Text1 Return open: Enter in the text|"
             "new lblHowTo frmHowTo 0 Text1 Enter open: keypad Enter|"
             "new lblHowTo frmHowTo 1 cmdOK Return closed: Enter on OK|"
             "new lblHowTo frmHowTo 0 Text1 Esc closed: Esc|"
             "over lblHowTo frmHowTo 0 Text1 - closed: after a game|"
             "new lblAbout frmAbout 1 Command1 Return closed: Enter on OK|"
             "over lblHighScore frmRecord 0 - - closed: High Score for viewing|"
             "running lblAbout - 0 - - same: the menu is dead in a game|"
             "paused lblHighScore - 0 - - same: and while paused|"
             "new ~lblHowTo - 0 - - bkk: the label under the pointer lights|"
             "new ~lblAbout - 0 - - kkb: About lights|"
             "new ~lblHowTo,frameAbout - 0 - - kkk: the frame puts them out|"
             "running ~lblHowTo - 0 - - kkk: no light in a game|"
             "running cmdExit frmExit 0 cmdRestart Return restart: Enter|"
             "new cmdExit frmExit 0 cmdRestart Space restart: before a game|"
             "over cmdExit frmExit 0 cmdRestart Space restart: after a game|"
             "running cmdExit frmExit 1 cmdExit Return exit: Exit the Game|"
             "paused cmdExit frmExit 2 cmdBack Enter same: Back to Game|"
             "running cmdExit frmExit 3 cmdRestart Return restart: Tab goes round|"
             "running cmdExit frmExit 0 cmdRestart Esc open: Esc does nothing|"
             "running cmdExit frmExit 0 cmdRestart - same: the close box goes back|"
             "running - - 0 - - exit: the main close box");
    }
    void windowsAndTheirKeys()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(' ');
        const QString outcome = f[6].chopped(1);
        Game g;
        if (f[0] != "new") {
            g.click("btnStart");
            QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        }
        if (f[0] == "paused") {
            g.click("btnStart");
        } else if (f[0] == "over") {
            onModal([&] { QVERIFY(g.runUntil([&] { return g.app.model().gameOver(); })); },
                    [](QDialog &) {});
        }
        const auto now = [&] { return g.seen() + ' ' + QString::number(g.freeTiles().size()); };
        const QString before = now();
        for (const QString &at : f[1].startsWith('~') ? f[1].mid(1).split(',') : QStringList()) {
            QTest::mouseMove(&g.main, g.w(at)->mapTo(&g.main, at == "frameAbout"
                                                                  ? QPoint(8, 30)
                                                                  : g.w(at)->rect().center()));
        }
        bool open = false;
        const QString cls = onModal(
            [&] {
                f[1] == "-"            ? void(g.main.windowHandle()->close())
                : f[1].startsWith('~') ? void()
                                       : g.click(f[1]);
            },
            [&](QDialog &d) {
                QVERIFY((d.geometry().center() - g.main.geometry().center()).manhattanLength() < 2);
                for (int i = 0; i < f[3].toInt(); ++i) {
                    QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
                }
                QVERIFY(f[4] == "-" || QApplication::focusWidget()->objectName() == f[4]);
                auto *text = d.findChild<QPlainTextEdit *>();
                const QString was = text ? text->toPlainText() : QString();
                f[5] == "-" ? void(d.windowHandle()->close())
                            : QTest::keyClick(d.windowHandle(), QKeySequence(f[5])[0].key());
                QApplication::processEvents();
                open = d.isVisible();
                QCOMPARE(text ? text->toPlainText() : QString(), was);
            });
        QCOMPARE(cls, f[2] == "-" ? "" : f[2]);
        QCOMPARE(open, outcome == "open");
        QString lit;
        for (const char *label : {"lblHowTo", "lblHighScore", "lblAbout"}) {
            lit += g.w(label)->palette().color(QPalette::WindowText) == Qt::blue ? 'b' : 'k';
        }
        QCOMPARE(outcome.size() == 3 ? lit : outcome, outcome);
        QVERIFY(outcome != "same" || now() == before);
        QVERIFY(outcome != "restart" || (now().startsWith("Pause 0 ") && now().endsWith(" 0")));
        QVERIFY(outcome != "exit" || (!g.main.isVisible() && g.app.model().isUnloaded() &&
                                      !g.app.model().Timer1.isEnabled()));
    }

    // One whole game as a player plays it, by mouse and keys, and what is seen, heard and saved.
    void aWholeGame()
    {
        Game g;
        QWindow *keys = g.main.windowHandle();
        for (const char *c : {"btnStart", "btnCheck", "btnClear", "cmdExit", "Picture1"}) {
            QTest::keyClick(keys, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), g.w(c)); // Tab walks round to the field
        }
        g.click("btnStart");
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        QCOMPARE(g.text("btnStart") + g.text("lblRowsLeft"), "Pause9");
        // The click left the focus on the field: a typed letter and Enter score it.
        QTest::keyClick(keys, g.freeTiles()[0]->text()[0].toLower().toLatin1());
        QTest::keyClick(keys, Qt::Key_Return);
        QCOMPARE(g.text("lblResult") + ' ' + g.text("lblScore"), "Correct 10");
        // A listed word spelt by clicks fills the Result row; Enter scores it, the tiles go.
        QList<QLabel *> t = g.freeTiles().mid(0, 2);
        std::ranges::for_each(t, [](QLabel *l) { QTest::mouseClick(l, Qt::LeftButton); });
        QCOMPARE(g.text("Result", 1) + g.text("Result", 2), t[0]->text() + t[1]->text());
        QVERIFY(!t[0]->isEnabled() && t[0]->isVisible());
        g.click("btnCheck");
        QCOMPARE(g.text("lblResult") + ' ' + g.text("lblScore"), "Correct 50");
        QCOMPARE(g.w("lblResult")->palette().color(QPalette::WindowText), Qt::blue);
        QVERIFY(!t[0]->isVisible() && !t[1]->isVisible() && g.text("Result", 1) == "");
        // An unlisted word stays picked and scores nothing; Clear gives the tiles back.
        t = g.freeTiles().mid(0, 3);
        std::ranges::for_each(t, [](QLabel *l) { QTest::mouseClick(l, Qt::LeftButton); });
        g.click("btnCheck");
        QCOMPARE(g.text("lblResult") + ' ' + g.text("lblScore"), "Wrong 50");
        QVERIFY(!t[2]->isEnabled() && t[2]->isVisible());
        g.click("btnClear");
        QVERIFY(t[0]->isEnabled() && t[2]->isEnabled() && g.text("Result", 1) == "");
        QTest::keyClick(keys, t[0]->text()[0].toLower().toLatin1());
        QTest::keyClick(keys, Qt::Key_Return);
        QCOMPARE(g.text("lblResult") + ' ' + g.text("lblScore"), "Correct 60");
        // Paused: the field is covered, takes no clicks and no rows come.
        g.click("btnStart");
        QCOMPARE(g.seen(), "Resume 60 Paused");
        QTest::mouseClick(t[1], Qt::LeftButton);
        g.clock.advanceBy(10000);
        QCOMPARE(g.text("Result", 1) + g.text("lblRowsLeft"), "9");
        g.click("btnStart");
        QVERIFY(g.text("btnStart") == "Pause" && !g.w("PicBlack")->isVisible());
        // Keeping the stack low, the level is played out.
        QVERIFY(g.runUntil([&] {
            while (!g.w("PicBlack")->isVisible() && g.freeTiles().size() > 24) {
                std::ranges::for_each(g.freeTiles().mid(0, 2),
                                      [](QLabel *l) { QTest::mouseClick(l, Qt::LeftButton); });
                g.click("btnCheck");
            }
            return g.text("lblLevel") == "2";
        }));
        QCOMPARE(g.text("lblRowsLeft"), "14");
        const QString score = g.text("lblScore");
        // Left alone, the stack reaches the top; the high-score window takes a name.
        const QString opened = onModal(
            [&] { QVERIFY(g.runUntil([&] { return g.app.model().gameOver(); })); },
            [&](QDialog &d) {
                auto *name = d.findChild<QLineEdit *>();
                QCOMPARE(name->text(), "Ur Nick.");
                QTest::mouseClick(name, Qt::LeftButton);
                QTest::keyClicks(name, "Tester");
                QTest::keyClick(name, Qt::Key_Return);
                QVERIFY(!name->isVisible()); // one entry per opening
                QCOMPARE(d.findChild<QListWidget *>()->item(2)->text(), "1\tTester\t\t" + score);
            });
        QCOMPARE(opened, "frmRecord");
        QCOMPARE(g.files.content("/game/record.dat").value_or("none"),
                 "1\tTester\t\t" + score.toLatin1() + "\r\n");
        QCOMPARE(g.seen(), "Restart " + score + " Game Over!");
        // Restart: a fresh game from the first level.
        g.click("btnStart");
        QCOMPARE(g.text("lblScore") + g.text("lblLevel") + g.text("lblRowsLeft"), "0111");
        QVERIFY(g.freeTiles().isEmpty() && g.runUntil([&] { return g.freeTiles().size() == 8; }));
        // What was heard: each cue from the sound folder beside the program, the end once.
        for (const char *cue : {"click", "correct", "wrong", "clear", "levelup", "gameend"}) {
            QVERIFY2(g.sound.paths.contains(QStringLiteral("/game/sound/%1.wav").arg(cue)), cue);
        }
        QCOMPARE(g.log.count("sound gameend.wav"), 1);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
