#include "dialogs/frmabout.h"
#include "dialogs/frmexit.h"
#include "dialogs/frmhowto.h"
#include "dialogs/programicon.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

// The About, How-to and exit windows as the player meets them, offscreen.
class TestDialogs : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_owner;
    std::int32_t m_status = 0;

    std::unique_ptr<QDialog> make(const QString &window)
    {
        if (window == QLatin1String("About")) {
            return std::make_unique<frmAbout>(m_owner.get());
        }
        if (window == QLatin1String("HowTo")) {
            return std::make_unique<frmHowTo>(m_owner.get());
        }
        return std::make_unique<frmExit>(m_status, m_owner.get());
    }

    // Opens the dialog modally; the action runs inside, on the dialog, once it is shown.
    static int runModal(QDialog &dialog, const std::function<void(QDialog &)> &action)
    {
        bool ran = false;
        QTimer::singleShot(0, &dialog, [&] {
            auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(open == &dialog);
            QVERIFY(QTest::qWaitFor([open] { return QApplication::activeWindow() == open; }));
            ran = true;
            action(*open);
            // Whatever the action did, the test must not hang on a dialog left open.
            if (open->isVisible()) {
                QTimer::singleShot(0, open, [open] { open->done(-1); });
            }
        });
        const int result = dialog.exec();
        if (!ran) {
            qWarning("the dialog never opened");
        }
        return result;
    }

    template <class T> static T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QString::fromLatin1(name));
        if (!c) {
            qWarning("no control %s", name);
        }
        return c;
    }

    static QStringList paragraphs()
    {
        return {QStringLiteral("Rows of letter tiles are stacking up and you have to stop them "
                               "from reaching the top of the screen!"),
                QStringLiteral("The only way to remove them is by using them to make words!  "
                               "Simply click on letter tiles in the order that you want for a "
                               "word and they will appear on the right-hand side of the "
                               "screen.  Click the ENTER button and the tiles will disappear!"),
                QStringLiteral("If you make mistake while making a word, simply click on the "
                               "last tile on the right-hand side of the screen to deselect "
                               "it.  You can also click the CLEAR button to deselect them "
                               "all.")};
    }

    static void saveShot(QWidget &w, const QString &name)
    {
        const QString out = qEnvironmentVariable("TILNORA_TEST_OUTPUT");
        if (!out.isEmpty()) {
            QDir().mkpath(out);
            QVERIFY(w.grab().save(out + QLatin1Char('/') + name));
        }
    }

private slots:
    void initTestCase()
    {
        // Stands in for the main window: the dialogs centre on it.
        m_owner = std::make_unique<QWidget>();
        m_owner->setFixedSize(635, 484);
        m_owner->move(40, 70);
        m_owner->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    }

    void windowsHaveTheirDesignFrame_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::newRow("About") << "About"
                               << "About" << QSize(312, 210);
        QTest::newRow("How to play") << "HowTo"
                                     << "Instructions" << QSize(312, 316);
        QTest::newRow("exit dialog, an empty title bar") << "Exit"
                                                         << "" << QSize(279, 190);
    }
    void windowsHaveTheirDesignFrame()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        std::unique_ptr<QDialog> d = make(window);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        // The empty caption is kept blank on screen by a space.
        QCOMPARE(d->windowTitle().trimmed(), caption);
        QCOMPARE(d->size(), client);
        QCOMPARE(d->minimumSize(), client);
        QCOMPARE(d->maximumSize(), client);
        const Qt::WindowFlags f = d->windowFlags();
        QVERIFY(f & Qt::WindowTitleHint);
        QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(f & Qt::WindowContextHelpButtonHint));
        const QPoint offset = d->geometry().center() - m_owner->geometry().center();
        QVERIFY2(offset.manhattanLength() <= 1, "centred on the window that opens it");
        QCOMPARE(QFontInfo(d->font()).family(), QStringLiteral("Liberation Sans"));
        saveShot(*d, QStringLiteral("dialog-%1.png").arg(window));
    }

    void followsItsOwnerWhenOpenedAgain()
    {
        m_owner->move(120, 10);
        frmAbout about(m_owner.get());
        about.show();
        QVERIFY((about.geometry().center() - m_owner->geometry().center()).manhattanLength() <= 1);
        about.close();
        m_owner->move(40, 70);
    }

    void controlsStandAtTheirDesignPlaces_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("About Frame1") << "About"
                                      << "Frame1" << QRect(6, 9, 298, 151) << "";
        QTest::newRow("About Image1") << "About"
                                      << "Image1" << QRect(21, 24, 32, 32) << "";
        QTest::newRow("About Label1") << "About"
                                      << "Label1" << QRect(102, 27, 142, 25) << "T I L N O R A";
        QTest::newRow("About Label2") << "About"
                                      << "Label2" << QRect(102, 57, 148, 19) << "Version: 1.0";
        QTest::newRow("About Label3") << "About"
                                      << "Label3" << QRect(62, 111, 188, 13) << frmAbout::notice();
        QTest::newRow("About Command1") << "About"
                                        << "Command1" << QRect(99, 171, 112, 28) << "OK";
        QTest::newRow("HowTo Text1") << "HowTo"
                                     << "Text1" << QRect(9, 9, 295, 259) << "";
        QTest::newRow("HowTo cmdOK") << "HowTo"
                                     << "cmdOK" << QRect(106, 279, 100, 28) << "OK";
        QTest::newRow("Exit cmdRestart")
            << "Exit"
            << "cmdRestart" << QRect(43, 21, 193, 40) << "Restart Game";
        QTest::newRow("Exit cmdExit") << "Exit"
                                      << "cmdExit" << QRect(43, 75, 193, 40) << "Exit the Game";
        QTest::newRow("Exit cmdBack, one pixel further left")
            << "Exit"
            << "cmdBack" << QRect(42, 129, 193, 40) << "Back to Game";
    }
    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        std::unique_ptr<QDialog> d = make(window);
        QWidget *c = d->findChild<QWidget *>(control);
        QVERIFY(c);
        QCOMPARE(c->geometry(), geometry);
        if (auto *label = qobject_cast<QLabel *>(c)) {
            QCOMPARE(label->text(), text);
            QVERIFY(label->alignment() & Qt::AlignLeft);
        } else if (auto *button = qobject_cast<QPushButton *>(c)) {
            QCOMPARE(button->text(), text);
        } else if (auto *frame = qobject_cast<QGroupBox *>(c)) {
            QCOMPARE(frame->title(), text);
        }
    }

    void aboutTextsFitTheirLabels_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("title") << "Label1";
        QTest::newRow("version") << "Label2";
        QTest::newRow("notice, one line") << "Label3";
    }
    void aboutTextsFitTheirLabels()
    {
        QFETCH(QString, control);
        frmAbout about;
        auto *label = about.findChild<QLabel *>(control);
        QVERIFY(label);
        QVERIFY(!label->wordWrap());
        const QFontMetrics fm(label->font());
        QVERIFY2(fm.horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(QString::number(fm.horizontalAdvance(label->text()))));
        QVERIFY2(fm.ascent() + fm.descent() <= label->height(),
                 qPrintable(QString::number(fm.ascent() + fm.descent())));
    }

    void fontsAndColoursOfTheDesign()
    {
        frmAbout about;
        const QFont title = child<QLabel>(about, "Label1")->font();
        QCOMPARE(QFontInfo(title).family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(title.pointSizeF(), 15.75);
        QVERIFY(!title.bold());
        QCOMPARE(QFontInfo(child<QLabel>(about, "Label3")->font()).family(),
                 QStringLiteral("Liberation Sans"));

        frmHowTo howTo(m_owner.get());
        auto *text = child<QPlainTextEdit>(howTo, "Text1");
        QCOMPARE(QFontInfo(text->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(text->font().pointSizeF(), 9.75);
        howTo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&howTo));
        // A spot inside the box, under the text's last line: the light green background.
        const QImage shot = howTo.grab().toImage();
        QCOMPARE(shot.pixelColor(text->geometry().center().x(), text->geometry().bottom() - 6),
                 QColor(192, 255, 192));
    }

    void aboutShowsTheProgramPicture()
    {
        frmAbout about;
        auto *image = child<QLabel>(about, "Image1");
        const QImage shown = image->pixmap().toImage();
        const QImage picture = programicon::picture().toImage();
        QCOMPARE(shown.size(), QSize(32, 32));
        QCOMPARE(shown, picture);
        QSet<QRgb> colours;
        bool transparent = false;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                colours.insert(picture.pixel(x, y));
                transparent = transparent || qAlpha(picture.pixel(x, y)) == 0;
            }
        }
        QVERIFY(colours.size() <= 256);
        QVERIFY(colours.size() >= 4); // a picture, not a blank square
        QVERIFY(transparent);
        // The tile colours of the game are in it.
        QVERIFY(colours.contains(qRgb(192, 255, 255)));
        QVERIFY(colours.contains(qRgb(255, 192, 255)));
        QCOMPARE(programicon::icon().availableSizes().value(0), QSize(32, 32));
    }

    void focusAtOpening_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("tabOrder");
        QTest::newRow("About: OK is the only stop") << "About" << QStringList{"Command1"};
        QTest::newRow("How to play: the text, then OK") << "HowTo" << QStringList{"Text1", "cmdOK"};
        QTest::newRow("exit dialog: Restart first")
            << "Exit" << QStringList{"cmdRestart", "cmdExit", "cmdBack"};
    }
    void focusAtOpening()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, tabOrder);
        std::unique_ptr<QDialog> d = make(window);
        QStringList visited;
        runModal(*d, [&](QDialog &open) {
            for (int i = 0; i <= tabOrder.size(); ++i) {
                visited << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            open.done(0);
        });
        // Round the loop and back to the first.
        QCOMPARE(visited, tabOrder + QStringList{tabOrder.first()});
    }

    void howToTextIsTheThreeParagraphs()
    {
        const QStringList p = paragraphs();
        const QString crlf = QStringLiteral("\r\n");
        QCOMPARE(frmHowTo::helpText(), p[0] + crlf + crlf + p[1] + crlf + crlf + p[2]);
        // On screen: each paragraph, one empty line between, none after the last; the same
        // at every opening.
        for (int opening = 0; opening < 2; ++opening) {
            frmHowTo howTo;
            auto *text = child<QPlainTextEdit>(howTo, "Text1");
            QCOMPARE(text->toPlainText(), p[0] + "\n\n" + p[1] + "\n\n" + p[2]);
            QCOMPARE(text->document()->blockCount(), 5);
        }
    }

    void howToTextCannotBeChanged()
    {
        frmHowTo howTo(m_owner.get());
        runModal(howTo, [&](QDialog &) {
            auto *text = child<QPlainTextEdit>(howTo, "Text1");
            QCOMPARE(QApplication::focusWidget(), text);
            const QString before = text->toPlainText();
            QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(text, QStringLiteral("xyz"));
            QTest::keyClick(text, Qt::Key_Backspace);
            QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
            QTest::keyClick(text, Qt::Key_Delete);
            QApplication::clipboard()->setText(QStringLiteral("pasted"));
            QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(text->toPlainText(), before);
            howTo.done(0);
        });
    }

    void howToTextWrapsAndShowsWholeWithoutScrollBars()
    {
        frmHowTo howTo(m_owner.get());
        howTo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&howTo));
        auto *text = child<QPlainTextEdit>(howTo, "Text1");
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!text->verticalScrollBar()->isVisible());
        QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
        // Nothing left below the box: the text needs no scrolling.
        QCOMPARE(text->verticalScrollBar()->maximum(), 0);
        // The long paragraphs wrap: more lines than paragraphs and gaps.
        int lines = 0;
        for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next()) {
            lines += b.layout()->lineCount();
        }
        QVERIFY2(lines > 8, qPrintable(QString::number(lines)));
        saveShot(howTo, QStringLiteral("dialog-HowTo-opened.png"));
    }

    void okClosesAboutAndHowTo_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::newRow("About") << "About"
                               << "Command1";
        QTest::newRow("How to play") << "HowTo"
                                     << "cmdOK";
    }
    void okClosesAboutAndHowTo()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        std::unique_ptr<QDialog> d = make(window);
        const int result = runModal(*d, [&](QDialog &open) {
            QTest::mouseClick(open.findChild<QPushButton *>(button), Qt::LeftButton);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(!d->isVisible());
    }

    void closeBoxClosesAboutAndHowTo_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("About") << "About";
        QTest::newRow("How to play") << "HowTo";
    }
    void closeBoxClosesAboutAndHowTo()
    {
        QFETCH(QString, window);
        std::unique_ptr<QDialog> d = make(window);
        const int result = runModal(*d, [](QDialog &open) { open.windowHandle()->close(); });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!d->isVisible());
    }

    void keysInTheHowToWindow_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter in the text does nothing") << 0 << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter in the text does nothing") << 0 << int(Qt::Key_Enter) << false;
        QTest::newRow("Enter on OK closes") << 1 << int(Qt::Key_Return) << true;
        QTest::newRow("Esc closes") << 0 << int(Qt::Key_Escape) << true;
    }
    void keysInTheHowToWindow()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(bool, closes);
        frmHowTo dialog(m_owner.get());
        bool closed = false;
        runModal(dialog, [&](QDialog &open) {
            for (int i = 0; i < tabs; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QTest::keyClick(open.windowHandle(), Qt::Key(key));
            QApplication::processEvents();
            closed = !open.isVisible();
        });
        QCOMPARE(closed, closes);
    }

    void exitButtonsStoreTheirChoice_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("stale");
        QTest::addColumn<int>("stored");
        QTest::newRow("Restart Game over a stale Back") << "cmdRestart" << 2 << 0;
        QTest::newRow("Exit the Game") << "cmdExit" << 0 << 1;
        QTest::newRow("Back to Game over the first 0") << "cmdBack" << 0 << 2;
        QTest::newRow("Back to Game over a stale Exit") << "cmdBack" << 1 << 2;
    }
    void exitButtonsStoreTheirChoice()
    {
        QFETCH(QString, button);
        QFETCH(int, stale);
        QFETCH(int, stored);
        m_status = stale;
        frmExit dialog(m_status, m_owner.get());
        std::int32_t whenClosed = -1;
        connect(&dialog, &QDialog::finished, this, [&] { whenClosed = m_status; });
        runModal(dialog, [&](QDialog &open) {
            QTest::mouseClick(open.findChild<QPushButton *>(button), Qt::LeftButton);
        });
        QCOMPARE(int(m_status), stored);
        // Stored before the dialog closed.
        QCOMPARE(int(whenClosed), stored);
        QVERIFY(!dialog.isVisible());
    }

    void exitEnterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("stored");
        QTest::newRow("Enter at opening restarts") << 0 << int(Qt::Key_Return) << 0;
        QTest::newRow("keypad Enter at opening restarts") << 0 << int(Qt::Key_Enter) << 0;
        QTest::newRow("one Tab, then Enter: exit") << 1 << int(Qt::Key_Return) << 1;
        QTest::newRow("two Tabs, then Enter: back") << 2 << int(Qt::Key_Return) << 2;
        QTest::newRow("three Tabs round to Restart") << 3 << int(Qt::Key_Return) << 0;
        QTest::newRow("Space presses the focused button too") << 1 << int(Qt::Key_Space) << 1;
    }
    void exitEnterPressesTheFocusedButton()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(int, stored);
        m_status = 7; // no choice yet
        frmExit dialog(m_status, m_owner.get());
        runModal(dialog, [&](QDialog &) {
            for (int i = 0; i < tabs; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        QCOMPARE(int(m_status), stored);
        QVERIFY(!dialog.isVisible());
    }

    void exitEscDoesNothing()
    {
        m_status = 1;
        frmExit dialog(m_status, m_owner.get());
        bool openAfterEsc = false;
        std::int32_t afterEsc = -1;
        runModal(dialog, [&](QDialog &open) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTest::keyClick(&open, Qt::Key_Escape);
            QApplication::processEvents();
            openAfterEsc = open.isVisible();
            afterEsc = m_status;
            QTest::mouseClick(open.findChild<QPushButton *>("cmdRestart"), Qt::LeftButton);
        });
        QVERIFY(openAfterEsc);
        QCOMPARE(int(afterEsc), 1);
        QCOMPARE(int(m_status), 0);
    }

    void exitCloseBoxMeansBackToGame_data()
    {
        QTest::addColumn<int>("stale");
        QTest::newRow("before any choice (0 would restart)") << 0;
        QTest::newRow("after an earlier Exit") << 1;
        QTest::newRow("after an earlier Back") << 2;
    }
    void exitCloseBoxMeansBackToGame()
    {
        QFETCH(int, stale);
        m_status = stale;
        frmExit dialog(m_status, m_owner.get());
        runModal(dialog, [](QDialog &open) { open.windowHandle()->close(); });
        QCOMPARE(int(m_status), 2);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
