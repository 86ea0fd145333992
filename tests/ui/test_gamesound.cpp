#include "fakesoundbackend.h"
#include "game/frmmain.h"
#include "support/countingfiles.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/soundplayer.h"
#include "ui/toolkit/virtualclock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

namespace {

const char *const CueNames[] = {"click",   "correct", "wrong",  "clear",
                                "warning", "levelup", "gameend"};

// True while a thread of this process carries the sound thread's name.
bool soundThreadRunning()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) &&
            comm.readAll().trimmed() == QByteArray(SoundPlayer::ThreadName)) {
            return true;
        }
    }
    return false;
}


// Passes each cue on to the player and keeps its file name.
class TeeSound : public SoundSink
{
public:
    explicit TeeSound(SoundSink &next) : m_next(next) {}
    void playFile(const QString &path) override
    {
        names << path.section(QLatin1Char('/'), -1);
        m_next.playFile(path);
    }
    QStringList names;

private:
    SoundSink &m_next;
};

// What the player sees of a game, to compare runs.
QString fingerprint(const frmMain &g)
{
    QString stack;
    for (int k = 0; k < g.OoperDaba.bound(); ++k) {
        if (g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible()) {
            stack += g.OoperDaba[k].caption() + (g.OoperDaba[k].isEnabled() ? "" : "*");
        }
    }
    QString word;
    for (int k = 1; k <= 8; ++k) {
        word += g.Result[k].caption();
    }
    return QStringLiteral("score %1 level %2 rows %3 result '%4' word '%5' button %6 stack %7")
        .arg(g.lblScore.caption(), g.lblLevel.caption(), g.lblRowsLeft.caption(),
             g.lblResult.caption(), word, g.btnStart.caption(), stack);
}

} // namespace

class TestGameSound : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QHash<QString, qint64> m_frames; // frames of each generated cue file
    QString m_baseline;
    QStringList m_baselineCues;

    QString folder(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }

    // A program folder holding the word list and a sound folder made by the setup.
    QString makeProgramFolder(const QString &name,
                              const std::function<void(const QString &)> &sound)
    {
        const QString dir = folder(name);
        QDir().mkpath(dir);
        QFile words(dir + QStringLiteral("/ShortList8.txt"));
        if (!words.open(QIODevice::WriteOnly)) {
            return QString();
        }
        words.write("cat\r\ndog\r\nbhjklmnp\r\n");
        words.close();
        sound(dir + QStringLiteral("/sound"));
        return dir;
    }

    static void copyCues(const QString &to)
    {
        QDir().mkpath(to);
        const QString from = qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/sound/");
        for (const char *n : CueNames) {
            const QString file = QString::fromLatin1(n) + QStringLiteral(".wav");
            QFile::copy(from + file, to + QLatin1Char('/') + file);
        }
    }

    // One short game on the virtual clock: a row, three tiles picked, Enter, Clear twice,
    // twenty more seconds of rows. After each step the test waits until the sound thread
    // has looked for every cue's file, so the back end sees them all, in order.
    struct Run
    {
        QString fingerprint;
        QStringList cues;   // file names the game asked for
        QStringList played; // what reached the back end, "play <frames>"
    };
    Run runGame(const QString &programFolder)
    {
        Run run;
        auto out = std::make_shared<FakeOutput>();
        CountingFiles files;
        SoundPlayer player([out] { return std::make_unique<FakeSoundBackEnd>(out); }, &files);
        TeeSound tee(player);
        VirtualClock clock;
        GameApplication::Options o;
        o.programFolder = programFolder;
        o.clock = &clock;
        o.sound = &tee;
        o.seed = 5;
        GameApplication app(o);
        if (!app.load()) {
            return run;
        }
        app.show();
        player.start();
        frmMain &g = app.model();
        auto settle = [&] {
            QTRY_COMPARE_WITH_TIMEOUT(files.looks.load(), int(tee.names.size()), 5000);
        };

        g.btnStart_Click();
        clock.advanceBy(3600);
        for (int n = 0; n < 3; ++n) {
            for (int k = 0; k < g.OoperDaba.bound(); ++k) {
                if (g.OoperDaba.exists(k) && g.OoperDaba[k].isVisible() &&
                    g.OoperDaba[k].isEnabled()) {
                    g.OoperDaba_Click(k);
                    break;
                }
            }
            settle();
        }
        g.btnCheck_Click();
        settle();
        g.btnClear_Click();
        settle();
        g.btnClear_Click();
        settle();
        clock.advanceBy(20000);
        settle();

        run.fingerprint = fingerprint(g);
        run.cues = tee.names;
        for (const QString &e : out->snapshot()) {
            if (e.startsWith(QLatin1String("play "))) {
                run.played << e;
            }
        }
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString from = qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/sound/");
        for (const char *n : CueNames) {
            QFile f(from + QLatin1String(n) + QStringLiteral(".wav"));
            QVERIFY2(f.open(QIODevice::ReadOnly), n);
            const QByteArray bytes = f.readAll();
            m_frames.insert(QLatin1String(n) + QStringLiteral(".wav"), (bytes.size() - 44) / 2);
        }
        const Run baseline = runGame(makeProgramFolder(QStringLiteral("baseline"), copyCues));
        m_baseline = baseline.fingerprint;
        m_baselineCues = baseline.cues;
        QVERIFY(!m_baseline.isEmpty());
        // The script makes the game play a click for each tile, Enter's cue and Clear's.
        QCOMPARE(m_baselineCues.mid(0, 3), QStringList(3, QStringLiteral("click.wav")));
        QCOMPARE(m_baselineCues.size(), 5);
        QStringList played;
        for (const QString &cue : m_baselineCues) {
            played << QStringLiteral("play %1").arg(m_frames.value(cue));
        }
        QCOMPARE(baseline.played, played);
    }

    void soundComesUpOnlyOnceTheWindowIsShown()
    {
        // A thread that has finished may linger a moment in the system's list.
        QTRY_VERIFY(!soundThreadRunning());
        {
            VirtualClock clock;
            GameApplication::Options o;
            o.programFolder = makeProgramFolder(QStringLiteral("shown"), copyCues);
            o.clock = &clock;
            GameApplication app(o);
            QVERIFY(app.load());
            QTest::qWait(50);
            QVERIFY2(!soundThreadRunning(), "the sound thread started before the window showed");
            app.show();
            QTRY_VERIFY(soundThreadRunning());
        }
        QTRY_VERIFY(!soundThreadRunning());

        // A sound sink handed in by the caller is used as it is: no player starts.
        EventLog log;
        RecordingSound sound(log);
        GameApplication::Options o;
        o.programFolder = folder(QStringLiteral("shown"));
        o.sound = &sound;
        GameApplication app(o);
        QVERIFY(app.load());
        app.show();
        QTest::qWait(50);
        QVERIFY(!soundThreadRunning());
    }

    // Whatever the sound folder holds, the game plays the same and asks for the same cues;
    // only the cues whose files are sound reach the output.
    void gameRunsTheSameWhateverTheSoundFolderHolds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("broken"); // cue files that give silence
        const QStringList all{"click.wav",   "correct.wav", "wrong.wav",  "clear.wav",
                              "warning.wav", "levelup.wav", "gameend.wav"};
        QTest::newRow("all seven cues") << "all" << QStringList{};
        QTest::newRow("no sound folder") << "none" << all;
        QTest::newRow("a file where the folder should be") << "file" << all;
        QTest::newRow("click.wav cut short") << "cut" << QStringList{"click.wav"};
        QTest::newRow("every file empty") << "empty" << all;
        QTest::newRow("wrong.wav and clear.wav missing")
            << "some" << QStringList{"wrong.wav", "clear.wav"};
    }
    void gameRunsTheSameWhateverTheSoundFolderHolds()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, broken);
        const QString dir = makeProgramFolder(name, [&](const QString &sound) {
            if (name == QLatin1String("none")) {
                return;
            }
            if (name == QLatin1String("file")) {
                QFile f(sound);
                if (f.open(QIODevice::WriteOnly)) {
                    f.write("not a folder");
                }
                return;
            }
            copyCues(sound);
            for (const QString &b : broken) {
                const QString path = sound + QLatin1Char('/') + b;
                if (name == QLatin1String("some")) {
                    QFile::remove(path);
                    continue;
                }
                QFile f(path);
                QByteArray bytes;
                if (f.open(QIODevice::ReadOnly)) {
                    bytes = f.readAll();
                }
                f.close();
                // Cut short: the header promises more samples than the file holds.
                const QByteArray keep =
                    name == QLatin1String("cut") ? bytes.left(bytes.size() / 2) : QByteArray();
                if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                    f.write(keep);
                }
            }
        });
        QVERIFY(!dir.isEmpty());
        const Run run = runGame(dir);
        QCOMPARE(run.fingerprint, m_baseline);
        QCOMPARE(run.cues, m_baselineCues);
        QStringList played;
        for (const QString &cue : m_baselineCues) {
            if (!broken.contains(cue)) {
                played << QStringLiteral("play %1").arg(m_frames.value(cue));
            }
        }
        QCOMPARE(run.played, played);
    }
};

QTEST_MAIN(TestGameSound)
#include "test_gamesound.moc"
