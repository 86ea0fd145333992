#include "ui/soundplayer.h"
#include "ui/soundwave.h"
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

// A fake output that records what it is asked ("open", "play <frames>", "stop" while something
// plays); play() hangs while the test holds the gate, as a stuck sound server would.
static QMutex mutex, gate;
static QStringList events;
struct Output : SoundBackEnd
{
    static void add(const QString &e)
    {
        QMutexLocker lock(&mutex);
        e == "stop" && !events.constLast().startsWith("play") ? void() : events.append(e);
    }
    bool open() override { return add("open"), true; }
    void play(const SoundWave &w) override
    {
        add(QStringLiteral("play %1").arg(w.frames()));
        QMutexLocker hang(&gate);
    }
    void stop() override { add("stop"); }
};
// A 16-bit mono wave file of so many frames at 8 kHz.
static QByteArray wave(int frames)
{
    QByteArray b("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0@\x1f\0\0\x80>\0\0\2\0\x10\0data....", 44);
    qToLittleEndian(quint32(2 * frames), b.data() + 40);
    return b + QByteArray(2 * frames, 'x');
}

// The cue files the game ships, and the sound player that plays them, here into the fake output.
class TestSound : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<SoundPlayer> m_player;
    QString seen() { return QMutexLocker(&mutex), events.join(' '); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    void play(const QString &name) { m_player->playFile(m_dir.filePath(name)); }

private slots:
    void init()
    {
        m_player.reset();
        events.clear();
        m_player = std::make_unique<SoundPlayer>([] { return std::make_unique<Output>(); });
        put("a.wav", wave(100)), put("b.wav", wave(200));
        m_player->start();
        QTRY_COMPARE(seen(), "open");
    }

    void shippedCuesAreMonoWavesAt44kHz()
    {
        for (auto cue : {"click", "correct", "wrong", "clear", "warning", "levelup", "gameend"}) {
            QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + "/sound/" + cue + ".wav");
            const auto w = SoundWave::parse(f.open(QIODevice::ReadOnly) ? f.readAll() : "");
            QVERIFY2(w && w->sampleRate == 44100 && w->channels == 1 && w->bitsPerSample == 16,
                     cue);
        }
    }

    // a.wav (100 frames), the row's cue, b.wav (200): each cuts off the one before, or is silent.
    void eachCueIsHeardOrSilent_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::newRow("a good wave, heard") << wave(300);
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("cut in the header") << wave(300).left(30);
        QTest::newRow("cut in the samples") << wave(300).chopped(10);
        QTest::newRow("text, not a wave") << QByteArray("hello\r\n");
    }
    void eachCueIsHeardOrSilent()
    {
        QFETCH(QByteArray, bytes);
        bytes.isNull() ? void() : put(QTest::currentDataTag(), bytes);
        for (QString cue : {"a.wav", QTest::currentDataTag(), "b.wav"}) {
            const qsizetype before = seen().size();
            play(cue);
            QTRY_VERIFY(seen().size() > before); // taken by the sound thread
        }
        QTRY_COMPARE(seen(), bytes == wave(300) ? "open play 100 stop play 300 stop play 200"
                                                : "open play 100 stop play 200");
    }

    // While the output is stuck, cues wait in a one-place queue: the newest replaces the older.
    void aNewerCueReplacesAQueuedOne()
    {
        gate.lock();
        play("a.wav");
        QTRY_COMPARE(seen(), "open play 100");
        play("c.wav");
        play("b.wav");
        gate.unlock();
        QTRY_COMPARE(seen(), "open play 100 stop play 200");
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "test_sound.moc"
