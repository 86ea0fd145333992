#include "ui/toolkit/conversions.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/modeltimer.h"
#include "ui/toolkit/textops.h"
#include "ui/toolkit/virtualclock.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <numeric>

// The plain toolkit under the game: numbers as text, files, timers.
class TestToolkit : public QObject
{
    Q_OBJECT
private slots:
    // A caption read and written back, a double to 16 bits, a score field ("": no number).
    void conversions_data()
    {
        QTest::addColumn<QString>("row");
        const QString rows =
            "caption|11|11;caption| 2.5 |2.5;caption|-3|-3;caption|0.1|0.1;caption|abc|0;"
            "caption|999999999999999|999999999999999;caption|1e15|1e+15;int16|0.5|0;"
            "int16|1.5|2;int16|2.5|2;int16|-0.5|0;int16|-1.5|-2;int16|2.4999999|2;"
            "int16|2.5000001|3;int16|32766|32766;int16|32767.5|32767;int16|1e9|32767;"
            "int16|-32767|-32767;int16|-32768.5|-32768;int16|-1e9|-32768;int16|nan|0;"
            "long|250|250;long|-40|-40;long|+7|7;long| 7 |7;long|1990|1990;"
            "long|2147483647|2147483647;long|-2147483648|-2147483648;long|2147483648|;"
            "long|-2147483649|;long|99999999999999999999|;long||;long|-|;long|+|;long|12a|;"
            "long|1.5|;long|1 2|;long|--1|;long|/|;long|:|";
        for (const QString &row : rows.split(u';')) {
            QTest::newRow(qPrintable(row)) << row;
        }
    }
    void conversions()
    {
        QFETCH(QString, row);
        const QString kind = row.section(u'|', 0, 0), in = row.section(u'|', 1, 1),
                      out = row.section(u'|', 2);
        if (kind == u"caption") {
            QCOMPARE(conv::numberToText(conv::textToDouble(in)), out);
        } else if (kind == u"int16") {
            QCOMPARE(QString::number(conv::toInteger16(in.toDouble())), out);
        } else {
            const std::optional<std::int32_t> parsed = conv::parseLong(in);
            QCOMPARE(parsed ? QString::number(*parsed) : QString(), out);
            QCOMPARE(conv::textToLong(in), out.toInt());
        }
    }

    void filesAndTextKeepEveryByte()
    {
        QTemporaryDir dir;
        QByteArray all(200000, 0); // longer than one read
        std::iota(all.begin(), all.end(), 0);
        QFile f(dir.filePath("all"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(all) == all.size() && f.flush());
        SystemFileAccess files;
        const FileReadResult read = files.readAll(f.fileName());
        QVERIFY(read.ok && read.bytes == all && files.fileExists(f.fileName()));
        QCOMPARE(latin1Bytes(latin1Text(all)), all);
        QCOMPARE(text::splitKeepEmpty("a\r\n\r\nb\nc\r\n", text::CrLf),
                 QStringList({"a", "", "b\nc", ""}));
        for (auto [name, error] : {std::pair{"missing", ENOENT}, {"", EISDIR}}) {
            const FileReadResult r = files.readAll(dir.filePath(name));
            QVERIFY(!r.ok && r.bytes.isEmpty() && !files.fileExists(dir.filePath(name)));
            QCOMPARE(r.error.number, error);
            QCOMPARE(r.error.description, QString::fromLocal8Bit(strerror(error)));
        }
        QVERIFY(files.folderWritable(dir.path()) && !files.folderWritable(f.fileName()));
    }

    // "interval on|off: steps: ticks". Steps: "+N" advances the clock N ms, "on"/"off"
    // enables or disables the timer, "iN" sets its interval, "restart", and "wN" makes the
    // handler of the first tick wait N ms. Ticks: the clock's time at each.
    void timersTickAsWindowTimersDo_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("counts from enabling") << "100 off: +250 on +300: 350 450 550";
        QTest::newRow("off stops, on counts afresh")
            << "100 on: +150 off on +200 off +500: 100 250 350";
        QTest::newRow("on again keeps the count") << "4000 on: +3600 on +400: 4000";
        QTest::newRow("restart counts afresh") << "2000 on: +1500 restart +2000: 3500";
        QTest::newRow("restart enables") << "200 off: +50 restart +200: 250";
        QTest::newRow("a new interval counts afresh") << "400 on: +300 i600 +600: 900";
        QTest::newRow("interval 0 or less: no ticks")
            << "0 on: +1000 i-5 +1000 i50 +100: 2050 2100";
        QTest::newRow("no re-entry, missed ticks run once") << "100 on: w350 +100: 100 450";
    }
    void timersTickAsWindowTimersDo()
    {
        QFETCH(QString, row);
        VirtualClock clock;
        ModelTimer timer("t", row.section(u' ', 0, 0).toInt(),
                         row.section(u':', 0, 0).endsWith(u"on"));
        timer.attach(&clock);
        QStringList ticks;
        int wait = 0;
        timer.setHandler([&] {
            ticks << QString::number(clock.now());
            if (ticks.size() == 1 && wait) {
                clock.waitUntil(clock.now() + wait);
            }
        });
        for (const QString &step : row.section(u':', 1, 1).split(u' ', Qt::SkipEmptyParts)) {
            const int n = step.mid(1).toInt();
            if (step[0] == u'+') {
                clock.advanceBy(n);
            } else if (step[0] == u'w') {
                wait = n;
            } else if (step[0] == u'i') {
                timer.setInterval(n);
            } else {
                step == u"restart" ? timer.restart() : timer.setEnabled(step == u"on");
            }
        }
        QCOMPARE(ticks.join(u' '), row.section(QStringLiteral(": "), 2));
        QCOMPARE(timer.ticks(), qint64(ticks.size()));
    }
};

QTEST_GUILESS_MAIN(TestToolkit)
#include "test_toolkit.moc"
