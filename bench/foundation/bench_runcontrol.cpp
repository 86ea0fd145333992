// CPU figures of the run cycle with the real widgets and real timers: the share of one
// gradient paint's wall time spent on the CPU, and the CPU used over 10 s while idle
// (before Start) and while paused.

#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/toolkit/programfolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double cpuShareOver(int ms)
{
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return (cpuSeconds() - before) / (wall.elapsed() / 1000.0);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    GameApplication::Options options;
    const QString dir = qEnvironmentVariable("TILNORA_GAME_DIR");
    options.programFolder = dir.isEmpty() ? programFolder() + QStringLiteral("/../../game") : dir;
    GameApplication game(options);
    if (!game.load()) {
        std::fprintf(stderr, "bench_runcontrol: no word list in %s\n", qPrintable(options.programFolder));
        return 1;
    }
    game.show();
    frmMain &m = game.model();
    cpuShareOver(500); // let the window settle

    const double idle = cpuShareOver(10000);
    std::printf("CPU while idle (before Start), 10 s:   %6.2f %% of a core  (target under 1 %%)\n", idle * 100);

    m.btnStart_Click();
    m.btnStart_Click();
    const double paused = cpuShareOver(10000);
    std::printf("CPU while paused, 10 s:                %6.2f %% of a core  (target under 1 %%)\n", paused * 100);

    // A level-up: the last row of the level is pushed and the green gradient painted.
    m.btnStart_Click();
    m.TimerNichlaDabaFill.setEnabled(false);
    m.Timer1.setEnabled(false);
    m.lblRowsLeft.setCaption(QStringLiteral("1"));
    for (int i = 0; i < 8; ++i) {
        m.TimerNichlaDabaFill_Timer();
    }
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    m.TimerNichlaDabaFill_Timer(); // the push, the level-up and its paint
    const double paintWall = wall.elapsed() / 1000.0;
    const double paintCpu = cpuSeconds() - before;
    std::printf("gradient paint: %.0f ms wall, %.0f ms CPU, %.1f %% of its wall time (target under 20 %%)\n",
                paintWall * 1000, paintCpu * 1000, paintCpu / paintWall * 100);
    std::printf("level after the paint: %s\n", qPrintable(m.lblLevel.caption()));
    return 0;
}
