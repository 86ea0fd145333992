// Prints how long LoadDictionary takes and how much memory the word list holds, for the list
// the build ships and for a generated list of 1,000,000 random words, and how long one lookup
// and one Enter on a word take.

#include "game/frmmain.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <random>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Quiet : Beeper, MessageBox, SoundSink, WindowShower
{
    void beep() override {}
    void showOk(const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    void playFile(const QString &) override {}
    void showModal(Window) override {}
};

// Heap bytes in use, small blocks and mapped ones.
std::size_t heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

struct Game
{
    explicit Game(const QString &folder)
        : random(1), model(Platform{clock, random, quiet, quiet, quiet, quiet, files, folder})
    {
    }
    VirtualClock clock;
    SeededRandom random;
    Quiet quiet;
    SystemFileAccess files;
    frmMain model;
};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time this thread has used, in milliseconds: on a busy machine the wall clock also
// counts the time other programs had the processor.
double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Random words of 1 to 8 letters a to z, every length as likely, CR LF after each. The
// generator's raw output is fixed by the standard, so the file is the same everywhere.
QByteArray generatedList(int lines, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    QByteArray text;
    text.reserve(lines * 7);
    for (int n = 0; n < lines; ++n) {
        const int length = static_cast<int>(rng() % 8) + 1;
        for (int k = 0; k < length; ++k) {
            text += static_cast<char>('a' + rng() % 26);
        }
        text += "\r\n";
    }
    return text;
}

void measureLoad(const char *name, const QString &folder)
{
    const qint64 fileSize = QFileInfo(folder + QStringLiteral("/ShortList8.txt")).size();
    std::vector<double> times;
    std::vector<double> cpu;
    std::size_t held = 0;
    std::size_t counted = 0;
    int entries = 0;
    for (int run = 0; run < 7; ++run) {
        auto game = std::make_unique<Game>(folder);
        const std::size_t before = heapInUse();
        const auto start = Clock::now();
        const double cpuStart = threadMilliseconds();
        game->model.LoadDictionary();
        cpu.push_back(threadMilliseconds() - cpuStart);
        times.push_back(millisecondsSince(start));
        if (game->model.loadFailed()) {
            std::printf("%s: the list could not be read\n", name);
            return;
        }
        held = heapInUse() - before;
        counted = game->model.words().memoryBytes();
        entries = game->model.words().size();
    }
    std::printf("%s: %d entries, file %.2f MB\n", name, entries, fileSize / 1e6);
    std::printf("  LoadDictionary: median %.2f ms, best %.2f ms, worst %.2f ms (7 runs); "
                "processor time median %.2f ms\n",
                median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), median(cpu));
    std::printf("  memory held: %.2f MB on the heap (%.2f x the file), %.2f MB counted by the "
                "list\n",
                held / 1e6, double(held) / double(fileSize), counted / 1e6);
}

void measureLookups(const QString &folder)
{
    Game game(folder);
    game.model.LoadDictionary();
    const WordList &words = game.model.words();

    // Words to look up: half taken from the list, half random letters.
    std::mt19937_64 rng(7);
    std::vector<QString> queries;
    for (int n = 0; n < 100000; ++n) {
        if (n % 2 == 0) {
            queries.push_back(words.entry(static_cast<int>(rng() % words.size())).toLower());
        } else {
            QString w;
            const int length = static_cast<int>(rng() % 8) + 1;
            for (int k = 0; k < length; ++k) {
                w += QChar(char16_t('a' + rng() % 26));
            }
            queries.push_back(w);
        }
    }
    int found = 0;
    const int rounds = 20;
    const auto start = Clock::now();
    for (int r = 0; r < rounds; ++r) {
        for (const QString &q : queries) {
            found += words.contains(q);
        }
    }
    const double ns = millisecondsSince(start) * 1e6 / (double(rounds) * queries.size());
    std::printf("  one lookup: %.0f ns on average (%zu words, %d%% found)\n", ns, queries.size(),
                int(100.0 * found / (rounds * queries.size())));

    // Enter on a wrong word of eight letters: join the word, look it up, show "Wrong", start
    // the blink timer. The word stays, so the same Enter can be repeated.
    frmMain &g = game.model;
    g.btnStart_Click();
    for (int tick = 0; tick < 9; ++tick) {
        g.TimerNichlaDabaFill_Timer();
    }
    for (int k = 0; k < 8; ++k) {
        g.OoperDaba_Click(k);
    }
    const int presses = 200000;
    const auto enter = Clock::now();
    for (int n = 0; n < presses; ++n) {
        g.btnCheck_Click();
    }
    std::printf("  one Enter on an 8-letter word (%s): %.0f ns\n",
                qPrintable(g.lblResult.caption()), millisecondsSince(enter) * 1e6 / presses);
}

} // namespace

int main()
{
    std::printf("word list benchmark%s\n",
#ifdef NDEBUG
                ""
#else
                " (not a Release build: the figures mean little)"
#endif
    );

    double load[3] = {};
    if (getloadavg(load, 3) > 0) {
        std::printf("machine load average %.2f on %ld processors\n", load[0],
                    sysconf(_SC_NPROCESSORS_ONLN));
    }

    const QString shipped = QStringLiteral(TILNORA_GAME_DIR);
    measureLoad("shipped ShortList8.txt", shipped);
    measureLookups(shipped);

    QTemporaryDir dir;
    QFile file(dir.path() + QStringLiteral("/ShortList8.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(generatedList(1000000, 20240505)) < 0) {
        std::printf("cannot write the generated list\n");
        return 1;
    }
    file.close();
    measureLoad("generated 1,000,000 lines", dir.path());
    measureLookups(dir.path());
    return 0;
}
