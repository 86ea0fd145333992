#pragma once

#include "scores/recordtable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Small helpers for the high-score tests: tables written as "name=score" strings, and the
// file bytes of such a table in the format the game writes.
namespace recordfiles {

inline const QString Folder = QStringLiteral("/game");
inline const QString Path = QStringLiteral("/game/record.dat");

// "ann=90" -> the line "<rank> TAB ann TAB TAB 90 CR LF", ranks from 1.
inline QByteArray fileOf(const QStringList &entries)
{
    QByteArray bytes;
    int rank = 1;
    for (const QString &e : entries) {
        const QString name = e.section(QLatin1Char('='), 0, -2);
        const QString score = e.section(QLatin1Char('='), -1);
        bytes += QString::number(rank++).toLatin1() + '\t' + name.toLatin1() + "\t\t" +
                 score.toLatin1() + "\r\n";
    }
    return bytes;
}

// The list lines of those entries, as the file holds them without the line ends.
inline QStringList linesOf(const QStringList &entries)
{
    QStringList lines = QString::fromLatin1(fileOf(entries)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

// The entries of a table as "name=score", spare slot left out.
inline QStringList entriesOf(const RecordTable &table)
{
    QStringList out;
    for (int i = 0; i < table.count(); ++i) {
        out << table.entry(i).Name + QLatin1Char('=') + QString::number(table.entry(i).Score);
    }
    return out;
}

// n entries "p1=<first>", "p2=<first - step>", ...
inline QStringList descending(int n, int first, int step)
{
    QStringList out;
    for (int i = 0; i < n; ++i) {
        out << QStringLiteral("p%1=%2").arg(i + 1).arg(first - i * step);
    }
    return out;
}

} // namespace recordfiles
