#include "ui/soundplayer.h"

#include "ui/soundbackend.h"
#include "ui/soundwave.h"
#include "ui/toolkit/fileaccess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLibrary>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <cstdio>
#include <mutex>

namespace {

// How long the player's destructor waits for the sound thread to wind up. A back end stuck in
// the sound server must not keep the program from ending.
constexpr int StopWaitMs = 500;

// Sound fails in silence: the audio libraries' warnings (no server, no device) are dropped
// when they come from the sound thread; every other thread's messages pass on unchanged.
thread_local bool t_onSoundThread = false;
QtMessageHandler g_previousHandler = nullptr;

void soundThreadQuiet(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (t_onSoundThread) {
        return;
    }
    if (g_previousHandler) {
        g_previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

void quietenSoundThread()
{
    static std::once_flag once;
    std::call_once(once, [] { g_previousHandler = qInstallMessageHandler(soundThreadQuiet); });
}

} // namespace

// What the game's thread and the sound thread share; the sound thread holds it too, so it
// stays valid even if the thread has to be left behind at the end.
struct SoundPlayer::Shared
{
    QMutex mutex;
    QString pending; // the newest path not yet taken by the sound thread
    bool hasPending = false;
    bool wakePosted = false;     // a wake-up is on its way to the sound thread
    bool stopping = false;       // the player is going: take nothing more
    QObject *receiver = nullptr; // on the sound thread, set once its back end is ready

    BackEndFactory makeBackEnd;
    const FileAccess *files = nullptr;
    SystemFileAccess systemFiles;

    // With the mutex held.
    void postWake();
};

class SoundPlayer::Thread : public QThread
{
public:
    explicit Thread(std::shared_ptr<Shared> shared) : m_shared(std::move(shared))
    {
        setObjectName(QLatin1String(ThreadName));
    }

    // Takes the queued paths one by one, the newest only, until none is left.
    void drain()
    {
        for (;;) {
            QString path;
            {
                QMutexLocker lock(&m_shared->mutex);
                m_shared->wakePosted = false;
                if (m_shared->stopping || !m_shared->hasPending) {
                    return;
                }
                path = std::move(m_shared->pending);
                m_shared->pending.clear();
                m_shared->hasPending = false;
            }
            play(path);
        }
    }

protected:
    void run() override
    {
        t_onSoundThread = true;
        std::unique_ptr<SoundBackEnd> backEnd =
            m_shared->makeBackEnd
                ? m_shared->makeBackEnd()
                : SoundPlayer::loadSystemBackEnd(QCoreApplication::applicationDirPath());
        if (backEnd && !backEnd->open()) {
            backEnd.reset();
        }
        m_backEnd = backEnd.get();
        QObject receiver;
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->receiver = &receiver;
            if (m_shared->hasPending) {
                m_shared->postWake();
            }
        }
        exec();
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->receiver = nullptr;
        }
        m_backEnd = nullptr;
        backEnd.reset();
    }

private:
    void play(const QString &path)
    {
        if (!m_backEnd) {
            return; // no output: nothing to stop, no file worth reading
        }
        // The newest cue wins even when its own file turns out to be unplayable.
        m_backEnd->stop();
        const FileAccess &files = m_shared->files ? *m_shared->files : m_shared->systemFiles;
        // Only ordinary files: opening a pipe or a device under a cue's name could wait for
        // ever, and the sound thread would never take another cue.
        if (!files.fileExists(path)) {
            return;
        }
        const FileReadResult read = files.readAll(path);
        if (!read.ok) {
            return;
        }
        const std::optional<SoundWave> wave = SoundWave::parse(read.bytes);
        if (!wave) {
            return;
        }
        m_backEnd->play(*wave);
    }

    std::shared_ptr<Shared> m_shared;
    SoundBackEnd *m_backEnd = nullptr;
};

void SoundPlayer::Shared::postWake()
{
    if (wakePosted || !receiver) {
        return;
    }
    wakePosted = true;
    auto *thread = static_cast<Thread *>(receiver->thread());
    QMetaObject::invokeMethod(
        receiver, [thread] { thread->drain(); }, Qt::QueuedConnection);
}

SoundPlayer::SoundPlayer(BackEndFactory makeBackEnd, const FileAccess *files)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->makeBackEnd = std::move(makeBackEnd);
    m_shared->files = files;
}

SoundPlayer::~SoundPlayer()
{
    if (!m_thread) {
        return;
    }
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->stopping = true;
        m_shared->hasPending = false;
    }
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(StopWaitMs))) {
        delete m_thread;
        return;
    }
    // The back end is stuck. Leave the thread to finish on its own: it holds all it uses, and
    // a thread object may not be destroyed while its thread runs. The list keeps it reachable.
    static auto *leftBehind = new QList<QThread *>;
    leftBehind->append(m_thread);
}

void SoundPlayer::start()
{
    if (m_thread) {
        return;
    }
    quietenSoundThread();
    m_thread = new Thread(m_shared);
    m_thread->start();
}

void SoundPlayer::playFile(const QString &path)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->pending = path;
    m_shared->hasPending = true;
    m_shared->postWake();
}

std::unique_ptr<SoundBackEnd> SoundPlayer::loadSystemBackEnd(const QString &folder)
{
    // The library stays loaded until the program ends: back ends made by it may still exist.
    QLibrary module(folder + QStringLiteral("/libtilnora-sound.so"));
    using Create = SoundBackEnd *(*)();
    const auto create = reinterpret_cast<Create>(module.resolve("tilnora_create_sound_backend"));
    return std::unique_ptr<SoundBackEnd>(create ? create() : nullptr);
}
