#include "game/wordlist.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::array<unsigned char, 256> LowerTable = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(capital ? c + 0x20 : c);
    }
    return t;
}();

constexpr std::uint64_t HashStart = 0xcbf29ce484222325ULL;

// One step of FNV-1a over a character code.
inline std::uint64_t hashStep(std::uint64_t h, unsigned c)
{
    return (h ^ c) * 0x100000001b3ULL;
}

// Spreads the low bits, which pick the place in the table.
inline std::uint64_t finish(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t hashLowered(const char *data, std::size_t length)
{
    std::uint64_t h = HashStart;
    for (std::size_t k = 0; k < length; ++k) {
        h = hashStep(h, LowerTable[static_cast<unsigned char>(data[k])]);
    }
    return finish(h);
}

bool sameLowered(const char *a, const char *b, std::size_t length)
{
    for (std::size_t k = 0; k < length; ++k) {
        if (LowerTable[static_cast<unsigned char>(a[k])] !=
            LowerTable[static_cast<unsigned char>(b[k])]) {
            return false;
        }
    }
    return true;
}

} // namespace

unsigned char WordList::lowerLatin1(unsigned char c)
{
    return LowerTable[c];
}

void WordList::setBytes(const QByteArray &bytes)
{
    m_text = bytes;
    const char *const begin = m_text.constData();
    const char *const end = begin + m_text.size();

    // Count the separators first, so the offsets are allocated once and exactly.
    std::size_t separators = 0;
    for (const char *q = begin; q < end;) {
        q = static_cast<const char *>(std::memchr(q, '\r', static_cast<std::size_t>(end - q)));
        if (!q) {
            break;
        }
        if (q + 1 < end && q[1] == '\n') {
            ++separators;
            q += 2;
        } else {
            ++q;
        }
    }

    m_starts.clear();
    m_starts.reserve(separators + 2);
    m_starts.push_back(0);
    for (const char *q = begin; q < end;) {
        q = static_cast<const char *>(std::memchr(q, '\r', static_cast<std::size_t>(end - q)));
        if (!q) {
            break;
        }
        if (q + 1 < end && q[1] == '\n') {
            q += 2;
            m_starts.push_back(q - begin);
        } else {
            ++q;
        }
    }
    m_starts.push_back(m_text.size() + 2);
    buildLookup();
}

void WordList::clear()
{
    m_text.clear();
    m_starts.assign(1, 0);
    m_table.clear();
    m_table.shrink_to_fit();
}

QString WordList::entry(int i) const
{
    const auto k = static_cast<std::size_t>(i);
    return QString::fromLatin1(entryData(k), static_cast<qsizetype>(entryLength(k)));
}

void WordList::buildLookup()
{
    const auto entries = static_cast<std::size_t>(size());
    std::size_t capacity = 16;
    while (capacity < 2 * entries) {
        capacity <<= 1;
    }
    m_table.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < entries; ++i) {
        const char *data = entryData(i);
        const std::size_t length = entryLength(i);
        std::size_t place = hashLowered(data, length) & mask;
        for (;;) {
            const qsizetype used = m_table[place];
            if (used == 0) {
                m_table[place] = static_cast<qsizetype>(i) + 1;
                break;
            }
            // The first entry of a lower-case form stands for all of them.
            const auto other = static_cast<std::size_t>(used - 1);
            if (entryLength(other) == length && sameLowered(entryData(other), data, length)) {
                break;
            }
            place = (place + 1) & mask;
        }
    }
}

bool WordList::contains(const QString &lowerWord) const
{
    if (m_table.empty()) {
        return false;
    }
    const auto length = static_cast<std::size_t>(lowerWord.size());
    const char16_t *word = reinterpret_cast<const char16_t *>(lowerWord.constData());
    std::uint64_t h = HashStart;
    for (std::size_t k = 0; k < length; ++k) {
        // Every lower-cased entry is Latin-1 text, so a word with any other character
        // matches none of them.
        if (word[k] > 0xFF) {
            return false;
        }
        h = hashStep(h, word[k]);
    }
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t place = finish(h) & mask;; place = (place + 1) & mask) {
        const qsizetype used = m_table[place];
        if (used == 0) {
            return false;
        }
        const auto i = static_cast<std::size_t>(used - 1);
        if (entryLength(i) != length) {
            continue;
        }
        const char *data = entryData(i);
        std::size_t k = 0;
        while (k < length && LowerTable[static_cast<unsigned char>(data[k])] == word[k]) {
            ++k;
        }
        if (k == length) {
            return true;
        }
    }
}

std::size_t WordList::memoryBytes() const
{
    return static_cast<std::size_t>(m_text.capacity()) + m_starts.capacity() * sizeof(qsizetype) +
           m_table.capacity() * sizeof(qsizetype);
}
