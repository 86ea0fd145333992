#include "ui/soundplayer.h"
#include "ui/soundwave.h"
#include <QDataStream>
#include <QDir>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QWaitCondition>
#include <sys/stat.h>

// A fake output that records what it is asked ("open", "play <frames>", "stop" while something
// plays, "gone") and hangs in play() while held, as a stuck sound server would.
struct Output : SoundBackEnd
{
    struct Shared
    {
        QMutex mutex;
        QWaitCondition freed;
        QStringList events;
        bool playing = false, held = false;
    };
    std::shared_ptr<Shared> s;
    void add(const QString &e, bool playing)
    {
        QMutexLocker lock(&s->mutex);
        s->events << e;
        s->events.removeIf([](const QString &e) { return e == "stop-"; });
        s->playing = playing || (e == "stop" ? false : s->playing);
        while (playing && s->held) {
            s->freed.wait(&s->mutex);
        }
    }
    ~Output() override { add("gone", false); }
    bool open() override { return add("open", false), true; }
    void play(const SoundWave &w) override { add(QStringLiteral("play %1").arg(w.frames()), true); }
    void stop() override { add(s->playing ? "stop" : "stop-", false); }
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

// What a player hears: the cue files the game ships, and the sound player that plays them on a
// thread of its own, here into the fake output.
class TestSound : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::shared_ptr<Output::Shared> m_out = std::make_shared<Output::Shared>();
    std::unique_ptr<SoundPlayer> m_player;
    QString seen()
    {
        QMutexLocker lock(&m_out->mutex);
        return m_out->events.join(' ');
    }
    void hold(bool on)
    {
        QMutexLocker lock(&m_out->mutex);
        m_out->held = on;
        m_out->freed.wakeAll();
    }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    void play(const QString &name) { m_player->playFile(m_dir.filePath(name)); }

private slots:
    void init()
    {
        m_out = std::make_shared<Output::Shared>();
        m_player = std::make_unique<SoundPlayer>([out = m_out] {
            auto o = std::make_unique<Output>();
            o->s = out;
            return o;
        });
        put("a.wav", wave(100));
        put("b.wav", wave(200));
        QDir(m_dir.path()).mkpath("folder");
        (void)::mkfifo(QFile::encodeName(m_dir.filePath("pipe.wav")).constData(), 0600);
        m_player->start();
        QTRY_COMPARE(seen(), "open");
    }

    void shippedCuesAreMonoWavesAt44kHz()
    {
        for (const char *cue :
             {"click", "correct", "wrong", "clear", "warning", "levelup", "gameend"}) {
            QFile f(qEnvironmentVariable("TILNORA_GAME_DIR") + "/sound/" + cue + ".wav");
            const std::optional<SoundWave> w =
                SoundWave::parse(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
            QVERIFY2(w && w->sampleRate == 44100 && w->channels == 1 && w->bitsPerSample == 16 &&
                         w->durationMs() > 10 && w->durationMs() < 1000,
                     cue);
        }
    }

    // a.wav (100 frames), the row's cue, b.wav (200 frames): each cue cuts off the one before;
    // one that cannot be played stays silent and harms nothing.
    void eachCueIsHeardOrSilent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: leave the place as it is
        QTest::addColumn<bool>("heard");
        QTest::newRow("a good wave") << "c.wav" << wave(300) << true;
        QTest::newRow("missing file") << "none/x.wav" << QByteArray() << false;
        QTest::newRow("a folder in its place") << "folder" << QByteArray() << false;
        QTest::newRow("a pipe in its place") << "pipe.wav" << QByteArray() << false;
        QTest::newRow("cut in the header") << "cut1.wav" << wave(300).left(30) << false;
        QTest::newRow("cut in the samples") << "cut2.wav" << wave(300).chopped(10) << false;
        QTest::newRow("text, not a wave") << "text.wav" << QByteArray("hello\r\n") << false;
        QTest::newRow("floating-point samples") << "float.wav" << wave(50, 3) << false;
    }
    void eachCueIsHeardOrSilent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, heard);
        bytes.isNull() ? void() : put(name, bytes);
        for (const QString &cue : {QStringLiteral("a.wav"), name, QStringLiteral("b.wav")}) {
            const qsizetype before = seen().size();
            play(cue);
            QTRY_VERIFY(seen().size() > before); // taken by the sound thread
        }
        QTRY_COMPARE(seen(), heard ? "open play 100 stop play 300 stop play 200"
                                   : "open play 100 stop play 200");
    }

    // While the output is stuck, cues wait in a one-place queue: the newest replaces the older,
    // and neither the game nor the end of the program waits for the output.
    void aNewerCueReplacesAQueuedOne()
    {
        hold(true);
        play("a.wav");
        QTRY_COMPARE(seen(), "open play 100");
        play("c.wav");
        play("b.wav");
        hold(false);
        QTRY_COMPARE(seen(), "open play 100 stop play 200");
        hold(true);
        play("a.wav");
        QTRY_VERIFY(seen().endsWith("play 100"));
        m_player.reset(); // the player goes while its output hangs
        hold(false);
        QTRY_VERIFY(seen().endsWith("gone"));
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "test_sound.moc"
