#include "ui/toolkit/conversions.h"
#include "ui/toolkit/textops.h"

#include <QTest>

#include <limits>

class TestConversions : public QObject
{
    Q_OBJECT
private slots:
    void halvesRoundToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5 to 0") << 0.5 << 0;
        QTest::newRow("1.5 to 2") << 1.5 << 2;
        QTest::newRow("2.5 to 2") << 2.5 << 2;
        QTest::newRow("3.5 to 4") << 3.5 << 4;
        QTest::newRow("-0.5 to 0") << -0.5 << 0;
        QTest::newRow("-1.5 to -2") << -1.5 << -2;
        QTest::newRow("just below a half") << 2.4999999 << 2;
        QTest::newRow("just above a half") << 2.5000001 << 3;
        QTest::newRow("65.5 is A+1 halfway, to 66") << 65.5 << 66;
        QTest::newRow("90.5 to 90") << 90.5 << 90;
        QTest::newRow("tile height 600 twips") << 600.0 / 15 << 40;
        QTest::newRow("saturates high") << 1e9 << 32767;
        QTest::newRow("saturates low") << -1e9 << -32768;
    }
    void halvesRoundToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(conv::toInteger16(value)), expected);
    }

    void numbersWriteAsShortestText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("eleven") << 11.0 << "11";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative") << -3.0 << "-3";
        QTest::newRow("a half") << 0.5 << "0.5";
        QTest::newRow("large whole score") << 123456789.0 << "123456789";
        QTest::newRow("tenth") << 0.1 << "0.1";
    }
    void numbersWriteAsShortestText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(conv::numberToText(value), expected);
    }

    void captionsRoundTripUnchanged()
    {
        for (const char *t : {"0", "11", "14", "38", "730", "2147483647"}) {
            const QString text = QString::fromLatin1(t);
            QCOMPARE(conv::numberToText(conv::textToDouble(text)), text);
        }
    }

    void textToDoubleReadsCaptions()
    {
        QCOMPARE(conv::textToDouble(QStringLiteral("11")), 11.0);
        QCOMPARE(conv::textToDouble(QStringLiteral(" 2.5 ")), 2.5);
        QCOMPARE(conv::textToDouble(QStringLiteral("")), 0.0);
        QCOMPARE(conv::textToDouble(QStringLiteral("abc")), 0.0);
    }

    void parseLongAcceptsOnlyDecimalIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "250" << true << 250;
        QTest::newRow("negative") << "-40" << true << -40;
        QTest::newRow("blanks around") << " 7 " << true << 7;
        QTest::newRow("max") << "2147483647" << true << std::numeric_limits<int>::max();
        QTest::newRow("min") << "-2147483648" << true << std::numeric_limits<int>::min();
        QTest::newRow("one past max") << "2147483648" << false << 0;
        QTest::newRow("huge") << "99999999999999999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("letters") << "12a" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
    }
    void parseLongAcceptsOnlyDecimalIntegers()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto parsed = conv::parseLong(text);
        QCOMPARE(parsed.has_value(), valid);
        QCOMPARE(conv::textToLong(text), valid ? value : 0);
    }

    void splittingKeepsEmptyPieces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("final CR LF gives an empty last piece") << "cat\r\nDog\r\n"
                                                               << "\r\n"
                                                               << QStringList{"cat", "Dog", ""};
        QTest::newRow("empty text is one empty piece") << ""
                                                       << "\r\n"
                                                       << QStringList{""};
        QTest::newRow("LF alone does not split") << "a\nb\n"
                                                 << "\r\n"
                                                 << QStringList{"a\nb\n"};
        QTest::newRow("two TABs side by side") << "1\tann\t\t250"
                                               << "\t" << QStringList{"1", "ann", "", "250"};
        QTest::newRow("empty line between") << "a\r\n\r\nb"
                                            << "\r\n"
                                            << QStringList{"a", "", "b"};
    }
    void splittingKeepsEmptyPieces()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QStringList, pieces);
        QCOMPARE(text::splitKeepEmpty(text, separator), pieces);
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "test_conversions.moc"
