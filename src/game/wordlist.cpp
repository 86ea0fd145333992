#include "game/wordlist.h"

#include <algorithm>
#include <array>
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

inline unsigned lowered(char c)
{
    return LowerTable[static_cast<unsigned char>(c)];
}

// A place in the table is 0 when free. A used place holds one of two kinds of key:
// - a short text (up to ShortLength characters) whole: bit 63 set, its length in bits 60 to
//   62 and its lower-cased characters in bits 0 to 47, so such an entry is found without
//   reading any text;
// - a longer text: bit 63 clear, its length up to 15 (15 for any longer one) in bits 48 to
//   51, eleven bits of its hash in bits 52 to 62, and the offset of its text + 1 in bits 0 to
//   47 (no text in a 64-bit address space is longer).
constexpr std::size_t ShortLength = 6;
constexpr std::uint64_t ShortFlag = std::uint64_t(1) << 63;
constexpr std::uint64_t OffsetMask = (std::uint64_t(1) << 48) - 1;
constexpr std::uint64_t TagMask = ~OffsetMask;

constexpr std::uint64_t HashMultiplier = 0x9e3779b97f4a7c15ULL;

inline std::uint64_t mixIn(std::uint64_t h, std::uint64_t word)
{
    h = (h ^ word) * HashMultiplier;
    return h ^ (h >> 29);
}

// Spreads the bits: the low ones pick the place, the high ones go into the tag.
inline std::uint64_t finish(std::uint64_t h)
{
    h ^= h >> 32;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

// The hash of a text and its key, for `length` character codes (each 0 to 255) given by
// code(k). The hash packs the characters eight to a 64-bit word and mixes each word in with
// one multiplication, after the length, so that texts differing only by trailing NUL
// characters differ. The key of a longer text lacks its offset.
struct Probe
{
    std::uint64_t hash;
    std::uint64_t key;
};

template <typename Code> inline Probe probeFor(std::size_t length, Code code)
{
    auto pack = [&code](std::size_t from, std::size_t count) {
        std::uint64_t word = 0;
        for (std::size_t b = 0; b < count; ++b) {
            word |= std::uint64_t(code(from + b)) << (8 * b);
        }
        return word;
    };
    if (length <= ShortLength) {
        const std::uint64_t key = ShortFlag | (std::uint64_t(length) << 60) | pack(0, length);
        return {finish(mixIn(0x2545f4914f6cdd1dULL, key)), key};
    }
    std::uint64_t h = mixIn(0x2545f4914f6cdd1dULL, length);
    std::size_t k = 0;
    for (; k + 8 <= length; k += 8) {
        h = mixIn(h, pack(k, 8));
    }
    if (k < length) {
        h = mixIn(h, pack(k, length - k));
    }
    h = finish(h);
    const std::uint64_t tag =
        ((h >> 52) << 52 & ~ShortFlag) | (std::uint64_t(std::min<std::size_t>(length, 15)) << 48);
    return {h, tag};
}

// The line ends in eight bytes of text: bit 7 of byte j is set when byte j is an LF that
// follows a CR (in byte j - 1, or in the last byte of the previous eight for j = 0).
inline std::uint64_t lineEnds(const char *eight, std::uint64_t &previousCr)
{
    std::uint64_t w;
    std::memcpy(&w, eight, 8);
    // High bit of every byte that is zero, exactly (no borrow runs between bytes).
    auto zeroBytes = [](std::uint64_t x) {
        constexpr std::uint64_t Low7 = 0x7f7f7f7f7f7f7f7fULL;
        return ~(((x & Low7) + Low7) | x | Low7);
    };
    const std::uint64_t lf = zeroBytes(w ^ 0x0a0a0a0a0a0a0a0aULL);
    const std::uint64_t cr = zeroBytes(w ^ 0x0d0d0d0d0d0d0d0dULL);
    const std::uint64_t ends = ((cr << 8) | (previousCr >> 56)) & lf;
    previousCr = cr;
    return ends;
}

// Calls found(k) for every k where the text has an LF after a CR at k - 1, in order.
template <typename Found> void forEachLineEnd(const char *text, std::size_t size, Found found)
{
    std::uint64_t previousCr = 0;
    std::size_t base = 0;
    auto report = [&](std::uint64_t ends) {
        while (ends != 0) {
            found(base + static_cast<std::size_t>(__builtin_ctzll(ends)) / 8);
            ends &= ends - 1;
        }
    };
    for (; base + 8 <= size; base += 8) {
        report(lineEnds(text + base, previousCr));
    }
    if (base < size) {
        char tail[8] = {};
        std::memcpy(tail, text + base, size - base);
        report(lineEnds(tail, previousCr));
    }
}

// True when the entry whose text starts at `start` is `length` characters long and its
// characters, lowered, are code(0) to code(length - 1). The characters compared hold no CR LF
// (the caller's text has none, and lowering leaves CR and LF alone), so the entry is that
// long exactly when the text ends, or a CR LF follows, right after them.
template <typename Code>
bool entryEquals(const char *text, std::size_t textSize, std::size_t start, std::size_t length,
                 Code code)
{
    const std::size_t end = start + length;
    if (end > textSize ||
        (end < textSize && (text[end] != '\r' || end + 1 >= textSize || text[end + 1] != '\n'))) {
        return false;
    }
    for (std::size_t k = 0; k < length; ++k) {
        if (lowered(text[start + k]) != code(k)) {
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
    const char *const text = m_text.constData();
    const auto size = static_cast<std::size_t>(m_text.size());

    // A CR LF cannot overlap another, so every LF after a CR ends an entry. Counting them
    // first lets the offsets be allocated once and exactly.
    std::size_t separators = 0;
    forEachLineEnd(text, size, [&separators](std::size_t) { ++separators; });
    m_starts.clear();
    m_starts.reserve(separators + 2);
    m_starts.push_back(0);
    forEachLineEnd(text, size,
                   [this](std::size_t lf) { m_starts.push_back(static_cast<qsizetype>(lf + 1)); });
    m_starts.push_back(m_text.size() + 2);
    m_table.clear();
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

void WordList::prepareLookup() const
{
    if (m_table.empty()) {
        buildLookup();
    }
}

void WordList::buildLookup() const
{
    const auto entries = static_cast<std::size_t>(size());
    std::size_t capacity = 16;
    while (capacity < 2 * entries) {
        capacity <<= 1;
    }
    m_table.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    const char *const text = m_text.constData();
    const auto textSize = static_cast<std::size_t>(m_text.size());

    // The places of the next entries are fetched from memory ahead of their turn, so the
    // waits for the table overlap.
    constexpr std::size_t Ahead = 16;
    std::array<Probe, Ahead> ahead{};
    auto probeEntry = [&](std::size_t i) {
        const char *data = entryData(i);
        const Probe p =
            probeFor(entryLength(i), [data](std::size_t k) { return lowered(data[k]); });
        __builtin_prefetch(&m_table[p.hash & mask], 1);
        return p;
    };
    for (std::size_t i = 0; i < std::min(Ahead, entries); ++i) {
        ahead[i] = probeEntry(i);
    }
    for (std::size_t i = 0; i < entries; ++i) {
        const Probe p = ahead[i % Ahead];
        if (i + Ahead < entries) {
            ahead[i % Ahead] = probeEntry(i + Ahead);
        }
        const std::size_t length = entryLength(i);
        const char *data = entryData(i);
        const bool isShort = (p.key & ShortFlag) != 0;
        for (std::size_t place = p.hash & mask;; place = (place + 1) & mask) {
            const std::uint64_t used = m_table[place];
            if (used == 0) {
                m_table[place] =
                    isShort ? p.key : p.key | (static_cast<std::uint64_t>(data - text) + 1);
                break;
            }
            // The first entry of a lower-case form stands for all of them.
            if (isShort ? used == p.key
                        : (used & TagMask) == p.key &&
                              entryEquals(text, textSize, (used & OffsetMask) - 1, length,
                                          [data](std::size_t k) { return lowered(data[k]); })) {
                break;
            }
        }
    }
}

bool WordList::contains(const QString &lowerWord) const
{
    const auto length = static_cast<std::size_t>(lowerWord.size());
    const char16_t *word = QStringView(lowerWord).utf16();
    for (std::size_t k = 0; k < length; ++k) {
        // Every lower-cased entry is Latin-1 text without a CR LF in it, so a word with
        // any other character, or with a CR LF, matches none of them.
        if (word[k] > 0xFF || (word[k] == u'\n' && k > 0 && word[k - 1] == u'\r')) {
            return false;
        }
    }
    prepareLookup();
    auto code = [word](std::size_t k) { return unsigned(word[k]); };
    const Probe p = probeFor(length, code);
    const bool isShort = (p.key & ShortFlag) != 0;
    const char *const text = m_text.constData();
    const auto textSize = static_cast<std::size_t>(m_text.size());
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t place = p.hash & mask;; place = (place + 1) & mask) {
        const std::uint64_t used = m_table[place];
        if (used == 0) {
            return false;
        }
        if (isShort ? used == p.key
                    : (used & TagMask) == p.key &&
                          entryEquals(text, textSize, (used & OffsetMask) - 1, length, code)) {
            return true;
        }
    }
}
