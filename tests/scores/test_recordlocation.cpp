#include "scores/recordlocation.h"
#include "support/doubles.h"

#include <QTest>

// Where record.dat is kept: beside a copy run from where it was built, in the player's data
// folder for an installed copy (root included) and for a folder that takes no new file.
class TestRecordLocation : public QObject
{
    Q_OBJECT
private slots:
    void scoresStayBesideTheProgramUnlessItIsInstalled_data()
    {
        QTest::addColumn<QStringList>("beside"); // the files beside the program
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("dataFolder"); // empty: none to be had
        QTest::addColumn<QString>("kept");
        const QStringList scores{"record.dat"};
        QTest::newRow("build folder, first game") << QStringList() << true << "/data"
                                                  << "/game";
        QTest::newRow("read-only folder with scores") << scores << false << "/data"
                                                      << "/game";
        QTest::newRow("read-only folder, no scores") << QStringList() << false << "/data"
                                                     << "/data";
        QTest::newRow("installed, scores beside it")
            << QStringList{"installed", "record.dat"} << true << "/data"
            << "/data";
        QTest::newRow("no data folder to be had") << QStringList() << false << ""
                                                  << "/game";
    }
    void scoresStayBesideTheProgramUnlessItIsInstalled()
    {
        QFETCH(QStringList, beside);
        QFETCH(bool, folderWritable);
        QFETCH(QString, dataFolder);
        QFETCH(QString, kept);
        MemoryFiles files;
        for (const QString &name : beside) {
            files.put("/game/" + name, {});
        }
        if (!folderWritable) {
            files.setFolderReadOnly("/game");
        }
        QCOMPARE(recordFolder(files, "/game", [&] { return dataFolder; }), kept);
    }
};

QTEST_GUILESS_MAIN(TestRecordLocation)
#include "test_recordlocation.moc"
