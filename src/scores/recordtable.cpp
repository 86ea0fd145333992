#include "scores/recordtable.h"

#include "ui/toolkit/conversions.h"
#include "ui/toolkit/textops.h"

#include <algorithm>

RecordTable::RecordTable(const FileAccess &files, const QString &programFolder)
    : m_files(files), m_path(programFolder + QStringLiteral("/record.dat"))
{
    reset();
}

void RecordTable::reset()
{
    arrRecords = QList<ScoreRecord>(1);
    m_readError.reset();
}

bool RecordTable::LoadRecords()
{
    if (!m_files.fileExists(m_path)) {
        return false;
    }
    const FileReadResult read = m_files.readAll(m_path);
    if (!read.ok) {
        // Read as no entries; the error keeps the next save from replacing the scores that
        // could not be read.
        arrRecords = QList<ScoreRecord>(1);
        m_readError = read.error;
        return true;
    }
    m_readError.reset();
    const QStringList pieces = text::splitKeepEmpty(latin1Text(read.bytes), text::CrLf);
    // k pieces for k - 1 line ends: the last piece is not an entry and its slot is the spare.
    arrRecords = QList<ScoreRecord>(pieces.size());
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        const QStringList fields = text::splitKeepEmpty(pieces[i], text::Tab);
        // A line without a fourth field, or whose fourth is no 32-bit decimal number, stays an
        // empty entry in its place, like a line with too few fields.
        if (fields.size() < 4) {
            continue;
        }
        const std::optional<std::int32_t> score = conv::parseLong(fields[3]);
        if (!score) {
            continue;
        }
        arrRecords[i].Name = fields[1];
        arrRecords[i].Score = *score;
    }
    return true;
}

void RecordTable::SortRecords()
{
    std::stable_sort(arrRecords.begin(), arrRecords.end() - 1,
                     [](const ScoreRecord &a, const ScoreRecord &b) { return a.Score > b.Score; });
    if (arrRecords.size() > MaxEntries + 1) {
        arrRecords.resize(MaxEntries + 1);
        // The eleventh entry is dropped; its slot becomes the empty spare.
        arrRecords.last() = ScoreRecord{};
    }
}

void RecordTable::insertRecord(const ScoreRecord &entry)
{
    arrRecords.last() = entry;
    arrRecords.append(ScoreRecord{});
    SortRecords();
}

bool RecordTable::scoreQualifies(std::int32_t score) const
{
    const int last = count() - 1;
    if (last < 0) {
        return score > 0;
    }
    return score > entry(last).Score || last < MaxEntries - 1;
}

QString RecordTable::headingLine()
{
    return QStringLiteral("Sr. #\tName\t\tScore");
}

QString RecordTable::ruleLine()
{
    return QString(67, QLatin1Char('-'));
}

QString RecordTable::formatLine(int rank, const ScoreRecord &entry)
{
    return QString::number(rank) + text::Tab + entry.Name + text::Tab + text::Tab +
           QString::number(entry.Score);
}

QStringList RecordTable::listLines() const
{
    QStringList lines{headingLine(), ruleLine()};
    for (int i = 0; i < count(); ++i) {
        lines << entryLine(i);
    }
    return lines;
}

FileWriteResult RecordTable::save(const QStringList &lines) const
{
    if (m_readError) {
        FileWriteResult refused;
        refused.error = *m_readError;
        return refused;
    }
    QString content;
    for (const QString &line : lines) {
        content += line + text::CrLf;
    }
    return m_files.writeAll(m_path, latin1Bytes(content));
}

QString RecordTable::takeName(const QString &typed)
{
    QString name;
    name.reserve(typed.size());
    for (const char32_t c : typed.toUcs4()) {
        if (c == U'\t' || c == U'\r' || c == U'\n') {
            name += QLatin1Char(' ');
        } else if (c > 0xFF) {
            name += QLatin1Char('?');
        } else {
            name += QChar(static_cast<char16_t>(c));
        }
    }
    return name;
}
