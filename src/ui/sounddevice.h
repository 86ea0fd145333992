#pragma once

#include "ui/soundbackend.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QByteArray>
#include <QObject>

#include <memory>

class QAudioSink;

// The system's default audio output through Qt Multimedia's QAudioSink, fed with samples the
// player has already decoded. One stream at a time; it is closed as soon as its sound has run
// out, so a quiet game keeps no stream open.
class SoundDevice : public SoundBackEnd
{
public:
    SoundDevice();
    ~SoundDevice() override;

    bool open() override;
    void play(const SoundWave &wave) override;
    void stop() override;

private:
    QObject m_context; // receives the sink's notices on the thread that made this back end
    QAudioDevice m_device;
    QByteArray m_samples;
    QBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
    quint64 m_stream = 0; // counts the streams, so a late notice cannot close a newer one
};
