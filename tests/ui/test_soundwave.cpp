#include "ui/soundwave.h"
#include "wavebytes.h"

#include <QTest>

using namespace wavebytes;

// What the player accepts as a wave file, and what it turns away as silence.
class TestSoundWave : public QObject
{
    Q_OBJECT
private slots:
    void acceptsPcmItCanPlay_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("frames");

        QTest::newRow("16-bit mono") << wave(100) << 8000 << 1 << 16 << 100;
        QTest::newRow("8-bit mono") << wave(50, 11025, 1, 8) << 11025 << 1 << 8 << 50;
        QTest::newRow("16-bit stereo at 44.1 kHz")
            << wave(30, 44100, 2, 16) << 44100 << 2 << 16 << 30;
        QTest::newRow("32-bit mono") << wave(10, 48000, 1, 32) << 48000 << 1 << 32 << 10;
        QTest::newRow("extensible header naming PCM")
            << riff(chunk("fmt ", extensibleFormat(1, 2, 22050, 16)) + chunk("data", samples(40)))
            << 22050 << 2 << 16 << 10;
        QTest::newRow("odd-length chunk before the format, padded")
            << riff(chunk("LIST", QByteArray("abc")) + chunk("fmt ", format(1, 1, 8000, 16)) +
                    chunk("data", samples(20)))
            << 8000 << 1 << 16 << 10;
        QTest::newRow("data chunk before the format chunk")
            << riff(chunk("data", samples(8)) + chunk("fmt ", format(1, 1, 8000, 16))) << 8000 << 1
            << 16 << 4;
        QTest::newRow("longer format chunk with an empty extension")
            << riff(chunk("fmt ", format(1, 1, 8000, 16) + le16(0)) + chunk("data", samples(6)))
            << 8000 << 1 << 16 << 3;
        QTest::newRow("half a frame at the end is dropped")
            << riff(chunk("fmt ", format(1, 2, 8000, 16)) + chunk("data", samples(4 * 5 + 2)))
            << 8000 << 2 << 16 << 5;
        QTest::newRow("RIFF length that disagrees, chunks whole") << [] {
            QByteArray f = wave(12);
            f.replace(4, 4, le32(999999));
            return f;
        }() << 8000 << 1 << 16 << 12;
        QTest::newRow("bytes after the data chunk")
            << wave(7) + QByteArray("junk!") << 8000 << 1 << 16 << 7;
    }
    void acceptsPcmItCanPlay()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(int, frames);
        const std::optional<SoundWave> w = SoundWave::parse(file);
        QVERIFY(w.has_value());
        QCOMPARE(w->sampleRate, rate);
        QCOMPARE(w->channels, channels);
        QCOMPARE(w->bitsPerSample, bits);
        QCOMPARE(w->frames(), qint64(frames));
        QCOMPARE(w->samples.size(), qsizetype(frames) * channels * bits / 8);
    }

    void samplesAreTheDataChunkItself()
    {
        const QByteArray data = samples(64, 42);
        const std::optional<SoundWave> w =
            SoundWave::parse(riff(chunk("fmt ", format(1, 1, 16000, 16)) + chunk("data", data)));
        QVERIFY(w.has_value());
        QCOMPARE(w->samples, data);
        QCOMPARE(w->durationMs(), qint64(2));
    }

    void turnsAwayWhatItCannotVouchFor_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray fmt16 = chunk("fmt ", format(1, 1, 8000, 16));
        const QByteArray good = wave(100);

        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("only the RIFF tag") << QByteArray("RIFF");
        QTest::newRow("big-endian RIFX") << QByteArray("RIFX") + good.mid(4);
        QTest::newRow("RIFF but not WAVE") << QByteArray("RIFF") + le32(4) + QByteArray("AVI ");
        QTest::newRow("text file") << QByteArray("just some words, not a sound\r\n");
        QTest::newRow("no format chunk") << riff(chunk("data", samples(20)));
        QTest::newRow("no data chunk") << riff(fmt16);
        QTest::newRow("format chunk too short")
            << riff(chunk("fmt ", format(1, 1, 8000, 16).left(14)) + chunk("data", samples(20)));
        QTest::newRow("floating point samples")
            << riff(chunk("fmt ", format(3, 1, 8000, 32)) + chunk("data", samples(40)));
        QTest::newRow("A-law") << riff(chunk("fmt ", format(6, 1, 8000, 8)) +
                                       chunk("data", samples(20)));
        QTest::newRow("extensible header naming floats")
            << riff(chunk("fmt ", extensibleFormat(3, 1, 8000, 32)) + chunk("data", samples(40)));
        QTest::newRow("12-bit samples")
            << riff(chunk("fmt ", format(1, 1, 8000, 12, 2)) + chunk("data", samples(20)));
        QTest::newRow("24-bit samples")
            << riff(chunk("fmt ", format(1, 1, 8000, 24)) + chunk("data", samples(30)));
        QTest::newRow("three channels")
            << riff(chunk("fmt ", format(1, 3, 8000, 16)) + chunk("data", samples(60)));
        QTest::newRow("no channels")
            << riff(chunk("fmt ", format(1, 0, 8000, 16, 2)) + chunk("data", samples(20)));
        QTest::newRow("sample rate 0")
            << riff(chunk("fmt ", format(1, 1, 0, 16)) + chunk("data", samples(20)));
        QTest::newRow("absurd sample rate")
            << riff(chunk("fmt ", format(1, 1, 4000000, 16)) + chunk("data", samples(20)));
        QTest::newRow("frame size that does not fit the format")
            << riff(chunk("fmt ", format(1, 2, 8000, 16, 2)) + chunk("data", samples(20)));
        QTest::newRow("data cut short") << riff(fmt16 + chunk("data", samples(100), 200));
        QTest::newRow("streaming length 0xFFFFFFFF")
            << riff(fmt16 + chunk("data", samples(100), 0xFFFFFFFFLL));
        QTest::newRow("file cut inside the header") << good.left(30);
        QTest::newRow("file cut just after the data header") << good.left(44);
        QTest::newRow("chunk before the data cut short")
            << riff(fmt16 + chunk("LIST", samples(10), 5000) + chunk("data", samples(20)));
        QTest::newRow("data of less than one frame") << riff(fmt16 + chunk("data", samples(1)));
        QTest::newRow("empty data") << riff(fmt16 + chunk("data", QByteArray()));
    }
    void turnsAwayWhatItCannotVouchFor()
    {
        QFETCH(QByteArray, file);
        QVERIFY(!SoundWave::parse(file).has_value());
    }
};

QTEST_GUILESS_MAIN(TestSoundWave)
#include "test_soundwave.moc"
