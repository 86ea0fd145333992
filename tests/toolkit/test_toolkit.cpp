#include "ui/toolkit/conversions.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/modeltimer.h"
#include "ui/toolkit/virtualclock.h"

#include <QTest>

class TestToolkit : public QObject
{
    Q_OBJECT
private slots:
    // A round score of six digits or more is written out, not as 1e+05.
    void roundScoresAreWrittenInFull() { QCOMPARE(conv::numberToText(100000), "100000"); }

    // A score in the high-score file: a 32-bit decimal number, or 0 when it is none.
    void textToLongTakesOnly32BitDecimals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<int>("value");
        QTest::newRow("blanks and a plus sign") << " +90 " << true << 90;
        QTest::newRow("the smallest") << "-2147483648" << true << -2147483647 - 1;
        QTest::newRow("the largest") << "2147483647" << true << 2147483647;
        QTest::newRow("one past the largest") << "2147483648" << false << 0;
        QTest::newRow("a sign alone") << "-" << false << 0;
        QTest::newRow("a letter") << "x" << false << 0;
    }
    void textToLongTakesOnly32BitDecimals()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(int, value);
        QCOMPARE(conv::parseLong(text).has_value(), isNumber);
        QCOMPARE(conv::textToLong(text), value);
    }

    void filesReadBackEveryByteOrTheSystemsError()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("file");
        QByteArray bytes;
        for (int i = 0; i < 200000; ++i) { // longer than one read
            bytes += char(i);
        }
        SystemFileAccess files;
        const FileWriteResult written = files.writeAll(file, bytes);
        QVERIFY2(written.ok, qPrintable(written.error.description));
        const FileReadResult read = files.readAll(file);
        QCOMPARE(read.bytes.size(), bytes.size());
        QVERIFY(read.bytes == bytes);
        QVERIFY(files.folderWritable(dir.path()));
        QVERIFY(!files.folderWritable(file));
        QVERIFY(!files.fileExists(dir.path()));
        QCOMPARE(files.readAll(dir.filePath("none")).error.number, ENOENT);
        QCOMPARE(files.readAll(dir.path()).error.number, EISDIR);
    }

    // The count starts when the timer is enabled, and again when its interval is set.
    void aTimerCountsFromWhenItIsEnabledOrSet()
    {
        VirtualClock clock;
        ModelTimer timer("timer", 100, false);
        timer.attach(&clock);
        QList<qint64> ticks; // the clock's time at each tick
        timer.setHandler([&] { ticks << clock.now(); });
        clock.advanceBy(250);
        timer.setEnabled(true); // at 250: due at 350
        clock.advanceBy(150);
        timer.setInterval(150); // at 400: due at 550, not 450
        clock.advanceBy(200);
        timer.setInterval(-5); // at 600: taken as 0, which never ticks
        clock.advanceBy(500);
        QCOMPARE(ticks, (QList<qint64>{350, 550}));
    }

    // Ticks that come due while the handler waits are handled once, after it returns.
    void aHandlerIsNeverReentered()
    {
        VirtualClock clock;
        ModelTimer timer("timer", 100, true);
        timer.attach(&clock);
        QList<qint64> ticks;
        timer.setHandler([&] {
            ticks << clock.now();
            if (ticks.size() == 1) {
                clock.waitUntil(450);
            }
        });
        clock.advanceBy(100);
        QCOMPARE(ticks, (QList<qint64>{100, 450}));
    }
};

QTEST_GUILESS_MAIN(TestToolkit)
#include "test_toolkit.moc"
