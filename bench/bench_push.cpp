// The push of a full row onto a stack of 20 rows, on the model alone and with the real main
// window offscreen. Usage: bench_push [rounds, default 300]
//
// Twenty rows cannot all stand on screen (the tenth row pushed with nothing removed ends the
// game), so, as a player does, words take tiles away: from the eighth row on each new row is
// spelt away again, one letter at a time. Before the measured push the stack holds 19 rows
// (152 tiles, 56 of them visible); the push creates 8 tiles, moves the 152 up and lets the top
// watch look at all 160. The level is 5, so the 20th row is not a level's last and no level-up
// paint runs inside the push.

#include "benchkit.h"
#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <QApplication>

#include <cerrno>
#include <cstdlib>
#include <functional>

namespace {

// A word list where every single letter is a word, so any tile can be spelt away.
struct LetterWords : FileAccess
{
    bool fileExists(const QString &path) const override { return path.endsWith("ShortList8.txt"); }
    FileReadResult readAll(const QString &path) const override
    {
        FileReadResult r;
        r.ok = fileExists(path);
        r.error = FileError{ENOENT, QStringLiteral("No such file or directory")};
        for (char c = 'a'; r.ok && c <= 'z'; ++c) {
            r.bytes += QByteArray(1, c) + "\r\n";
        }
        return r;
    }
    FileWriteResult writeAll(const QString &, const QByteArray &) const override { return {}; }
    bool folderWritable(const QString &) const override { return false; }
};

struct Times
{
    std::vector<double> push, repainted;
};

// Processor time of this thread per push, in milliseconds, over `rounds` fresh 19-row stacks;
// a busy neighbour does not inflate it. `flush` (with widgets) lets the view catch up before
// the push, and after it for the figure with the repaint.
Times pushes(frmMain &g, int rounds, const std::function<void()> &flush)
{
    Times times;
    for (int n = 0; n < rounds; ++n) {
        g.RestartGame();
        g.lblLevel.setCaption(QStringLiteral("5"));
        g.lblRowsLeft.setCaption(QStringLiteral("23"));
        for (int tick = 0; tick < 19 * 9 + 8; ++tick) {
            g.TimerNichlaDabaFill_Timer();
            const int t = g.topRow();
            for (int k = 8 * t; tick % 9 == 8 && t >= 7 && k < 8 * t + 8; ++k) {
                if (g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible()) {
                    g.OoperDaba_Click(k);
                    g.btnCheck_Click();
                }
            }
        }
        flush();
        const double t0 = bench::ms(CLOCK_THREAD_CPUTIME_ID);
        g.TimerNichlaDabaFill_Timer();
        times.push.push_back(bench::ms(CLOCK_THREAD_CPUTIME_ID) - t0);
        flush();
        times.repainted.push_back(bench::ms(CLOCK_THREAD_CPUTIME_ID) - t0);
        if (g.topRow() != 19 || g.gameOver() || g.OoperDaba.count() != 160) {
            std::fprintf(stderr, "bench_push: the measured push did not meet a 19-row stack\n");
            std::exit(1);
        }
    }
    return times;
}

void print(const char *what, const Times &t, bool widgets)
{
    std::printf("%s, %zu rounds, processor time\n", what, t.push.size());
    bench::figure("push onto 20 rows, median", bench::median(t.push), "ms",
                  widgets ? "under 0.2 ms" : nullptr);
    bench::figure("push onto 20 rows, worst", bench::worst(t.push), "ms");
    if (widgets) {
        bench::figure("push and its repaint, median", bench::median(t.repainted), "ms");
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const QString folder = QStringLiteral("/bench");
    LetterWords words;
    VirtualClock clock;
    {
        SeededRandom random(1);
        bench::Quiet quiet;
        frmMain g(Platform{clock, random, quiet, quiet, quiet, quiet, words, folder});
        g.Form_Load();
        g.btnStart_Click();
        print("model only", pushes(g, rounds, [] {}), false);
    }
    GameApplication::Options o;
    o.programFolder = folder;
    o.clock = &clock;
    o.files = &words;
    o.seed = 1;
    GameApplication game(o);
    if (!game.load()) {
        std::fprintf(stderr, "bench_push: start-up failed\n");
        return 1;
    }
    game.show();
    game.model().btnStart_Click();
    const auto flush = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    };
    const QString what = "with the main window (" + QGuiApplication::platformName() + ")";
    print(qPrintable(what), pushes(game.model(), rounds, flush), true);
    return 0;
}
