#pragma once

#include "scores/scorerecord.h"
#include "ui/toolkit/fileaccess.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The high-score table and its file record.dat in the program's folder. With n entries the
// table has n + 1 slots: the entries best first, then one spare slot that is never shown
// or saved. The file holds one line per entry, "rank TAB name TAB TAB score" ended by
// CR LF, in 8-bit text (Latin-1). No widgets here: the high-score window shows the lines.
class RecordTable
{
public:
    static constexpr int MaxEntries = 10;

    RecordTable(const FileAccess &files, const QString &programFolder);

    // The full path of record.dat.
    QString path() const { return m_path; }

    // Back to the spare slot alone (no entries); forgets an earlier read failure.
    void reset();

    // Reads record.dat into the table. False when no such file exists (the table stays as it
    // was). True when it exists, after reading whatever it held: every CR LF ends one entry,
    // in file order and number, and text after the last CR LF is not read. A file that exists
    // but cannot be read leaves no entries, and readError() tells why.
    bool LoadRecords();

    // Entries in descending score, equal scores in their earlier order, cut to MaxEntries.
    void SortRecords();

    // Adds a new entry below all others, then sorts: it rises above every lower score and
    // stays below an equal one.
    void insertRecord(const ScoreRecord &entry);

    // Whether a game that ended with this score may enter it: with no entries only a score
    // above 0; with fewer than MaxEntries any score; otherwise one above the last entry's.
    bool scoreQualifies(std::int32_t score) const;

    // Entries, the spare slot not counted.
    int count() const { return static_cast<int>(arrRecords.size()) - 1; }
    const ScoreRecord &entry(int i) const { return arrRecords.at(i); }
    // Every slot, the spare one last.
    const QList<ScoreRecord> &records() const { return arrRecords; }

    // The lines of the high-score list: the heading, the rule and one line per entry, the
    // entry lines being those of the file.
    static QString headingLine();
    static QString ruleLine();
    static QString formatLine(int rank, const ScoreRecord &entry);
    QString entryLine(int i) const { return formatLine(i + 1, entry(i)); }
    QStringList listLines() const;

    // Why the existing file could not be read at the last LoadRecords, if it could not.
    const std::optional<FileError> &readError() const { return m_readError; }

    // Writes record.dat whole from these lines, each followed by CR LF. Refused, with nothing
    // written, while readError() is set: the unread scores in that file must not be lost.
    FileWriteResult save(const QStringList &lines) const;

    // The name as the table takes it from the name box: TAB, CR and LF (which would split the
    // line on reading) become blanks, and every character outside Latin-1 becomes one "?".
    static QString takeName(const QString &typed);

private:
    const FileAccess &m_files;
    QString m_path;
    QList<ScoreRecord> arrRecords;
    std::optional<FileError> m_readError;
};
