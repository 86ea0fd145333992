#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "support/scriptedrandom.h"
#include "ui/toolkit/virtualclock.h"

#include <memory>

// A main-window model on a virtual clock with a seeded random source, recording doubles for
// every platform service and its word list in memory. Nothing here needs a window system.
class GameHarness
{
public:
    static inline const QString Folder = QStringLiteral("/game");

    // words: the lines of ShortList8.txt (joined and ended with CR LF). Runs start-up.
    explicit GameHarness(const QStringList &words = {QStringLiteral("cat"), QStringLiteral("dog")},
                         std::uint64_t seed = 1);
    // The model before start-up (for tests of start-up itself).
    static std::unique_ptr<GameHarness> unloaded(const QStringList &words = {QStringLiteral("cat")},
                                                 std::uint64_t seed = 1);

    frmMain &game() { return *m_game; }
    VirtualClock clock;
    EventLog log;
    SeededRandom random;
    ScriptedRandom draws{&random}; // what the game draws: scripted numbers, then `random`'s
    RecordingBeeper beeper{log};
    RecordingMessageBox messageBox{log};
    RecordingSound sound{log};
    ScriptedWindows windows{log};
    MemoryFiles files;

    void load() { m_game->Form_Load(); }
    void advance(std::int64_t ms) { clock.advanceBy(ms); }
    // Fills the incoming row with these eight capitals (tiles filled already included) and
    // pushes it with the fill timer's ticks, without waiting for the timer.
    void pushRow(const QString &letters);
    // Clicks the stack tiles with these indexes, in order, and presses Enter.
    void enterTiles(const QList<int> &tiles);
    // The visible stack, top line first: one line per distinct Top, '.' where no tile shows.
    QStringList stackPicture() const;
    // The visible, free stack tile showing the letter, the lowest on screen, then leftmost.
    int findTile(QChar letter) const;
    // Clicks the tiles spelling the word (each must be on the stack).
    void spell(const QString &word);
    QString word() const;

    // Plays steps separated by blanks: start, restart, enter, clear, back (Backspace), unload,
    // push:ROW, spell:word, key:c, click:k (stack tile), slot:k (word letter), wait:ms,
    // exit:n (the exit dialog, answered n), rows:n and level:n (set the captions), over (rows
    // pushed until the game is over).
    void play(const QString &steps);
    // What the player sees of the game, in one line.
    QString state() const;

private:
    GameHarness(bool load, const QStringList &words, std::uint64_t seed);
    std::unique_ptr<frmMain> m_game;
};

// A control in one line: "left,top widthxheight 'caption' back #rrggbb fore #rrggbb tip 'text'
// hidden disabled", leaving out black colours, empty texts and the usual flags.
QString describe(const Control &c);
