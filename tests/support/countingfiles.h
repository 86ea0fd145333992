#pragma once

#include "ui/toolkit/fileaccess.h"

#include <atomic>

// The real file system, counting look-ups of a file (the sound thread looks once per cue).
class CountingFiles : public FileAccess
{
public:
    bool fileExists(const QString &path) const override { return ++looks, m_real.fileExists(path); }
    FileReadResult readAll(const QString &path) const override { return m_real.readAll(path); }
    FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const override
    {
        return m_real.writeAll(path, bytes);
    }
    bool folderWritable(const QString &f) const override { return m_real.folderWritable(f); }
    mutable std::atomic<int> looks{0};

private:
    SystemFileAccess m_real;
};
