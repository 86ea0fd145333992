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
        Platform{clock, draws, beeper, messageBox, sound, windows, files, Folder});
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
    // A tick goes through the timer while it runs, as on screen, so a tick that comes due in
    // the middle of a push (a level-up paint lets the clock run) waits for the push to end.
    auto tick = [&g] {
        if (g.TimerNichlaDabaFill.isActive()) {
            g.TimerNichlaDabaFill.fire();
        } else {
            g.TimerNichlaDabaFill_Timer();
        }
    };
    for (int i = 0; i <= g.fillPos(); ++i) {
        g.NichlaDaba[i].setCaption(QString(letters[i]));
    }
    // The ninth tick of the fill timer pushes the row.
    while (g.fillPos() < 7) {
        tick();
        const int i = g.fillPos();
        g.NichlaDaba[i].setCaption(QString(letters[i]));
    }
    tick();
}

void GameHarness::enterTiles(const QList<int> &tiles)
{
    for (int k : tiles) {
        m_game->OoperDaba_Click(k);
    }
    m_game->btnCheck_Click();
}

QString GameHarness::stackLayoutFault() const
{
    const frmMain &g = *m_game;
    for (int k = 0; k < g.OoperDaba.bound(); ++k) {
        if (!g.OoperDaba.exists(k) || !g.OoperDaba[k].isVisible()) {
            continue;
        }
        const Control &t = g.OoperDaba[k];
        int below = 0;
        for (int m = 0; m < g.OoperDaba.bound(); ++m) {
            if (m == k || m % 8 != k % 8 || !g.OoperDaba.exists(m) || !g.OoperDaba[m].isVisible()) {
                continue;
            }
            if (g.OoperDaba[m].top() == t.top()) {
                return QStringLiteral("tiles %1 and %2 stand on each other").arg(k).arg(m);
            }
            below += g.OoperDaba[m].top() > t.top();
        }
        const float top = 370.0f - 41.0f * static_cast<float>(below);
        const float left = 3.0f + 42.0f * static_cast<float>(k % 8);
        if (t.top() != top || t.left() != left) {
            return QStringLiteral("tile %1 stands at (%2, %3), not at (%4, %5)")
                .arg(k)
                .arg(double(t.left()))
                .arg(double(t.top()))
                .arg(double(left))
                .arg(double(top));
        }
    }
    return {};
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
