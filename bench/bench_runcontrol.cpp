// CPU of the run cycle with the real widgets and timers: the share of one overlay paint's wall
// time spent on the processor, and the processor used over 10 s while idle (before Start) and
// while paused. Usage: bench_runcontrol [seconds per idle figure, default 10]

#include "benchkit.h"
#include "game/frmmain.h"
#include "ui/gameapplication.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>

namespace {

// The process's share of one core while the event loop runs on its own for `ms`.
double cpuShareOver(int ms)
{
    const double cpu = bench::ms(CLOCK_PROCESS_CPUTIME_ID), wall = bench::ms();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return (bench::ms(CLOCK_PROCESS_CPUTIME_ID) - cpu) / (bench::ms() - wall);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int idleMs = argc > 1 ? std::max(1, std::atoi(argv[1])) * 1000 : 10000;
    GameApplication::Options options;
    options.programFolder = bench::gameFolder();
    GameApplication game(options);
    if (!game.load()) {
        std::fprintf(stderr, "bench_runcontrol: no word list in %s\n",
                     qPrintable(bench::gameFolder()));
        return 1;
    }
    game.show();
    frmMain &m = game.model();
    cpuShareOver(500); // let the window settle

    std::printf("processor use of the run cycle (%s)\n",
                qPrintable(QGuiApplication::platformName()));
    bench::figure("idle before Start, % of a core", 100 * cpuShareOver(idleMs), "%", "under 1 %");
    m.btnStart_Click();
    m.btnStart_Click();
    bench::figure("paused, % of a core", 100 * cpuShareOver(idleMs), "%", "under 1 %");

    // A level-up: the level's last row is pushed and the overlay painted green.
    m.btnStart_Click();
    m.TimerNichlaDabaFill.setEnabled(false);
    m.Timer1.setEnabled(false);
    m.lblRowsLeft.setCaption(QStringLiteral("1"));
    for (int i = 0; i < 8; ++i) {
        m.TimerNichlaDabaFill_Timer();
    }
    const double cpu = bench::ms(CLOCK_PROCESS_CPUTIME_ID), wall = bench::ms();
    m.TimerNichlaDabaFill_Timer(); // the push, the level-up and its paint
    const double paintCpu = bench::ms(CLOCK_PROCESS_CPUTIME_ID) - cpu,
                 paintWall = bench::ms() - wall;
    bench::figure("overlay paint, wall time", paintWall, "ms");
    bench::figure("overlay paint, CPU % of its wall time", 100 * paintCpu / paintWall, "%",
                  "under 20 %");
    std::printf("  level after the paint: %s\n", qPrintable(m.lblLevel.caption()));
    return 0;
}
