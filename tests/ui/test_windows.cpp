#include "dialogs/frmabout.h"
#include "dialogs/frmexit.h"
#include "dialogs/frmhowto.h"
#include "uitesting.h"
#include <QFontInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QWindow>

using Id = ControlId;
static const QStringList Names =
    QStringLiteral(
        "frmMain Picture1 PicBlack lblBlack OoperDaba NichlaDaba Line1 Frame1 lblResult Result "
        "btnCheck btnClear Frame2 lblScore frmLevel lblLevel Frame3 lblRowsLeft frameAbout "
        "lblHowTo "
        "lblHighScore lblAbout btnStart cmdExit")
        .split(' ');

// A table of rows written as text: each row's first `columns` words, then the rest as one.
static void table(const QList<const char *> &columns, const QStringList &rows)
{
    for (const char *c : columns) {
        QTest::addColumn<QString>(c);
    }
    for (const QString &row : rows) {
        const QStringList w = row.simplified().split(' ');
        auto &data = QTest::newRow(qPrintable(row.simplified()));
        for (int i = 0; i < columns.size(); ++i) {
            data << (i + 1 < columns.size() ? w[i] : w.mid(i).join(' '));
        }
    }
}

// A control by name ("Result 8": the eighth of an array, "-": the window itself).
static QWidget *control(QWidget *window, const QString &name, int index = 0)
{
    if (auto *main = qobject_cast<MainWindow *>(window); main && name != "-") {
        return main->widgetFor(Id(Names.indexOf(name)), index);
    }
    return name == "-" ? window : window->findChild<QWidget *>(name);
}

// The main window, About, How to play and the exit dialog as a player meets them, offscreen.
class TestWindows : public QObject
{
    Q_OBJECT
    std::int32_t m_status = 0;

private slots:
    void controlsStandAtTheirDesignPlaces_data()
    {
        table({"window", "control", "index", "place", "font", "text"},
              {"Main  -           0   0,0,635,484    -     Tilnora",
               "Main  Picture1    0   6,9,342,465    -     -",
               "Main  PicBlack    0   6,9,343,469    -     -",
               "Main  lblBlack    0   -              Serif -",
               "Main  OoperDaba   0   5,373,40,40    -     -", // inside a 2-pixel border
               "Main  NichlaDaba  0   5,419,40,40    -     -",
               "Main  NichlaDaba  7   299,419,40,40  -     -",
               "Main  Frame1      0   354,4,277,127  Sans  Result",
               "Main  lblResult   0   90,18,103,25   -     Press Start",
               "Main  Result      1   7,50,32,37     -     -",
               "Main  Result      8   238,50,32,37   -     -",
               "Main  btnCheck    0   9,96,76,23     -     Enter",
               "Main  btnClear    0   192,96,76,23   -     Clear",
               "Main  Frame2      0   354,135,277,52 -     Score",
               "Main  frmLevel    0   354,189,277,52 -     Level",
               "Main  Frame3      0   354,243,277,52 -     Rows Left",
               "Main  frameAbout  0   354,309,277,112 -    Information",
               "Main  lblHowTo    0   108,24,70,16   -     How to play",
               "Main  lblAbout    0   126,81,35,16   -     About",
               "Main  btnStart    0   432,438,118,34 -     Start",
               "Main  cmdExit     0   618,465,16,16  -     X",
               "About -           0   0,0,312,210    Sans  About",
               "About Frame1      0   6,9,298,151    -     -",
               "About Image1      0   21,24,32,32    -     -",
               "About Label1      0   102,27,142,25  Serif T I L N O R A",
               "About Label2      0   102,57,148,19  -     Version: 1.0",
               "About Label3      0   62,111,188,13  Sans  " + frmAbout::notice(),
               "About Command1    0   99,171,112,28  -     OK",
               "HowTo -           0   0,0,312,316    Sans  Instructions",
               "HowTo Text1       0   9,9,295,259    Sans  -",
               "HowTo cmdOK       0   106,279,100,28 -     OK",
               "Exit  -           0   0,0,279,190    Sans  -",
               "Exit  cmdRestart  0   43,21,193,40   -     Restart Game",
               "Exit  cmdExit     0   43,75,193,40   -     Exit the Game",
               "Exit  cmdBack     0   42,129,193,40  -     Back to Game"}); // a pixel left
    }
    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, index);
        QFETCH(QString, place);
        QFETCH(QString, font);
        QFETCH(QString, text);
        OffscreenGame g;
        QWidget *main = &g.app->window();
        std::unique_ptr<QWidget> own(window == "About" ? static_cast<QWidget *>(new frmAbout(main))
                                     : window == "HowTo"
                                         ? static_cast<QWidget *>(new frmHowTo(main))
                                     : window == "Exit" ? new frmExit(m_status, main)
                                                        : nullptr);
        QWidget *w = ::control(own ? own.get() : main, control, index.toInt());
        const QStringList r = place.split(',');
        if (r.size() == 4) {
            const QRect want(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
            QCOMPARE(control == "-" ? QRect(QPoint(), w->maximumSize()) : w->geometry(), want);
            QVERIFY(control != "-" || w->minimumSize() == w->maximumSize());
        }
        if (font != "-") {
            QCOMPARE(QFontInfo(w->font()).family(), "Liberation " + font);
        }
        if (text != "-") {
            auto *l = qobject_cast<QLabel *>(w);
            auto *b = qobject_cast<QAbstractButton *>(w);
            auto *f = qobject_cast<QGroupBox *>(w);
            QCOMPARE(l ? l->text() : b ? b->text() : f ? f->title() : w->windowTitle(), text);
        }
    }

    // The pointer goes over these spots in turn ("run": Start is clicked); the Information
    // menu lights the label under it (b: blue, k: black) as the window system finds it.
    void menuLightsUnderThePointer_data()
    {
        table({"lit", "moves"}, {"kkk", "bkk  lblHowTo", "kbk  lblHighScore",
                                 "bkb  lblHowTo lblAbout", "kkk  lblHowTo lblHighScore frameAbout",
                                 "kkk  lblHighScore window", "kkk  lblAbout PicBlack",
                                 "bkk  lblHowTo btnStart Frame2", "kkb  lblAbout run lblHowTo"});
    }
    void menuLightsUnderThePointer()
    {
        QFETCH(QString, lit);
        QFETCH(QString, moves);
        OffscreenGame g;
        MainWindow &main = g.app->window();
        for (const QString &name : moves.split(' ', Qt::SkipEmptyParts)) {
            QWidget *c = control(&main, name);
            if (name == "run") {
                g.click(Id::btnStart);
            } else if (c || name == "window") {
                const QPoint at =
                    !c ? QPoint(500, 302)
                       : c->mapTo(&main, name.startsWith("Frame") || name == "frameAbout" ||
                                                 name == "PicBlack"
                                             ? QPoint(8, 30)
                                             : c->rect().center());
                QCOMPARE(main.childAt(at), c);
                QTest::mouseMove(&main, at);
            }
        }
        QString shown;
        for (Id id : {Id::lblHowTo, Id::lblHighScore, Id::lblAbout}) {
            shown += g.w(id)->palette().color(QPalette::WindowText) == Qt::blue ? 'b' : 'k';
        }
        QCOMPARE(shown, lit);
    }

    // In this state of the game the player clicks the opener, presses Tab so many times and
    // then the key ("-": the window's close box); what opens, where the focus was, and after.
    void windowsAndTheirKeys_data()
    {
        table({"state", "opener", "opened", "tabs", "focus", "key", "outcome", "case"},
              {"new     lblHowTo     frmHowTo  0 Text1      Return open    Enter in the text",
               "new     lblHowTo     frmHowTo  0 Text1      Enter  open    keypad Enter",
               "new     lblHowTo     frmHowTo  0 Text1      Del    open    the text stays",
               "new     lblHowTo     frmHowTo  1 cmdOK      Return closed  Enter on OK",
               "new     lblHowTo     frmHowTo  0 Text1      Esc    closed  Esc",
               "over    lblHowTo     frmHowTo  0 Text1      -      closed  after a game",
               "new     lblAbout     frmAbout  0 Command1   Return closed  Enter on OK",
               "new     lblAbout     frmAbout  1 Command1   -      closed  only OK",
               "over    lblHighScore frmRecord 0 -          -      closed  for viewing",
               "running lblAbout     -         0 -          -      back    dead in a game",
               "paused  lblHighScore -         0 -          -      -       dead when paused",
               "running cmdExit      frmExit   0 cmdRestart Return restart Enter",
               "new     cmdExit      frmExit   0 cmdRestart Space  restart before a game",
               "running cmdExit      frmExit   1 cmdExit    Return exit    exit",
               "running cmdExit      frmExit   2 cmdBack    Enter  back    back",
               "running cmdExit      frmExit   3 cmdRestart Return restart Tab goes round",
               "running cmdExit      frmExit   0 cmdRestart Esc    open    Esc does nothing",
               "running cmdExit      frmExit   0 cmdRestart -      back    close box: back",
               "running -            -         0 -          -      exit    main close box"});
    }
    void windowsAndTheirKeys()
    {
        QFETCH(QString, state);
        QFETCH(QString, opener);
        QFETCH(QString, opened);
        QFETCH(QString, tabs);
        QFETCH(QString, focus);
        QFETCH(QString, key);
        QFETCH(QString, outcome);
        OffscreenGame g;
        MainWindow &main = g.app->window();
        if (state != "new") {
            g.click(Id::btnStart);
            QVERIFY(g.runUntil([&] { return g.freeTiles().size() == 16; }));
        }
        if (state == "paused") {
            g.click(Id::btnStart);
        } else if (state == "over") {
            onModal([&] { QVERIFY(g.runUntil([&] { return g.app->model().gameOver(); })); });
        }
        bool openAfterKey = false;
        const QString cls = onModal(
            [&] {
                if (opener == "-") {
                    main.windowHandle()->close();
                } else {
                    QTest::mouseClick(control(&main, opener), Qt::LeftButton);
                }
            },
            [&](QDialog &d) {
                QVERIFY((d.geometry().center() - main.geometry().center()).manhattanLength() < 2);
                for (int i = 0; i < tabs.toInt(); ++i) {
                    QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
                }
                QVERIFY(focus == "-" || QApplication::focusWidget()->objectName() == focus);
                auto *text = d.findChild<QPlainTextEdit *>();
                const QString before = text ? text->toPlainText() : QString();
                if (key == "-") {
                    d.windowHandle()->close();
                } else {
                    QTest::keyClick(d.windowHandle(), QKeySequence(key)[0].key());
                }
                QApplication::processEvents();
                openAfterKey = d.isVisible();
                QCOMPARE(text ? text->toPlainText() : QString(), before);
            });
        QCOMPARE(cls, opened == "-" ? "" : opened);
        QCOMPARE(openAfterKey, outcome == "open");
        const QString now = g.text(Id::btnStart) + ' ' + g.text(Id::lblScore) + ' ' +
                            QString::number(g.freeTiles().size());
        if (outcome == "restart" || outcome == "back") {
            QCOMPARE(now, outcome == "back" ? "Pause 0 16" : "Pause 0 0");
            QVERIFY(!g.w(Id::PicBlack)->isVisible());
        } else if (outcome == "exit") {
            QVERIFY(!main.isVisible() && g.app->model().isUnloaded());
            QVERIFY(!g.app->model().Timer1.isEnabled());
            QVERIFY(!g.app->model().TimerNichlaDabaFill.isEnabled());
        }
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
