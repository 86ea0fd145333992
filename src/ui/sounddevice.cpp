#include "ui/sounddevice.h"

#include "ui/soundwave.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace {

// Silence after the sound, so that the output has played all of it by the time the stream
// runs dry and is closed, and so that even a very short tick fills the stream's start buffer.
constexpr int TailMs = 200;

QAudioFormat::SampleFormat sampleFormat(int bits)
{
    switch (bits) {
    case 8:
        return QAudioFormat::UInt8;
    case 16:
        return QAudioFormat::Int16;
    case 32:
        return QAudioFormat::Int32;
    default:
        return QAudioFormat::Unknown;
    }
}

} // namespace

SoundDevice::SoundDevice()
{
    m_buffer.setBuffer(&m_samples);
}

SoundDevice::~SoundDevice()
{
    stop();
}

bool SoundDevice::open()
{
    // The first call brings up Qt Multimedia's connection to the sound server.
    m_device = QMediaDevices::defaultAudioOutput();
    return !m_device.isNull();
}

void SoundDevice::play(const SoundWave &wave)
{
    stop();
    if (m_device.isNull()) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(sampleFormat(wave.bitsPerSample));
    if (!m_device.isFormatSupported(format)) {
        return;
    }
    const char silent = wave.bitsPerSample == 8 ? char(0x80) : char(0);
    const qsizetype tail = qsizetype(wave.sampleRate) * TailMs / 1000 * wave.bytesPerFrame();
    m_samples = wave.samples + QByteArray(tail, silent);
    m_buffer.open(QIODevice::ReadOnly);

    m_sink = std::make_unique<QAudioSink>(m_device, format);
    const quint64 stream = ++m_stream;
    QAudioSink *sink = m_sink.get();
    QObject::connect(sink, &QAudioSink::stateChanged, &m_context,
                     [this, sink, stream](QAudio::State state) {
                         if (state == QAudio::IdleState || sink->error() != QAudio::NoError) {
                             // Not from inside the sink's own signal: close it once the signal has
                             // returned.
                             QMetaObject::invokeMethod(
                                 &m_context,
                                 [this, stream] {
                                     if (m_stream == stream) {
                                         stop();
                                     }
                                 },
                                 Qt::QueuedConnection);
                         }
                     });
    sink->start(&m_buffer);
    if (m_sink && m_sink->error() != QAudio::NoError) {
        stop();
    }
}

void SoundDevice::stop()
{
    if (m_sink) {
        m_sink->disconnect();
        m_sink->stop();
        m_sink.reset();
    }
    ++m_stream;
    m_buffer.close();
    m_samples.clear();
}

// The entry point of the sound module: the player loads it on its sound thread, so Qt
// Multimedia and the audio libraries it pulls in are never loaded at start-up.
extern "C" Q_DECL_EXPORT SoundBackEnd *tilnora_create_sound_backend()
{
    return new SoundDevice;
}
