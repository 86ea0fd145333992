#pragma once

#include <QString>

#include <functional>

class FileAccess;

// The file an install puts beside the program (and a build folder never holds): its presence
// marks an installed copy, whose players keep their scores in their own data folders.
inline constexpr char installedMarkerName[] = "installed";

// The folder that keeps record.dat. An installed copy always uses the player's data folder,
// which dataFolder gives (creating it) when asked, even where the player could write beside
// the program (root can): the package manager owns that folder. Any other copy, run from
// where it was built or unpacked, keeps the file beside the program when it is there already
// or that folder takes new files.
QString recordFolder(const FileAccess &files, const QString &programFolder,
                     const std::function<QString()> &dataFolder);

// The player's data folder for the game, created if need be; empty if it cannot be made.
QString playerDataFolder();
