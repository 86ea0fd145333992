#include "ui/soundwave.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <cmath>

// The seven cue files the build synthesises into the game's sound folder, read back as the
// game would find them beside its executable (TILNORA_GAME_DIR).
class TestSoundFiles : public QObject
{
    Q_OBJECT
private:
    static QString soundFolder()
    {
        return qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/sound");
    }
    static QByteArray read(const QString &name)
    {
        QFile f(soundFolder() + QLatin1Char('/') + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static quint32 u32(const QByteArray &b, int at)
    {
        return qFromLittleEndian<quint32>(b.constData() + at);
    }
    static quint16 u16(const QByteArray &b, int at)
    {
        return qFromLittleEndian<quint16>(b.constData() + at);
    }
    static qint16 sample(const QByteArray &b, qsizetype k)
    {
        return qFromLittleEndian<qint16>(b.constData() + 44 + 2 * k);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("TILNORA_GAME_DIR"), "set by CTest");
    }

    void eachCueIsAShortCanonicalPcmWave_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n :
             {"click", "correct", "wrong", "clear", "warning", "levelup", "gameend"}) {
            QTest::newRow(n) << QString::fromLatin1(n) + QStringLiteral(".wav");
        }
    }
    void eachCueIsAShortCanonicalPcmWave()
    {
        QFETCH(QString, name);
        const QByteArray f = read(name);
        QVERIFY2(f.size() > 44, qPrintable(soundFolder() + QLatin1Char('/') + name));

        // Header: RIFF with the right length, WAVE, a 16-byte PCM format chunk, then data.
        QCOMPARE(f.left(4), QByteArray("RIFF"));
        QCOMPARE(qsizetype(u32(f, 4)), f.size() - 8);
        QCOMPARE(f.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u32(f, 16), 16u);
        QCOMPARE(u16(f, 20), quint16(1)); // PCM
        QCOMPARE(u16(f, 22), quint16(1)); // mono
        const quint32 rate = u32(f, 24);
        QVERIFY(rate >= 8000 && rate <= 48000);
        QCOMPARE(u32(f, 28), rate * 2);   // bytes per second
        QCOMPARE(u16(f, 32), quint16(2)); // bytes per frame
        QCOMPARE(u16(f, 34), quint16(16));
        QCOMPARE(f.mid(36, 4), QByteArray("data"));
        QCOMPARE(qsizetype(u32(f, 40)), f.size() - 44);
        QCOMPARE(f.size() % 2, 0);

        // Length: a cue, not a tune.
        const qsizetype frames = (f.size() - 44) / 2;
        const double seconds = double(frames) / rate;
        QVERIFY2(seconds >= 0.02 && seconds < 1.0, qPrintable(QString::number(seconds)));

        // Loud enough to hear, well clear of clipping, and faded at both ends so it neither
        // starts nor stops with a click.
        int peak = 0;
        for (qsizetype k = 0; k < frames; ++k) {
            peak = std::max(peak, std::abs(int(sample(f, k))));
        }
        QVERIFY2(peak > 32767 / 10 && peak < 32767 * 9 / 10, qPrintable(QString::number(peak)));
        // It rises from silence over a couple of milliseconds and dies away over more.
        for (qsizetype k = 0; k < rate / 4000; ++k) {
            QVERIFY(std::abs(int(sample(f, k))) < 32767 / 20);
        }
        for (qsizetype k = 0; k < rate / 1000; ++k) {
            QVERIFY(std::abs(int(sample(f, frames - 1 - k))) < 32767 / 20);
        }
        QCOMPARE(int(sample(f, 0)), 0);
        QCOMPARE(int(sample(f, frames - 1)), 0);

        // And the player takes it as it is.
        const std::optional<SoundWave> w = SoundWave::parse(f);
        QVERIFY(w.has_value());
        QCOMPARE(w->frames(), qint64(frames));
    }

    void theSevenCuesAllDiffer()
    {
        QDir folder(soundFolder());
        const QStringList names =
            folder.entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
        QCOMPARE(names, (QStringList{"clear.wav", "click.wav", "correct.wav", "gameend.wav",
                                     "levelup.wav", "warning.wav", "wrong.wav"}));
        for (int i = 0; i < names.size(); ++i) {
            for (int j = i + 1; j < names.size(); ++j) {
                QVERIFY2(read(names[i]).mid(44) != read(names[j]).mid(44),
                         qPrintable(names[i] + QStringLiteral(" = ") + names[j]));
            }
        }
    }

    // The click is the one cue heard many times a minute: the softest and the shortest.
    void theClickIsTheSoftestAndShortest()
    {
        auto rms = [](const QByteArray &f) {
            double sum = 0;
            const qsizetype frames = (f.size() - 44) / 2;
            for (qsizetype k = 0; k < frames; ++k) {
                sum += double(sample(f, k)) * sample(f, k);
            }
            return std::sqrt(sum / double(frames));
        };
        const QByteArray click = read(QStringLiteral("click.wav"));
        for (const char *n : {"correct", "wrong", "clear", "warning", "levelup", "gameend"}) {
            const QByteArray other = read(QString::fromLatin1(n) + QStringLiteral(".wav"));
            QVERIFY2(click.size() < other.size(), n);
            QVERIFY2(rms(click) < rms(other), n);
        }
    }
};

QTEST_GUILESS_MAIN(TestSoundFiles)
#include "test_soundfiles.moc"
