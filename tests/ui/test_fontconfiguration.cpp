#include "ui/fontconfiguration.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QTest>

#include <fontconfig/fontconfig.h>

// The family that the system's whole font configuration gives for a family name.
static QString systemFamily(const QString &family)
{
    FcConfig *config = FcInitLoadConfigAndFonts();
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>(qPrintable(family)));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern *match = FcFontMatch(config, pattern, &result);
    FcChar8 *name = nullptr;
    FcPatternGetString(match, FC_FAMILY, 0, &name);
    const QString found = QString::fromUtf8(reinterpret_cast<const char *>(name));
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

// The font configuration made before the application, as main() makes it.
class TestFontConfiguration : public QObject
{
    Q_OBJECT
private slots:
    void layoutFacesFirstThenTheDesktopFont()
    {
        QCOMPARE(QFontInfo(fonts::sans(24, true)).family(), "Liberation Sans");
        QCOMPARE(QFontInfo(fonts::serif(15.75)).family(), "Liberation Serif");
        fontconfiguration::useSystem(); // as after the first frame
        // The font of message boxes, tooltips and menus.
        const QFont desktop = QApplication::font();
        QCOMPARE(QFontInfo(desktop).family(), systemFamily(desktop.family()));
    }
};

int main(int argc, char *argv[])
{
    fontconfiguration::startOwn();
    QApplication app(argc, argv);
    TestFontConfiguration test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_fontconfiguration.moc"
