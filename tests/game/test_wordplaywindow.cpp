#include "game/frmmain.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QDir>
#include <QLabel>
#include <QTest>

#include <map>

// A game in the real main window, offscreen, with the word list the build ships: words are
// spelled by clicking the tiles on screen, Enter is clicked, and what the window shows is
// checked and photographed.
class TestWordPlayWindow : public QObject
{
    Q_OBJECT
private:
    VirtualClock m_clock;
    std::unique_ptr<GameApplication> m_app;

    frmMain &model() { return m_app->model(); }
    QWidget *widget(ControlId id, int index = 0) { return m_app->window().widgetFor(id, index); }
    QString shown(ControlId id) { return static_cast<QLabel *>(widget(id))->text(); }
    QColor shownColour(ControlId id) { return widget(id)->palette().color(QPalette::WindowText); }

    // The free stack tiles by letter, lowest on screen first.
    std::map<QChar, QList<int>> freeTiles()
    {
        std::map<QChar, QList<int>> tiles;
        const TileArray &stack = model().OoperDaba;
        for (int k = 0; k < stack.bound(); ++k) {
            if (stack.exists(k) && stack[k].isVisible() && stack[k].isEnabled()) {
                tiles[stack[k].caption().at(0)] << k;
            }
        }
        for (auto &[letter, list] : tiles) {
            std::sort(list.begin(), list.end(),
                      [&](int a, int b) { return stack[a].top() > stack[b].top(); });
        }
        return tiles;
    }

    // The tiles that spell the word, or none when the stack lacks a letter.
    QList<int> tilesFor(const QString &word)
    {
        auto tiles = freeTiles();
        QList<int> picked;
        for (QChar c : word) {
            QList<int> &list = tiles[c.toUpper()];
            if (list.isEmpty()) {
                return {};
            }
            picked << list.takeFirst();
        }
        return picked;
    }

    // The longest listed word the stack can spell (at least three letters).
    QString bestWord()
    {
        QString best;
        const WordList &words = model().words();
        for (int i = 0; i < words.size(); ++i) {
            const QString w = words.entry(i);
            if (w.size() >= 3 && w.size() > best.size() && !tilesFor(w).isEmpty()) {
                best = w;
            }
        }
        return best;
    }

    void clickTiles(const QList<int> &tiles)
    {
        for (int k : tiles) {
            QWidget *tile = widget(ControlId::OoperDaba, k);
            QVERIFY(tile && tile->isVisible());
            QTest::mouseClick(tile, Qt::LeftButton);
        }
    }

    void shoot(const QString &name)
    {
        const QString out = qEnvironmentVariable("TILNORA_TEST_OUTPUT");
        if (!out.isEmpty()) {
            QDir().mkpath(out);
            m_app->window().grab().save(out + QLatin1Char('/') + name);
        }
    }

private slots:
    void initTestCase()
    {
        GameApplication::Options o;
        o.programFolder = qEnvironmentVariable("TILNORA_GAME_DIR");
        QVERIFY(QFile::exists(o.programFolder + QStringLiteral("/ShortList8.txt")));
        o.clock = &m_clock;
        o.seed = 11;
        m_app = std::make_unique<GameApplication>(o);
        QVERIFY(m_app->load());
        m_app->show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_app->window()));
        QTest::mouseClick(widget(ControlId::btnStart), Qt::LeftButton);
        while (model().topRow() < 3) {
            m_clock.advanceBy(100);
        }
    }

    void aListedWordScoresAndItsTilesVanish()
    {
        const QString word = bestWord();
        QVERIFY2(!word.isEmpty(), "no listed word on the stack");
        const QList<int> tiles = tilesFor(word);
        clickTiles(tiles);
        for (int slot = 1; slot <= word.size(); ++slot) {
            QCOMPARE(static_cast<QLabel *>(widget(ControlId::Result, slot))->text(),
                     QString(word.at(slot - 1).toUpper()));
        }
        shoot(QStringLiteral("wordplay-1-spelled.png"));

        QTest::mouseClick(widget(ControlId::btnCheck), Qt::LeftButton);
        QCOMPARE(shown(ControlId::lblResult), QStringLiteral("Correct"));
        QCOMPARE(shownColour(ControlId::lblResult), QColor(0, 0, 255));
        const int points = 10 * int(word.size() * word.size());
        QCOMPARE(shown(ControlId::lblScore), QString::number(points));
        for (int k : tiles) {
            QVERIFY(!widget(ControlId::OoperDaba, k)->isVisible());
        }
        QVERIFY(static_cast<QLabel *>(widget(ControlId::Result, 1))->text().isEmpty());
        shoot(QStringLiteral("wordplay-2-correct.png"));

        m_clock.advanceBy(2000);
        QVERIFY(shown(ControlId::lblResult).isEmpty());
    }

    void anUnlistedWordStaysAndScoresNothing()
    {
        // Three free letters that spell no listed word.
        QString wrong;
        const auto tiles = freeTiles();
        for (auto a = tiles.begin(); a != tiles.end() && wrong.isEmpty(); ++a) {
            for (auto b = tiles.begin(); b != tiles.end() && wrong.isEmpty(); ++b) {
                const QString w = QString(a->first) + b->first + a->first;
                if (!model().words().contains(w.toLower()) && !tilesFor(w).isEmpty()) {
                    wrong = w;
                }
            }
        }
        QVERIFY(!wrong.isEmpty());
        const QString score = shown(ControlId::lblScore);
        const QList<int> picked = tilesFor(wrong);
        clickTiles(picked);
        QTest::mouseClick(widget(ControlId::btnCheck), Qt::LeftButton);
        QCOMPARE(shown(ControlId::lblResult), QStringLiteral("Wrong"));
        QCOMPARE(shownColour(ControlId::lblResult), QColor(255, 0, 0));
        QCOMPARE(shown(ControlId::lblScore), score);
        for (int k : picked) {
            QVERIFY(widget(ControlId::OoperDaba, k)->isVisible());
            QVERIFY(!widget(ControlId::OoperDaba, k)->isEnabled());
        }
        shoot(QStringLiteral("wordplay-3-wrong.png"));
        QTest::mouseClick(widget(ControlId::btnClear), Qt::LeftButton);
        QVERIFY(static_cast<QLabel *>(widget(ControlId::Result, 1))->text().isEmpty());
    }

    void aSecondWordAddsToTheScore()
    {
        m_clock.advanceBy(3600); // another row comes in
        const QString word = bestWord();
        QVERIFY(!word.isEmpty());
        const int before = shown(ControlId::lblScore).toInt();
        clickTiles(tilesFor(word));
        QTest::mouseClick(widget(ControlId::btnCheck), Qt::LeftButton);
        QCOMPARE(shown(ControlId::lblResult), QStringLiteral("Correct"));
        QCOMPARE(shown(ControlId::lblScore),
                 QString::number(before + 10 * int(word.size() * word.size())));
        shoot(QStringLiteral("wordplay-4-second-word.png"));
    }
};

QTEST_MAIN(TestWordPlayWindow)
#include "test_wordplaywindow.moc"
