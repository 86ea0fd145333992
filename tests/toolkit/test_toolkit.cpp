#include "ui/toolkit/conversions.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/modeltimer.h"
#include "ui/toolkit/virtualclock.h"

#include <QTest>

class TestToolkit : public QObject
{
    Q_OBJECT
private slots:
    // A caption read and written back, a double to 16 bits, a score field (none: read as 0).
    void conversions_data()
    {
        QTest::addColumn<QString>("row");
        const QString rows =
            "caption|999999999999999|999999999999999;int16|2.5|2;long|99999999999999999999|none: 0;"
            "caption|100000|100000;caption|-1e15|-1e+15;caption| 2.5 |2.5;int16|32767.5|32767;"
            "caption|abc|0;int16|-1e9|-32768;long|-|none: 0;long|/|none: 0;long|:|none: 0;"
            "int16|-1.5|-2;int16|nan|0;long||none: 0;long| +7 |7;"
            "long|-2147483648|-2147483648;long|2147483647|2147483647;long|2147483648|none: 0";
        for (const QString &row : rows.split(u';'))
            QTest::newRow(qPrintable(row)) << row;
    }
    void conversions()
    {
        QFETCH(QString, row);
        const QString kind = row.section(u'|', 0, 0), in = row.section(u'|', 1, 1);
        QCOMPARE(kind == u"caption"    ? conv::numberToText(conv::textToDouble(in))
                 : kind == u"int16"    ? QString::number(conv::toInteger16(in.toDouble()))
                 : conv::parseLong(in) ? QString::number(*conv::parseLong(in))
                                       : "none: " + QString::number(conv::textToLong(in)),
                 row.section(u'|', 2));
    }

    void filesReadBackEveryByteOrTheSystemsError()
    {
        QTemporaryDir d;
        QByteArray all;
        for (int i = 0; i < 200000; ++i) // longer than one read
            all += char(i);
        SystemFileAccess fs;
        QVERIFY(fs.writeAll(d.filePath("a"), all).ok && fs.readAll(d.filePath("a")).bytes == all);
        QVERIFY(fs.folderWritable(d.path()) && !fs.folderWritable(d.filePath("a")));
        const FileReadResult none = fs.readAll(d.filePath("b")), dir = fs.readAll(d.path());
        QCOMPARE(QList({none.ok, dir.ok, dir.bytes.isEmpty()}), QList({false, false, true}));
        QCOMPARE(QList({none.error.number, dir.error.number}), QList({ENOENT, EISDIR}));
        QCOMPARE(dir.error.description, QString::fromLocal8Bit(strerror(EISDIR)));
    }

    // "interval on|off [ms the first tick's handler waits]: steps: ticks". Steps: +ms on the
    // clock, on, off, restart, iN sets the interval. Ticks: the clock's time at each.
    void timersTickAsWindowTimersDo_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("off, on") << "100 off: +250 on +150 off on +200 off +500: 350 500 600";
        QTest::newRow("restart") << "2000 off: +500 restart +1500 restart +1000 on +1000: 4000";
        QTest::newRow("interval") << "400 on: +300 i600 +600 i-5 +1000 i50 +100: 900 1950 2000";
        QTest::newRow("no re-entry, missed ticks run once") << "100 on 350: +100: 100 450";
    }
    void timersTickAsWindowTimersDo()
    {
        QFETCH(QString, row);
        VirtualClock clock;
        const QStringList head = row.section(u':', 0, 0).split(u' ');
        ModelTimer timer("t", head[0].toInt(), head[1] == u"on");
        timer.attach(&clock);
        QStringList ticks;
        timer.setHandler([&] {
            ticks << QString::number(clock.now());
            ticks.size() == 1 ? clock.waitUntil(clock.now() + head.value(2).toInt()) : void();
        });
        for (const QString &step : row.section(u':', 1, 1).split(u' ', Qt::SkipEmptyParts))
            step[0] == u'+'      ? clock.advanceBy(step.mid(1).toInt())
            : step[0] == u'i'    ? timer.setInterval(step.mid(1).toInt())
            : step == u"restart" ? timer.restart()
                                 : timer.setEnabled(step == u"on");
        QCOMPARE(ticks.join(u' '), row.section(QStringLiteral(": "), 2));
        QCOMPARE(timer.ticks(), qint64(ticks.size()));
    }
};

QTEST_GUILESS_MAIN(TestToolkit)
#include "test_toolkit.moc"
