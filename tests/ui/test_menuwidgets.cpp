#include "dialogs/programicon.h"
#include "uitesting.h"

#include <QLabel>
#include <QPushButton>

// The Information menu on the real main window: pointer moves sent through the window
// system's path (Qt finds the widget under the pointer) and clicks on the labels.
class TestMenuWidgets : public QObject
{
    Q_OBJECT
private:
    // Where the pointer goes, in the main window's coordinates, and the widget it finds
    // there (nullptr: the window's own surface).
    struct Spot
    {
        QPoint at;
        QWidget *expectedUnder;
    };

    static Spot spot(OffscreenGame &g, const QString &name)
    {
        MainWindow &w = g.window();
        const auto centreOf = [&](ControlId id, int index = 0) {
            QWidget *c = g.widget(id, index);
            return Spot{c->mapTo(&w, c->rect().center()), c};
        };
        const auto inside = [&](ControlId id, QPoint local) {
            QWidget *c = g.widget(id);
            return Spot{c->mapTo(&w, local), c};
        };
        if (name == "howto") {
            return centreOf(ControlId::lblHowTo);
        }
        if (name == "highscore") {
            return centreOf(ControlId::lblHighScore);
        }
        if (name == "about") {
            return centreOf(ControlId::lblAbout);
        }
        if (name == "frame") { // the menu frame, left of its labels
            return inside(ControlId::frameAbout, QPoint(30, 60));
        }
        if (name == "window") { // between the Rows Left panel and the menu
            return Spot{QPoint(500, 302), nullptr};
        }
        if (name == "overlay") {
            return inside(ControlId::PicBlack, QPoint(60, 80));
        }
        if (name == "lblBlack") {
            return centreOf(ControlId::lblBlack);
        }
        if (name == "start") {
            return centreOf(ControlId::btnStart);
        }
        if (name == "exit") {
            return centreOf(ControlId::cmdExit);
        }
        if (name == "panel") { // the Score frame
            return inside(ControlId::Frame2, QPoint(30, 30));
        }
        if (name == "message") {
            return centreOf(ControlId::lblResult);
        }
        if (name == "wordtile") {
            return centreOf(ControlId::Result, 2);
        }
        qFatal("no spot %s", qPrintable(name));
    }

    static QString colours(OffscreenGame &g)
    {
        QString s;
        for (ControlId id : {ControlId::lblHowTo, ControlId::lblHighScore, ControlId::lblAbout}) {
            const QColor c = g.widget(id)->palette().color(QPalette::WindowText);
            s += c == QColor(0, 0, 255) ? 'b' : c == QColor(0, 0, 0) ? 'k' : '?';
        }
        return s;
    }

    static void moveTo(OffscreenGame &g, const QString &name)
    {
        const Spot s = spot(g, name);
        QCOMPARE(g.window().childAt(s.at), s.expectedUnder);
        QTest::mouseMove(&g.window(), s.at);
        QCoreApplication::processEvents();
    }

private slots:
    void highlightFollowsThePointer_data()
    {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QString>("expected");
        const auto m = [](const char *list) { return QString::fromLatin1(list).split(' '); };
        QTest::newRow("nothing yet") << QStringList{} << "kkk";
        QTest::newRow("over How to play") << m("howto") << "bkk";
        QTest::newRow("over High Score") << m("highscore") << "kbk";
        QTest::newRow("over About") << m("about") << "kkb";
        QTest::newRow("straight from one label to another") << m("howto about") << "bkb";
        QTest::newRow("How to play across the frame to About") << m("howto frame about") << "kkb";
        QTest::newRow("the frame's free area resets") << m("howto highscore frame") << "kkk";
        QTest::newRow("the window's free area resets") << m("highscore window") << "kkk";
        QTest::newRow("the overlay resets") << m("about overlay") << "kkk";
        QTest::newRow("the overlay's label does not") << m("howto lblBlack") << "bkk";
        QTest::newRow("the Start button does not") << m("howto start") << "bkk";
        QTest::newRow("the exit button does not") << m("about exit") << "kkb";
        QTest::newRow("a panel frame does not") << m("highscore panel") << "kbk";
        QTest::newRow("the message line does not") << m("about message") << "kkb";
        QTest::newRow("a word tile does not") << m("howto wordtile") << "bkk";
        QTest::newRow("lit until the pointer crosses a resetting area")
            << m("howto start panel message window") << "kkk";
    }
    void highlightFollowsThePointer()
    {
        QFETCH(QStringList, moves);
        QFETCH(QString, expected);
        OffscreenGame g;
        QVERIFY(g.open());
        for (const QString &where : moves) {
            moveTo(g, where);
        }
        QCOMPARE(colours(g), expected);
    }

    void theMenuIsDeadWhileAGameRuns()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        moveTo(g, "about"); // lit on the way to Start
        QTest::mouseClick(g.widget(ControlId::btnStart), Qt::LeftButton);
        QCOMPARE(g.model().btnStart.caption(), QStringLiteral("Pause"));
        moveTo(g, "howto");
        moveTo(g, "frame");
        QCOMPARE(colours(g), QStringLiteral("kkb"));
        moveTo(g, "window");
        QCOMPARE(colours(g), QStringLiteral("kkk"));
        moveTo(g, "highscore");
        QCOMPARE(colours(g), QStringLiteral("kkk"));
    }

    void clickOpensItsWindow_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("viewMode");
        QTest::newRow("How to play") << int(ControlId::lblHowTo) << "frmHowTo" << false;
        QTest::newRow("About") << int(ControlId::lblAbout) << "frmAbout" << false;
        QTest::newRow("High Score, for viewing") << int(ControlId::lblHighScore) << "" << true;
    }
    void clickOpensItsWindow()
    {
        QFETCH(int, label);
        QFETCH(QString, window);
        QFETCH(bool, viewMode);
        OffscreenGame g;
        QVERIFY(g.open());
        for (const char *when : {"before the first Start", "after a game over"}) {
            if (QByteArray(when) == "after a game over") {
                QTest::mouseClick(g.widget(ControlId::btnStart), Qt::LeftButton);
                QVERIFY(g.runToGameOver());
                QVERIFY(!g.model().blnHighScoreClick);
            }
            bool highScoreFlagWhileOpen = false;
            ModalWatch watch(
                [&](QDialog &) { highScoreFlagWhileOpen = g.model().blnHighScoreClick; });
            QTest::mouseClick(g.widget(ControlId(label)), Qt::LeftButton);
            const QString opened = watch.openedClass();
            QVERIFY2(!opened.isEmpty(), when);
            if (!window.isEmpty()) {
                QCOMPARE(opened, window);
            } else {
                // The high-score window: not one of the information windows.
                QVERIFY(opened != "frmHowTo" && opened != "frmAbout" && opened != "frmExit");
            }
            QCOMPARE(watch.parent(), &g.window());
            QCOMPARE(highScoreFlagWhileOpen, viewMode);
        }
    }

    void clickDoesNothingWhileAGameRunsOrIsPaused_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<bool>("paused");
        for (bool paused : {false, true}) {
            const char *state = paused ? "paused" : "running";
            QTest::addRow("How to play, %s", state) << int(ControlId::lblHowTo) << paused;
            QTest::addRow("High Score, %s", state) << int(ControlId::lblHighScore) << paused;
            QTest::addRow("About, %s", state) << int(ControlId::lblAbout) << paused;
        }
    }
    void clickDoesNothingWhileAGameRunsOrIsPaused()
    {
        QFETCH(int, label);
        QFETCH(bool, paused);
        OffscreenGame g;
        QVERIFY(g.open());
        QTest::mouseClick(g.widget(ControlId::btnStart), Qt::LeftButton);
        g.clock.advanceBy(1000);
        if (paused) {
            QTest::mouseClick(g.widget(ControlId::btnStart), Qt::LeftButton);
            QCOMPARE(g.model().btnStart.caption(), QStringLiteral("Resume"));
        }
        ModalWatch watch;
        QTest::mouseClick(g.widget(ControlId(label)), Qt::LeftButton);
        QCOMPARE(watch.openedClass(), QString());
        QVERIFY(!g.model().blnHighScoreClick);
    }

    void mainWindowShowsTheProgramIcon()
    {
        OffscreenGame g;
        QVERIFY(g.open());
        const QImage shown = g.window()
                                 .windowIcon()
                                 .pixmap(QSize(32, 32))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        const QImage own = programicon::picture().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown, own);
    }
};

QTEST_MAIN(TestMenuWidgets)
#include "test_menuwidgets.moc"
