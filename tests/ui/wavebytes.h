#pragma once

#include <QByteArray>
#include <QtEndian>

// Wave files built byte by byte, for tests of the sound player and its file checks.
namespace wavebytes {

inline QByteArray le16(quint16 v)
{
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

// One chunk: its name, its length and its body, padded to an even length.
inline QByteArray chunk(const char *name, const QByteArray &body, qint64 declared = -1)
{
    QByteArray c =
        QByteArray(name, 4) + le32(quint32(declared >= 0 ? declared : body.size())) + body;
    if (body.size() % 2 != 0) {
        c += '\0';
    }
    return c;
}

// The 16-byte body of a plain "fmt " chunk; blockAlign -1 works it out.
inline QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits,
                         int blockAlign = -1)
{
    const quint16 align = blockAlign >= 0 ? quint16(blockAlign) : quint16(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

// The 40-byte body of an extensible "fmt " chunk whose sub-format tag is subTag.
inline QByteArray extensibleFormat(quint16 subTag, quint16 channels, quint32 rate, quint16 bits)
{
    static const char guidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
    return format(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) +
           le32(channels == 2 ? 3 : 4) + le16(subTag) + QByteArray(guidTail, 14);
}

inline QByteArray riff(const QByteArray &chunks)
{
    return QByteArray("RIFF") + le32(quint32(4 + chunks.size())) + QByteArray("WAVE") + chunks;
}

// Sample bytes that count up, so two sounds of the same length still differ.
inline QByteArray samples(qint64 bytes, char seed = 1)
{
    QByteArray s(bytes, 0);
    for (qint64 i = 0; i < bytes; ++i) {
        s[i] = char(seed + i * 7);
    }
    return s;
}

// A complete, ordinary PCM wave file of so many frames.
inline QByteArray wave(int frames, quint32 rate = 8000, quint16 channels = 1, quint16 bits = 16)
{
    const int frameBytes = channels * bits / 8;
    return riff(chunk("fmt ", format(1, channels, rate, bits)) +
                chunk("data", samples(qint64(frames) * frameBytes)));
}

} // namespace wavebytes
