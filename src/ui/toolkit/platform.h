#pragma once

#include <QString>

#include <cstdint>

class Clock;
class FileAccess;
class RandomSource;

// The small platform services the game calls. The program implements them on Qt; the tests
// give recording doubles of their own.

class Beeper
{
public:
    virtual ~Beeper() = default;
    // The system's plain beep.
    virtual void beep() = 0;
};

class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // A modal message with an OK button only and the caption "Tilnora"; returns once closed.
    virtual void showOk(const QString &text) = 0;
};

class SoundSink
{
public:
    virtual ~SoundSink() = default;
    // Starts playing the wave file and returns at once; a sound still playing stops.
    // A missing or unreadable file, or no sound device, plays nothing and says nothing.
    virtual void playFile(const QString &path) = 0;
};

// The secondary windows the main window opens modally.
enum class Window { Record, About, HowTo, Exit };

class WindowShower
{
public:
    virtual ~WindowShower() = default;
    // Loads the window, shows it modally and returns once it has been unloaded. Meanwhile the
    // main window takes no input, but its timers keep ticking.
    virtual void showModal(Window window) = 0;
};

// Everything the main window's model needs from outside, handed over at construction.
struct Platform
{
    Clock &clock;
    RandomSource &random;
    Beeper &beeper;
    MessageBox &messageBox;
    SoundSink &sound;
    WindowShower &windows;
    const FileAccess &files;
    QString programFolder; // without a trailing separator
};
