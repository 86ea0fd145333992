#include "support/gameharness.h"

#include <QMap>

#include <stdexcept>

GameHarness::GameHarness(const QStringList &words, std::uint64_t seed)
    : GameHarness(true, words, seed)
{
}

GameHarness::GameHarness(bool runLoad, const QStringList &words, std::uint64_t seed) : random(seed)
{
    files.put(Folder + QStringLiteral("/ShortList8.txt"),
              words.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
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

void GameHarness::pushRow(const QString &letters)
{
    frmMain &g = *m_game;
    // A tick goes through the timer while it runs, as on screen, so a tick that comes due in
    // the middle of a push (a paint lets the clock run) waits for the push to end.
    auto tick = [&g] {
        g.TimerNichlaDabaFill.isActive() ? g.TimerNichlaDabaFill.fire()
                                         : g.TimerNichlaDabaFill_Timer();
    };
    for (int i = 0; i <= g.fillPos(); ++i) {
        g.NichlaDaba[i].setCaption(letters.mid(i, 1));
    }
    while (g.fillPos() < 7) {
        tick();
        g.NichlaDaba[g.fillPos()].setCaption(letters.mid(g.fillPos(), 1));
    }
    tick(); // the ninth tick pushes the row
}

void GameHarness::enterTiles(const QList<int> &tiles)
{
    for (int k : tiles) {
        m_game->OoperDaba_Click(k);
    }
    m_game->btnCheck_Click();
}

QStringList GameHarness::stackPicture() const
{
    QMap<float, QString> lines;
    for (int k = 0; k < m_game->OoperDaba.bound(); ++k) {
        if (m_game->OoperDaba.exists(k) && m_game->OoperDaba[k].isVisible()) {
            const Control &t = m_game->OoperDaba[k];
            QString &line = lines[t.top()];
            line = line.isEmpty() ? QString(8, QLatin1Char('.')) : line;
            line[int((t.left() - 3) / 42)] = t.caption().at(0);
        }
    }
    return lines.values();
}

int GameHarness::findTile(QChar letter) const
{
    const TileArray &s = m_game->OoperDaba;
    int best = -1;
    for (int k = 0; k < s.bound(); ++k) {
        if (s.exists(k) && s[k].isVisible() && s[k].isEnabled() &&
            s[k].caption() == QString(letter) &&
            (best < 0 || s[k].top() > s[best].top() ||
             (s[k].top() == s[best].top() && s[k].left() < s[best].left()))) {
            best = k;
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

void GameHarness::play(const QString &steps)
{
    frmMain &g = *m_game;
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString op = step.section(QLatin1Char(':'), 0, 0);
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (op == QLatin1String("start")) {
            g.btnStart_Click();
        } else if (op == QLatin1String("restart")) {
            g.RestartGame();
        } else if (op == QLatin1String("enter")) {
            g.btnCheck_Click();
        } else if (op == QLatin1String("clear")) {
            g.btnClear_Click();
        } else if (op == QLatin1String("back")) {
            g.takeBackLetter();
        } else if (op == QLatin1String("unload")) {
            g.Form_Unload();
        } else if (op == QLatin1String("push")) {
            pushRow(arg);
        } else if (op == QLatin1String("spell")) {
            spell(arg);
        } else if (op == QLatin1String("key")) {
            g.pickLetter(arg.at(0));
        } else if (op == QLatin1String("click")) {
            g.OoperDaba_Click(arg.toInt());
        } else if (op == QLatin1String("slot")) {
            g.Result_Click(arg.toInt());
        } else if (op == QLatin1String("wait")) {
            advance(arg.toLongLong());
        } else if (op == QLatin1String("exit")) {
            windows.actions[Window::Exit] = [&g, n = arg.toInt()] { g.frmExitStatus = n; };
            g.cmdExit_Click();
        } else if (op == QLatin1String("rows")) {
            g.lblRowsLeft.setCaption(arg);
        } else if (op == QLatin1String("level")) {
            g.lblLevel.setCaption(arg);
        } else if (op == QLatin1String("over")) {
            for (int i = 0; i < 12 && !g.gameOver(); ++i) {
                pushRow(QStringLiteral("ZZZZZZZZ"));
            }
        } else {
            throw std::invalid_argument("unknown step");
        }
    }
}

QString GameHarness::state() const
{
    const frmMain &g = *m_game;
    auto on = [](bool b) { return b ? QStringLiteral("on") : QStringLiteral("off"); };
    return QStringLiteral("%1 level %2 rows %3 score %4 overlay %5 field %6 menu %7 fill %8 %9 "
                          "pace %10%11%12")
        .arg(g.btnStart.caption(), g.lblLevel.caption(), g.lblRowsLeft.caption(),
             g.lblScore.caption(),
             g.PicBlack.isVisible() ? QLatin1Char('\'') + g.lblBlack.caption() + QLatin1Char('\'')
                                    : on(false),
             on(g.Picture1.isEnabled()), on(g.frameAbout.isEnabled()))
        .arg(g.TimerNichlaDabaFill.interval())
        .arg(on(g.TimerNichlaDabaFill.isEnabled()), on(g.Timer1.isEnabled()),
             g.gameOver() ? QStringLiteral(" over") : QString(),
             g.isUnloaded() ? QStringLiteral(" unloaded") : QString());
}

QString describe(const Control &c)
{
    auto hex = [](Colour k) {
        return QString::asprintf(" #%02x%02x%02x", k.red(), k.green(), k.blue());
    };
    QString s =
        QStringLiteral("%1,%2 %3x%4").arg(c.left()).arg(c.top()).arg(c.width()).arg(c.height());
    s += c.caption().isEmpty() ? QString() : QStringLiteral(" '%1'").arg(c.caption());
    s += c.backColor() == Colour() ? QString() : QStringLiteral(" back") + hex(c.backColor());
    s += c.foreColor() == Colour() ? QString() : QStringLiteral(" fore") + hex(c.foreColor());
    s += c.toolTip().isEmpty() ? QString() : QStringLiteral(" tip '%1'").arg(c.toolTip());
    return s + (c.isVisible() ? "" : " hidden") + (c.isEnabled() ? "" : " disabled");
}
