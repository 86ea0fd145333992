#include "support/gameharness.h"

#include <QTest>

#include <map>

// The Information menu on the main window's model: which label is highlighted after which
// pointer moves, and which window a click opens in which state of the game.
class TestMenuModel : public QObject
{
    Q_OBJECT
private:
    // The three labels' colours as a word of 'b' (blue) and 'k' (black), in the order How to
    // play, High Score, About.
    static QString colours(const frmMain &g)
    {
        QString s;
        for (const Control *c : {&g.lblHowTo, &g.lblHighScore, &g.lblAbout}) {
            if (c->foreColor() == Colour::rgb(0, 0, 255)) {
                s += QLatin1Char('b');
            } else if (c->foreColor() == Colour::rgb(0, 0, 0)) {
                s += QLatin1Char('k');
            } else {
                s += QLatin1Char('?');
            }
        }
        return s;
    }

    static void move(frmMain &g, const QString &where)
    {
        static const std::map<QString, void (frmMain::*)()> handlers{
            {QStringLiteral("howto"), &frmMain::lblHowTo_MouseMove},
            {QStringLiteral("highscore"), &frmMain::lblHighScore_MouseMove},
            {QStringLiteral("about"), &frmMain::lblAbout_MouseMove},
            {QStringLiteral("frame"), &frmMain::frameAbout_MouseMove},
            {QStringLiteral("window"), &frmMain::Form_MouseMove},
            {QStringLiteral("overlay"), &frmMain::PicBlack_MouseMove},
        };
        const auto it = handlers.find(where);
        QVERIFY2(it != handlers.end(), qPrintable(where));
        (g.*(it->second))();
    }

    static void runToGameOver(GameHarness &h)
    {
        for (int i = 0; i < 1200 && !h.game().gameOver(); ++i) {
            h.advance(500);
        }
        QVERIFY(h.game().gameOver());
    }

    enum class State { BeforeStart, Running, Paused, GameOver };

    static void bring(GameHarness &h, State state)
    {
        frmMain &g = h.game();
        switch (state) {
        case State::BeforeStart:
            break;
        case State::Running:
            g.btnStart_Click();
            h.advance(1000);
            break;
        case State::Paused:
            g.btnStart_Click();
            h.advance(1000);
            g.btnStart_Click();
            break;
        case State::GameOver:
            g.btnStart_Click();
            runToGameOver(h);
            break;
        }
    }

private slots:
    void highlightFollowsThePointer_data()
    {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<bool>("menuEnabled");
        QTest::addColumn<QString>("expected");

        const auto m = [](const char *list) { return QString::fromLatin1(list).split(' '); };
        QTest::newRow("nothing moved yet: the design colour") << QStringList{} << true << "kkk";
        QTest::newRow("over How to play") << m("howto") << true << "bkk";
        QTest::newRow("over High Score") << m("highscore") << true << "kbk";
        QTest::newRow("over About") << m("about") << true << "kkb";
        QTest::newRow("a label does not reset the others") << m("howto about") << true << "bkb";
        QTest::newRow("How to play across the frame to About")
            << m("howto frame about") << true << "kkb";
        QTest::newRow("all three, then the frame")
            << m("howto highscore about frame") << true << "kkk";
        QTest::newRow("a label, then the window's free area")
            << m("highscore window") << true << "kkk";
        QTest::newRow("a label, then the overlay") << m("about overlay") << true << "kkk";
        QTest::newRow("reset, then a label again") << m("about window howto") << true << "bkk";
        QTest::newRow("disabled menu: labels do not light") << m("howto about") << false << "kkk";
        QTest::newRow("disabled menu: a lit label stays lit over the frame")
            << m("+howto frame") << false << "bkk";
        QTest::newRow("disabled menu: the window's free area still resets")
            << m("+howto window") << false << "kkk";
        QTest::newRow("disabled menu: the overlay still resets")
            << m("+highscore overlay") << false << "kkk";
    }
    void highlightFollowsThePointer()
    {
        QFETCH(QStringList, moves);
        QFETCH(bool, menuEnabled);
        QFETCH(QString, expected);
        GameHarness h;
        frmMain &g = h.game();
        for (const QString &where : moves) {
            // A '+' move happens while the menu is still enabled (the label the pointer left
            // on its way to Start stays lit when the game starts).
            if (where.startsWith(QLatin1Char('+'))) {
                g.frameAbout.setEnabled(true);
                move(g, where.mid(1));
                continue;
            }
            g.frameAbout.setEnabled(menuEnabled);
            move(g, where);
        }
        QCOMPARE(colours(g), expected);
    }

    void clickOpensItsWindowOnlyWhileTheMenuWorks_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("opened");

        const struct
        {
            State state;
            const char *name;
            bool works;
        } states[] = {
            {State::BeforeStart, "before the first Start", true},
            {State::Running, "while a game runs", false},
            {State::Paused, "while paused", false},
            {State::GameOver, "after a game over", true},
        };
        const struct
        {
            const char *label;
            const char *window;
        } labels[] = {{"howto", "HowTo"}, {"highscore", "Record"}, {"about", "About"}};
        for (const auto &s : states) {
            for (const auto &l : labels) {
                QTest::addRow("%s %s", l.label, s.name)
                    << int(s.state) << QString::fromLatin1(l.label)
                    << (s.works ? QStringLiteral("window ") + QLatin1String(l.window) : QString());
            }
        }
    }
    void clickOpensItsWindowOnlyWhileTheMenuWorks()
    {
        QFETCH(int, state);
        QFETCH(QString, label);
        QFETCH(QString, opened);
        GameHarness h;
        frmMain &g = h.game();
        bring(h, State(state));
        const bool wasOver = g.gameOver();
        const QString startCaption = g.btnStart.caption();
        h.log.clear();
        h.windows.opened.clear();

        if (label == QLatin1String("howto")) {
            g.lblHowTo_Click();
        } else if (label == QLatin1String("highscore")) {
            g.lblHighScore_Click();
        } else {
            g.lblAbout_Click();
        }

        QCOMPARE(h.log.lines, opened.isEmpty() ? QStringList{} : QStringList{opened});
        // Nothing else happens: the game is where it was.
        QCOMPARE(g.gameOver(), wasOver);
        QCOMPARE(g.btnStart.caption(), startCaption);
    }

    void highScoreEntryOpensTheTableForViewing()
    {
        GameHarness h;
        frmMain &g = h.game();
        bring(h, State::GameOver);
        QVERIFY(!g.blnHighScoreClick); // the game over opened it for a score entry
        bool viewModeWhileOpen = false;
        h.windows.actions[Window::Record] = [&] { viewModeWhileOpen = g.blnHighScoreClick; };
        g.lblHighScore_Click();
        QVERIFY(viewModeWhileOpen);
        // It stays set after the window has closed, until the next game over.
        QVERIFY(g.blnHighScoreClick);
        g.btnStart_Click(); // "Restart"
        QVERIFY(g.blnHighScoreClick);
        runToGameOver(h);
        QVERIFY(!g.blnHighScoreClick);
    }

    void aWindowFromTheMenuLeavesTheHighlightAsItWas()
    {
        GameHarness h;
        frmMain &g = h.game();
        g.lblAbout_MouseMove();
        g.lblAbout_Click();
        QCOMPARE(colours(g), QStringLiteral("kkb"));
        QCOMPARE(h.log.lines, QStringList{QStringLiteral("window About")});
    }
};

QTEST_GUILESS_MAIN(TestMenuModel)
#include "test_menumodel.moc"
