#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// The word list: the entries exactly as the file holds them, and a lookup prepared once that
// answers what a scan comparing each lower-cased entry with the word would answer. The lookup
// is built by prepareLookup(), or by the first check if that comes sooner, so that start-up
// need not wait for it.
//
// The file's bytes are kept as they came (one byte per character, Latin-1), with the offset of
// every entry beside them, so a list costs a few times its file. The lookup is an
// open-addressing table hashed on the lower-cased form: a short entry's key holds its whole
// lower-cased text, a longer one's its place in the text with its length and a few bits of its
// hash, so a probe reads an entry's text only when it is very likely the one. Entries that
// lower to the same text share one key.
class WordList
{
public:
    // Takes the file's bytes and splits them at every CR LF; a final CR LF gives an empty last
    // entry, and no bytes at all give one empty entry. A lone CR or LF is part of an entry.
    void setBytes(const QByteArray &bytes);
    void clear();

    int size() const { return static_cast<int>(m_starts.size()) - 1; }
    // Entry i (0 to size() - 1) as written in the file.
    QString entry(int i) const;

    // True when some entry, lower-cased, equals the word exactly. The game passes its word
    // lower-cased already; a word with capitals is never found.
    bool contains(const QString &lowerWord) const;
    // Builds the lookup now, if it is not built yet.
    void prepareLookup() const;

    // The lower-case form of a Latin-1 character, as QString::toLower gives it: A to Z and
    // the accented capitals from 0xC0 to 0xDE (but not 0xD7, the multiplication sign) move
    // up by 0x20; every other character stays, so the result is always Latin-1 again.
    static unsigned char lowerLatin1(unsigned char c);

private:
    // Entry i spans m_starts[i] to m_starts[i + 1] - 2 (the CR LF between them left out); the
    // last start is the text's size + 2, so the last entry ends at the text's end.
    std::size_t entryLength(std::size_t i) const
    {
        return static_cast<std::size_t>(m_starts[i + 1] - m_starts[i]) - 2;
    }
    const char *entryData(std::size_t i) const { return m_text.constData() + m_starts[i]; }
    void buildLookup() const;

    QByteArray m_text;
    std::vector<qsizetype> m_starts{0}; // an empty list: no entries
    // One key per lower-case form, 0 in a free place (wordlist.cpp says what a key holds). The
    // size is a power of two at least twice the number of entries, so probes stay short.
    // Empty until the lookup is built.
    mutable std::vector<std::uint64_t> m_table;
};
