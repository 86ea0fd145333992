#include "ui/soundplayer.h"
#include "ui/soundwave.h"
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QWaitCondition>
#include <sys/stat.h>

// A fake output that records what it was asked ("open", "play <frames>", "stop" while
// something plays, "gone") and hangs in play() while held, as a stuck sound server would.
struct Output
{
    QMutex mutex;
    QWaitCondition freed;
    QStringList events;
    bool playing = false, held = false, opens = true;
    QString seen()
    {
        QMutexLocker lock(&mutex);
        return events.join(' ');
    }
    void hold(bool on)
    {
        QMutexLocker lock(&mutex);
        held = on;
        freed.wakeAll();
    }
};
struct FakeBackEnd : SoundBackEnd
{
    std::shared_ptr<Output> out;
    explicit FakeBackEnd(std::shared_ptr<Output> o) : out(std::move(o)) {}
    void add(const QString &e, bool playing)
    {
        QMutexLocker lock(&out->mutex);
        if (playing || std::exchange(out->playing, false) || e != "stop") {
            out->events << e;
        }
        out->playing |= playing;
        while (playing && out->held) {
            out->freed.wait(&out->mutex);
        }
    }
    ~FakeBackEnd() override { add("gone", false); }
    bool open() override { return add("open", false), out->opens; }
    void play(const SoundWave &wave) override
    {
        add(QStringLiteral("play %1").arg(wave.frames()), true);
    }
    void stop() override { add("stop", false); }
};
// A 16-bit mono wave file of so many frames; format 3 makes its samples floating point.
static QByteArray wave(int frames, int format = 1)
{
    QByteArray b;
    QDataStream s(&b, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + 2 * frames);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(format) << quint16(1) << quint32(8000) << quint32(16000)
      << quint16(2) << quint16(16);
    s.writeRawData("data", 4);
    s << quint32(2 * frames);
    return b + QByteArray(2 * frames, 'x');
}

// What a player hears: the cue files the game ships, and the sound player that plays them on
// a thread of its own, here into the fake output.
class TestSound : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::shared_ptr<Output> m_out;
    std::unique_ptr<SoundPlayer> m_player;
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    void play(const QString &name) { m_player->playFile(m_dir.filePath(name)); }

private slots:
    void init()
    {
        m_out = std::make_shared<Output>();
        m_player = std::make_unique<SoundPlayer>(
            [out = m_out] { return std::make_unique<FakeBackEnd>(out); });
        put("a.wav", wave(100));
        put("b.wav", wave(200));
    }

    void shippedCuesAreMonoWavesAt44kHz()
    {
        for (const char *cue :
             {"click", "correct", "wrong", "clear", "warning", "levelup", "gameend"}) {
            QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + "/sound/" + cue + ".wav");
            QVERIFY2(f.open(QIODevice::ReadOnly), cue);
            const std::optional<SoundWave> w = SoundWave::parse(f.readAll());
            QVERIFY2(w && w->sampleRate == 44100 && w->channels == 1 && w->bitsPerSample == 16,
                     cue);
            QVERIFY2(w->durationMs() > 10 && w->durationMs() < 1000, cue);
        }
    }

    // a.wav (100 frames), the row's cue, b.wav (200 frames): each cue cuts off the one
    // before; one that cannot be played stays silent and harms nothing.
    void eachCueIsHeardOrSilent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: leave the place as it is
        QTest::addColumn<QString>("heard");
        const QString silent = "open play 100 stop play 200";
        QTest::newRow("a good wave")
            << "c.wav" << wave(300) << "open play 100 stop play 300 stop play 200";
        QTest::newRow("missing file") << "none.wav" << QByteArray() << silent;
        QTest::newRow("missing folder") << "none/x.wav" << QByteArray() << silent;
        QTest::newRow("a folder in its place") << "folder" << QByteArray() << silent;
        QTest::newRow("a pipe in its place") << "pipe.wav" << QByteArray() << silent;
        QTest::newRow("empty file") << "empty.wav" << QByteArray("") << silent;
        QTest::newRow("cut in the header") << "cut1.wav" << wave(300).left(30) << silent;
        QTest::newRow("cut in the samples") << "cut2.wav" << wave(300).chopped(10) << silent;
        QTest::newRow("text, not a wave") << "text.wav" << QByteArray("hello\r\n") << silent;
        QTest::newRow("floating-point samples") << "float.wav" << wave(50, 3) << silent;
    }
    void eachCueIsHeardOrSilent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, heard);
        QDir(m_dir.path()).mkpath("folder");
        (void)::mkfifo(QFile::encodeName(m_dir.filePath("pipe.wav")).constData(), 0600);
        if (!bytes.isNull()) {
            put(name, bytes);
        }
        m_player->start();
        QTRY_COMPARE(m_out->seen(), "open");
        for (const QString &cue : {QStringLiteral("a.wav"), name, QStringLiteral("b.wav")}) {
            const qsizetype before = m_out->seen().size();
            play(cue);
            QTRY_VERIFY(m_out->seen().size() > before); // taken by the sound thread
        }
        QTRY_COMPARE(m_out->seen(), heard);
    }

    // While the output is stuck, cues wait in a one-place queue: the newest replaces the
    // older, and neither the game nor the end of the program waits for the output.
    void aNewerCueReplacesAQueuedOne()
    {
        m_player->start();
        m_out->hold(true);
        play("a.wav");
        QTRY_COMPARE(m_out->seen(), "open play 100");
        play("c.wav");
        play("b.wav");
        m_out->hold(false);
        QTRY_COMPARE(m_out->seen(), "open play 100 stop play 200");
        m_out->hold(true);
        play("a.wav");
        QTRY_VERIFY(m_out->seen().endsWith("play 100"));
        m_player.reset(); // the player goes while its output hangs
        m_out->hold(false);
        QTRY_VERIFY(m_out->seen().endsWith("gone"));
    }

    // No output to be had, or a cue before start: silence.
    void withoutAnOutputCuesAreDropped()
    {
        play("a.wav");
        m_out->opens = false;
        m_player->start();
        play("a.wav");
        QTest::qWait(50);
        QCOMPARE(m_out->seen(), "open gone");
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "test_sound.moc"
