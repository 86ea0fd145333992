#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <memory>

struct ScriptedRandom : RandomSource // scripted numbers first, then seeded ones; counts them
{
    SeededRandom rng{1};
    QList<double> script;
    long long drawn = 0;
    double next() override { return ++drawn, script.isEmpty() ? rng.next() : script.takeFirst(); }
};

// A main-window model on a virtual clock, recording doubles and its word list in memory.
struct GameHarness
{
    static inline const QString Folder = QStringLiteral("/game");
    explicit GameHarness(const QStringList &words = {"cat", "dog"}, bool startUp = true);
    frmMain &game() { return *m_game; }
    VirtualClock clock;
    EventLog log;
    ScriptedRandom random;
    RecordingBeeper beeper{log};
    RecordingMessageBox messageBox{log};
    RecordingSound sound{log};
    ScriptedWindows windows{log};
    MemoryFiles files;
    std::unique_ptr<frmMain> m_game;

    // Gives the incoming row these eight capitals and pushes it with fill ticks of its own.
    void pushRow(const QString &letters);
    // The visible stack, top line first: one line per Top, '.' where no tile shows.
    QStringList stackPicture() const;
    QString word() const;
    // Plays steps separated by blanks: load, start, restart, enter, clear, back (Backspace),
    // unload, howto, record, about (menu clicks), push:ROW, spell:word (as typed), key:c,
    // click:k (stack tile), slot:k (word letter), wait:ms, exit:n (the exit dialog answered n),
    // rows:n, level:n, caption:text (set captions), over (rows pushed until the game is over).
    void play(const QString &steps);
    // "Start's caption level/rows left/score, overlay text or '-', field+- menu+-
    // fill<interval>+- pace+- 'word' s<stack tiles> r<incoming tiles>", " over", " closed".
    QString state() const;
};

// "left,top widthxheight 'caption' back #rrggbb fore #rrggbb tip 'text' hidden disabled",
// without black colours, empty texts and the usual flags.
QString describe(const Control &c);

// Test data one row a line, "name | field | field ...", read back trimmed by fields().
void addRows(std::initializer_list<const char *> rows);
QStringList fields();
