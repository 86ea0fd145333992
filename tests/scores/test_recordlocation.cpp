#include "scores/recordlocation.h"
#include "support/gameharness.h"

#include <QStandardPaths>
#include <QTest>

// Where record.dat is kept: beside a copy run from where it was built, in the player's data
// folder for an installed copy (root included) and for a folder that takes no new file.
class TestRecordLocation : public QObject
{
    Q_OBJECT
private slots:
    // Beside the program: the install mark (i), record.dat (r), a folder taking files (w) |
    // the data folder given | where the scores go.
    void scoresStayBesideTheProgramUnlessItIsInstalled_data()
    {
        addRows({"build folder, first game | w | /data | /game",
                 "build folder with scores | rw | /data | /game",
                 "read-only folder that holds scores | r | /data | /game",
                 "read-only folder, no scores | | /data | /data",
                 "installed, run by root | iw | /data | /data",
                 "installed, scores left beside it | irw | /data | /data",
                 "no data folder to be had | | | /game"});
    }
    void scoresStayBesideTheProgramUnlessItIsInstalled()
    {
        const QStringList f = fields();
        MemoryFiles files;
        f[0].contains('i') ? files.put("/game/installed", {}) : void();
        f[0].contains('r') ? files.put("/game/record.dat", "1\tann\t\t90\r\n") : void();
        f[0].contains('w') ? void() : files.setFolderReadOnly("/game");
        int asked = 0;
        QCOMPARE(recordFolder(files, "/game", [&] { return ++asked, f[1]; }), f[2]);
        QCOMPARE(asked, f[2] == "/game" && !f[1].isEmpty() ? 0 : 1); // made only when used
    }

    void dataFolderIsFixedAndMade()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName("Tilnora");
        QCoreApplication::setApplicationName("Tilnora");
        const QString folder = playerDataFolder();
        QVERIFY(folder.endsWith("/Tilnora/Tilnora") && QFileInfo(folder).isDir());
    }
};

QTEST_GUILESS_MAIN(TestRecordLocation)
#include "test_recordlocation.moc"
