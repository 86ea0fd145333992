// How long a sound cue keeps the user-interface thread, with this machine's real sound back
// end: SoundPlayer::playFile, the call behind every cue of the game, first and later calls;
// then the idle processor use of the game, paused, with that player in place.
// Usage: bench_sound [seconds of idle, default 5]

#include "benchkit.h"
#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/soundplayer.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>

namespace {

// Lets the event loop run for a while, as an idle game would.
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int idleMs = argc > 1 ? std::max(1, std::atoi(argv[1])) * 1000 : 5000;
    const QString folder = bench::gameFolder();
    const char *const cues[] = {"click",   "correct", "wrong",  "clear",
                                "warning", "levelup", "gameend"};
    const auto cue = [&](int k) { return folder + "/sound/" + cues[k % 7] + ".wav"; };
    SoundPlayer player([&] { return SoundPlayer::loadSystemBackEnd(folder); });
    const auto timed = [&](int k) {
        const double t0 = bench::ms();
        player.playFile(cue(k));
        return (bench::ms() - t0) * 1000;
    };

    std::printf("SoundPlayer::playFile on the user-interface thread, sounds from %s/sound\n",
                qPrintable(folder));
    double t0 = bench::ms();
    player.start();
    bench::figure("start()", (bench::ms() - t0) * 1000, "us");
    bench::figure("first call, back end still preparing", timed(0), "us", "under 1000 us");
    idle(500);
    bench::figure("first call once the back end is ready", timed(1), "us", "under 1000 us");
    std::vector<double> calls;
    for (int k = 0; k < 100; ++k) {
        calls.push_back(timed(k));
        idle(30);
    }
    for (int k = 0; k < 1000; ++k) {
        calls.push_back(timed(k));
    }
    bench::figure("later calls (1100), median", bench::median(calls), "us", "under 1000 us");
    bench::figure("later calls, worst", bench::worst(calls), "us", "under 1000 us");

    GameApplication::Options o;
    o.programFolder = folder;
    o.sound = &player;
    o.seed = 11;
    GameApplication game(o);
    if (!game.load()) {
        std::printf("the word list in %s could not be read\n", qPrintable(folder));
        return 1;
    }
    game.show();
    game.model().btnStart_Click();
    game.model().btnStart_Click(); // paused: the timers stop, the game waits
    idle(1500);                    // the last cue runs out and its stream closes
    const double cpu = bench::ms(CLOCK_PROCESS_CPUTIME_ID), wall = bench::ms();
    idle(idleMs);
    bench::figure("game paused with sound ready, % of a core",
                  100 * (bench::ms(CLOCK_PROCESS_CPUTIME_ID) - cpu) / (bench::ms() - wall), "%",
                  "under 1 %");
    return 0;
}
