#include "game/mainobserver.h"
#include "support/gameharness.h"

#include <QHash>
#include <QTest>

#include <limits>

// Reaches the private PlayEffect, for the cue numbers no handler passes.
struct PlayEffectProbe
{
    static void play(frmMain &g, std::int32_t cue) { g.PlayEffect(cue); }
};

namespace {

// Writes the changes a player would see into the harness's event log, next to the beeps,
// sounds and windows, so a test can tell what happened before and after each cue.
// Lines: "lblResult Wrong", "Result(3) T", "OoperDaba(12) picked|free|hidden", "PicBlack
// shown", "paint" (the overlay gradient, once per paint), and so on. A line is written only
// when what it shows changes.
class LoggingObserver : public MainObserver
{
public:
    explicit LoggingObserver(EventLog &log) : m_log(log) {}

    void controlChanged(const Control &c) override
    {
        switch (c.id()) {
        case ControlId::lblResult:
            note(QStringLiteral("lblResult"), c.caption());
            break;
        case ControlId::lblScore:
            note(QStringLiteral("lblScore"), c.caption());
            break;
        case ControlId::lblLevel:
            note(QStringLiteral("lblLevel"), c.caption());
            break;
        case ControlId::lblBlack:
            note(QStringLiteral("lblBlack"), c.caption());
            break;
        case ControlId::btnStart:
            note(QStringLiteral("btnStart"), c.caption());
            break;
        case ControlId::PicBlack:
            note(QStringLiteral("PicBlack"), c.isVisible() ? "shown" : "hidden");
            break;
        case ControlId::frameAbout:
            note(QStringLiteral("frameAbout"), c.isEnabled() ? "enabled" : "disabled");
            break;
        case ControlId::Result:
            note(QStringLiteral("Result(%1)").arg(c.index()), c.caption());
            break;
        case ControlId::OoperDaba:
            note(QStringLiteral("OoperDaba(%1)").arg(c.index()),
                 !c.isVisible()                                             ? "hidden"
                 : !c.isEnabled() && c.backColor() == frmMain::PickedColour ? "picked"
                                                                            : "free");
            break;
        default:
            break;
        }
    }
    void tileLoaded(int) override {}
    void tileUnloaded(int k) override { m_last.remove(QStringLiteral("OoperDaba(%1)").arg(k)); }
    void overlayChanged(int) override
    {
        if (m_log.lines.isEmpty() || m_log.lines.last() != QLatin1String("paint")) {
            m_log.add(QStringLiteral("paint"));
        }
    }
    void unloaded() override {}

private:
    void note(const QString &what, const QString &value)
    {
        auto it = m_last.find(what);
        if (it != m_last.end() && it.value() == value) {
            return;
        }
        m_last.insert(what, value);
        m_log.add(what + QLatin1Char(' ') + value);
    }

    EventLog &m_log;
    QHash<QString, QString> m_last;
};

QStringList soundsIn(const QStringList &lines)
{
    QStringList sounds;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("sound "))) {
            sounds << line.mid(6);
        }
    }
    return sounds;
}

// True when every expected line occurs in the log lines, in this order (others may lie
// between).
bool inOrder(const QStringList &lines, const QStringList &expected)
{
    qsizetype at = 0;
    for (const QString &e : expected) {
        at = lines.indexOf(e, at);
        if (at < 0) {
            qWarning("missing or out of order: %s\nin: %s", qPrintable(e),
                     qPrintable(lines.join(QStringLiteral(" | "))));
            return false;
        }
        ++at;
    }
    return true;
}

const QStringList Words{QStringLiteral("cat"), QStringLiteral("dog"), QStringLiteral("bhjklmnp")};
// A row whose letters are a word of their own and share none with "CATDOGXY".
const QString Filler = QStringLiteral("BHJKLMNP");

} // namespace

class TestSoundCues : public QObject
{
    Q_OBJECT
private:
    // Runs an action and gives back the log lines it wrote.
    static QStringList step(GameHarness &h, const std::function<void()> &action)
    {
        const qsizetype mark = h.log.lines.size();
        action();
        return h.log.lines.mid(mark);
    }

private slots:
    // One game from Start to game over, with every cue at the point where the game plays it.
    void aScriptedGamePlaysEachCueAtItsPoint()
    {
        GameHarness h(Words);
        frmMain &g = h.game();
        LoggingObserver observer(h.log);
        g.setObserver(&observer);
        QStringList heard;
        auto play = [&](const std::function<void()> &action) {
            const QStringList lines = step(h, action);
            heard << soundsIn(lines);
            return lines;
        };

        QVERIFY(soundsIn(play([&] { g.btnStart_Click(); })).isEmpty());
        QVERIFY(soundsIn(play([&] { h.pushRow(QStringLiteral("CATDOGXY")); })).isEmpty());

        // A click sounds once the tile is greyed and its letter stands in the word.
        const QString row = QStringLiteral("CATDOGXY");
        for (int n = 1; n <= 8; ++n) {
            const int k = h.findTile(row[n - 1]);
            const QStringList lines = play([&] { g.OoperDaba_Click(k); });
            QVERIFY(inOrder(lines, {QStringLiteral("OoperDaba(%1) picked").arg(k),
                                    QStringLiteral("Result(%1) %2").arg(n).arg(row[n - 1]),
                                    QStringLiteral("sound click.wav")}));
            QCOMPARE(soundsIn(lines).size(), 1);
            QCOMPARE(int(g.resultPos()), n + 1);
        }
        // A ninth click finds the word full: no tile taken, no sound.
        h.pushRow(Filler);
        QVERIFY(play([&] { g.OoperDaba_Click(h.findTile(QLatin1Char('B'))); }).isEmpty());

        // "Wrong" shows first, then the buzz; the tiles stay picked.
        QStringList lines = play([&] { g.btnCheck_Click(); });
        QVERIFY(
            inOrder(lines, {QStringLiteral("lblResult Wrong"), QStringLiteral("sound wrong.wav")}));
        QCOMPARE(h.word(), row);

        // Clear sounds after the word is emptied, and only when there was a word.
        lines = play([&] { g.btnClear_Click(); });
        QVERIFY(inOrder(lines, {QStringLiteral("Result(1) "), QStringLiteral("Result(8) "),
                                QStringLiteral("sound clear.wav")}));
        QCOMPARE(soundsIn(lines).size(), 1);
        QVERIFY(soundsIn(play([&] { g.btnClear_Click(); })).isEmpty());

        // "Correct" shows, the chime sounds, and only then the score rises and the tiles go.
        play([&] { h.spell(QStringLiteral("cat")); });
        const int c = g.picked()[0];
        lines = play([&] { g.btnCheck_Click(); });
        QVERIFY(
            inOrder(lines, {QStringLiteral("lblResult Correct"),
                            QStringLiteral("sound correct.wav"), QStringLiteral("lblScore 90")}));
        QVERIFY(inOrder(lines, {QStringLiteral("sound correct.wav"),
                                QStringLiteral("OoperDaba(%1) hidden").arg(c)}));

        // Columns D..Y now hold two tiles. Rows rise 41 pixels a push: the ninth row of a
        // column brings the stack near the top.
        for (int rows = 3; rows <= 8; ++rows) {
            QVERIFY(soundsIn(play([&] { h.pushRow(Filler); })).isEmpty());
        }
        lines = play([&] { h.pushRow(Filler); });
        QVERIFY(inOrder(lines, {QStringLiteral("beep"), QStringLiteral("lblResult Be Carefull"),
                                QStringLiteral("sound warning.wav")}));
        QCOMPARE(soundsIn(lines).size(), 1);
        QVERIFY(g.TimerResultBlink.isEnabled());

        // Three filler rows spelt away keep the stack low for the last two rows of level 1.
        for (int k = 0; k < 3; ++k) {
            play([&] {
                h.spell(QStringLiteral("bhjklmnp"));
                g.btnCheck_Click();
            });
        }
        QVERIFY(soundsIn(play([&] { h.pushRow(Filler); })).isEmpty());
        QCOMPARE(g.lblRowsLeft.caption(), QStringLiteral("1"));

        // The last row of the level: "Level Up!" shows on the overlay, the fanfare sounds,
        // and only then the green gradient is painted and the board cleared.
        lines = play([&] { h.pushRow(Filler); });
        QVERIFY(
            inOrder(lines, {QStringLiteral("lblLevel 2"), QStringLiteral("lblBlack Level Up!"),
                            QStringLiteral("PicBlack shown"), QStringLiteral("sound levelup.wav"),
                            QStringLiteral("paint"), QStringLiteral("PicBlack hidden")}));
        QCOMPARE(soundsIn(lines), QStringList{QStringLiteral("levelup.wav")});
        QCOMPARE(g.OoperDaba.count(), 1);

        // Level 2 from an empty field: a warning at the ninth row, game over at the tenth.
        for (int rows = 1; rows <= 8; ++rows) {
            QVERIFY(soundsIn(play([&] { h.pushRow(Filler); })).isEmpty());
        }
        QCOMPARE(soundsIn(play([&] { h.pushRow(Filler); })),
                 QStringList{QStringLiteral("warning.wav")});
        lines = play([&] { h.pushRow(Filler); });
        QVERIFY(inOrder(lines,
                        {QStringLiteral("beep"), QStringLiteral("btnStart Restart"),
                         QStringLiteral("lblBlack Game Over!"), QStringLiteral("PicBlack shown"),
                         QStringLiteral("sound gameend.wav"), QStringLiteral("frameAbout enabled"),
                         QStringLiteral("paint"), QStringLiteral("window Record")}));
        QCOMPARE(soundsIn(lines), QStringList{QStringLiteral("gameend.wav")});
        QVERIFY(g.gameOver());

        QStringList expected;
        auto times = [&](int n, const QString &s) {
            for (int i = 0; i < n; ++i) {
                expected << s;
            }
        };
        const QString click = QStringLiteral("click.wav");
        const QString correct = QStringLiteral("correct.wav");
        times(8, click);
        expected << QStringLiteral("wrong.wav") << QStringLiteral("clear.wav");
        times(3, click);
        expected << correct << QStringLiteral("warning.wav");
        for (int k = 0; k < 3; ++k) {
            times(8, click);
            expected << correct;
        }
        expected << QStringLiteral("levelup.wav") << QStringLiteral("warning.wav")
                 << QStringLiteral("gameend.wav");
        QCOMPARE(heard, expected);
        g.setObserver(nullptr);
    }

    // Clear sounds once for a word of any length, and never for an empty word.
    void clearSoundsOnlyForAWordWithLetters_data()
    {
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("clears");
        QTest::newRow("empty word") << 0 << 1;
        QTest::newRow("empty word, pressed three times") << 0 << 3;
        QTest::newRow("one letter") << 1 << 1;
        QTest::newRow("one letter, pressed twice") << 1 << 2;
        QTest::newRow("eight letters") << 8 << 1;
    }
    void clearSoundsOnlyForAWordWithLetters()
    {
        QFETCH(int, letters);
        QFETCH(int, clears);
        GameHarness h(Words);
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGXY"));
        h.spell(QStringLiteral("CATDOGXY").left(letters));
        h.log.clear();
        h.sound.paths.clear();
        for (int k = 0; k < clears; ++k) {
            g.btnClear_Click();
        }
        QCOMPARE(h.log.count(QStringLiteral("sound clear.wav")), letters > 0 ? 1 : 0);
        QCOMPARE(h.sound.paths.size(), letters > 0 ? 1 : 0);
    }

    // Each cue number names its own file in the sound folder; every other number plays
    // nothing and changes nothing.
    void cueNumbersMapToTheirFiles_data()
    {
        QTest::addColumn<int>("cue");
        QTest::addColumn<QString>("file");
        QTest::newRow("0 click") << 0 << "click.wav";
        QTest::newRow("1 correct") << 1 << "correct.wav";
        QTest::newRow("2 wrong") << 2 << "wrong.wav";
        QTest::newRow("3 clear") << 3 << "clear.wav";
        QTest::newRow("4 warning") << 4 << "warning.wav";
        QTest::newRow("5 level up") << 5 << "levelup.wav";
        QTest::newRow("6 game end") << 6 << "gameend.wav";
        QTest::newRow("-1 nothing") << -1 << "";
        QTest::newRow("7 nothing") << 7 << "";
        QTest::newRow("lowest number, nothing") << std::numeric_limits<int>::min() << "";
        QTest::newRow("highest number, nothing") << std::numeric_limits<int>::max() << "";
    }
    void cueNumbersMapToTheirFiles()
    {
        QFETCH(int, cue);
        QFETCH(QString, file);
        GameHarness h(Words);
        frmMain &g = h.game();
        g.btnStart_Click();
        h.pushRow(QStringLiteral("CATDOGXY"));
        const QStringList before = h.stackPicture();
        const QString caption = g.lblResult.caption();
        h.log.clear();
        PlayEffectProbe::play(g, cue);
        if (file.isEmpty()) {
            QVERIFY(h.log.lines.isEmpty());
            QVERIFY(h.sound.paths.isEmpty());
        } else {
            QCOMPARE(h.log.lines, QStringList{QStringLiteral("sound ") + file});
            QCOMPARE(h.sound.paths,
                     QStringList{GameHarness::Folder + QStringLiteral("/sound/") + file});
        }
        QCOMPARE(h.stackPicture(), before);
        QCOMPARE(g.lblResult.caption(), caption);
    }

    // The path is the program folder and the literal, joined as they are: a program at the
    // root gets a doubled separator, which the file system still resolves.
    void pathJoinsTheFolderAsItIs_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("ordinary folder") << "/opt/tilnora"
                                         << "/opt/tilnora/sound/correct.wav";
        QTest::newRow("root folder") << "/"
                                     << "//sound/correct.wav";
        QTest::newRow("folder with a space") << "/home/a b"
                                             << "/home/a b/sound/correct.wav";
    }
    void pathJoinsTheFolderAsItIs()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        EventLog log;
        VirtualClock clock;
        SeededRandom random(1);
        RecordingBeeper beeper(log);
        RecordingMessageBox messageBox(log);
        RecordingSound sound(log);
        ScriptedWindows windows(log);
        MemoryFiles files;
        frmMain g(Platform{clock, random, beeper, messageBox, sound, windows, files, folder});
        PlayEffectProbe::play(g, 1);
        QCOMPARE(sound.paths, QStringList{path});
    }
};

QTEST_GUILESS_MAIN(TestSoundCues)
#include "test_soundcues.moc"
