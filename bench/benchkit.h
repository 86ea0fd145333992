#pragma once

// What the benchmark programs share: platform services that show and play nothing, clocks for
// wall and processor time, and one way to print a figure beside its target.

#include "ui/toolkit/platform.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <vector>

namespace bench {

// Platform services that show and play nothing; they count what was asked of them. The
// high-score window closes at once, as for a player who enters no name.
struct Quiet : Beeper, MessageBox, SoundSink, WindowShower
{
    void beep() override { ++beeps; }
    void showOk(const QString &text) override { message = text; }
    void playFile(const QString &) override { ++sounds; }
    void showModal(Window w) override { ++(w == Window::Record ? records : others); }
    long beeps = 0, sounds = 0, records = 0, others = 0;
    QString message;
};

// Milliseconds on a clock: CLOCK_MONOTONIC for wall time, CLOCK_THREAD_CPUTIME_ID or
// CLOCK_PROCESS_CPUTIME_ID for processor time (which a busy neighbour does not inflate).
inline double ms(clockid_t clock = CLOCK_MONOTONIC)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double worst(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// Bytes the allocator has handed out and not had back, big mapped blocks included; 0 under an
// allocator that is not glibc's (a sanitizer build).
inline std::size_t heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// One figure on a line, with its target beside it when it has one.
inline void figure(const char *what, double value, const char *unit, const char *target = nullptr)
{
    if (target) {
        std::printf("  %-46s %10.3f %-4s  target %s\n", what, value, unit, target);
    } else {
        std::printf("  %-46s %10.3f %s\n", what, value, unit);
    }
}

// The folder with the game's word list and sounds: $TILNORA_GAME_DIR, else the build's.
inline QString gameFolder()
{
    const QString dir = qEnvironmentVariable("TILNORA_GAME_DIR");
    return dir.isEmpty() ? QStringLiteral(TILNORA_GAME_DIR) : dir;
}

} // namespace bench
