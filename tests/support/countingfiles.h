#pragma once

#include "ui/toolkit/fileaccess.h"

#include <atomic>

// The real file system, counting look-ups of a file (the sound thread looks once per cue).
class CountingFiles : public SystemFileAccess
{
public:
    bool fileExists(const QString &path) const override
    {
        ++looks;
        return SystemFileAccess::fileExists(path);
    }
    mutable std::atomic<int> looks{0};
};
