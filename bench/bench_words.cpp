// The word list: how long LoadDictionary takes (before the first frame) and building the
// lookup (after it), how much memory the list holds, for the shipped list and for a generated
// list of 1,000,000 words, and how long one lookup takes.

#include "benchkit.h"
#include "game/frmmain.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <random>

namespace {

struct Game
{
    explicit Game(const QString &folder)
        : random(1), model(Platform{clock, random, quiet, quiet, quiet, quiet, files, folder})
    {
    }
    VirtualClock clock;
    SeededRandom random;
    bench::Quiet quiet;
    SystemFileAccess files;
    frmMain model;
};

// Random words of 1 to 8 letters a to z, every length as likely, CR LF after each. The
// generator's raw output is fixed by the standard, so the file is the same everywhere.
QByteArray generatedList(int lines)
{
    std::mt19937_64 rng(20240505);
    QByteArray text;
    for (int n = 0; n < lines; ++n) {
        for (int k = static_cast<int>(rng() % 8); k >= 0; --k) {
            text += static_cast<char>('a' + rng() % 26);
        }
        text += "\r\n";
    }
    return text;
}

// Seven loads; the median time, and the heap the last one holds against the file's size.
void measureLoad(const char *name, const QString &folder, const char *timeTarget,
                 const char *memoryTarget)
{
    std::vector<double> wall, cpu, lookup;
    double ratio = 0;
    for (int run = 0; run < 7; ++run) {
        auto game = std::make_unique<Game>(folder);
        const std::size_t before = bench::heapInUse();
        const double w = bench::ms(), c = bench::ms(CLOCK_THREAD_CPUTIME_ID);
        game->model.LoadDictionary();
        const double loaded = bench::ms();
        game->model.words().prepareLookup();
        cpu.push_back(bench::ms(CLOCK_THREAD_CPUTIME_ID) - c);
        wall.push_back(bench::ms() - w);
        lookup.push_back(bench::ms() - loaded);
        if (game->model.loadFailed()) {
            std::printf("%s: the list could not be read\n", name);
            return;
        }
        const double held = double(bench::heapInUse() - before);
        ratio = held / double(QFile(folder + QStringLiteral("/ShortList8.txt")).size());
        if (run == 0) {
            std::printf("%s: %d entries\n", name, game->model.words().size());
        }
    }
    bench::figure("LoadDictionary + lookup, median of 7, wall", bench::median(wall), "ms",
                  timeTarget);
    bench::figure("LoadDictionary + lookup, median, processor", bench::median(cpu), "ms");
    bench::figure("the lookup alone (after the first frame)", bench::median(lookup), "ms");
    bench::figure("memory held, times the file's size", ratio, "x", memoryTarget);
}

// Lookups of 100,000 words, half from the list and half random letters, 20 times over.
void measureLookup(const QString &folder)
{
    Game game(folder);
    game.model.LoadDictionary();
    const WordList &words = game.model.words();
    words.prepareLookup();
    std::mt19937_64 rng(7);
    std::vector<QString> queries;
    for (int n = 0; n < 100000; ++n) {
        QString w = words.entry(static_cast<int>(rng() % words.size())).toLower();
        if (n % 2) {
            w.clear();
            for (int k = static_cast<int>(rng() % 8); k >= 0; --k) {
                w += QChar(char16_t('a' + rng() % 26));
            }
        }
        queries.push_back(w);
    }
    int found = 0;
    const double start = bench::ms();
    for (int r = 0; r < 20; ++r) {
        for (const QString &q : queries) {
            found += words.contains(q);
        }
    }
    const double ns = (bench::ms() - start) * 1e6 / (20.0 * double(queries.size()));
    bench::figure("one lookup, mean", ns, "ns", "under 1000 ns");
    std::printf("  (%d %% of the lookups found)\n", int(100.0 * found / (20.0 * queries.size())));
}

} // namespace

int main()
{
#ifndef NDEBUG
    std::printf("not a Release build: the figures mean little\n");
#endif
    measureLoad("shipped ShortList8.txt", bench::gameFolder(), nullptr, nullptr);
    measureLookup(bench::gameFolder());

    QTemporaryDir dir;
    QFile file(dir.path() + QStringLiteral("/ShortList8.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(generatedList(1000000)) < 0) {
        std::printf("cannot write the generated list\n");
        return 1;
    }
    file.close();
    measureLoad("generated 1,000,000 lines", dir.path(), "under 150 ms", "under 8 x");
    measureLookup(dir.path());
    return 0;
}
