#pragma once

#include <QByteArray>

#include <optional>

// The sound of a wave file: uncompressed PCM samples and their layout. parse() accepts only
// what it can vouch for: a RIFF/WAVE file whose "fmt " chunk describes 8-, 16- or 32-bit PCM
// in one or two channels and whose "data" chunk is complete. Anything else, truncated files
// among them, gives no sound at all rather than a burst of noise.
struct SoundWave
{
    int sampleRate = 0;    // frames per second
    int channels = 0;      // 1 or 2
    int bitsPerSample = 0; // 8 (unsigned), 16 or 32 (signed)
    QByteArray samples;    // whole frames only, interleaved, little-endian

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 frames() const { return bytesPerFrame() > 0 ? samples.size() / bytesPerFrame() : 0; }
    // Length in milliseconds.
    qint64 durationMs() const { return sampleRate > 0 ? frames() * 1000 / sampleRate : 0; }

    static std::optional<SoundWave> parse(const QByteArray &file);
};
