#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <memory>

// Hands out scripted numbers first, then those of a seeded source; counts what it gave.
struct ScriptedRandom : RandomSource
{
    explicit ScriptedRandom(std::uint64_t seed) : seeded(seed) {}
    double next() override
    {
        return ++drawn, script.isEmpty() ? seeded.next() : script.takeFirst();
    }
    SeededRandom seeded;
    QList<double> script;
    long long drawn = 0;
};

// A main-window model on a virtual clock with a seeded random source, recording doubles for
// every platform service and its word list, ShortList8.txt, in memory (each word ended by
// CR LF). Nothing here needs a window system.
class GameHarness
{
public:
    static inline const QString Folder = QStringLiteral("/game");
    explicit GameHarness(const QStringList &words = {"cat", "dog"}, std::uint64_t seed = 1,
                         bool startUp = true);

    frmMain &game() { return *m_game; }
    VirtualClock clock;
    EventLog log;
    ScriptedRandom random;
    RecordingBeeper beeper{log};
    RecordingMessageBox messageBox{log};
    RecordingSound sound{log};
    ScriptedWindows windows{log};
    MemoryFiles files;

    void advance(std::int64_t ms) { clock.advanceBy(ms); }
    // Gives the incoming row these eight capitals and pushes it with fill ticks of its own.
    void pushRow(const QString &letters);
    // The visible stack, top line first: one line per Top, '.' where no tile shows.
    QStringList stackPicture() const;
    // Clicks, for each letter, the free tile lowest on screen, then leftmost.
    void spell(const QString &word);
    QString word() const;

    // Plays steps separated by blanks: load, start, restart, enter, clear, back (Backspace),
    // unload, push:ROW, spell:word, key:c, click:k (stack tile), slot:k (word letter),
    // wait:ms, exit:n (the exit dialog answered n), rows:n, level:n and caption:text (set
    // captions), over (rows pushed until the game is over).
    void play(const QString &steps);
    // What the player sees, in one line: Start's caption, level, rows left and score; the
    // overlay's text or '-'; field and menu enabled; fill interval; which timers run; the word,
    // visible stack tiles and incoming tiles.
    QString state() const;

private:
    std::unique_ptr<frmMain> m_game;
};

// A control in one line: "left,top widthxheight 'caption' back #rrggbb fore #rrggbb tip 'text'
// hidden disabled", leaving out black colours, empty texts and the usual flags.
QString describe(const Control &c);

// Test data written one row a line, "name | field | field ...", in one column read back by
// fields() (the fields trimmed).
void addRows(std::initializer_list<const char *> rows);
QStringList fields();
