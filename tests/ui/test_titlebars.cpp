#include "dialogs/frmexit.h"
#include "scores/frmrecord.h"
#include "support/doubles.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

// The title bars of the windows without a caption, as an X server holds them: run under
// xvfb-run on the xcb platform, where Qt would put the application's name into an empty
// title.
class TestTitleBars : public QObject
{
    Q_OBJECT
private slots:
    void captionlessWindowsHaveBlankTitles_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("high scores") << "record";
        QTest::newRow("exit") << "exit";
    }
    void captionlessWindowsHaveBlankTitles()
    {
        QFETCH(QString, window);
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        MemoryFiles files;
        std::int32_t status = 0;
        std::unique_ptr<QDialog> w;
        if (window == QLatin1String("record")) {
            w = std::make_unique<frmRecord>(files, QStringLiteral("/scores"), true, 0);
        } else {
            w = std::make_unique<frmExit>(status);
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(w->winId()),
                     QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME")});
        QVERIFY(xprop.waitForFinished());
        const QString out = QString::fromUtf8(xprop.readAllStandardOutput());
        QCOMPARE(out.count(QStringLiteral(" = \" \"")), 2);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilnora"));
    TestTitleBars test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_titlebars.moc"
