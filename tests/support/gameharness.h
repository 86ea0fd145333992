#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "support/scriptedrandom.h"
#include "ui/toolkit/randomsource.h"
#include "ui/toolkit/virtualclock.h"

#include <QStringList>

#include <memory>

// A main-window model on a virtual clock with a seeded random source, recording doubles for
// every platform service and a word list in memory. Nothing here needs a window system.
class GameHarness
{
public:
    static inline const QString Folder = QStringLiteral("/game");

    // words: the lines of ShortList8.txt (joined with CR LF, with a final CR LF).
    explicit GameHarness(const QStringList &words = {QStringLiteral("cat"), QStringLiteral("dog")},
                         std::uint64_t seed = 1);
    // Builds the model without running start-up (for tests of start-up itself).
    static std::unique_ptr<GameHarness> unloaded(const QStringList &words = {QStringLiteral("cat")},
                                                 std::uint64_t seed = 1);

    frmMain &game() { return *m_game; }
    VirtualClock clock;
    EventLog log;
    SeededRandom random;
    // What the game draws from: scripted numbers first, then those of `random`.
    ScriptedRandom draws{&random};
    RecordingBeeper beeper{log};
    RecordingMessageBox messageBox{log};
    RecordingSound sound{log};
    ScriptedWindows windows{log};
    MemoryFiles files;

    // Runs start-up.
    void load();
    // Advances the clock.
    void advance(std::int64_t ms) { clock.advanceBy(ms); }

    // Fills the incoming row with these letters (eight capitals) and pushes it, as the fill
    // timer would, without waiting for the timer. Tiles the timer had filled already get
    // these letters too.
    void pushRow(const QString &letters);
    // Clicks the stack tiles with these indexes, in this order, and presses Enter.
    void enterTiles(const QList<int> &tiles);
    // Empty when every visible stack tile stands where a column packed to the bottom puts it
    // (Top 370 - 41 x the visible tiles below it in its column, Left 3 + 42 x its column);
    // otherwise a description of the first tile that does not.
    QString stackLayoutFault() const;
    // A picture of the visible stack, top line first: one text line per distinct Top, with
    // the letter of each visible tile in its column and '.' elsewhere.
    QStringList stackPicture() const;
    // Index of the visible, enabled stack tile showing the letter, lowest on screen first.
    int findTile(QChar letter) const;
    // Clicks the tiles spelling the word (each must be on the stack).
    void spell(const QString &word);
    // The word row's letters.
    QString word() const;

private:
    GameHarness(bool load, const QStringList &words, std::uint64_t seed);
    std::unique_ptr<frmMain> m_game;
};
