// Soak run: a bot plays the main window's model on the virtual clock, with a seeded random
// source and the shipped word list, until it has seen a given number of level starts (200 by
// default); a game that ends is restarted. Each step is one clock advance to the next timer
// tick, one tile click, one Enter click or a restart, and after every step the board is
// checked: every tile of the stack exists and none beyond the top row, each keeps the letter
// it was pushed with, a tile is shown exactly when no correct word has taken it, every
// visible tile stands on its column's grid place with the column packed from the bottom, and
// the word row names distinct picked tiles. At each level start the board must be empty and
// the heap in use back where it was at the previous level start (and at the first).
//
// The bot looks at the stack whenever a push has changed it (nothing else adds tiles) and
// spells the longest word it can from the tallest column, widening to the next tallest
// columns until a word turns up, until no word is left; so it survives long levels.
//
// Usage: bench_soak [--levels N] [--seed S] [--trace] [--self-check]
//   --trace       prints the heap at every level start
//   --self-check  breaks the board (and the heap) on purpose in short runs and fails unless
//                 each break is reported.
// The word list is read from the build's game folder, or from $TILNORA_GAME_DIR.

#include "game/frmmain.h"
#include "ui/toolkit/conversions.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/textops.h"
#include "ui/toolkit/virtualclock.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// --- Platform stand-ins: nothing is heard or shown, every window returns at once.

class SilentSound : public SoundSink
{
public:
    void playFile(const QString &) override { ++played; }
    long played = 0;
};

class CountingBeeper : public Beeper
{
public:
    void beep() override { ++beeps; }
    long beeps = 0;
};

class KeptMessageBox : public MessageBox
{
public:
    void showOk(const QString &text) override { last = text; }
    QString last;
};

// The high-score window is closed again at once, as a player who enters no name would.
class ClosingWindows : public WindowShower
{
public:
    void showModal(Window window) override
    {
        if (window == Window::Record) {
            ++records;
        } else {
            ++others;
        }
    }
    long records = 0;
    long others = 0;
};

// --- Memory figures.

// Bytes the allocator has handed out and not had back, the big mapped blocks included.
std::size_t heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

long statusKb(const char *field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':') {
            return std::strtol(line.c_str() + n + 1, nullptr, 10);
        }
    }
    return -1;
}

// --- The bot's word search.

// The candidate words of 3 to 8 letters, kept as a tree of their letters in alphabetical
// order: one path per set of anagrams. A search walks only the branches whose letters are
// still on offer, so it costs little however large the list is.
class WordFinder
{
public:
    // Takes every entry of the file that the game's own lookup knows, 3 to 8 letters a to z.
    bool load(const FileAccess &files, const QString &path, const WordList &gameWords)
    {
        const FileReadResult read = files.readAll(path);
        if (!read.ok) {
            return false;
        }
        std::vector<std::pair<std::string, int>> keyed;
        for (const QString &entry : text::splitKeepEmpty(latin1Text(read.bytes), text::CrLf)) {
            if (entry.size() < 3 || entry.size() > 8) {
                continue;
            }
            std::string w = entry.toLatin1().toStdString();
            if (!std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; }) ||
                !gameWords.contains(entry)) {
                continue;
            }
            std::string key = w;
            std::sort(key.begin(), key.end());
            keyed.emplace_back(std::move(key), static_cast<int>(m_words.size()));
            m_words.push_back(std::move(w));
        }
        std::sort(keyed.begin(), keyed.end());
        keyed.erase(std::unique(keyed.begin(), keyed.end(),
                                [](const auto &a, const auto &b) { return a.first == b.first; }),
                    keyed.end());
        m_nodes.clear();
        m_edges.clear();
        build(keyed, 0, keyed.size(), 0);
        m_nodes.shrink_to_fit();
        m_edges.shrink_to_fit();
        return !m_words.empty();
    }

    std::size_t size() const { return m_words.size(); }
    const std::string &word(int i) const { return m_words[static_cast<std::size_t>(i)]; }

    // The longest candidate that the letters on offer can spell (counts per letter a to z),
    // or -1.
    int longest(std::array<int, 26> &offer, int total) const
    {
        m_best = -1;
        m_bestLength = 0;
        m_target = std::min(8, total);
        if (m_target >= 3) {
            walk(0, 0, offer);
        }
        return m_best;
    }

private:
    struct Node
    {
        std::int32_t firstEdge = 0;
        std::uint8_t edgeCount = 0;
        std::uint8_t depthBelow = 0; // the longest path below this node
        std::int32_t word = -1;      // a word with exactly the letters of the path, or -1
    };
    struct Edge
    {
        std::uint8_t letter; // 0 to 25
        std::int32_t child;
    };

    int build(const std::vector<std::pair<std::string, int>> &keys, std::size_t lo, std::size_t hi,
              std::size_t depth)
    {
        const int self = static_cast<int>(m_nodes.size());
        m_nodes.emplace_back();
        if (lo < hi && keys[lo].first.size() == depth) {
            m_nodes[static_cast<std::size_t>(self)].word = keys[lo].second;
            ++lo;
        }
        // Children, one per next letter; the keys are sorted, so each letter is a run.
        std::vector<std::pair<std::size_t, std::size_t>> runs;
        for (std::size_t i = lo; i < hi;) {
            std::size_t j = i + 1;
            while (j < hi && keys[j].first[depth] == keys[i].first[depth]) {
                ++j;
            }
            runs.emplace_back(i, j);
            i = j;
        }
        const int first = static_cast<int>(m_edges.size());
        m_edges.resize(m_edges.size() + runs.size());
        int below = 0;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const auto [a, b] = runs[r];
            const int child = build(keys, a, b, depth + 1);
            m_edges[static_cast<std::size_t>(first) + r] =
                Edge{static_cast<std::uint8_t>(keys[a].first[depth] - 'a'), child};
            below = std::max(below, m_nodes[static_cast<std::size_t>(child)].depthBelow + 1);
        }
        Node &node = m_nodes[static_cast<std::size_t>(self)];
        node.firstEdge = first;
        node.edgeCount = static_cast<std::uint8_t>(runs.size());
        node.depthBelow = static_cast<std::uint8_t>(below);
        return self;
    }

    bool walk(int nodeIndex, int depth, std::array<int, 26> &offer) const
    {
        const Node &node = m_nodes[static_cast<std::size_t>(nodeIndex)];
        if (node.word >= 0 && depth > m_bestLength) {
            m_best = node.word;
            m_bestLength = depth;
            if (depth >= m_target) {
                return true;
            }
        }
        for (int e = 0; e < node.edgeCount; ++e) {
            const Edge &edge = m_edges[static_cast<std::size_t>(node.firstEdge + e)];
            int &left = offer[edge.letter];
            if (left == 0 || depth + 1 + m_nodes[static_cast<std::size_t>(edge.child)].depthBelow <=
                                 m_bestLength) {
                continue;
            }
            --left;
            const bool done = walk(edge.child, depth + 1, offer);
            ++left;
            if (done) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> m_words;
    std::vector<Node> m_nodes;
    std::vector<Edge> m_edges;
    mutable int m_best = -1;
    mutable int m_bestLength = 0;
    mutable int m_target = 0;
};

// --- The soak run.

struct Options
{
    int levels = 200;
    std::uint64_t seed = 20240509;
    bool trace = false;
    // Heap drift allowed at a level start, in bytes, against the previous level start and
    // against the first: numbers shown as text change length, and the first level leaves a few
    // captions owning text where the design shared literals.
    long tolerance = 1024;
    // glibc's per-thread cache keeps freed small blocks that mallinfo2 still counts as in use;
    // the run turns it off (see main) so the figure is the game's own.
    bool cacheOff = false;
    // Self-check only: called after every step with the step number; may break the game.
    std::function<void(frmMain &, long step, int levelStarts)> tamper;
};

constexpr int Columns = 8;
constexpr int MaxRows = 2001;
constexpr float BaseTop = 370;
constexpr float Stride = 41;

class Soak
{
public:
    Soak(const Options &options, const WordFinder &finder, const QString &gameDir)
        : m_options(options), m_finder(finder), m_random(options.seed),
          m_game(std::make_unique<frmMain>(Platform{m_clock, m_random, m_beeper, m_messageBox,
                                                    m_sound, m_windows, m_files, gameDir}))
    {
        m_letter.assign(static_cast<std::size_t>(MaxRows) * Columns, 0);
        m_removed.assign(m_letter.size(), 0);
        m_inWord.assign(m_letter.size(), 0);
        for (auto &column : m_columns) {
            column.reserve(MaxRows);
        }
    }

    // Plays until the level starts are all seen or an invariant breaks; false on a break,
    // with the reason in failure().
    bool run()
    {
        frmMain &g = *m_game;
        g.Form_Load();
        if (g.loadFailed()) {
            return fail("start-up failed: " + g.lblResult.caption().toStdString() + " / " +
                        m_messageBox.last.toStdString());
        }
        if (!checkBoard()) {
            return false;
        }
        g.btnStart_Click();
        if (!afterStep() || !checkBoard() || !levelStart()) {
            return false;
        }
        while (m_levelStarts < m_options.levels) {
            if (g.gameOver()) {
                ++m_gameOvers;
                g.RestartGame();
                ++m_restarts;
                clearShadow();
                if (!afterStep() || !checkBoard() || !levelStart()) {
                    return false;
                }
                continue;
            }
            if (!tick()) {
                return false;
            }
            if (m_dirty && !g.gameOver() && !botTurn()) {
                return false;
            }
        }
        return true;
    }

    const std::string &failure() const { return m_failure; }

    void printFigures(double seconds) const
    {
        const frmMain &g = *m_game;
        if (m_firstLevelHeap == 0) {
            std::printf("no heap figures: this allocator is not glibc's (a sanitizer build?)\n");
        }
        const long ticks =
            g.TimerNichlaDabaFill.ticks() + g.Timer1.ticks() + g.TimerResultBlink.ticks();
        std::printf("seed %llu, word list %zu candidate words of 3 to 8 letters\n",
                    static_cast<unsigned long long>(m_options.seed), m_finder.size());
        std::printf("levels played: %d level starts (%ld level-ups, highest level %d)\n",
                    m_levelStarts, m_levelUps, m_highestLevel);
        std::printf("games: %ld (%ld ended in game over and were restarted)\n", m_restarts + 1,
                    m_gameOvers);
        std::printf("steps: %ld (%ld clock advances, %ld tile clicks, %ld Enter clicks, %ld "
                    "restarts, 1 Start)\n",
                    m_steps, m_advances, m_tileClicks, m_enterClicks, m_restarts);
        std::printf(
            "timer ticks: %ld (fill %lld, pacing %lld, message blink %lld); rows pushed %ld\n",
            ticks, g.TimerNichlaDabaFill.ticks(), g.Timer1.ticks(), g.TimerResultBlink.ticks(),
            m_rowsPushed);
        std::printf("virtual time played: %.1f h\n", static_cast<double>(m_clock.now()) / 3.6e6);
        std::printf(
            "words spelt: %ld (%ld tiles removed, longest %d letters), score at the end %s\n",
            m_words, m_tilesRemoved, m_longestWord, qPrintable(g.lblScore.caption()));
        std::printf("largest board: %d rows, %d tiles; most tiles on screen at once: %d\n",
                    m_largestRows, m_largestRows * Columns, m_mostVisible);
        std::printf("heap in use at level starts: first %zu B, last %zu B (%+ld B, of which the "
                    "stack's slot table %+ld B, grown to %zu slots)\n",
                    m_firstLevelHeap, m_lastLevelHeap,
                    static_cast<long>(m_lastLevelHeap) - static_cast<long>(m_firstLevelHeap),
                    m_slotGrowth, m_slots);
        std::printf("  between two level starts: largest rise %+ld B, largest fall %+ld B\n",
                    m_largestRise, m_largestFall);
        std::printf("  the slot table aside: largest rise %+ld B, at most %+ld B above the first "
                    "(tolerance %ld B, allocator cache %s)\n",
                    m_largestNetRise, m_largestNetSinceFirst, m_options.tolerance,
                    m_options.cacheOff ? "off" : "on");
        std::printf("peak heap in use: %zu B (%.2f MiB); VmHWM %ld kB, VmRSS at the end %ld kB\n",
                    m_peakHeap, static_cast<double>(m_peakHeap) / (1 << 20), statusKb("VmHWM"),
                    statusKb("VmRSS"));
        std::printf("sounds %ld, beeps %ld, high-score windows %ld\n", m_sound.played,
                    m_beeper.beeps, m_windows.records);
        std::printf("time taken: %.2f s\n", seconds);
    }

private:
    bool fail(const std::string &what)
    {
        m_failure = "step " + std::to_string(m_steps) + " (level start " +
                    std::to_string(m_levelStarts) + ", game " + std::to_string(m_restarts + 1) +
                    ", level " + m_game->lblLevel.caption().toStdString() + "): " + what;
        return false;
    }

    static std::string pixels(float v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
        return text;
    }

    static std::string tileName(int k)
    {
        return "tile " + std::to_string(k) + " (row " + std::to_string(k / Columns) + ", column " +
               std::to_string(k % Columns) + ")";
    }

    void clearShadow()
    {
        std::fill(m_removed.begin(), m_removed.end(), 0);
        m_dirty = false;
    }

    // Bookkeeping common to every step; gives the self-check its chance to break things.
    bool afterStep()
    {
        ++m_steps;
        const std::size_t heap = heapInUse();
        m_peakHeap = std::max(m_peakHeap, heap);
        if (m_options.tamper) {
            m_options.tamper(*m_game, m_steps, m_levelStarts);
        }
        if (m_windows.others > 0) {
            return fail("a window other than the high-score window was opened");
        }
        return true;
    }

    // One clock advance to the next tick of any of the three timers.
    bool tick()
    {
        frmMain &g = *m_game;
        std::int64_t due = -1;
        for (const ModelTimer *t : {&g.TimerNichlaDabaFill, &g.Timer1, &g.TimerResultBlink}) {
            const std::int64_t next = m_clock.nextTick(*t);
            if (next >= 0 && (due < 0 || next < due)) {
                due = next;
            }
        }
        if (m_clock.nextTick(g.TimerNichlaDabaFill) < 0 || due < 0) {
            return fail("the fill timer stopped while the game runs");
        }
        if (g.fillPos() == 7) {
            for (int i = 0; i < Columns; ++i) {
                const QString &c = g.NichlaDaba[i].caption();
                m_incoming[static_cast<std::size_t>(i)] = c.size() == 1 ? c.at(0).toLatin1() : '?';
            }
        }
        const bool rowFull = g.fillPos() == 7;
        const long long fillsBefore = g.TimerNichlaDabaFill.ticks();
        const int levelBefore = level();
        const int topBefore = g.topRow();
        m_clock.advanceTo(due);
        ++m_advances;
        if (!afterStep()) {
            return false;
        }
        // The row is pushed by the fill tick that comes when it is full; a pacing or blink
        // tick on its own changes nothing on the stack.
        const bool pushes = rowFull && g.TimerNichlaDabaFill.ticks() > fillsBefore;
        const int levelNow = level();
        if (levelNow != levelBefore) {
            if (!pushes || levelNow != levelBefore + 1) {
                return fail("the level went from " + std::to_string(levelBefore) + " to " +
                            std::to_string(levelNow) + (pushes ? "" : " without a push"));
            }
            // The last row of the level: the board was reset in the same tick.
            const int rows = topBefore + 2;
            if (rows != 3 * levelBefore + 8) {
                return fail("level " + std::to_string(levelBefore) + " lasted " +
                            std::to_string(rows) + " rows instead of " +
                            std::to_string(3 * levelBefore + 8));
            }
            ++m_rowsPushed;
            ++m_levelUps;
            m_largestRows = std::max(m_largestRows, rows);
            clearShadow();
            return checkBoard() && levelStart();
        }
        if (pushes) {
            if (g.topRow() != topBefore + 1) {
                return fail("a push took the top row from " + std::to_string(topBefore) + " to " +
                            std::to_string(g.topRow()));
            }
            const int row = g.topRow();
            if (row >= MaxRows) {
                return fail("the stack has more rows than a level can hold");
            }
            for (int i = 0; i < Columns; ++i) {
                m_letter[static_cast<std::size_t>(row * Columns + i)] =
                    m_incoming[static_cast<std::size_t>(i)];
            }
            ++m_rowsPushed;
            m_largestRows = std::max(m_largestRows, row + 1);
            m_dirty = true;
        } else if (g.topRow() != topBefore) {
            return fail("the top row changed from " + std::to_string(topBefore) + " to " +
                        std::to_string(g.topRow()) + " on a tick that pushed nothing");
        }
        return checkBoard();
    }

    int level() const { return static_cast<int>(conv::textToDouble(m_game->lblLevel.caption())); }

    // The board as the game's rules keep it. Fills m_columns with the visible tiles of each
    // column, bottom first, for the bot.
    bool checkBoard()
    {
        const frmMain &g = *m_game;
        const int top = g.topRow();
        const int expected = top < 0 ? 1 : (top + 1) * Columns;
        if (top < -1 || top >= MaxRows) {
            return fail("the top row is " + std::to_string(top));
        }
        const int count = g.OoperDaba.count();
        if (count != expected || g.OoperDaba.bound() != expected) {
            return fail("the stack holds " + std::to_string(count) + " tiles up to index " +
                        std::to_string(g.OoperDaba.bound() - 1) + "; its " +
                        std::to_string(top + 1) + " rows make " + std::to_string(expected));
        }

        // The word row: slots 1 to resultPos - 1 show the letters of distinct picked tiles.
        const int pos = g.resultPos();
        if (pos < 1 || pos > 9) {
            return fail("the next word slot is " + std::to_string(pos));
        }
        for (int s = 1; s <= 8; ++s) {
            const QString &slot = g.Result[s].caption();
            if (s >= pos) {
                if (!slot.isEmpty()) {
                    return fail("word slot " + std::to_string(s) + " shows " + slot.toStdString() +
                                " past the end of the word");
                }
                continue;
            }
            const int k = g.picked()[static_cast<std::size_t>(s - 1)];
            if (!g.OoperDaba.exists(k) || !g.OoperDaba[k].isVisible() ||
                g.OoperDaba[k].isEnabled() || g.OoperDaba[k].backColor() != frmMain::PickedColour) {
                return fail("word slot " + std::to_string(s) + " names " + tileName(k) +
                            ", which is not a visible, picked tile");
            }
            if (slot != g.OoperDaba[k].caption()) {
                return fail("word slot " + std::to_string(s) + " shows " + slot.toStdString() +
                            " but " + tileName(k) + " shows " +
                            g.OoperDaba[k].caption().toStdString());
            }
            if (m_inWord[static_cast<std::size_t>(k)]) {
                unmarkWord(s - 1);
                return fail(tileName(k) + " stands twice in the word");
            }
            m_inWord[static_cast<std::size_t>(k)] = 1;
        }

        // The stack, newest row first, so each column's visible tiles come bottom first.
        for (auto &column : m_columns) {
            column.clear();
        }
        int visible = 0;
        bool ok = true;
        std::string why;
        if (top < 0) {
            if (g.OoperDaba[0].isVisible()) {
                ok = false;
                why = "tile 0 is shown on an empty board";
            }
        }
        for (int k = expected - 1; ok && top >= 0 && k >= 0; --k) {
            const Control &t = g.OoperDaba[k];
            const int c = k % Columns;
            const QString &caption = t.caption();
            const char letter = m_letter[static_cast<std::size_t>(k)];
            if (caption.size() != 1 ||
                caption.at(0).unicode() != static_cast<unsigned char>(letter)) {
                ok = false;
                why = tileName(k) + " shows '" + caption.toStdString() + "' but was pushed as '" +
                      letter + "'";
                break;
            }
            if (t.left() != static_cast<float>(3 + 42 * c)) {
                ok = false;
                why = tileName(k) + " stands at Left " + std::to_string(t.left()) +
                      ", off its column";
                break;
            }
            const bool gone = m_removed[static_cast<std::size_t>(k)] != 0;
            if (!t.isVisible()) {
                if (!gone) {
                    ok = false;
                    why = tileName(k) + " was lost: hidden, but no correct word took it";
                }
                continue;
            }
            if (gone) {
                ok = false;
                why = tileName(k) + " is shown again after a correct word took it";
                break;
            }
            auto &column = m_columns[static_cast<std::size_t>(c)];
            const float place = BaseTop - Stride * static_cast<float>(column.size());
            if (t.top() != place) {
                ok = false;
                why = placeFault(k, column);
                break;
            }
            if (t.width() != 40 || t.height() != 40) {
                ok = false;
                why = tileName(k) + " is not 40 x 40";
                break;
            }
            const bool picked = m_inWord[static_cast<std::size_t>(k)] != 0;
            if (picked == t.isEnabled() ||
                t.backColor() != (picked ? frmMain::PickedColour : frmMain::TileColour)) {
                ok = false;
                why = tileName(k) + (picked ? " is in the word but not greyed out and locked"
                                            : " is free but greyed out or locked");
                break;
            }
            column.push_back(k);
            ++visible;
        }
        unmarkWord(pos - 1);
        if (!ok) {
            return fail(why);
        }
        m_mostVisible = std::max(m_mostVisible, visible);

        // The incoming row: tiles 0 to fillPos show letters, the others are hidden.
        const int fill = g.fillPos();
        if (fill < -1 || fill > 7) {
            return fail("the incoming row's fill position is " + std::to_string(fill));
        }
        for (int i = 0; i < Columns; ++i) {
            const Control &t = g.NichlaDaba[i];
            if (t.isVisible() != (i <= fill)) {
                return fail("incoming tile " + std::to_string(i) +
                            (t.isVisible() ? " is shown" : " is hidden") +
                            " with the fill position at " + std::to_string(fill));
            }
            if (t.left() != static_cast<float>(3 + 42 * i) || t.top() != 417) {
                return fail("incoming tile " + std::to_string(i) + " left its place");
            }
        }
        return true;
    }

    void unmarkWord(int letters)
    {
        const frmMain &g = *m_game;
        for (int j = 0; j < letters; ++j) {
            const int k = g.picked()[static_cast<std::size_t>(j)];
            if (k >= 0 && static_cast<std::size_t>(k) < m_inWord.size()) {
                m_inWord[static_cast<std::size_t>(k)] = 0;
            }
        }
    }

    // Says what is wrong with a visible tile that is not at its place: off the grid, on
    // another tile, or above a gap.
    std::string placeFault(int k, const std::vector<int> &below) const
    {
        const frmMain &g = *m_game;
        const float top = g.OoperDaba[k].top();
        const float steps = (BaseTop - top) / Stride;
        if (steps < 0 || steps != static_cast<float>(static_cast<int>(steps))) {
            return tileName(k) + " stands at Top " + pixels(top) + ", off the grid";
        }
        for (int other : below) {
            if (g.OoperDaba[other].top() == top) {
                return tileName(k) + " stands on the same place as " + tileName(other);
            }
        }
        return tileName(k) + " stands at Top " + pixels(top) + " with " +
               std::to_string(below.size()) + " tiles below it: its column is not packed";
    }

    // A level has just begun: the board is empty, and the heap is back where it was.
    bool levelStart()
    {
        const frmMain &g = *m_game;
        ++m_levelStarts;
        const int lvl = level();
        m_highestLevel = std::max(m_highestLevel, lvl);
        if (g.topRow() != -1 || g.OoperDaba.count() != 1 || g.OoperDaba[0].isVisible()) {
            return fail("a level began with " + std::to_string(g.OoperDaba.count()) +
                        " tiles and top row " + std::to_string(g.topRow()));
        }
        if (g.resultPos() != 1) {
            return fail("a level began with a word in progress");
        }
        if (conv::textToDouble(g.lblRowsLeft.caption()) != 3 * lvl + 8) {
            return fail("level " + std::to_string(lvl) + " begins with " +
                        g.lblRowsLeft.caption().toStdString() + " rows left");
        }
        if (g.TimerNichlaDabaFill.interval() != 400) {
            return fail("a level began filling every " +
                        std::to_string(g.TimerNichlaDabaFill.interval()) + " ms");
        }
        // The stack's slot table (one pointer per tile index) keeps the size of the largest
        // board so far; its buffer doubles as boards grow, so a level start after a record
        // board may find it larger. That much, and only that much, may be added.
        const std::size_t slotCount =
            std::bit_ceil(static_cast<std::size_t>(m_largestRows) * Columns);
        const long slotGrowth =
            static_cast<long>((std::max<std::size_t>(slotCount, 1) - m_slots) * sizeof(void *));
        m_slots = std::max<std::size_t>(slotCount, 1);
        m_slotGrowth += slotGrowth;
        const std::size_t heap = heapInUse();
        const long drift =
            m_levelStarts == 1 ? 0 : static_cast<long>(heap) - static_cast<long>(m_lastLevelHeap);
        if (m_options.trace) {
            std::printf("level start %3d: level %3d, heap %zu B (%+ld, slot table %+ld)\n",
                        m_levelStarts, lvl, heap, drift, slotGrowth);
        }
        if (m_levelStarts == 1) {
            m_firstLevelHeap = heap;
            m_lastLevelHeap = heap;
            return true;
        }
        m_lastLevelHeap = heap;
        m_largestRise = std::max(m_largestRise, drift);
        m_largestFall = std::min(m_largestFall, drift);
        m_largestNetRise = std::max(m_largestNetRise, drift - slotGrowth);
        const long sinceFirst =
            static_cast<long>(heap) - static_cast<long>(m_firstLevelHeap) - m_slotGrowth;
        m_largestNetSinceFirst = std::max(m_largestNetSinceFirst, sinceFirst);
        if (drift - slotGrowth > m_options.tolerance) {
            return fail("the heap in use at the level start grew by " + std::to_string(drift) +
                        " B since the previous level start (" + std::to_string(slotGrowth) +
                        " B of it the stack's slot table)");
        }
        if (sinceFirst > m_options.tolerance) {
            return fail("the heap in use at the level start is " + std::to_string(sinceFirst) +
                        " B above the first level start, the stack's slot table aside");
        }
        return true;
    }

    // Spells words from the visible tiles while it finds any, tallest columns first.
    bool botTurn()
    {
        frmMain &g = *m_game;
        for (;;) {
            std::array<int, Columns> order{};
            for (int c = 0; c < Columns; ++c) {
                order[static_cast<std::size_t>(c)] = c;
            }
            std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
                return m_columns[static_cast<std::size_t>(a)].size() >
                       m_columns[static_cast<std::size_t>(b)].size();
            });
            // Offer the letters of the tallest column, then of the next ones too, until some
            // word can be spelt from what is on offer.
            std::array<int, 26> offer{};
            int total = 0;
            int found = -1;
            int used = 0;
            for (; used < Columns && found < 0; ++used) {
                const auto &column =
                    m_columns[static_cast<std::size_t>(order[static_cast<std::size_t>(used)])];
                if (column.empty()) {
                    break;
                }
                for (int k : column) {
                    ++offer[static_cast<std::size_t>(m_letter[static_cast<std::size_t>(k)] - 'A')];
                    ++total;
                }
                found = m_finder.longest(offer, total);
            }
            if (found < 0) {
                break;
            }
            // For each letter, a tile from the tallest of the offered columns that still has one.
            const std::string &word = m_finder.word(found);
            std::array<int, Columns> taken{};
            std::array<int, 8> tiles{};
            for (std::size_t i = 0; i < word.size(); ++i) {
                const char letter = static_cast<char>(word[i] - 'a' + 'A');
                int best = -1;
                int bestColumn = -1;
                int bestHeight = -1;
                for (int u = 0; u < used; ++u) {
                    const int c = order[static_cast<std::size_t>(u)];
                    const auto &column = m_columns[static_cast<std::size_t>(c)];
                    const int height =
                        static_cast<int>(column.size()) - taken[static_cast<std::size_t>(c)];
                    if (height <= bestHeight) {
                        continue;
                    }
                    for (int k : column) {
                        if (m_letter[static_cast<std::size_t>(k)] == letter &&
                            std::find(tiles.begin(), tiles.begin() + static_cast<long>(i), k) ==
                                tiles.begin() + static_cast<long>(i)) {
                            best = k;
                            bestColumn = c;
                            bestHeight = height;
                            break;
                        }
                    }
                }
                if (best < 0) {
                    return fail("the bot found '" + word + "' but no tile for its letter " +
                                letter);
                }
                tiles[i] = best;
                ++taken[static_cast<std::size_t>(bestColumn)];
            }
            const int length = static_cast<int>(word.size());
            for (int i = 0; i < length; ++i) {
                g.OoperDaba_Click(tiles[static_cast<std::size_t>(i)]);
                ++m_tileClicks;
                if (!afterStep() || !checkBoard()) {
                    return false;
                }
            }
            const double scoreBefore = conv::textToDouble(g.lblScore.caption());
            g.btnCheck_Click();
            ++m_enterClicks;
            if (!afterStep()) {
                return false;
            }
            if (g.lblResult.caption() != QLatin1String("Correct")) {
                return fail("the word '" + word + "' from the list was answered with '" +
                            g.lblResult.caption().toStdString() + "'");
            }
            if (conv::textToDouble(g.lblScore.caption()) != scoreBefore + 10.0 * length * length) {
                return fail("the word '" + word + "' took the score from " +
                            std::to_string(scoreBefore) + " to " +
                            g.lblScore.caption().toStdString());
            }
            for (int i = 0; i < length; ++i) {
                m_removed[static_cast<std::size_t>(tiles[static_cast<std::size_t>(i)])] = 1;
            }
            ++m_words;
            m_tilesRemoved += length;
            m_longestWord = std::max(m_longestWord, length);
            if (!checkBoard()) {
                return false;
            }
        }
        m_dirty = false;
        return true;
    }

    Options m_options;
    const WordFinder &m_finder;
    VirtualClock m_clock;
    SeededRandom m_random;
    CountingBeeper m_beeper;
    KeptMessageBox m_messageBox;
    SilentSound m_sound;
    ClosingWindows m_windows;
    SystemFileAccess m_files;
    std::unique_ptr<frmMain> m_game;

    // What the bot knows of the board: each tile's letter as pushed, whether a correct word
    // took it, and (during a check) whether it stands in the word.
    std::vector<char> m_letter;
    std::vector<char> m_removed;
    std::vector<char> m_inWord;
    std::array<char, Columns> m_incoming{};
    std::array<std::vector<int>, Columns> m_columns;
    bool m_dirty = false; // a push changed the stack since the bot last looked

    std::string m_failure;
    int m_levelStarts = 0;
    long m_levelUps = 0;
    long m_gameOvers = 0;
    long m_restarts = 0;
    int m_highestLevel = 0;
    long m_steps = 0;
    long m_advances = 0;
    long m_tileClicks = 0;
    long m_enterClicks = 0;
    long m_rowsPushed = 0;
    long m_words = 0;
    long m_tilesRemoved = 0;
    int m_longestWord = 0;
    int m_largestRows = 0;
    int m_mostVisible = 0;
    std::size_t m_firstLevelHeap = 0;
    std::size_t m_lastLevelHeap = 0;
    std::size_t m_peakHeap = 0;
    std::size_t m_slots = 1;
    long m_slotGrowth = 0;
    long m_largestRise = 0;
    long m_largestFall = 0;
    long m_largestNetRise = 0;
    long m_largestNetSinceFirst = 0;
};

QString gameFolder()
{
    const QString dir = qEnvironmentVariable("TILNORA_GAME_DIR");
    return dir.isEmpty() ? QStringLiteral(TILNORA_SOAK_GAME_DIR) : dir;
}

// Each case breaks one thing during a short run; the soak must stop and say so.
int selfCheck(const WordFinder &finder, const QString &dir)
{
    struct Case
    {
        const char *what;
        const char *expect; // part of the failure text
        std::function<void(frmMain &, long, int)> tamper;
        bool heap = false; // a heap case, which needs glibc's figures
    };
    static std::vector<std::unique_ptr<char[]>> kept;
    const auto visibleTile = [](frmMain &g) {
        for (int k = g.OoperDaba.bound() - 1; k >= 0; --k) {
            if (g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible() && g.OoperDaba[k].isEnabled()) {
                return k;
            }
        }
        return -1;
    };
    const std::vector<Case> cases = {
        {"a tile hidden", "was lost",
         [&](frmMain &g, long step, int) {
             if (step > 300 && visibleTile(g) >= 0) {
                 g.OoperDaba[visibleTile(g)].setVisible(false);
             }
         }},
        {"a tile lifted by one stride", "not packed",
         [&](frmMain &g, long step, int) {
             const int k = visibleTile(g);
             if (step > 300 && k >= 0 && g.OoperDaba[k].top() == 370) {
                 g.OoperDaba[k].setTop(329);
             }
         }},
        {"a tile half a row off", "off the grid",
         [&](frmMain &g, long step, int) {
             const int k = visibleTile(g);
             if (step > 300 && k >= 0) {
                 g.OoperDaba[k].setTop(g.OoperDaba[k].top() - 20);
             }
         }},
        {"a tile changes its letter", "was pushed as",
         [&](frmMain &g, long step, int) {
             const int k = visibleTile(g);
             if (step > 300 && k >= 0) {
                 g.OoperDaba[k].setCaption(g.OoperDaba[k].caption() == QLatin1String("Q")
                                               ? QStringLiteral("Z")
                                               : QStringLiteral("Q"));
             }
         }},
        {"a tile dropped onto the one below it", "on the same place",
         [&](frmMain &g, long step, int) {
             if (step <= 300) {
                 return;
             }
             for (int k = 0; k < g.OoperDaba.bound(); ++k) {
                 if (g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible() &&
                     g.OoperDaba[k].top() == 329) {
                     g.OoperDaba[k].setTop(370);
                     return;
                 }
             }
         }},
        {"a removed tile shown again", "shown again",
         [&](frmMain &g, long step, int) {
             if (step <= 300 || g.topRow() < 0) {
                 return;
             }
             for (int k = 0; k < g.OoperDaba.bound(); ++k) {
                 if (g.OoperDaba.exists(k) && !g.OoperDaba[k].isVisible()) {
                     g.OoperDaba[k].setVisible(true);
                     return;
                 }
             }
         }},
        {"a tile left beyond the top row", "tiles up to index",
         [&](frmMain &g, long step, int) {
             if (step > 300 && g.topRow() >= 0 && !g.OoperDaba.exists(g.OoperDaba.bound())) {
                 g.OoperDaba.load(g.OoperDaba.bound(), 0);
             }
         }},
        {"a word tile shown twice", "twice in the word",
         [&](frmMain &g, long step, int) {
             // The second slot names the first slot's tile again, as a click that picked
             // one tile twice would leave it.
             if (step > 300 && g.resultPos() == 3) {
                 const int k = g.picked()[0];
                 const_cast<std::array<std::int16_t, 9> &>(g.picked())[1] =
                     static_cast<std::int16_t>(k);
                 g.Result[2].setCaption(g.OoperDaba[k].caption());
             }
         }},
        {"memory kept at a level start", "heap in use",
         [&](frmMain &, long, int levelStarts) {
             if (levelStarts == 3 && kept.empty()) {
                 kept.emplace_back(new char[64 * 1024]);
                 std::memset(kept.back().get(), 1, 64 * 1024);
             }
         },
         true},
        {"a little memory kept at every level start", "above the first level start",
         [&](frmMain &, long, int levelStarts) {
             if (levelStarts >= 2 && kept.size() < static_cast<std::size_t>(levelStarts - 1)) {
                 kept.emplace_back(new char[400]);
                 std::memset(kept.back().get(), 1, 400);
             }
         },
         true},
    };
    // A sanitizer's allocator keeps no glibc figures: the heap cases cannot be told apart.
    const bool heapKnown = heapInUse() > 0;
    int failures = 0;
    for (const Case &c : cases) {
        if (c.heap && !heapKnown) {
            std::printf("self-check, %s: skipped, no heap figures from this allocator\n", c.what);
            continue;
        }
        Options options;
        options.levels = 8;
        options.tamper = c.tamper;
        Soak soak(options, finder, dir);
        const bool ran = soak.run();
        kept.clear();
        const bool caught = !ran && soak.failure().find(c.expect) != std::string::npos;
        std::printf("self-check, %s: %s\n    %s\n", c.what, caught ? "caught" : "NOT CAUGHT",
                    ran ? "(the run finished)" : soak.failure().c_str());
        failures += caught ? 0 : 1;
    }
    kept.clear();
    return failures == 0 ? 0 : 1;
}

// Starts the program again with glibc's per-thread cache of freed blocks turned off (a
// tunable read only at start-up); true when it is off.
bool allocatorCacheOff(char **argv)
{
    static const std::string setting = "glibc.malloc.tcache_count=0";
    const char *tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables && std::string(tunables).find(setting) != std::string::npos) {
        return true;
    }
    if (std::getenv("TILNORA_SOAK_RESTARTED")) {
        return false;
    }
    const std::string value =
        tunables && *tunables ? std::string(tunables) + ":" + setting : setting;
    setenv("GLIBC_TUNABLES", value.c_str(), 1);
    setenv("TILNORA_SOAK_RESTARTED", "1", 1);
    execv("/proc/self/exe", argv);
    return false; // could not start again: run with the cache on
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    bool self = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--levels" && i + 1 < argc) {
            options.levels = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--seed" && i + 1 < argc) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (a == "--trace") {
            options.trace = true;
        } else if (a == "--self-check") {
            self = true;
        } else {
            std::fprintf(stderr,
                         "usage: bench_soak [--levels N] [--seed S] [--trace] [--self-check]\n");
            return 2;
        }
    }
    options.cacheOff = allocatorCacheOff(argv);
    if (!options.cacheOff) {
        // Up to seven freed blocks per size class stay counted as in use.
        options.tolerance = 32 * 1024;
    }
    const auto started = std::chrono::steady_clock::now();
    const QString dir = gameFolder();
    // Printed before the run, so that the output buffer is not counted at a level start.
    std::printf("bench_soak: %s, seed %llu, word list from %s, allocator cache %s\n",
                self ? "self-check" : (std::to_string(options.levels) + " level starts").c_str(),
                static_cast<unsigned long long>(options.seed), qPrintable(dir),
                options.cacheOff ? "off" : "on");
    std::fflush(stdout);

    // The candidates are taken from the shipped file, each confirmed by the game's own lookup.
    WordFinder finder;
    {
        SystemFileAccess files;
        VirtualClock clock;
        SeededRandom random(1);
        CountingBeeper beeper;
        KeptMessageBox box;
        SilentSound sound;
        ClosingWindows windows;
        frmMain probe(Platform{clock, random, beeper, box, sound, windows, files, dir});
        probe.Form_Load();
        if (probe.loadFailed() ||
            !finder.load(files, dir + QStringLiteral("/ShortList8.txt"), probe.words())) {
            std::fprintf(stderr, "bench_soak: no word list in %s\n", qPrintable(dir));
            return 1;
        }
    }
    if (self) {
        return selfCheck(finder, dir);
    }

    Soak soak(options, finder, dir);
    const bool ok = soak.run();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    soak.printFigures(seconds);
    if (!ok) {
        std::printf("INVARIANT BROKEN at %s\n", soak.failure().c_str());
        return 1;
    }
    std::printf("no invariant broken\n");
    return 0;
}
