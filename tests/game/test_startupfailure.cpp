#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>

// The whole program put together, offscreen, started from a folder without a word list: the
// real message box shows, and once it is closed the program ends with an error status.
class TestStartupFailure : public QObject
{
    Q_OBJECT
private:
    // Runs the action on the modal window as soon as one is open.
    static void onModal(std::function<void(QWidget *)> action, int triesLeft = 500)
    {
        QTimer::singleShot(triesLeft == 500 ? 0 : 10, qApp, [action, triesLeft] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                action(modal);
            } else if (triesLeft > 0) {
                onModal(action, triesLeft - 1);
            } else {
                QApplication::exit(99); // never hang, whatever went wrong
            }
        });
    }

private slots:
    void theProgramEndsWithAnErrorOnceTheMessageIsClosed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK clicked") << "click";
        QTest::newRow("Enter pressed") << "enter";
        QTest::newRow("Escape pressed") << "escape";
    }
    void theProgramEndsWithAnErrorOnceTheMessageIsClosed()
    {
        QFETCH(QString, how);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        VirtualClock clock;
        GameApplication::Options o;
        o.programFolder = folder.path();
        o.clock = &clock;
        o.seed = 3;
        GameApplication app(o);
        frmMain &model = app.model();

        QString title, text;
        QMessageBox::StandardButtons buttons;
        int buttonCount = 0;
        bool windowShown = true;
        long long ticks = -1;
        onModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box) {
                QApplication::exit(98);
                return;
            }
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            buttonCount = static_cast<int>(box->buttons().size());
            windowShown = app.window().isVisible();
            // A minute passes while the player reads it.
            clock.advanceBy(60000);
            ticks = model.TimerNichlaDabaFill.ticks() + model.Timer1.ticks() +
                    model.TimerResultBlink.ticks();
            const QString out = qEnvironmentVariable("TILNORA_TEST_OUTPUT");
            if (!out.isEmpty() && how == QLatin1String("click")) {
                QDir().mkpath(out);
                box->grab().save(out + QStringLiteral("/startup-failure-message.png"));
            }
            if (how == QLatin1String("click")) {
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            } else {
                QTest::keyClick(box,
                                how == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
            }
        });

        const int status = app.exec();
        QVERIFY(status != 0);
        QCOMPARE(status, 1);
        QCOMPARE(title, QStringLiteral("Tilnora"));
        QCOMPARE(text, QStringLiteral("Error 2 opening file.\r\n") +
                           QString::fromLocal8Bit(std::strerror(ENOENT)));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(buttonCount, 1);
        QVERIFY(!windowShown);
        QCOMPARE(ticks, 0);
        QVERIFY(!app.window().isVisible());
        QVERIFY(model.isUnloaded());
        QCOMPARE(model.btnStart.caption(), QStringLiteral("Start"));
        QVERIFY(!model.TimerNichlaDabaFill.isEnabled());
    }
};

QTEST_MAIN(TestStartupFailure)
#include "test_startupfailure.moc"
