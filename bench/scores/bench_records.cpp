// Prints how long one opening of the high-score window spends on its file: reading a full
// table, and inserting and saving an entry, on the real file system. Also times reading a
// very large file, which the game never writes but must survive.

#include "scores/recordtable.h"
#include "ui/toolkit/fileaccess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void writeFile(const QString &path, int lines)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += QByteArray::number(i + 1) + "\tplayer" + QByteArray::number(i % 100) + "\t\t" +
                 QByteArray::number(100000 - i) + "\r\n";
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
    }
}

template <typename F> double microsecondsPer(int rounds, F &&f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        f();
    }
    return double(t.nsecsElapsed()) / 1000.0 / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SystemFileAccess files;
    const QString path = dir.filePath(QStringLiteral("record.dat"));

    writeFile(path, 10);
    const double load10 = microsecondsPer(2000, [&] {
        RecordTable table(files, dir.path());
        table.LoadRecords();
    });
    const double save10 = microsecondsPer(200, [&] {
        RecordTable table(files, dir.path());
        table.LoadRecords();
        table.insertRecord(ScoreRecord{QStringLiteral("bench"), 99999});
        table.save(table.listLines().mid(2));
    });
    std::printf("ten-entry table: load %.1f us, load + insert + atomic save %.1f us\n", load10,
                save10);

    writeFile(path, 100000);
    const double loadBig = microsecondsPer(5, [&] {
        RecordTable table(files, dir.path());
        table.LoadRecords();
    });
    std::printf("100000-line file: load %.1f ms\n", loadBig / 1000.0);
    return 0;
}
