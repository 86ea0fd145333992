#include "scores/recordlocation.h"

#include "ui/toolkit/fileaccess.h"

#include <QDir>
#include <QStandardPaths>

QString recordFolder(const FileAccess &files, const QString &programFolder,
                     const std::function<QString()> &dataFolder)
{
    const bool installed =
        files.fileExists(programFolder + QLatin1Char('/') + QLatin1String(installedMarkerName));
    if (!installed && (files.fileExists(programFolder + QStringLiteral("/record.dat")) ||
                       files.folderWritable(programFolder))) {
        return programFolder;
    }
    const QString data = dataFolder ? dataFolder() : QString();
    // Without a data folder the program's own stays the place; saving then says why it fails.
    return data.isEmpty() ? programFolder : data;
}

QString playerDataFolder()
{
    // The organisation and application names are fixed by the program, so this never moves.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return {};
    }
    return folder;
}
