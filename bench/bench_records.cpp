// What one opening of the high-score window spends on its file, on the real file system:
// reading a full table, and reading, inserting an entry and saving. Also reading a very large
// file, which the game never writes but must survive.

#include "benchkit.h"
#include "scores/recordtable.h"
#include "ui/toolkit/fileaccess.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

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

// Mean wall time of one round, in milliseconds.
template <typename F> double msPer(int rounds, F &&f)
{
    const double t0 = bench::ms();
    for (int i = 0; i < rounds; ++i) {
        f();
    }
    return (bench::ms() - t0) / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SystemFileAccess files;
    const QString path = dir.filePath(QStringLiteral("record.dat"));
    const auto load = [&] { RecordTable(files, dir.path()).LoadRecords(); };

    std::printf("high-score file record.dat\n");
    writeFile(path, 10);
    bench::figure("ten entries: load", msPer(2000, load), "ms");
    bench::figure("ten entries: load + insert + atomic save",
                  msPer(200,
                        [&] {
                            RecordTable table(files, dir.path());
                            table.LoadRecords();
                            table.insertRecord(ScoreRecord{QStringLiteral("bench"), 99999});
                            table.save(table.listLines().mid(2));
                        }),
                  "ms");
    writeFile(path, 100000);
    bench::figure("100,000-line file: load", msPer(5, load), "ms");
    return 0;
}
