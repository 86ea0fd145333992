#pragma once
#include "ui/toolkit/fileaccess.h"
#include <atomic>
struct CountingFiles : SystemFileAccess // counts look-ups (the sound thread looks once per cue)
{
    bool fileExists(const QString &p) const override
    {
        return ++looks, SystemFileAccess::fileExists(p);
    }
    mutable std::atomic<int> looks{0};
};
