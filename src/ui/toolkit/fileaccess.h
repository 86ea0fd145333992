#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file access for the game's three kinds of file. Files are opened, read or written
// whole and closed within one call; nothing is held open. Tests inject failures through a
// FileAccess of their own.

struct FileError
{
    int number = 0;      // the system's error number (errno)
    QString description; // the system's one-line description of it
};

struct FileReadResult
{
    bool ok = false;
    QByteArray bytes;
    FileError error;
};

struct FileWriteResult
{
    bool ok = false;
    FileError error;
};

class FileAccess
{
public:
    virtual ~FileAccess() = default;
    // True when an ordinary file (not a folder) of that name exists.
    virtual bool fileExists(const QString &path) const = 0;
    // Reads every byte of the file.
    virtual FileReadResult readAll(const QString &path) const = 0;
    // Replaces the file's content with these bytes, creating the file if need be. The old
    // content stays whole until the new content is complete: a failed write leaves it as it
    // was, wherever the folder can take a temporary file. Const like the reads: the object
    // holds no state of its own, the file system lies outside it.
    virtual FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const = 0;
    // True when this user may create files in the folder.
    virtual bool folderWritable(const QString &folder) const = 0;
};

// The real file system, through the POSIX calls so that failures carry errno.
class SystemFileAccess : public FileAccess
{
public:
    bool fileExists(const QString &path) const override;
    FileReadResult readAll(const QString &path) const override;
    // Writes a temporary file beside the old one and renames it over that; where the folder
    // refuses the temporary file but the file itself is writable, rewrites the file in place,
    // after reserving the room for it so that a full disk leaves the old content as it was.
    FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const override;
    bool folderWritable(const QString &folder) const override;
};

// 8-bit text: Latin-1 maps every byte to one character and back, so a file read and written
// back is unchanged byte for byte.
QString latin1Text(const QByteArray &bytes);
QByteArray latin1Bytes(const QString &text);
