// Soak run: a bot plays the model on the virtual clock with the shipped word list until it has
// seen 200 level starts (or argv[1]; argv[2] seeds the letters), restarting games that end.
// After every step (a clock advance, a click, an Enter, a restart) the stack holds exactly its
// rows' tiles, each with the letter it was pushed with, hidden exactly when a correct word took
// it, visible ones packed on their column's grid places; the incoming row shows its filled
// places only; the word row names distinct picked tiles. A push raises the top row by one, a
// level lasts 3 x level + 8 rows, a word scores 10 x length²; a level starts empty, same heap.

#include "benchkit.h"
#include "game/frmmain.h"
#include "ui/toolkit/conversions.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int Columns = 8;

class Soak
{
public:
    Soak(std::uint64_t seed, long tolerance, const QString &dir)
        : m_random(seed), m_tolerance(tolerance),
          m_game(Platform{m_clock, m_random, m_quiet, m_quiet, m_quiet, m_quiet, m_files, dir})
    {
    }

    // Plays until the level starts are all seen; throws when an invariant is broken.
    void run(int levels)
    {
        m_game.Form_Load();
        expect(!m_game.loadFailed(), "start-up failed");
        // The bot's words: the list's words of 3 to 8 letters a to z by length, each with the set
        // of its letters so that most are passed over at a glance.
        for (int i = 0; i < m_game.words().size(); ++i) {
            const std::string w = m_game.words().entry(i).toStdString();
            const std::uint32_t set = std::accumulate(w.begin(), w.end(), 0u, [](auto s, char c) {
                return s | (c >= 'a' && c <= 'z' ? 1u << (c - 'a') : 1u << 31);
            });
            if (w.size() >= 3 && w.size() <= 8 && set < 1u << 26) {
                m_words[8 - w.size()].emplace_back(set, w);
            }
        }
        m_game.btnStart_Click();
        levelStart();
        while (m_levelStarts < levels) {
            tick();
        }
    }

    void printFigures() const
    {
        std::printf("  %d level starts, %ld games, highest level %d, %.1f h on the clock\n"
                    "  %ld steps: %ld clock advances, %ld tile clicks, %ld words spelt (longest %d "
                    "letters)\n  %ld rows pushed, largest board %d rows, most tiles shown %d\n"
                    "  %ld sounds, %ld beeps, %ld high-score windows\n",
                    m_levelStarts, m_games, m_highestLevel, double(m_clock.now()) / 3.6e6, m_steps,
                    m_advances, m_clicks, m_spelt, m_longest, m_rowsPushed, m_largestRows,
                    m_mostVisible, m_quiet.sounds, m_quiet.beeps, m_quiet.records);
        const std::string within = "at most " + std::to_string(m_tolerance) + " B";
        bench::figure("heap at level starts, last against first",
                      double(m_lastHeap) - double(m_firstHeap), "B", within.c_str());
        bench::figure("heap at level starts, largest rise", double(m_largestRise), "B",
                      within.c_str());
        bench::figure("peak heap in use", double(m_peakHeap) / (1 << 20), "MiB");
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        bench::figure("peak resident set (VmHWM)", double(usage.ru_maxrss) / 1024, "MiB");
    }

private:
    int level() const { return int(conv::textToDouble(m_game.lblLevel.caption())); }

    // Stops the run when an invariant is broken, naming the tile it concerns if one.
    void expect(bool ok, const char *what, int k = -1) const
    {
        if (!ok) {
            throw std::runtime_error((k < 0 ? "" : "tile " + std::to_string(k) + " ") + what);
        }
    }

    // One clock advance to the next tick of any of the three timers, or a restart.
    void tick()
    {
        const frmMain &g = m_game;
        if (g.gameOver()) {
            ++m_games;
            m_game.RestartGame();
            return levelStart();
        }
        expect(m_clock.nextTick(g.TimerNichlaDabaFill) >= 0, "the fill timer stopped in a game");
        const auto next = [&](const ModelTimer &t) { return std::uint64_t(m_clock.nextTick(t)); };
        const auto due =
            std::min({next(g.TimerNichlaDabaFill), next(g.Timer1), next(g.TimerResultBlink)});
        const bool rowFull = g.fillPos() == 7;
        std::string incoming;
        for (int i = 0; rowFull && i < Columns; ++i) {
            incoming += g.NichlaDaba[i].caption().leftJustified(1, '?').toStdString()[0];
        }
        const long long fills = g.TimerNichlaDabaFill.ticks();
        const int levelBefore = level(), topBefore = g.topRow();
        m_clock.advanceTo(std::int64_t(due)); // a stopped timer's -1 is the largest here
        ++m_advances;
        const bool pushed = rowFull && g.TimerNichlaDabaFill.ticks() > fills;
        m_rowsPushed += pushed;
        m_largestRows = std::max(m_largestRows, topBefore + (pushed ? 2 : 1));
        if (level() != levelBefore) { // the level's last row: pushed, and the board reset
            expect(pushed && level() == levelBefore + 1 && topBefore + 2 == 3 * levelBefore + 8,
                   "the level changed without a push, or not after 3 x level + 8 rows");
            return levelStart();
        }
        expect(g.topRow() == topBefore + (pushed ? 1 : 0), "a tick moved the top row wrongly");
        if (pushed && (g.topRow() + 1) * Columns <= int(m_letter.size())) { // else step() fails
            std::copy(incoming.begin(), incoming.end(), m_letter.begin() + g.topRow() * Columns);
        }
        step();
        while (pushed && !g.gameOver() && spellWord()) { // only a push brings new letters
        }
    }

    // After each step: the board as the game's rules keep it. Fills m_columns with each
    // column's visible tiles, bottom first, for the bot.
    void step()
    {
        const frmMain &g = m_game;
        ++m_steps;
        m_peakHeap = std::max(m_peakHeap, bench::heapInUse());
        expect(m_quiet.others == 0, "a window other than the high-score window opened");
        const int top = g.topRow(), expected = top < 0 ? 1 : (top + 1) * Columns;
        expect(g.OoperDaba.count() == expected && g.OoperDaba.bound() == expected &&
                   expected <= int(m_letter.size()),
               "the stack does not hold exactly the tiles of its rows");
        const int pos = g.resultPos();
        expect(pos >= 1 && pos <= 9, "the next word slot is out of range");
        const auto word = g.picked().begin(), wordEnd = word + pos - 1;
        for (int s = 1; s <= 8; ++s) {
            const int k = s < pos ? word[s - 1] : -1;
            expect(k < 0 ? g.Result[s].caption().isEmpty()
                         : g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible() &&
                               g.Result[s].caption() == g.OoperDaba[k].caption() &&
                               std::find(word, word + s - 1, k) == word + s - 1,
                   "is not a distinct visible tile of the word, or a slot past it is not empty", k);
        }
        m_columns = {};
        expect(top >= 0 || !g.OoperDaba[0].isVisible(), "tile 0 is shown on an empty board");
        for (int k = expected - 1; top >= 0 && k >= 0; --k) { // newest first: bottom first
            const Control &t = g.OoperDaba[k];
            expect(t.caption() == QString(QLatin1Char(m_letter[k])) &&
                       t.left() == float(3 + 42 * (k % Columns)),
                   "left its column or shows another letter than it was pushed with", k);
            expect(t.isVisible() != bool(m_removed[k]),
                   m_removed[k] ? "is shown after a word took it"
                                : "was lost: hidden, no word took it",
                   k);
            auto &column = m_columns[k % Columns];
            if (!t.isVisible()) {
                continue;
            }
            expect(t.top() == 370 - 41 * float(column.size()) && t.width() == 40 &&
                       t.height() == 40,
                   "is off the grid, on another tile or above a gap", k);
            const bool picked = std::find(word, wordEnd, k) != wordEnd;
            expect(picked != t.isEnabled() &&
                       t.backColor() == (picked ? frmMain::PickedColour : frmMain::TileColour),
                   "is not greyed and locked exactly while it is in the word", k);
            column.push_back(k);
        }
        int visible = 0;
        for (int i = 0; i < Columns; ++i) {
            const Control &t = g.NichlaDaba[i];
            visible += int(m_columns[i].size());
            expect(t.isVisible() == (i <= g.fillPos()) && t.left() == float(3 + 42 * i) &&
                       t.top() == 417,
                   "an incoming tile is out of its place or shown beyond the fill position");
        }
        m_mostVisible = std::max(m_mostVisible, visible);
    }

    // A level has begun (a step of its own): the board is empty, the heap back where it was.
    void levelStart()
    {
        const frmMain &g = m_game;
        std::fill(m_removed.begin(), m_removed.end(), 0);
        step();
        ++m_levelStarts;
        m_highestLevel = std::max(m_highestLevel, level());
        expect(g.topRow() == -1 && g.resultPos() == 1 &&
                   conv::textToDouble(g.lblRowsLeft.caption()) == 3 * level() + 8 &&
                   g.TimerNichlaDabaFill.interval() == 400,
               "a level began with tiles, a word, the wrong rows left or the wrong pace");
        const std::size_t heap = bench::heapInUse();
        m_firstHeap = m_levelStarts == 1 ? heap : m_firstHeap;
        const long rise = m_levelStarts == 1 ? 0 : long(heap) - long(m_lastHeap);
        m_largestRise = std::size_t(std::max(long(m_largestRise), rise));
        m_lastHeap = heap;
        expect(rise <= m_tolerance && long(heap) - long(m_firstHeap) <= m_tolerance,
               "the heap in use rose since the previous or the first level start");
    }

    // The longest word that the letters on offer spell (a count and a bit for each of a to z).
    const std::string *longest(const std::array<int, 26> &offer, std::uint32_t offered) const
    {
        for (const auto &words : m_words) {
            for (const auto &[set, w] : words) {
                std::array<int, 26> left = offer;
                if ((set & ~offered) == 0 &&
                    std::all_of(w.begin(), w.end(), [&](char c) { return left[c - 'a']-- > 0; })) {
                    return &w;
                }
            }
        }
        return nullptr;
    }

    // Spells the longest word from the tallest column, widening to the next tallest until one
    // turns up, each letter from the tallest of those columns that has it; false if none does.
    bool spellWord()
    {
        std::array<int, Columns> order{0, 1, 2, 3, 4, 5, 6, 7};
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return m_columns[a].size() > m_columns[b].size(); });
        std::array<std::vector<int>, 26> pool; // the offered tiles of each letter, tallest first
        std::array<int, 26> offer{}, taken{};
        std::uint32_t offered = 0;
        const std::string *word = nullptr;
        for (int u = 0; u < Columns && !word && !m_columns[order[u]].empty(); ++u) {
            for (int k : m_columns[order[u]]) {
                pool[m_letter[k] - 'A'].push_back(k);
                ++offer[m_letter[k] - 'A'];
                offered |= 1u << (m_letter[k] - 'A');
            }
            word = longest(offer, offered);
        }
        if (!word) {
            return false;
        }
        for (char c : *word) {
            m_game.OoperDaba_Click(pool[c - 'a'][taken[c - 'a']++]);
            ++m_clicks;
            step();
        }
        const auto picked = m_game.picked();
        const double length = double(word->size()),
                     before = conv::textToDouble(m_game.lblScore.caption());
        m_game.btnCheck_Click();
        ++m_spelt;
        m_longest = std::max(m_longest, int(length));
        expect(m_game.lblResult.caption() == QLatin1String("Correct") &&
                   conv::textToDouble(m_game.lblScore.caption()) == before + 10 * length * length,
               "a word of the list was not taken, or did not score 10 x its length squared");
        for (int i = 0; i < int(length); ++i) {
            m_removed[picked[i]] = 1;
        }
        step();
        return true;
    }

    std::array<std::vector<std::pair<std::uint32_t, std::string>>, 6> m_words; // 8 letters first
    VirtualClock m_clock;
    SeededRandom m_random;
    bench::Quiet m_quiet;
    SystemFileAccess m_files;
    long m_tolerance;
    frmMain m_game;
    // What the bot knows: each tile's letter as pushed, whether a correct word took it, and
    // the visible tiles of each column.
    // Room for more rows than a level of this run can have, made once: the heap stays still.
    std::vector<char> m_letter = std::vector<char>(Columns * 2000), m_removed = m_letter;
    std::array<std::vector<int>, Columns> m_columns;
    int m_levelStarts = 0, m_highestLevel = 0, m_largestRows = 0, m_mostVisible = 0, m_longest = 0;
    long m_games = 1, m_steps = 0, m_advances = 0, m_clicks = 0, m_spelt = 0, m_rowsPushed = 0;
    std::size_t m_firstHeap = 0, m_lastHeap = 0, m_peakHeap = 0, m_largestRise = 0;
};

} // namespace

int main(int argc, char **argv)
{
    const int levels = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20240509;
    // glibc's per-thread cache keeps freed small blocks that still count as in use (up to seven
    // a size): start again with it off (a tunable read at start-up) for the game's own figure.
    const char *tunables = std::getenv("GLIBC_TUNABLES");
    const bool cacheOff = tunables && std::strstr(tunables, "glibc.malloc.tcache_count=0");
    if (!cacheOff && !std::getenv("TILNORA_SOAK_RESTARTED")) {
        setenv("GLIBC_TUNABLES", "glibc.malloc.tcache_count=0", 1);
        setenv("TILNORA_SOAK_RESTARTED", "1", 1);
        execv("/proc/self/exe", argv);
    }
    const long tolerance = cacheOff ? 1024 : 32 * 1024;
    std::printf("soak run: %d level starts, seed %llu, allocator cache %s\n", levels, seed,
                cacheOff ? "off" : "on");
    std::fflush(stdout); // so the output buffer is not counted at a level start

    const double started = bench::ms();
    Soak soak(seed, tolerance, bench::gameFolder());
    try {
        soak.run(levels);
    } catch (const std::runtime_error &broken) {
        soak.printFigures();
        std::printf("INVARIANT BROKEN at the last of the steps above: %s\n", broken.what());
        return 1;
    }
    soak.printFigures();
    bench::figure("time taken", (bench::ms() - started) / 1000, "s");
    std::printf("no invariant broken (target: none broken)\n");
    return 0;
}
