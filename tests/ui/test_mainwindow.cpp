#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/fonts.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The real main window, offscreen.
class TestMainWindow : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    MemoryFiles m_files;
    VirtualClock m_clock;
    std::unique_ptr<GameApplication> m_app;

    QWidget *w(ControlId id, int index = 0) { return m_app->window().widgetFor(id, index); }
    static QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

private slots:
    void initTestCase()
    {
        // Every letter is a word, so any tile spells one.
        QByteArray words = "cat\r\ndog\r\n";
        for (char c = 'a'; c <= 'z'; ++c) {
            words += QByteArray(1, c) + "\r\n";
        }
        m_files.put(m_folder.path() + QStringLiteral("/ShortList8.txt"), words);
        GameApplication::Options o;
        o.programFolder = m_folder.path();
        o.files = &m_files;
        o.clock = &m_clock;
        o.seed = 7;
        m_app = std::make_unique<GameApplication>(o);
        QVERIFY(m_app->load());
        m_app->show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_app->window()));
    }

    void windowHasItsDesignSizeAndButtons()
    {
        MainWindow &win = m_app->window();
        QCOMPARE(win.windowTitle(), QStringLiteral("Tilnora"));
        QCOMPARE(win.size(), QSize(635, 484));
        QCOMPARE(win.minimumSize(), win.maximumSize());
        const Qt::WindowFlags f = win.windowFlags();
        QVERIFY(f & Qt::WindowMinimizeButtonHint);
        QVERIFY(f & Qt::WindowCloseButtonHint);
        QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
    }

    void controlsStandAtTheirDesignPlaces_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Picture1") << int(ControlId::Picture1) << 0 << QRect(6, 9, 342, 465);
        QTest::newRow("PicBlack") << int(ControlId::PicBlack) << 0 << QRect(6, 9, 343, 469);
        QTest::newRow("Frame1") << int(ControlId::Frame1) << 0 << QRect(354, 4, 277, 127);
        QTest::newRow("lblResult") << int(ControlId::lblResult) << 0 << QRect(90, 18, 103, 25);
        QTest::newRow("Result(1)") << int(ControlId::Result) << 1 << QRect(7, 50, 32, 37);
        QTest::newRow("Result(8)") << int(ControlId::Result) << 8 << QRect(238, 50, 32, 37);
        QTest::newRow("btnCheck") << int(ControlId::btnCheck) << 0 << QRect(9, 96, 76, 23);
        QTest::newRow("btnClear") << int(ControlId::btnClear) << 0 << QRect(192, 96, 76, 23);
        QTest::newRow("Frame2") << int(ControlId::Frame2) << 0 << QRect(354, 135, 277, 52);
        QTest::newRow("frmLevel") << int(ControlId::frmLevel) << 0 << QRect(354, 189, 277, 52);
        QTest::newRow("Frame3") << int(ControlId::Frame3) << 0 << QRect(354, 243, 277, 52);
        QTest::newRow("frameAbout") << int(ControlId::frameAbout) << 0 << QRect(354, 309, 277, 112);
        QTest::newRow("lblHowTo") << int(ControlId::lblHowTo) << 0 << QRect(108, 24, 70, 16);
        QTest::newRow("lblAbout") << int(ControlId::lblAbout) << 0 << QRect(126, 81, 35, 16);
        QTest::newRow("btnStart") << int(ControlId::btnStart) << 0 << QRect(432, 438, 118, 34);
        QTest::newRow("cmdExit") << int(ControlId::cmdExit) << 0 << QRect(618, 465, 16, 16);
    }
    void controlsStandAtTheirDesignPlaces()
    {
        QFETCH(int, id);
        QFETCH(int, index);
        QFETCH(QRect, geometry);
        QWidget *widget = w(ControlId(id), index);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
    }

    void tilesSitInsideTheFieldBorder()
    {
        auto *field = static_cast<QFrame *>(w(ControlId::Picture1));
        const int border = field->frameWidth();
        QCOMPARE(w(ControlId::NichlaDaba, 0)->geometry(), QRect(3 + border, 417 + border, 40, 40));
        QCOMPARE(w(ControlId::NichlaDaba, 7)->geometry(),
                 QRect(297 + border, 417 + border, 40, 40));
        QCOMPARE(w(ControlId::OoperDaba, 0)->geometry(), QRect(3 + border, 371 + border, 40, 40));
    }

    void captionsAndColours()
    {
        auto *start = static_cast<QPushButton *>(w(ControlId::btnStart));
        QCOMPARE(start->text(), QStringLiteral("Start"));
        auto *exit = static_cast<QPushButton *>(w(ControlId::cmdExit));
        QCOMPARE(exit->text(), QStringLiteral("X"));
        QCOMPARE(exit->toolTip(), QStringLiteral("Close"));
        auto *result = static_cast<QLabel *>(w(ControlId::lblResult));
        QCOMPARE(result->text(), QStringLiteral("Press Start"));
        QCOMPARE(result->palette().color(QPalette::WindowText), rgb(0, 128, 0));
        QCOMPARE(static_cast<QGroupBox *>(w(ControlId::Frame3))->title(),
                 QStringLiteral("Rows Left"));
        QCOMPARE(static_cast<QGroupBox *>(w(ControlId::frameAbout))->title(),
                 QStringLiteral("Information"));
        QCOMPARE(w(ControlId::lblScore)->palette().color(QPalette::WindowText), rgb(192, 64, 0));
        QCOMPARE(w(ControlId::lblLevel)->palette().color(QPalette::WindowText), rgb(0, 0, 128));
        QCOMPARE(w(ControlId::Result, 3)->palette().color(QPalette::Window), rgb(192, 255, 255));
        QCOMPARE(w(ControlId::NichlaDaba, 3)->palette().color(QPalette::Window),
                 rgb(255, 192, 255));
    }

    void fontsAreTheMetricCompatibleFaces()
    {
        QCOMPARE(QFontInfo(fonts::sans(18)).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(fonts::serif(15.75, true)).family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(QFontInfo(w(ControlId::lblBlack)->font()).family(),
                 QStringLiteral("Liberation Serif"));
    }

    void overlayCoversTheField()
    {
        QWidget *overlay = w(ControlId::PicBlack);
        QWidget *field = w(ControlId::Picture1);
        QVERIFY(overlay->isVisible());
        QVERIFY(overlay->geometry().contains(field->geometry()));
        // In front: the widget found at the field's middle is the overlay.
        QCOMPARE(m_app->window().childAt(field->geometry().center()), overlay);
        const QImage shot = m_app->window().grab().toImage();
        QCOMPARE(shot.pixelColor(100, 300), QColor(Qt::black));
    }

    void focusOrderStartsOnTheField()
    {
        MainWindow &win = m_app->window();
        QVERIFY(QTest::qWaitForWindowActive(&win));
        QWidget *order[] = {w(ControlId::Picture1), w(ControlId::btnStart), w(ControlId::btnCheck),
                            w(ControlId::btnClear), w(ControlId::cmdExit)};
        QCOMPARE(QApplication::focusWidget(), order[0]);
        for (int i = 1; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        order[0]->setFocus();
    }

    void startHidesTheOverlayAndTilesShow()
    {
        QTest::mouseClick(w(ControlId::btnStart), Qt::LeftButton);
        QVERIFY(!w(ControlId::PicBlack)->isVisible());
        m_clock.advanceBy(400 * 9);
        QWidget *tile = w(ControlId::OoperDaba, 0);
        QVERIFY(tile->isVisible());
        QCOMPARE(tile->geometry().topLeft(),
                 QPoint(3, 370) +
                     static_cast<QFrame *>(w(ControlId::Picture1))->contentsRect().topLeft());
        const QString out = qEnvironmentVariable("TILNORA_TEST_OUTPUT");
        if (!out.isEmpty()) {
            QDir().mkpath(out);
            m_app->window().grab().save(out + QStringLiteral("/mainwindow-first-row.png"));
        }
    }

    void enterChecksTheWordAfterAMouseClickOnAButton()
    {
        // Start was just clicked with the mouse; Clear is clicked next. Neither keeps the
        // focus, so the typed letter and Enter go to the field and score the word.
        QWindow *window = m_app->window().windowHandle();
        auto *score = static_cast<QLabel *>(w(ControlId::lblScore));
        for (ControlId clicked : {ControlId::btnStart, ControlId::btnClear}) {
            if (clicked != ControlId::btnStart) {
                QTest::mouseClick(w(clicked), Qt::LeftButton);
            }
            QCOMPARE(QApplication::focusWidget(), w(ControlId::Picture1));
            int i = 0;
            while (!w(ControlId::OoperDaba, i)->isVisible()) {
                ++i;
            }
            const QString letter = static_cast<QLabel *>(w(ControlId::OoperDaba, i))->text();
            const int before = score->text().toInt();
            QTest::keyClick(window, letter.toLower().at(0).toLatin1());
            QTest::keyClick(window, Qt::Key_Return);
            QCOMPARE(score->text().toInt(), before + 10);
        }
        QCOMPARE(static_cast<QPushButton *>(w(ControlId::btnStart))->text(),
                 QStringLiteral("Pause"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
