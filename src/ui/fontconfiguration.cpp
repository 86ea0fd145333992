#include "ui/fontconfiguration.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace fontconfiguration {

namespace {

// The faces of the layout, in the folders of Debian's two Liberation packages. Where both are
// installed, fontconfig prefers the newer version of a face, in this configuration as in the
// system's.
const char *const Faces[] = {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                             "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"};
const char *const FaceFolders[] = {"/usr/share/fonts/truetype/liberation2/",
                                   "/usr/share/fonts/truetype/liberation/"};
const char *const RuleFolder = "/etc/fonts/conf.d";

// A face file of the own configuration; empty when the game is not on it.
QByteArray g_ownFace;

bool hasSettingsOfItsOwn()
{
    for (const char *name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"}) {
        if (qEnvironmentVariableIsSet(name)) {
            return true;
        }
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    const QString places[] = {
        QStringLiteral("/etc/fonts/local.conf"),
        config + QStringLiteral("/fontconfig"),
        QDir::homePath() + QStringLiteral("/.fonts.conf"),
        QDir::homePath() + QStringLiteral("/.fonts.conf.d"),
    };
    for (const QString &place : places) {
        if (QFileInfo::exists(place)) {
            return true;
        }
    }
    return false;
}

const FcChar8 *fcPath(const QByteArray &path)
{
    return reinterpret_cast<const FcChar8 *>(path.constData());
}

} // namespace

void startOwn()
{
    if (hasSettingsOfItsOwn()) {
        return;
    }
    FcConfig *config = FcConfigCreate();
    QByteArray added;
    for (const char *face : Faces) {
        bool found = false;
        for (const char *folder : FaceFolders) {
            const QByteArray path = QByteArray(folder) + face;
            if (QFileInfo::exists(QString::fromLocal8Bit(path)) &&
                FcConfigAppFontAddFile(config, fcPath(path))) {
                found = true;
                added = path;
            }
        }
        if (!found) {
            FcConfigDestroy(config);
            return;
        }
    }
    const QDir rules(QString::fromLatin1(RuleFolder));
    const QStringList names = {QStringLiteral("10-*.conf"), QStringLiteral("11-*.conf")};
    for (const QString &name : rules.entryList(names, QDir::Files, QDir::Name)) {
        FcConfigParseAndLoad(config, fcPath(rules.filePath(name).toLocal8Bit()), FcFalse);
    }
    if (FcConfigSetCurrent(config)) {
        g_ownFace = added;
    }
    FcConfigDestroy(config); // the current configuration holds it
}

void useSystem()
{
    if (g_ownFace.isEmpty()) {
        return;
    }
    FcInitReinitialize();
    // Qt reads its list of fonts from fontconfig again whenever the application's own fonts
    // change.
    const int id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(g_ownFace));
    QFontDatabase::removeApplicationFont(id);
    QFontDatabase::families(); // read now rather than at the next text drawn, mid-game
    g_ownFace.clear();
}

} // namespace fontconfiguration
