#pragma once

#include "ui/toolkit/platform.h"

#include <functional>
#include <memory>

class FileAccess;
#include "ui/soundbackend.h"

// Plays the game's sound cues on a thread of its own, so a cue never holds up the handler
// that plays it.
//
// playFile() only leaves the path in a one-place queue and wakes the sound thread: a newer
// path replaces one that has not been taken yet. The sound thread stops whatever is still
// playing, reads the file afresh (nothing is cached, so a file replaced on disk is heard at
// the next cue), checks it and hands the samples to the back end. A missing, unreadable or
// malformed file, or an output that cannot be opened, gives silence and says nothing.
//
// The back end is made and opened on the sound thread by start(), which the application
// calls once its window's first frame is on screen. A cue asked for before the back end is
// ready waits in the same one-place queue: the newest of them plays as soon as it is.
class SoundPlayer : public SoundSink
{
public:
    using BackEndFactory = std::function<std::unique_ptr<SoundBackEnd>()>;
    // The system's audio output from the sound module in the folder (libtilnora-sound.so,
    // beside the program); none when the module is missing or broken.
    static std::unique_ptr<SoundBackEnd> loadSystemBackEnd(const QString &folder);

    // makeBackEnd: called once, on the sound thread; empty means Qt Multimedia's default
    // output. files: how the wave files are read (null: the real file system); it must
    // outlive the player and be safe to call from another thread.
    explicit SoundPlayer(BackEndFactory makeBackEnd = {}, const FileAccess *files = nullptr);
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // Starts the sound thread, which prepares the back end; returns at once. Later calls do
    // nothing.
    void start();

    void playFile(const QString &path) override;

    // The name the sound thread carries in the system's thread list.
    static constexpr const char *ThreadName = "tilnora-sound";

private:
    struct Shared;
    class Thread;
    std::shared_ptr<Shared> m_shared;
    Thread *m_thread = nullptr;
};
