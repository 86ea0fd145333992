#include "ui/soundplayer.h"
#include "ui/soundwave.h"

#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

// What the fake output was asked, in order: "open", "play <frames>", and "stop" while a sound
// plays. play() hangs while the test holds the gate, as a stuck sound server would.
static QMutex mutex;
static QMutex gate;
static QStringList events;

static QStringList seen()
{
    QMutexLocker lock(&mutex);
    return events;
}

struct Output : SoundBackEnd
{
    static void add(const QString &event)
    {
        QMutexLocker lock(&mutex);
        if (event != "stop" || events.constLast().startsWith("play")) {
            events.append(event);
        }
    }
    bool open() override
    {
        add("open");
        return true;
    }
    void play(const SoundWave &sound) override
    {
        add(QStringLiteral("play %1").arg(sound.frames()));
        QMutexLocker hang(&gate);
    }
    void stop() override { add("stop"); }
};

// A 16-bit mono wave file of so many frames at 8 kHz.
static QByteArray wave(int frames)
{
    QByteArray file("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0@\x1f\0\0\x80>\0\0\2\0\x10\0data....", 44);
    qToLittleEndian(quint32(2 * frames), file.data() + 40);
    return file + QByteArray(2 * frames, 'x');
}

// The sound player, playing cue files into the fake output.
class TestSound : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<SoundPlayer> m_player;
    bool put(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    void play(const QString &name) { m_player->playFile(m_dir.filePath(name)); }

private slots:
    void init()
    {
        m_player.reset();
        events.clear();
        m_player = std::make_unique<SoundPlayer>([] { return std::make_unique<Output>(); });
        QVERIFY(put("a.wav", wave(100)));
        QVERIFY(put("b.wav", wave(200)));
        m_player->start();
        QTRY_COMPARE(seen(), QStringList{"open"});
    }

    // a.wav (100 frames), the row's cue, b.wav (200): each cuts off the one before, or is silent.
    void eachCueIsHeardOrSilent_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // null: no file
        QTest::addColumn<QStringList>("heard"); // what the cue plays, cut off by b.wav
        QTest::newRow("a good wave") << wave(300) << QStringList{"play 300", "stop"};
        QTest::newRow("missing file: silence") << QByteArray() << QStringList();
        QTest::newRow("cut in the samples: silence") << wave(300).chopped(10) << QStringList();
    }
    void eachCueIsHeardOrSilent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, heard);
        const QString cue = QTest::currentDataTag() + QString(".wav");
        if (!bytes.isNull()) {
            QVERIFY(put(cue, bytes));
        }
        for (const QString &name : {QString("a.wav"), cue, QString("b.wav")}) {
            const qsizetype before = seen().size();
            play(name);
            QTRY_VERIFY(seen().size() > before); // taken by the sound thread
        }
        QTRY_COMPARE(seen(),
                     (QStringList{"open", "play 100", "stop"} + heard + QStringList{"play 200"}));
    }

    // While the output is stuck, cues wait in a one-place queue: the newest replaces the older.
    void aNewerCueReplacesAQueuedOne()
    {
        gate.lock();
        play("a.wav");
        QTRY_COMPARE(seen(), (QStringList{"open", "play 100"}));
        play("c.wav");
        play("b.wav");
        gate.unlock();
        QTRY_COMPARE(seen(), (QStringList{"open", "play 100", "stop", "play 200"}));
    }

    // The game starts the output after its first frame: cues before then queue the same way.
    void cuesBeforeTheOutputStartsQueue()
    {
        m_player = std::make_unique<SoundPlayer>([] { return std::make_unique<Output>(); });
        events.clear();
        play("a.wav");
        play("b.wav");
        m_player->start();
        QTRY_COMPARE(seen(), (QStringList{"open", "play 200"}));
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "test_sound.moc"
