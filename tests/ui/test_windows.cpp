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
        for (int i = 0; i < 26 * 27; ++i) {
            words += QByteArray(1, 'a' + i / 27) + (i % 27 ? QByteArray(1, 'a' + i % 27 - 1) : "");
            words += "\r\n";
        }
        files.put(QStringLiteral("/game/ShortList8.txt"), words);
        QVERIFY(app.load());
        app.show();
        QVERIFY(QTest::qWaitForWindowActive(main.windowHandle()));
    }
    // A control by name and index in its array.
    QWidget *w(const QString &name, int i = 0)
    {
        return main.widgetFor(ControlId(Names.indexOf(name)), i);
    }
    QString text(const QString &name, int i = 0) { return w(name, i)->property("text").toString(); }
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
        for (int i = 0; i < 3000 && !done(); ++i)
            clock.advanceBy(100);
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

// Rows of a table as one text, split at '|'; each row is named by its part before ':'.
static void rows(const char *table)
{
    QTest::addColumn<QString>("row");
    for (const QString &r : QString::fromLatin1(table).split('|'))
        QTest::newRow(qPrintable(r.section(':', 0, 0))) << r.section(':', 1).trimmed();
}

// The main window, About, How to play and the exit dialog as a player meets them, offscreen.
class TestWindows : public QObject
{
    Q_OBJECT
    std::int32_t m_status = 0;

private slots:
    // Per window: its fixed size, then controls as name[.index]=x,y,width,height[,font].
    void controlsStandAtTheirDesignPlaces_data()
    {
        rows("Main: -=0,0,635,484 Picture1=6,9,342,465 PicBlack=6,9,343,469 OoperDaba=5,373,40,40 "
             "NichlaDaba=5,419,40,40 NichlaDaba.7=299,419,40,40 Frame1=354,4,277,127,Sans "
             "lblResult=90,18,103,25 Result.1=7,50,32,37 Result.8=238,50,32,37 btnCheck=9,96,76,23 "
             "btnClear=192,96,76,23 Frame2=354,135,277,52 frmLevel=354,189,277,52 "
             "Frame3=354,243,277,52 frameAbout=354,309,277,112 lblHowTo=108,24,70,16 "
             "lblHighScore=108,54,67,16 lblAbout=126,81,35,16 btnStart=432,438,118,34 "
             "cmdExit=618,465,16,16|"
             "About: -=0,0,312,210,Sans Frame1=6,9,298,151 Image1=21,24,32,32 "
             "Label1=102,27,142,25,Serif Label2=102,57,148,19 Label3=62,111,188,13,Sans "
             "Command1=99,171,112,28|"
             "HowTo: -=0,0,312,316,Sans Text1=9,9,295,259,Sans cmdOK=106,279,100,28|"
             "Exit: -=0,0,279,190,Sans cmdRestart=43,21,193,40 cmdExit=43,75,193,40 "
             "cmdBack=42,129,193,40");
    }
    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QString, row);
        const QString window = QTest::currentDataTag();
        Game g;
        std::unique_ptr<QWidget> own(
            window == "About"   ? static_cast<QWidget *>(new frmAbout(&g.main))
            : window == "HowTo" ? static_cast<QWidget *>(new frmHowTo(&g.main))
            : window == "Exit"  ? new frmExit(m_status, &g.main)
                                : nullptr);
        QWidget *top = own ? own.get() : &g.main;
        QVERIFY(top->minimumSize() == top->maximumSize());
        for (const QString &c : row.split(' ')) {
            const QStringList n = c.section('=', 0, 0).split('.'), r = c.section('=', 1).split(',');
            QWidget *w = n[0] == "-" ? top
                         : own       ? own->findChild<QWidget *>(n[0])
                                     : g.w(n[0], n.value(1).toInt());
            const QRect at = w == top ? QRect(QPoint(), w->maximumSize()) : w->geometry();
            QStringList seen = {QString::number(at.x()), QString::number(at.y()),
                                QString::number(at.width()), QString::number(at.height())};
            seen +=
                r.size() > 4 ? QStringList(QFontInfo(w->font()).family().mid(11)) : QStringList();
            QCOMPARE(c.section('=', 0, 0) + '=' + seen.join(','), c);
        }
    }

    // In a state of the game the player clicks a control, presses Tab so many times and the key
    // (-: the close box): the window that opened, its focus, and what is left.
    void windowsAndTheirKeys_data()
    {
        rows("Enter in the How-to text does nothing: new lblHowTo frmHowTo 0 Text1 Return open|"
             "Enter on OK closes How to play: new lblHowTo frmHowTo 1 cmdOK Return closed|"
             "Esc closes How to play: new lblHowTo frmHowTo 0 Text1 Esc closed|"
             "Enter on OK closes About: new lblAbout frmAbout 1 Command1 Return closed|"
             "the menu is dead in a game: running lblAbout - 0 - - same|"
             "Enter on Restart Game: running cmdExit frmExit 0 cmdRestart Return restart|"
             "Enter on Exit the Game: running cmdExit frmExit 1 cmdExit Return exit|"
             "Enter on Back to Game: running cmdExit frmExit 2 cmdBack Enter same|"
             "Esc in the exit dialog does nothing: running cmdExit frmExit 0 cmdRestart Esc open|"
             "the exit dialog's close box goes back: running cmdExit frmExit 0 cmdRestart - same");
    }
    void windowsAndTheirKeys()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(' ');
        Game g;
        if (f[0] == "running") {
            g.click("btnStart");
            QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        }
        const auto now = [&] { return g.seen() + ' ' + QString::number(g.freeTiles().size()); };
        const QString before = now();
        bool open = false;
        const QString cls = onModal(
            [&] { g.click(f[1]); },
            [&](QDialog &d) {
                QVERIFY((d.geometry().center() - g.main.geometry().center()).manhattanLength() < 2);
                for (int i = 0; i < f[3].toInt(); ++i)
                    QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget()->objectName(), f[4]);
                auto *text = d.findChild<QPlainTextEdit *>();
                const QString was = text ? text->toPlainText() : QString();
                f[5] == "-" ? void(d.windowHandle()->close())
                            : QTest::keyClick(d.windowHandle(), QKeySequence(f[5])[0].key());
                QApplication::processEvents();
                open = d.isVisible();
                QCOMPARE(text ? text->toPlainText() : QString(), was);
            });
        QCOMPARE(cls, f[2] == "-" ? "" : f[2]);
        QCOMPARE(open, f[6] == "open");
        QVERIFY(f[6] != "same" || now() == before);
        QVERIFY(f[6] != "restart" || (now().startsWith("Pause 0 ") && now().endsWith(" 0")));
        QVERIFY(f[6] != "exit" || (!g.main.isVisible() && g.app.model().isUnloaded()));
    }

    // One whole game as a player plays it, by mouse and keys, and what is seen and saved.
    void aWholeGame()
    {
        Game g;
        QWindow *keys = g.main.windowHandle();
        for (const char *c : {"btnStart", "btnCheck", "btnClear", "cmdExit", "Picture1"}) {
            QTest::keyClick(keys, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), g.w(c)); // Tab walks round to the field
        }
        const auto pick = [](const QList<QLabel *> &t) {
            std::ranges::for_each(t, [](QLabel *l) { QTest::mouseClick(l, Qt::LeftButton); });
            return t;
        };
        const auto type = [&](QLabel *tile) { // a letter and Return into the window
            QTest::keyClick(keys, tile->text()[0].toLower().toLatin1());
            QTest::keyClick(keys, Qt::Key_Return);
            return g.text("lblResult") + ' ' + g.text("lblScore");
        };
        g.click("btnStart");
        QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        QCOMPARE(g.text("btnStart") + g.text("lblRowsLeft"), "Pause9");
        QCOMPARE(type(g.freeTiles()[0]), "Correct 10"); // the click left the focus on the field
        // A listed word spelt by clicks fills the Result row; Enter scores it, the tiles go.
        QList<QLabel *> t = pick(g.freeTiles().mid(0, 2));
        QCOMPARE(g.text("Result", 1) + g.text("Result", 2), t[0]->text() + t[1]->text());
        g.click("btnCheck");
        QCOMPARE(g.text("lblResult") + ' ' + g.text("lblScore"), "Correct 50");
        QVERIFY(!t[0]->isVisible() && !t[1]->isVisible() && g.text("Result", 1) == "");
        // An unlisted word stays picked and scores nothing; Clear gives the tiles back.
        t = pick(g.freeTiles().mid(0, 3));
        g.click("btnCheck");
        QCOMPARE(g.text("lblResult") + ' ' + g.text("lblScore"), "Wrong 50");
        QVERIFY(!t[2]->isEnabled() && t[2]->isVisible());
        g.click("btnClear");
        QVERIFY(t[0]->isEnabled() && t[2]->isEnabled() && g.text("Result", 1) == "");
        QCOMPARE(type(t[0]), "Correct 60"); // the focus stayed on the field
        // Paused: the field is covered, takes no clicks and no rows come.
        g.click("btnStart");
        QCOMPARE(g.seen(), "Resume 60 Paused");
        pick({t[1]});
        g.clock.advanceBy(10000);
        QCOMPARE(g.text("Result", 1) + g.text("lblRowsLeft"), "9");
        g.click("btnStart");
        QVERIFY(g.text("btnStart") == "Pause" && !g.w("PicBlack")->isVisible());
        // Keeping the stack low, the level is played out.
        QVERIFY(g.runUntil([&] {
            while (!g.w("PicBlack")->isVisible() && g.freeTiles().size() > 24) {
                pick(g.freeTiles().mid(0, 2));
                g.click("btnCheck");
            }
            return g.text("lblLevel") == "2";
        }));
        QCOMPARE(g.text("lblRowsLeft"), "14");
        const QString score = g.text("lblScore");
        // Left alone, the stack reaches the top; the high-score window takes a name.
        const QString opened =
            onModal([&] { QVERIFY(g.runUntil([&] { return g.app.model().gameOver(); })); },
                    [&](QDialog &d) {
                        auto *name = d.findChild<QLineEdit *>();
                        QCOMPARE(name->text(), "Ur Nick.");
                        QTest::mouseClick(name, Qt::LeftButton);
                        QTest::keyClicks(name, "Tester");
                        QTest::keyClick(name, Qt::Key_Return);
                        QVERIFY(!name->isVisible()); // one entry per opening
                    });
        QCOMPARE(opened, "frmRecord");
        QCOMPARE(g.files.content("/game/record.dat").value_or("none"),
                 "1\tTester\t\t" + score.toLatin1() + "\r\n");
        QCOMPARE(g.seen(), "Restart " + score + " Game Over!");
        // Restart: a fresh game from the first level.
        g.click("btnStart");
        QCOMPARE(g.text("lblScore") + g.text("lblLevel") + g.text("lblRowsLeft"), "0111");
        QVERIFY(g.freeTiles().isEmpty() && g.runUntil([&] { return g.freeTiles().size() == 8; }));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
