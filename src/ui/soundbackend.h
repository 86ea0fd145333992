#pragma once

struct SoundWave;

// What the sound player needs of an audio output. The player creates its back end on its own
// sound thread and calls it only there, so an implementation may block without holding up the
// game; it must still never block for good.
class SoundBackEnd
{
public:
    virtual ~SoundBackEnd() = default;
    // Prepares the output once; false when there is none (no device, no sound server).
    virtual bool open() = 0;
    // Starts the sound; the player has stopped any earlier one first.
    virtual void play(const SoundWave &wave) = 0;
    // Stops the sound still playing, if any.
    virtual void stop() = 0;
};
