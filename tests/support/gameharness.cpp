#include "support/gameharness.h"

#include <QMap>

#include <stdexcept>

GameHarness::GameHarness(const QStringList &words, std::uint64_t seed)
    : GameHarness(true, words, seed)
{
}

GameHarness::GameHarness(bool runLoad, const QStringList &words, std::uint64_t seed) : random(seed)
{
    QByteArray text;
    for (const QString &w : words) {
        text += w.toLatin1() + "\r\n";
    }
    files.put(Folder + QStringLiteral("/ShortList8.txt"), text);
    m_game = std::make_unique<frmMain>(
        Platform{clock, random, beeper, messageBox, sound, windows, files, Folder});
    if (runLoad) {
        load();
    }
}

std::unique_ptr<GameHarness> GameHarness::unloaded(const QStringList &words, std::uint64_t seed)
{
    return std::unique_ptr<GameHarness>(new GameHarness(false, words, seed));
}

void GameHarness::load()
{
    m_game->Form_Load();
}

void GameHarness::pushRow(const QString &letters)
{
    if (letters.size() != 8) {
        throw std::invalid_argument("a row has eight letters");
    }
    frmMain &g = *m_game;
    // The ninth tick of the fill timer pushes the row.
    while (g.fillPos() < 7) {
        g.TimerNichlaDabaFill_Timer();
        const int i = g.fillPos();
        g.NichlaDaba[i].setCaption(QString(letters[i]));
    }
    g.TimerNichlaDabaFill_Timer();
}

QStringList GameHarness::stackPicture() const
{
    QMap<float, QString> lines;
    const frmMain &g = *m_game;
    for (int k = 0; k < g.OoperDaba.bound(); ++k) {
        if (!g.OoperDaba.exists(k) || !g.OoperDaba[k].isVisible()) {
            continue;
        }
        const Control &t = g.OoperDaba[k];
        QString &line = lines[t.top()];
        if (line.isEmpty()) {
            line = QString(8, QLatin1Char('.'));
        }
        const int column = static_cast<int>((t.left() - 3) / 42);
        line[column] = t.caption().at(0);
    }
    return lines.values();
}

int GameHarness::findTile(QChar letter) const
{
    const frmMain &g = *m_game;
    int best = -1;
    for (int k = 0; k < g.OoperDaba.bound(); ++k) {
        if (!g.OoperDaba.exists(k)) {
            continue;
        }
        const Control &t = g.OoperDaba[k];
        if (t.isVisible() && t.isEnabled() && t.caption() == QString(letter)) {
            if (best < 0 || t.top() > g.OoperDaba[best].top() ||
                (t.top() == g.OoperDaba[best].top() && t.left() < g.OoperDaba[best].left())) {
                best = k;
            }
        }
    }
    return best;
}

void GameHarness::spell(const QString &word)
{
    for (QChar c : word) {
        const int k = findTile(c.toUpper());
        if (k < 0) {
            throw std::runtime_error("letter not on the stack");
        }
        m_game->OoperDaba_Click(k);
    }
}

QString GameHarness::word() const
{
    QString w;
    for (int k = 1; k <= 8; ++k) {
        w += m_game->Result[k].caption();
    }
    return w;
}
