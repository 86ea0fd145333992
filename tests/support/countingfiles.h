#pragma once

#include "ui/toolkit/fileaccess.h"

#include <atomic>

// The real file system, counting the look-ups of a file (the sound thread looks for each
// cue's file once).
class CountingFiles : public FileAccess
{
public:
    bool fileExists(const QString &path) const override
    {
        ++looks;
        return m_real.fileExists(path);
    }
    FileReadResult readAll(const QString &path) const override { return m_real.readAll(path); }
    FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const override
    {
        return m_real.writeAll(path, bytes);
    }
    bool folderWritable(const QString &folder) const override { return m_real.folderWritable(folder); }
    mutable std::atomic<int> looks{0};

private:
    SystemFileAccess m_real;
};
