#include "fakesoundbackend.h"
#include "support/countingfiles.h"
#include "support/doubles.h"
#include "ui/soundplayer.h"
#include "wavebytes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace {

// Runs the rescue after a few seconds unless disarmed first. A call that waits for a stuck
// back end is freed by the rescue and returns late, and fired() tells.
class Watchdog
{
public:
    explicit Watchdog(std::function<void()> rescue)
        : m_thread([this, rescue = std::move(rescue)] {
              std::unique_lock lock(m_mutex);
              if (!m_wake.wait_for(lock, std::chrono::seconds(5), [this] { return m_disarmed; })) {
                  m_fired = true;
                  lock.unlock();
                  rescue();
              }
          })
    {
    }
    ~Watchdog()
    {
        disarm();
        m_thread.join();
    }
    void disarm()
    {
        {
            std::lock_guard lock(m_mutex);
            m_disarmed = true;
        }
        m_wake.notify_all();
    }
    bool fired() const { return m_fired; }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_disarmed = false;
    std::atomic<bool> m_fired{false};
    std::thread m_thread;
};

QString play(qint64 frames)
{
    return QStringLiteral("play %1").arg(frames);
}

} // namespace

class TestSoundPlayer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::shared_ptr<FakeOutput> m_out;

    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    std::unique_ptr<SoundPlayer> makePlayer(const FileAccess *files = nullptr)
    {
        auto out = m_out;
        return std::make_unique<SoundPlayer>(
            [out] { return std::make_unique<FakeSoundBackEnd>(out); }, files);
    }
    std::unique_ptr<SoundPlayer> startedPlayer(const FileAccess *files = nullptr)
    {
        auto p = makePlayer(files);
        p->start();
        return p;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Frame counts name the files in the fake's events.
        write(QStringLiteral("a.wav"), wavebytes::wave(100));
        write(QStringLiteral("b.wav"), wavebytes::wave(200));
        write(QStringLiteral("c.wav"), wavebytes::wave(300));
        write(QStringLiteral("d.wav"), wavebytes::wave(400));
    }
    void init()
    {
        m_out = std::make_shared<FakeOutput>();
        // Sound fails in silence: no warning may reach the log.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    }

    void backEndIsPreparedOnTheSoundThreadOnlyAfterStart()
    {
        auto p = makePlayer();
        p->playFile(path(QStringLiteral("a.wav")));
        QTest::qWait(50);
        QVERIFY(m_out->snapshot().isEmpty());
        QVERIFY(!p->isStarted());

        p->start();
        QVERIFY(p->isStarted());
        QTRY_VERIFY(m_out->count(QStringLiteral("open")) == 1);
        QVERIFY(m_out->openedOn != QThread::currentThread());
        QCOMPARE(m_out->openedOn->objectName(), QLatin1String(SoundPlayer::ThreadName));

        // A second start changes nothing.
        p->start();
        p->playFile(path(QStringLiteral("b.wav")));
        QTRY_VERIFY(m_out->count(play(200)) == 1);
        // The cue asked for before start was never played.
        QCOMPARE(m_out->snapshot(), (QStringList{QStringLiteral("open"), play(200)}));
        p.reset();
        QCOMPARE(m_out->count(QStringLiteral("open")), 1);
        QCOMPARE(m_out->snapshot().last(), QStringLiteral("gone"));
    }

    void newerCueStopsTheOneStillPlaying()
    {
        auto p = startedPlayer();
        p->playFile(path(QStringLiteral("a.wav")));
        QTRY_VERIFY(m_out->count(play(100)) == 1);
        p->playFile(path(QStringLiteral("b.wav")));
        QTRY_VERIFY(m_out->count(play(200)) == 1);
        p->playFile(path(QStringLiteral("a.wav")));
        QTRY_VERIFY(m_out->count(play(100)) == 2);
        QCOMPARE(m_out->snapshot(),
                 (QStringList{QStringLiteral("open"), play(100), QStringLiteral("stop"), play(200),
                              QStringLiteral("stop"), play(100)}));
        QCOMPARE(m_out->mostAtOnce, 1);
    }

    // While the back end is busy, cues pile up in a one-place queue: the newest replaces the
    // older, and the game's thread never waits.
    void cuesBehindABusyBackEndCollapseToTheNewest()
    {
        auto p = startedPlayer();
        m_out->hold();
        p->playFile(path(QStringLiteral("a.wav")));
        QTRY_VERIFY(m_out->count(play(100)) == 1); // now stuck inside play()

        Watchdog watchdog([this] { m_out->release(); });
        p->playFile(path(QStringLiteral("b.wav")));
        p->playFile(path(QStringLiteral("c.wav")));
        p->playFile(path(QStringLiteral("d.wav")));
        QVERIFY2(!watchdog.fired(), "playFile waited for the back end");
        watchdog.disarm();
        m_out->release();

        QTRY_VERIFY(m_out->count(play(400)) == 1);
        QTest::qWait(50);
        QCOMPARE(m_out->snapshot(), (QStringList{QStringLiteral("open"), play(100),
                                                 QStringLiteral("stop"), play(400)}));
        QCOMPARE(m_out->mostAtOnce, 1);
    }

    // Nothing of a file is kept: a file replaced, removed or put back on disk is heard so at
    // the very next cue.
    void aFileIsReadAfreshAtEveryCue()
    {
        const QString cue = QStringLiteral("changing.wav");
        write(cue, wavebytes::wave(111));
        auto p = startedPlayer();
        p->playFile(path(cue));
        QTRY_VERIFY(m_out->count(play(111)) == 1);

        write(cue, wavebytes::wave(222));
        p->playFile(path(cue));
        QTRY_VERIFY(m_out->count(play(222)) == 1);

        QVERIFY(QFile::remove(path(cue)));
        p->playFile(path(cue));
        QTRY_VERIFY(m_out->count(QStringLiteral("stop")) == 2);

        write(cue, wavebytes::wave(333));
        p->playFile(path(cue));
        QTRY_VERIFY(m_out->count(play(333)) == 1);
        QCOMPARE(m_out->snapshot(),
                 (QStringList{QStringLiteral("open"), play(111), QStringLiteral("stop"), play(222),
                              QStringLiteral("stop"), play(333)}));
    }

    // Each bad cue still cuts off the sound before it (the newest cue wins), plays nothing
    // itself, and leaves the player working for the next one.
    void unplayableFilesAreSilent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // empty: leave the file as it is
        const QByteArray good = wavebytes::wave(500);
        QTest::newRow("missing sound folder") << "nofolder/x.wav" << QByteArray();
        QTest::newRow("missing file") << "nothing.wav" << QByteArray();
        QTest::newRow("folder in the file's place") << "afolder" << QByteArray();
        QTest::newRow("empty file") << "empty.wav" << QByteArray("");
        QTest::newRow("cut inside the header") << "cut1.wav" << good.left(20);
        QTest::newRow("cut inside the samples") << "cut2.wav" << good.left(good.size() - 10);
        QTest::newRow("not a wave file") << "text.wav" << QByteArray("hello\r\n");
        QTest::newRow("floating-point samples")
            << "float.wav"
            << wavebytes::riff(wavebytes::chunk("fmt ", wavebytes::format(3, 1, 8000, 32)) +
                               wavebytes::chunk("data", wavebytes::samples(80)));
    }
    void unplayableFilesAreSilent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QDir(m_dir.path()).mkpath(QStringLiteral("afolder"));
        if (!bytes.isNull()) {
            write(name, bytes);
        }
        auto p = startedPlayer();
        p->playFile(path(QStringLiteral("a.wav")));
        QTRY_VERIFY(m_out->count(play(100)) == 1);
        p->playFile(path(name));
        QTRY_VERIFY(m_out->count(QStringLiteral("stop")) == 1);
        p->playFile(path(QStringLiteral("b.wav")));
        QTRY_VERIFY(m_out->count(play(200)) == 1);
        QCOMPARE(m_out->snapshot(), (QStringList{QStringLiteral("open"), play(100),
                                                 QStringLiteral("stop"), play(200)}));
    }

    // A pipe under a cue's name would block whoever opens it; the player passes it by.
    void aPipeInTheFilesPlaceIsPassedBy()
    {
        const QString pipe = path(QStringLiteral("pipe.wav"));
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        auto p = startedPlayer();
        p->playFile(path(QStringLiteral("a.wav")));
        QTRY_VERIFY(m_out->count(play(100)) == 1);
        p->playFile(pipe);
        QTRY_VERIFY(m_out->count(QStringLiteral("stop")) == 1);
        p->playFile(path(QStringLiteral("b.wav")));
        QTRY_VERIFY(m_out->count(play(200)) == 1);
        QFile::remove(pipe);
    }

    // A file the system refuses to read (as a file without read permission would be).
    void unreadableFileIsSilent()
    {
        MemoryFiles files;
        files.put(QStringLiteral("/g/sound/ok.wav"), wavebytes::wave(100));
        files.put(QStringLiteral("/g/sound/locked.wav"), wavebytes::wave(200));
        files.failWith(QStringLiteral("/g/sound/locked.wav"), 13,
                       QStringLiteral("Permission denied"));
        auto p = startedPlayer(&files);
        p->playFile(QStringLiteral("/g/sound/ok.wav"));
        QTRY_VERIFY(m_out->count(play(100)) == 1);
        p->playFile(QStringLiteral("/g/sound/locked.wav"));
        QTRY_VERIFY(m_out->count(QStringLiteral("stop")) == 1);
        p->playFile(QStringLiteral("/g/sound/ok.wav"));
        QTRY_VERIFY(m_out->count(play(100)) == 2);
        QCOMPARE(m_out->snapshot(), (QStringList{QStringLiteral("open"), play(100),
                                                 QStringLiteral("stop"), play(100)}));
    }

    // Without an output the player takes cues and drops them, reading no file.
    void noOutputMeansSilence()
    {
        m_out->opens = false;
        CountingFiles files;
        auto p = startedPlayer(&files);
        QTRY_VERIFY(m_out->count(QStringLiteral("open")) == 1);
        // The back end that could not open is let go at once.
        QTRY_VERIFY(m_out->count(QStringLiteral("gone")) == 1);
        for (int k = 0; k < 20; ++k) {
            p->playFile(path(QStringLiteral("a.wav")));
        }
        QTest::qWait(100);
        QCOMPARE(m_out->snapshot(), (QStringList{QStringLiteral("open"), QStringLiteral("gone")}));
        QCOMPARE(files.looks.load(), 0);
    }

    // A back end that hangs holds up neither the cues nor the end of the program.
    void aStuckBackEndHoldsUpNeitherCuesNorShutdown()
    {
        auto p = startedPlayer();
        m_out->hold();
        p->playFile(path(QStringLiteral("a.wav")));
        QTRY_VERIFY(m_out->count(play(100)) == 1);
        {
            Watchdog watchdog([this] { m_out->release(); });
            for (int k = 0; k < 50; ++k) {
                p->playFile(path(QStringLiteral("b.wav")));
            }
            p.reset(); // the player goes while its back end still hangs
            QVERIFY2(!watchdog.fired(), "the player waited for a stuck back end");
        }
        // Freed, the sound thread finishes on its own, taking no more cues.
        m_out->release();
        QTRY_VERIFY(m_out->count(QStringLiteral("gone")) == 1);
        QCOMPARE(m_out->count(play(200)), 0);
    }

    // The program folder may end in a separator; the doubled one still finds the file.
    void doubledSeparatorStillFindsTheFile()
    {
        auto p = startedPlayer();
        p->playFile(m_dir.path() + QStringLiteral("//c.wav"));
        QTRY_VERIFY(m_out->count(play(300)) == 1);
    }

    // The real Qt Multimedia output. On a machine without a sound server this is the
    // no-device case: the cues must come and go without a warning, a hang or a crash. (Where
    // a server runs, the samples are silence, so nothing is heard.)
    void realOutputTakesCuesQuietly()
    {
        const QString quiet = path(QStringLiteral("quiet.wav"));
        write(QStringLiteral("quiet.wav"),
              wavebytes::riff(wavebytes::chunk("fmt ", wavebytes::format(1, 1, 22050, 16)) +
                              wavebytes::chunk("data", QByteArray(22050 / 10 * 2, 0))));
        Watchdog watchdog([] {});
        {
            SoundPlayer p([] {
                return SoundPlayer::loadSystemBackEnd(qEnvironmentVariable("TILNORA_GAME_DIR"));
            });
            p.start();
            for (int k = 0; k < 5; ++k) {
                p.playFile(quiet);
                QTest::qWait(60);
            }
            p.playFile(path(QStringLiteral("nothing.wav")));
            p.playFile(quiet);
            QTest::qWait(300);
        }
        QVERIFY2(!watchdog.fired(), "the real output held the player up");
        // Only the sound thread's messages are dropped; this thread's still reach the log.
        QTest::ignoreMessage(QtWarningMsg, "still heard");
        qWarning("still heard");
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "test_soundplayer.moc"
