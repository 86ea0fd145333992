// Prints how long a sound cue keeps the user-interface thread, with the real sound back end of
// this machine: SoundPlayer::playFile alone, and the game's handlers that play a cue
// (PlayEffect inside them). Also the cost of starting the player at show time and the idle CPU
// of the game with sound in place. Targets: under 1 ms per cue, first call included; idle CPU
// under 1% of a core.

#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/qtplatform.h"
#include "ui/soundplayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const QString GameDir = QStringLiteral(TILNORA_GAME_DIR);
const char *const Cues[] = {"click", "correct", "wrong", "clear", "warning", "levelup", "gameend"};

QString cuePath(int k)
{
    return GameDir + QStringLiteral("/sound/") + QLatin1String(Cues[k % 7]) +
           QStringLiteral(".wav");
}

double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Lets the event loop run for a while, as an idle game would.
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename F> double micros(F &&f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1000.0;
}

struct Summary
{
    double median = 0, p99 = 0, max = 0;
};

Summary summarise(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[v.size() * 99 / 100], v.back()};
}

void printRow(const char *what, const Summary &s, std::size_t n)
{
    std::printf("  %-38s median %7.1f us  p99 %7.1f us  max %7.1f us  (%zu calls)\n", what,
                s.median, s.p99, s.max, n);
}

void benchPlayer()
{
    std::printf("SoundPlayer::playFile on the UI thread\n");
    SoundPlayer player(
        [] { return SoundPlayer::loadSystemBackEnd(qEnvironmentVariable("TILNORA_GAME_DIR")); });
    const double startUs = micros([&] { player.start(); });
    const double firstUs = micros([&] { player.playFile(cuePath(0)); });
    std::printf("  start()                                %7.1f us\n", startUs);
    std::printf("  first call, back end still preparing   %7.1f us\n", firstUs);
    idle(500);
    const double readyUs = micros([&] { player.playFile(cuePath(1)); });
    std::printf("  first call after the back end is ready %7.1f us\n", readyUs);
    idle(100);
    std::vector<double> spaced, burst;
    for (int k = 0; k < 100; ++k) {
        spaced.push_back(micros([&] { player.playFile(cuePath(k)); }));
        idle(30);
    }
    for (int k = 0; k < 1000; ++k) {
        burst.push_back(micros([&] { player.playFile(cuePath(k)); }));
    }
    printRow("later calls, 30 ms apart", summarise(spaced), spaced.size());
    printRow("later calls, back to back", summarise(burst), burst.size());
    idle(1500);
}

// silent: the same game with a sound sink that does nothing, to tell the player's share.
void benchGame(bool silent)
{
    std::printf("The game's handlers that play a cue (PlayEffect inside), %s\n",
                silent ? "sound sink that does nothing" : "real sound player");
    QElapsedTimer startUp;
    startUp.start();
    SilentSound nothing;
    GameApplication::Options o;
    o.programFolder = GameDir;
    o.seed = 11;
    if (silent) {
        o.sound = &nothing;
    }
    GameApplication app(o);
    if (!app.load()) {
        std::printf("  the word list in %s could not be read\n", qPrintable(GameDir));
        return;
    }
    const double showUs = micros([&] { app.show(); });
    std::printf("  start-up to shown window                %7.1f ms (show() %.1f us)\n",
                double(startUp.nsecsElapsed()) / 1e6, showUs);
    idle(500);

    frmMain &g = app.model();
    g.btnStart_Click();
    g.TimerNichlaDabaFill.setEnabled(false); // the rows come from here, not from the timer
    g.Timer1.setEnabled(false);
    for (int tick = 0; tick < 9; ++tick) {
        g.TimerNichlaDabaFill_Timer();
    }
    // OoperDaba_Click plays "click"; Result_Click takes the letter back without a cue.
    const int tile = g.OoperDaba.bound() - 1;
    const double firstClick = micros([&] { g.OoperDaba_Click(tile); });
    std::printf("  first OoperDaba_Click (cue click)       %7.1f us\n", firstClick);
    std::vector<double> clicks, undo, clears;
    for (int k = 0; k < 200; ++k) {
        undo.push_back(micros([&] { g.Result_Click(1); }));
        idle(5);
        clicks.push_back(micros([&] { g.OoperDaba_Click(tile); }));
        idle(5);
        clears.push_back(micros([&] { g.btnClear_Click(); }));
        idle(5);
        g.OoperDaba_Click(tile);
    }
    printRow("OoperDaba_Click (cue click)", summarise(clicks), clicks.size());
    printRow("btnClear_Click (cue clear)", summarise(clears), clears.size());
    printRow("Result_Click (no cue, for comparison)", summarise(undo), undo.size());
    g.btnStart_Click(); // pause: the timers stop, the game waits

    idle(1500); // the last cue runs out and its stream closes
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    idle(5000);
    const double cpu = processCpuSeconds() - cpu0;
    std::printf("  idle CPU over %.1f s, paused, sound ready %7.2f %% of a core\n",
                double(wall.elapsed()) / 1000.0, 100.0 * cpu / (double(wall.elapsed()) / 1000.0));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::printf("Sound folder: %s/sound\n", qPrintable(GameDir));
    benchPlayer();
    benchGame(false);
    benchGame(true);
    return 0;
}
