#pragma once

#include "ui/soundbackend.h"
#include "ui/soundwave.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <algorithm>
#include <memory>

// What a fake back end was asked to do, shared between the test and the sound thread.
// Events: "open", "play <frames>", "stop" (only when something was playing), "gone".
struct FakeOutput
{
    mutable QMutex mutex;
    QWaitCondition released;
    QStringList events;
    int playing = 0;
    int mostAtOnce = 0;
    bool opens = true;      // false: no output to be had
    bool holdPlays = false; // true: play() does not return until release()
    QThread *openedOn = nullptr;

    QStringList snapshot() const
    {
        QMutexLocker lock(&mutex);
        return events;
    }
    int count(const QString &event) const
    {
        QMutexLocker lock(&mutex);
        return int(events.count(event));
    }
    void hold()
    {
        QMutexLocker lock(&mutex);
        holdPlays = true;
    }
    void release()
    {
        QMutexLocker lock(&mutex);
        holdPlays = false;
        released.wakeAll();
    }
};

// A back end that plays nothing and records everything, and can be made to hang in play().
class FakeSoundBackEnd : public SoundBackEnd
{
public:
    explicit FakeSoundBackEnd(std::shared_ptr<FakeOutput> out) : m_out(std::move(out)) {}
    ~FakeSoundBackEnd() override
    {
        QMutexLocker lock(&m_out->mutex);
        m_out->events << QStringLiteral("gone");
    }
    bool open() override
    {
        QMutexLocker lock(&m_out->mutex);
        m_out->events << QStringLiteral("open");
        m_out->openedOn = QThread::currentThread();
        return m_out->opens;
    }
    void play(const SoundWave &wave) override
    {
        QMutexLocker lock(&m_out->mutex);
        m_out->events << QStringLiteral("play %1").arg(wave.frames());
        ++m_out->playing;
        m_out->mostAtOnce = std::max(m_out->mostAtOnce, m_out->playing);
        while (m_out->holdPlays) {
            m_out->released.wait(&m_out->mutex);
        }
    }
    void stop() override
    {
        QMutexLocker lock(&m_out->mutex);
        if (m_out->playing > 0) {
            --m_out->playing;
            m_out->events << QStringLiteral("stop");
        }
    }

private:
    std::shared_ptr<FakeOutput> m_out;
};
