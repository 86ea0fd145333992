#pragma once

#include <QString>

#include <functional>

class FileAccess;

// The folder that keeps record.dat. It lies beside the program whenever it is there already
// or the program's folder takes new files (a copy run from where it was built or unpacked).
// Only for an installed copy, whose folder is read-only and holds no scores, it is the
// player's data folder, which dataFolder gives (creating it) when asked.
QString recordFolder(const FileAccess &files, const QString &programFolder,
                     const std::function<QString()> &dataFolder);

// The player's data folder for the game, created if need be; empty if it cannot be made.
QString playerDataFolder();
