// What one tick of the incoming row costs: a fill tick (one random letter into the row) and
// the push of a full row into a stack of 20 rows, on the model alone and with the real main
// window offscreen. Prints its figures; it judges nothing.
//
// The stack of 20 rows is built as a long level builds it. Twenty rows cannot all stand on
// screen (the tenth row pushed with nothing removed ends the game), so, as a player does,
// words take tiles away: from the eighth row on, every new row is spelt away again, one
// letter at a time, and the rows above it drop. Before the measured push the stack holds 19
// rows (152 tiles, 56 of them visible); the push creates 8 tiles, moves the 152 up and
// lets the top watch look at all 160, and leaves 8 visible rows, the most that stand without
// the warning. The level is set to 5 through its captions, as the game keeps it, so the
// 20th row is not a level's last and no level-up paint runs inside the push.

#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <QApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

namespace {

const QString Folder = QStringLiteral("/bench");

// The word list: every single letter is a word, so any tile can be spelt away.
class LetterWords : public FileAccess
{
public:
    bool fileExists(const QString &path) const override { return path.endsWith("ShortList8.txt"); }
    FileReadResult readAll(const QString &path) const override
    {
        FileReadResult r;
        if (!fileExists(path)) {
            r.error = FileError{ENOENT, QStringLiteral("No such file or directory")};
            return r;
        }
        for (char c = 'a'; c <= 'z'; ++c) {
            r.bytes += c;
            r.bytes += "\r\n";
        }
        r.ok = true;
        return r;
    }
    FileWriteResult writeAll(const QString &, const QByteArray &) const override { return {}; }
    bool folderWritable(const QString &) const override { return false; }
};

class Quiet : public Beeper, public MessageBox, public SoundSink, public WindowShower
{
public:
    void beep() override {}
    void showOk(const QString &) override {}
    void playFile(const QString &) override {}
    void showModal(Window) override {}
};

// The machine may be shared, so each figure is the processor time of this thread, which a
// busy neighbour does not inflate; the wall-clock median is printed beside it.
struct Stamp
{
    double cpu;
    double wall;
    static Stamp now()
    {
        timespec c{}, w{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c);
        clock_gettime(CLOCK_MONOTONIC, &w);
        return {c.tv_sec * 1e3 + c.tv_nsec / 1e6, w.tv_sec * 1e3 + w.tv_nsec / 1e6};
    }
};

struct Figures
{
    std::vector<double> cpu;
    std::vector<double> wall;
    // One figure: the time since t0, shared out over `count` operations.
    void add(const Stamp &t0, int count = 1)
    {
        const Stamp t = Stamp::now();
        cpu.push_back((t.cpu - t0.cpu) / count);
        wall.push_back((t.wall - t0.wall) / count);
    }
    static double at(std::vector<double> s, double q)
    {
        std::sort(s.begin(), s.end());
        return s[static_cast<std::size_t>(q * static_cast<double>(s.size() - 1))];
    }
    void print(const char *what) const
    {
        double sum = 0;
        for (double v : cpu) {
            sum += v;
        }
        std::printf("  %-26s n=%-5zu cpu: median %.4f  mean %.4f  p90 %.4f ms   wall: median "
                    "%.4f ms\n",
                    what, cpu.size(), at(cpu, 0.5), sum / static_cast<double>(cpu.size()),
                    at(cpu, 0.9), at(wall, 0.5));
    }
};

// Spells away every visible tile of the newest row, one letter per word.
void clearNewestRow(frmMain &g)
{
    const int t = g.topRow();
    for (int k = 8 * t; k <= 8 * t + 7; ++k) {
        if (g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible()) {
            g.OoperDaba_Click(k);
            g.btnCheck_Click();
        }
    }
}

struct Run
{
    Figures fill;
    Figures push;
    Figures pushAndPaint; // with widgets: the push and the repaint it causes
};

// One measured round: a fresh level-5 board, 19 rows built up, then the 20th row's eight
// fill ticks and its push are timed.
void round(frmMain &g, Run &run, const std::function<void()> &flush)
{
    g.RestartGame();
    g.lblLevel.setCaption(QStringLiteral("5"));
    g.lblRowsLeft.setCaption(QStringLiteral("23"));
    for (int row = 0; row < 19; ++row) {
        for (int i = 0; i < 9; ++i) {
            g.TimerNichlaDabaFill_Timer();
        }
        if (row >= 7) {
            clearNewestRow(g);
        }
    }
    if (flush) {
        flush();
    }
    // The eight fill ticks are timed together, so the clock's own cost hardly counts.
    const Stamp f0 = Stamp::now();
    for (int i = 0; i < 8; ++i) {
        g.TimerNichlaDabaFill_Timer();
    }
    run.fill.add(f0, 8);
    if (flush) {
        flush();
    }
    const Stamp t0 = Stamp::now();
    g.TimerNichlaDabaFill_Timer();
    run.push.add(t0);
    if (flush) {
        flush();
        run.pushAndPaint.add(t0);
    }
    if (g.topRow() != 19 || g.gameOver() || g.lblResult.caption() == QLatin1String("Be Carefull") ||
        g.OoperDaba.count() != 160) {
        std::fprintf(stderr, "the measured push did not meet a stack of 19 rows\n");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 300;
    std::printf("Tile field: one fill tick and one push into a stack of 20 rows (%d rounds)\n",
                rounds);
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    {
        VirtualClock clock;
        SeededRandom random(1);
        Quiet quiet;
        LetterWords words;
        frmMain g(Platform{clock, random, quiet, quiet, quiet, quiet, words, Folder});
        g.Form_Load();
        g.btnStart_Click();
        Run run;
        for (int i = 0; i < rounds; ++i) {
            round(g, run, {});
        }
        std::printf("model only\n");
        run.fill.print("fill tick (mean of 8)");
        run.push.print("push, stack of 20 rows");
    }

    {
        VirtualClock clock;
        LetterWords words;
        GameApplication::Options o;
        o.programFolder = Folder;
        o.clock = &clock;
        o.files = &words;
        o.seed = 1;
        GameApplication game(o);
        if (!game.load()) {
            std::fprintf(stderr, "start-up failed\n");
            return 1;
        }
        game.show();
        frmMain &g = game.model();
        g.btnStart_Click();
        const auto flush = [] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        };
        flush();
        Run run;
        for (int i = 0; i < rounds; ++i) {
            round(g, run, flush);
        }
        std::printf("with the main window (widgets, %s)\n",
                    qPrintable(QGuiApplication::platformName()));
        run.fill.print("fill tick (mean of 8)");
        run.push.print("push, stack of 20 rows");
        run.pushAndPaint.print("push and its repaint");
        std::printf("target: a push with widgets under 0.2 ms\n");
    }
    return 0;
}
