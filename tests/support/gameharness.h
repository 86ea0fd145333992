#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <memory>

// The scripted numbers first, then seeded ones.
struct ScriptedRandom : RandomSource
{
    SeededRandom seeded{1};
    QList<double> script;
    double next() override { return script.isEmpty() ? seeded.next() : script.takeFirst(); }
};

// The main window's model after start-up, on a virtual clock, with recording
// stand-ins.
//
// play() runs steps separated by blanks, each what the player or the clock does:
//   start, enter, clear, record   a click on Start, Enter, Clear or High Score
//   back        the Backspace key
//   click:k     a click on stack tile k (row k / 8 from the oldest, column k % 8)
//   slot:k      a click on the word's letter k (1 to 8)
//   spell:cat   the keys c, a, t, each picking the lowest, then leftmost free tile
//   push:ROW    fill ticks until the incoming row, showing ROW, is pushed
//   over        rows of Z pushed until the game is over
//   wait:ms     the clock runs on
//   exit:n      the exit button, answered 0 Restart Game, 1 Exit the Game or
//               2 Back to Game
//
// stackPicture(): a string per row of tiles, from the top down to Top 370; a
// free tile shows its letter, a picked one (grey, locked) its small letter, '.'
// no tile, '?' anything else.
//
// facts() gives "key=value": the captions btnStart, lblLevel, lblRowsLeft,
// lblScore, lblResult, lblBlack; PicBlack (shown or hidden); fillTimer (on or
// off); fillInterval; word; stack (the picture); incomingTiles (how many show);
// closed (the window unloaded), highScoreView (yes or no); blue (the menu labels
// lit); heard (the beeps and sounds so far).
struct GameHarness
{
    explicit GameHarness(const QStringList &words = {"cat"}, bool startUp = true);
    frmMain &game() { return *m_game; }
    void play(const QString &steps);
    QStringList stackPicture() const;
    // A key may carry an expected value after '=', left out here.
    QStringList facts(const QStringList &keys) const;
    QString fact(const QString &key) const { return facts({key}).constFirst(); }

    VirtualClock clock;
    EventLog log;
    ScriptedRandom random;
    RecordingBeeper beeper{log};
    RecordingMessageBox messageBox{log};
    RecordingSound sound{log};
    ScriptedWindows windows{log};
    MemoryFiles files;
    std::unique_ptr<frmMain> m_game;
};
