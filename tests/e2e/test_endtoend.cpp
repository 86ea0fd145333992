#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"
#include "ui/uitesting.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <map>

namespace {

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}

// A stack tile as the player sees it.
struct SeenTile
{
    QLabel *label;
    QChar letter;
    int column;
};

QPushButton *buttonNamed(QWidget &window, const QString &text)
{
    for (QPushButton *b : window.findChildren<QPushButton *>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

// Plays whole games as a player would: mouse clicks on the real widgets, the real word list
// and a program folder of its own, on the virtual clock, and checks what the screen shows.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    QString m_out;
    QStringList m_words; // the shipped list, longest words first
    QSet<QString> m_listed;

    VirtualClock m_clock;
    EventLog m_log;
    std::unique_ptr<RecordingSound> m_sound;
    std::unique_ptr<GameApplication> m_app;

    MainWindow &window() { return m_app->window(); }
    frmMain &model() { return m_app->model(); }
    QWidget *w(ControlId id, int index = 0) { return window().widgetFor(id, index); }
    QString text(ControlId id, int index = 0)
    {
        QWidget *x = w(id, index);
        if (auto *b = qobject_cast<QPushButton *>(x)) {
            return b->text();
        }
        return static_cast<QLabel *>(x)->text();
    }
    void shot(QWidget &what, const QString &name)
    {
        if (!m_out.isEmpty()) {
            QDir().mkpath(m_out);
            what.grab().save(m_out + QStringLiteral("/e2e-") + name + QStringLiteral(".png"));
        }
    }
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    // The free stack tiles on screen: shown, clickable, above the line of the incoming row.
    QList<SeenTile> freeTiles()
    {
        QList<SeenTile> tiles;
        QWidget *field = w(ControlId::Picture1);
        const int border = static_cast<QFrame *>(field)->frameWidth();
        for (QLabel *l : field->findChildren<QLabel *>()) {
            if (l->isVisible() && l->isEnabled() && l->y() < 413 + border &&
                l->text().size() == 1) {
                tiles.append({l, l->text()[0], (l->x() - border - 3) / 42});
            }
        }
        return tiles;
    }
    std::array<int, 8> columnHeights()
    {
        std::array<int, 8> h{};
        for (const SeenTile &t : freeTiles()) {
            ++h[static_cast<std::size_t>(t.column)];
        }
        return h;
    }

    // The longest listed word the free tiles can spell, taking each letter from the tallest
    // column that has it; the tiles in spelling order, or none.
    QList<QLabel *> findWord(int minLength = 3)
    {
        const QList<SeenTile> tiles = freeTiles();
        std::array<int, 26> have{};
        for (const SeenTile &t : tiles) {
            ++have[static_cast<std::size_t>(t.letter.unicode() - 'A')];
        }
        const std::array<int, 8> heights = columnHeights();
        for (const QString &word : std::as_const(m_words)) {
            if (word.size() < minLength) {
                break;
            }
            std::array<int, 26> need{};
            bool fits = true;
            for (QChar c : word) {
                auto &n = need[static_cast<std::size_t>(c.unicode() - 'a')];
                if (++n > have[static_cast<std::size_t>(c.unicode() - 'a')]) {
                    fits = false;
                    break;
                }
            }
            if (!fits) {
                continue;
            }
            QList<QLabel *> picked;
            for (QChar c : word) {
                const SeenTile *best = nullptr;
                for (const SeenTile &t : tiles) {
                    if (t.letter == c.toUpper() && !picked.contains(t.label) &&
                        (!best || heights[t.column] > heights[best->column])) {
                        best = &t;
                    }
                }
                picked.append(best->label);
            }
            return picked;
        }
        return {};
    }

    QString spell(const QList<QLabel *> &tiles)
    {
        QString word;
        for (QLabel *t : tiles) {
            word += t->text();
            click(t);
        }
        return word;
    }

    // Clears words off the stack until its tallest column is low again.
    int keepTheStackLow()
    {
        int words = 0;
        for (;;) {
            const auto h = columnHeights();
            if (*std::max_element(h.begin(), h.end()) <= 3) {
                return words;
            }
            const QList<QLabel *> tiles = findWord();
            if (tiles.isEmpty()) {
                return words;
            }
            spell(tiles);
            click(w(ControlId::btnCheck));
            if (text(ControlId::lblResult) != QLatin1String("Correct")) {
                return -1;
            }
            ++words;
        }
    }

    // Opens a menu window, checks its kind, runs the action in it and closes it.
    void openFromMenu(ControlId label, const char *expectedClass,
                      std::function<void(QDialog &)> action)
    {
        QString cls;
        {
            ModalWatch watch([&](QDialog &d) {
                if (action) {
                    action(d);
                }
                d.done(0);
            });
            click(w(label));
            cls = watch.openedClass();
        }
        QCOMPARE(cls, QString::fromLatin1(expectedClass));
    }

    void advanceToNextPush()
    {
        const QString before = text(ControlId::lblRowsLeft);
        const QString level = text(ControlId::lblLevel);
        for (int i = 0; i < 200 && text(ControlId::lblRowsLeft) == before &&
                        text(ControlId::lblLevel) == level && !model().gameOver();
             ++i) {
            m_clock.advanceBy(100);
        }
    }

private slots:
    void initTestCase()
    {
        m_out = qEnvironmentVariable("TILNORA_TEST_OUTPUT");
        const QString shipped =
            qEnvironmentVariable("TILNORA_GAME_DIR") + QStringLiteral("/ShortList8.txt");
        QVERIFY2(QFile::exists(shipped), "the build makes the word list");
        QVERIFY(QFile::copy(shipped, m_folder.path() + QStringLiteral("/ShortList8.txt")));
        QFile f(shipped);
        QVERIFY(f.open(QIODevice::ReadOnly));
        for (const QByteArray &line : f.readAll().split('\n')) {
            const QString word = QString::fromLatin1(line).trimmed();
            if (!word.isEmpty()) {
                m_words << word;
                m_listed.insert(word);
            }
        }
        std::stable_sort(m_words.begin(), m_words.end(),
                         [](const QString &a, const QString &b) { return a.size() > b.size(); });
    }

    void aWholeGame()
    {
        m_sound = std::make_unique<RecordingSound>(m_log);
        GameApplication::Options o;
        o.programFolder = m_folder.path();
        o.clock = &m_clock;
        o.sound = m_sound.get();
        o.seed = 20261207;
        m_app = std::make_unique<GameApplication>(o);
        QVERIFY(m_app->load());
        m_app->show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));

        // Every menu window before the first Start.
        openFromMenu(ControlId::lblHowTo, "frmHowTo",
                     [](QDialog &d) { QCOMPARE(d.windowTitle(), QStringLiteral("Instructions")); });
        openFromMenu(ControlId::lblHighScore, "frmRecord", [](QDialog &d) {
            auto *list = d.findChild<QListWidget *>();
            QVERIFY(list);
            QCOMPARE(list->count(), 0); // no scores yet: not even the heading
            for (QLineEdit *e : d.findChildren<QLineEdit *>()) {
                QVERIFY(!e->isVisible()); // view only
            }
        });
        openFromMenu(ControlId::lblAbout, "frmAbout",
                     [](QDialog &d) { QCOMPARE(d.windowTitle(), QStringLiteral("About")); });

        // Start: the overlay goes, the row fills and is pushed.
        click(w(ControlId::btnStart));
        QCOMPARE(text(ControlId::btnStart), QStringLiteral("Pause"));
        QVERIFY(!w(ControlId::PicBlack)->isVisible());
        QCOMPARE(text(ControlId::lblLevel), QStringLiteral("1"));
        QCOMPARE(text(ControlId::lblRowsLeft), QStringLiteral("11"));
        advanceToNextPush();
        advanceToNextPush();
        QCOMPARE(text(ControlId::lblRowsLeft), QStringLiteral("9"));
        QCOMPARE(freeTiles().size(), 16);
        shot(window(), QStringLiteral("1-start"));

        // A listed word by mouse clicks.
        const QList<QLabel *> tiles = findWord();
        QVERIFY2(!tiles.isEmpty(), "two rows hold a word");
        const QString word = spell(tiles);
        QString shown;
        for (int k = 1; k <= 8; ++k) {
            shown += text(ControlId::Result, k);
        }
        QCOMPARE(shown, word);
        for (QLabel *t : tiles) {
            QVERIFY(!t->isEnabled());
            QCOMPARE(t->palette().color(QPalette::Window), rgb(200, 200, 200));
        }
        click(w(ControlId::btnCheck));
        QCOMPARE(text(ControlId::lblResult), QStringLiteral("Correct"));
        QCOMPARE(w(ControlId::lblResult)->palette().color(QPalette::WindowText), rgb(0, 0, 255));
        QCOMPARE(text(ControlId::lblScore), QString::number(10 * word.size() * word.size()));
        for (QLabel *t : tiles) {
            QVERIFY(!t->isVisible());
        }
        QCOMPARE(text(ControlId::Result, 1), QString());
        shot(window(), QStringLiteral("2-correct"));
        const QString scoreAfterWord = text(ControlId::lblScore);

        // An unlisted word stays, its tiles picked; Clear gives them back.
        QList<SeenTile> free = freeTiles();
        QList<QLabel *> wrong;
        for (int a = 0; a < free.size() && wrong.isEmpty(); ++a) {
            for (int b = 0; b < free.size() && wrong.isEmpty(); ++b) {
                const QString pair = QString(free[a].letter) + free[b].letter;
                if (a != b && !m_listed.contains(pair.toLower())) {
                    wrong = {free[a].label, free[b].label};
                }
            }
        }
        QVERIFY(!wrong.isEmpty());
        spell(wrong);
        click(w(ControlId::btnCheck));
        QCOMPARE(text(ControlId::lblResult), QStringLiteral("Wrong"));
        QCOMPARE(w(ControlId::lblResult)->palette().color(QPalette::WindowText), rgb(255, 0, 0));
        QCOMPARE(text(ControlId::lblScore), scoreAfterWord);
        QVERIFY(!wrong[0]->isEnabled() && wrong[0]->isVisible());
        QVERIFY(!text(ControlId::Result, 2).isEmpty());
        click(w(ControlId::btnClear));
        QCOMPARE(text(ControlId::Result, 1), QString());
        QVERIFY(wrong[0]->isEnabled());
        QCOMPARE(wrong[0]->palette().color(QPalette::Window), rgb(192, 255, 255));
        m_clock.advanceBy(2000);
        QCOMPARE(text(ControlId::lblResult), QString());

        // Pause and resume: the field is covered and takes no clicks meanwhile.
        click(w(ControlId::btnStart));
        QCOMPARE(text(ControlId::btnStart), QStringLiteral("Resume"));
        QVERIFY(w(ControlId::PicBlack)->isVisible());
        QCOMPARE(text(ControlId::lblBlack), QStringLiteral("Paused"));
        const QString rowsWhilePaused = text(ControlId::lblRowsLeft);
        click(freeTiles().isEmpty() ? w(ControlId::Picture1) : freeTiles().first().label);
        QCOMPARE(text(ControlId::Result, 1), QString());
        m_clock.advanceBy(10000);
        QCOMPARE(text(ControlId::lblRowsLeft), rowsWhilePaused);
        click(w(ControlId::btnStart));
        QCOMPARE(text(ControlId::btnStart), QStringLiteral("Pause"));
        QVERIFY(!w(ControlId::PicBlack)->isVisible());

        // Play the level out, spelling words as the stack rises, and watch the level-up.
        bool sawLevelUp = false;
        for (int push = 0; push < 40 && text(ControlId::lblLevel) == QLatin1String("1"); ++push) {
            if (text(ControlId::lblRowsLeft) == QLatin1String("1") && !sawLevelUp) {
                // The push that ends the level paints the green band; look halfway through.
                const std::int64_t next = m_clock.nextTick(model().TimerNichlaDabaFill);
                for (int k = model().fillPos(); k < 7; ++k) {
                    m_clock.advanceTo(m_clock.nextTick(model().TimerNichlaDabaFill));
                }
                Q_UNUSED(next);
                m_clock.at(m_clock.nextTick(model().TimerNichlaDabaFill) + 500, [&] {
                    sawLevelUp = true;
                    QWidget *overlay = w(ControlId::PicBlack);
                    QVERIFY(overlay->isVisible());
                    QCOMPARE(text(ControlId::lblBlack), QStringLiteral("Level Up!"));
                    const QImage img = overlay->grab().toImage();
                    QCOMPARE(img.pixelColor(100, 467).green() > 200, true);
                    QCOMPARE(img.pixelColor(100, 100), QColor(Qt::black));
                    shot(window(), QStringLiteral("3-levelup"));
                });
            }
            advanceToNextPush();
            QVERIFY2(!model().gameOver(), "the player keeps the stack low");
            QVERIFY(keepTheStackLow() >= 0);
        }
        QVERIFY(sawLevelUp);
        QCOMPARE(text(ControlId::lblLevel), QStringLiteral("2"));
        QCOMPARE(text(ControlId::lblRowsLeft), QStringLiteral("14"));
        QVERIFY(!w(ControlId::PicBlack)->isVisible());
        QCOMPARE(freeTiles().size() <= 8, true); // a fresh board
        const QString score = text(ControlId::lblScore);
        QVERIFY(score.toInt() > scoreAfterWord.toInt());

        // Let the stack reach the top; enter a name in the high-score window.
        bool entered = false;
        {
            ModalWatch watch([&](QDialog &d) {
                QCOMPARE(QString::fromLatin1(d.metaObject()->className()),
                         QStringLiteral("frmRecord"));
                QCOMPARE(text(ControlId::btnStart), QStringLiteral("Restart"));
                auto *name = d.findChild<QLineEdit *>();
                QVERIFY(name && name->isVisible());
                QCOMPARE(name->text(), QStringLiteral("Ur Nick."));
                shot(d, QStringLiteral("5-highscore"));
                click(name);
                QCOMPARE(name->text(), QString());
                QTest::keyClicks(name, QStringLiteral("Tester"));
                QTest::keyClick(name, Qt::Key_Return);
                QVERIFY(!name->isVisible()); // one entry per opening
                auto *list = d.findChild<QListWidget *>();
                QCOMPARE(list->count(), 3);
                QCOMPARE(list->item(2)->text(), QStringLiteral("1\tTester\t\t") + score);
                entered = true;
                click(buttonNamed(d, QStringLiteral("Close")));
            });
            for (int i = 0; i < 2000 && !model().gameOver(); ++i) {
                m_clock.advanceBy(100);
            }
        }
        QVERIFY(entered);
        QCOMPARE(text(ControlId::lblBlack), QStringLiteral("Game Over!"));
        QVERIFY(w(ControlId::PicBlack)->isVisible());
        QVERIFY(w(ControlId::frameAbout)->isEnabled());
        QCOMPARE(w(ControlId::PicBlack)->grab().toImage().pixelColor(100, 467).red() > 200, true);
        shot(window(), QStringLiteral("4-gameover"));
        QFile record(m_folder.path() + QStringLiteral("/record.dat"));
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(record.readAll(), QByteArray("1\tTester\t\t") + score.toLatin1() + "\r\n");
        record.close();
        QCOMPARE(m_log.count(QStringLiteral("sound gameend.wav")), 1);
        QVERIFY(m_log.count(QStringLiteral("sound levelup.wav")) >= 1);

        // The menu works again; the table shows the entry, without a name box.
        openFromMenu(ControlId::lblHighScore, "frmRecord", [&](QDialog &d) {
            auto *list = d.findChild<QListWidget *>();
            QCOMPARE(list->count(), 3);
            QVERIFY(!d.findChild<QLineEdit *>()->isVisible());
        });
        openFromMenu(ControlId::lblHowTo, "frmHowTo", {});
        openFromMenu(ControlId::lblAbout, "frmAbout", {});

        // The next game, restarted from the exit dialog while it runs.
        click(w(ControlId::btnStart));
        QCOMPARE(text(ControlId::btnStart), QStringLiteral("Pause"));
        QCOMPARE(text(ControlId::lblScore), QStringLiteral("0"));
        advanceToNextPush();
        advanceToNextPush();
        spell(findWord());
        click(w(ControlId::btnCheck));
        QVERIFY(text(ControlId::lblScore) != QLatin1String("0"));
        {
            ModalWatch watch(
                [](QDialog &d) { click(buttonNamed(d, QStringLiteral("Restart Game"))); });
            click(w(ControlId::cmdExit));
            QCOMPARE(watch.openedClass(), QStringLiteral("frmExit"));
        }
        QCOMPARE(text(ControlId::lblScore), QStringLiteral("0"));
        QCOMPARE(text(ControlId::lblRowsLeft), QStringLiteral("11"));
        QCOMPARE(freeTiles().size(), 0);

        // Exit the Game ends the program with status 0.
        QTimer::singleShot(0, [&] {
            auto *watch = new ModalWatch(
                [](QDialog &d) { click(buttonNamed(d, QStringLiteral("Exit the Game"))); });
            click(w(ControlId::cmdExit));
            delete watch;
        });
        QTimer::singleShot(5000, [] { QApplication::exit(3); }); // never hang
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window().isVisible());
        QVERIFY(!model().TimerNichlaDabaFill.isEnabled());
        QVERIFY(!model().Timer1.isEnabled());
    }

    // A short game on real timers: the first tiles come in their time, and Exit ends it.
    void smokeOnRealTimers()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(m_folder.path() + QStringLiteral("/ShortList8.txt"),
                            folder.path() + QStringLiteral("/ShortList8.txt")));
        EventLog log;
        RecordingSound sound(log);
        GameApplication::Options o;
        o.programFolder = folder.path();
        o.sound = &sound;
        GameApplication app(o);
        QVERIFY(app.load());
        app.show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.window()));
        QTest::mouseClick(app.window().widgetFor(ControlId::btnStart), Qt::LeftButton);
        QTest::qWait(1000);
        QVERIFY(app.window().widgetFor(ControlId::NichlaDaba, 0)->isVisible());
        QVERIFY(!app.window().widgetFor(ControlId::NichlaDaba, 7)->isVisible());
        QTimer::singleShot(0, [&] {
            auto *watch = new ModalWatch(
                [](QDialog &d) { click(buttonNamed(d, QStringLiteral("Exit the Game"))); });
            QTest::mouseClick(app.window().widgetFor(ControlId::cmdExit), Qt::LeftButton);
            delete watch;
        });
        QTimer::singleShot(5000, [] { QApplication::exit(3); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!app.window().isVisible());
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_endtoend.moc"
