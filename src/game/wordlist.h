#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The word list: entries exactly as the file holds them, and a lookup prepared once that
// answers what a scan comparing each lower-cased entry with the word would answer.
class WordList
{
public:
    // Takes the file's text and splits it at every CR LF; a final CR LF gives an empty last
    // entry.
    void setText(const QString &text);
    void clear();

    int size() const { return static_cast<int>(m_entries.size()); }
    QString entry(int i) const { return m_entries.at(i); }

    // True when some entry, lower-cased, equals the word (which is lower case already).
    bool contains(const QString &lowerWord) const;

private:
    QStringList m_entries;
    QSet<QString> m_lookup;
};
