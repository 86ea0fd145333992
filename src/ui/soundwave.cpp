#include "ui/soundwave.h"

#include <cstdint>
#include <cstring>

namespace {

std::uint32_t le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

std::uint16_t le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return static_cast<std::uint16_t>(u[0] | u[1] << 8);
}

constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint16_t FormatExtensible = 0xFFFE;

} // namespace

std::optional<SoundWave> SoundWave::parse(const QByteArray &file)
{
    const char *bytes = file.constData();
    const qint64 size = file.size();
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }

    const char *format = nullptr;
    qint64 formatSize = 0;
    const char *data = nullptr;
    qint64 dataSize = 0;
    // Walk the chunks; each has a 4-byte name, a 4-byte length and a body padded to an even
    // length. A chunk that runs past the end of the file means the file was cut short.
    qint64 at = 12;
    while (at + 8 <= size && !(format && data)) {
        const char *name = bytes + at;
        const qint64 length = le32(bytes + at + 4);
        const qint64 body = at + 8;
        if (length > size - body) {
            return std::nullopt;
        }
        if (std::memcmp(name, "fmt ", 4) == 0 && !format) {
            format = bytes + body;
            formatSize = length;
        } else if (std::memcmp(name, "data", 4) == 0 && !data) {
            data = bytes + body;
            dataSize = length;
        }
        at = body + length + (length & 1);
    }
    if (!format || !data || formatSize < 16) {
        return std::nullopt;
    }

    std::uint16_t tag = le16(format);
    if (tag == FormatExtensible && formatSize >= 40) {
        // The extensible header names the real format in the first two bytes of its GUID.
        tag = le16(format + 24);
    }
    SoundWave wave;
    wave.channels = le16(format + 2);
    wave.sampleRate = static_cast<int>(le32(format + 4));
    const std::uint16_t blockAlign = le16(format + 12);
    wave.bitsPerSample = le16(format + 14);
    if (tag != FormatPcm || wave.channels < 1 || wave.channels > 2 ||
        (wave.bitsPerSample != 8 && wave.bitsPerSample != 16 && wave.bitsPerSample != 32) ||
        wave.sampleRate < 4000 || wave.sampleRate > 192000 || blockAlign != wave.bytesPerFrame()) {
        return std::nullopt;
    }
    // A trailing part frame is dropped; a file without one whole frame has nothing to play.
    const qint64 whole = dataSize - dataSize % blockAlign;
    if (whole == 0) {
        return std::nullopt;
    }
    wave.samples = QByteArray(data, whole);
    return wave;
}
