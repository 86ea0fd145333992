#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <deque>
#include <memory>

// Hands out scripted numbers first, then those of the fallback source.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(RandomSource *fallback) : m_fallback(fallback) {}
    void script(double draw) { m_script.push_back(draw); }
    long long drawn() const { return m_drawn; }
    double next() override
    {
        ++m_drawn;
        const double d = m_script.empty() ? m_fallback->next() : m_script.front();
        m_script.empty() ? void() : m_script.pop_front();
        return d;
    }

private:
    RandomSource *m_fallback;
    std::deque<double> m_script;
    long long m_drawn = 0;
};

// A main-window model on a virtual clock with a seeded random source, recording doubles for
// every platform service and its word list in memory. Nothing here needs a window system.
class GameHarness
{
public:
    static inline const QString Folder = QStringLiteral("/game");

    // words: the lines of ShortList8.txt (each ended by CR LF). Runs start-up.
    explicit GameHarness(const QStringList &words = {"cat", "dog"}, std::uint64_t seed = 1);
    // The model before start-up.
    static std::unique_ptr<GameHarness> unloaded(const QStringList &words = {"cat"},
                                                 std::uint64_t seed = 1);

    frmMain &game() { return *m_game; }
    VirtualClock clock;
    EventLog log;
    SeededRandom random;
    ScriptedRandom draws{&random}; // what the game draws
    RecordingBeeper beeper{log};
    RecordingMessageBox messageBox{log};
    RecordingSound sound{log};
    ScriptedWindows windows{log};
    MemoryFiles files;

    void load() { m_game->Form_Load(); }
    void advance(std::int64_t ms) { clock.advanceBy(ms); }
    // Gives the incoming row these eight capitals and pushes it with fill ticks of its own.
    void pushRow(const QString &letters);
    // Clicks these stack tiles in order and presses Enter.
    void enterTiles(const QList<int> &tiles);
    // The visible stack, top line first: one line per Top, '.' where no tile shows.
    QStringList stackPicture() const;
    // The free visible stack tile with the letter, the lowest on screen, then leftmost; or -1.
    int findTile(QChar letter) const;
    void spell(const QString &word);
    QString word() const;

    // Plays steps separated by blanks: start, restart, enter, clear, back (Backspace), unload,
    // push:ROW, spell:word, key:c, click:k (stack tile), slot:k (word letter), wait:ms,
    // exit:n (the exit dialog answered n), rows:n, level:n and caption:text (set captions),
    // over (rows pushed until the game is over).
    void play(const QString &steps);
    // What the player sees, in one line: Start's caption, level, rows left and score; the
    // overlay's text or '-'; field and menu enabled; fill interval; which timers run; the word,
    // visible stack tiles and incoming tiles.
    QString state() const;

private:
    GameHarness(bool load, const QStringList &words, std::uint64_t seed);
    std::unique_ptr<frmMain> m_game;
};

// A control in one line: "left,top widthxheight 'caption' back #rrggbb fore #rrggbb tip 'text'
// hidden disabled", leaving out black colours, empty texts and the usual flags.
QString describe(const Control &c);

// Test data written one row a line, "name | field | field ...", in one column read back by
// fields() (the fields trimmed).
void addRows(std::initializer_list<const char *> rows);
QStringList fields();
