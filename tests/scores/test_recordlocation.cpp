#include "scores/recordlocation.h"
#include "support/doubles.h"
#include <QFileInfo>
#include <QStandardPaths>

#include <QTest>

class TestRecordLocation : public QObject
{
    Q_OBJECT
private slots:
    void scoresStayBesideTheProgramUnlessItIsInstalled_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build folder, first game") << false << false << true << "/game";
        QTest::newRow("build folder with scores") << false << true << true << "/game";
        QTest::newRow("read-only folder that holds scores") << false << true << false << "/game";
        QTest::newRow("read-only folder, no scores") << false << false << false << "/home/p/data";
        QTest::newRow("installed, run by root") << true << false << true << "/home/p/data";
        QTest::newRow("installed, scores left beside it") << true << true << true << "/home/p/data";
    }
    void scoresStayBesideTheProgramUnlessItIsInstalled()
    {
        QFETCH(bool, installed);
        QFETCH(bool, fileThere);
        QFETCH(bool, folderWritable);
        QFETCH(QString, expected);
        MemoryFiles files;
        if (installed) {
            files.put(QStringLiteral("/game/installed"), {});
        }
        if (fileThere) {
            files.put(QStringLiteral("/game/record.dat"), "1\tann\t\t90\r\n");
        }
        if (!folderWritable) {
            files.setFolderReadOnly(QStringLiteral("/game"));
        }
        int asked = 0;
        const QString folder = recordFolder(files, QStringLiteral("/game"), [&] {
            ++asked;
            return QStringLiteral("/home/p/data");
        });
        QCOMPARE(folder, expected);
        // The data folder is only made when it is used.
        QCOMPARE(asked, expected == QLatin1String("/game") ? 0 : 1);
    }

    void noDataFolderLeavesTheProgramFolder()
    {
        MemoryFiles files;
        files.setFolderReadOnly(QStringLiteral("/game"));
        QCOMPARE(recordFolder(files, QStringLiteral("/game"), [] { return QString(); }),
                 QStringLiteral("/game"));
    }

    void dataFolderIsFixedAndMade()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Tilnora"));
        QCoreApplication::setApplicationName(QStringLiteral("Tilnora"));
        const QString folder = playerDataFolder();
        QVERIFY(!folder.isEmpty());
        QVERIFY(folder.endsWith(QStringLiteral("/Tilnora/Tilnora")));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(playerDataFolder(), folder);
    }
};

QTEST_GUILESS_MAIN(TestRecordLocation)
#include "test_recordlocation.moc"
