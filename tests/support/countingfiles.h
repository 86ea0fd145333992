#pragma once

#include "ui/toolkit/fileaccess.h"

#include <atomic>

// The real file system, counting look-ups of a file (the sound thread looks once per cue).
struct CountingFiles : SystemFileAccess
{
    bool fileExists(const QString &p) const override
    {
        return ++looks, SystemFileAccess::fileExists(p);
    }
    mutable std::atomic<int> looks{0};
};
