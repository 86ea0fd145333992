#include "support/gameharness.h"

#include <QTest>

GameHarness::GameHarness(const QStringList &words, bool startUp)
{
    files.put("/game/ShortList8.txt", words.join("\r\n").toLatin1() + "\r\n");
    m_game = std::make_unique<frmMain>(
        Platform{clock, random, beeper, messageBox, sound, windows, files, "/game"});
    if (startUp) {
        m_game->Form_Load();
    }
}

namespace {
// Through the timer while it runs, so that a tick coming due inside this one (a
// paint runs the clock) waits for it, as in the program.
void fillTick(frmMain &g)
{
    if (g.TimerNichlaDabaFill.isActive()) {
        g.TimerNichlaDabaFill.fire();
    } else {
        g.TimerNichlaDabaFill_Timer();
    }
}

void pushRow(frmMain &g, const QString &letters)
{
    while (g.fillPos() < 7) {
        fillTick(g);
    }
    for (int i = 0; i <= 7; ++i) {
        g.NichlaDaba[i].setCaption(letters.mid(i, 1));
    }
    fillTick(g);
}
} // namespace

void GameHarness::play(const QString &steps)
{
    frmMain &g = *m_game;
    const QHash<QString, void (frmMain::*)()> clicks{
        {"start", &frmMain::btnStart_Click},      {"enter", &frmMain::btnCheck_Click},
        {"clear", &frmMain::btnClear_Click},      {"back", &frmMain::takeBackLetter},
        {"record", &frmMain::lblHighScore_Click},
    };
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QString verb = step.section(u':', 0, 0);
        const QString arg = step.section(u':', 1);
        if (clicks.contains(verb)) {
            (g.*clicks[verb])();
        } else if (verb == "click") {
            g.OoperDaba_Click(arg.toInt());
        } else if (verb == "slot") {
            g.Result_Click(arg.toInt());
        } else if (verb == "spell") {
            for (QChar c : arg) {
                g.pickLetter(c);
            }
        } else if (verb == "push") {
            pushRow(g, arg);
        } else if (verb == "over") {
            for (int i = 0; i < 12 && !g.gameOver(); ++i) {
                pushRow(g, "ZZZZZZZZ");
            }
        } else if (verb == "wait") {
            clock.advanceBy(arg.toInt());
        } else if (verb == "exit") {
            windows.actions[Window::Exit] = [&g, arg] { g.frmExitStatus = arg.toInt(); };
            g.cmdExit_Click();
        } else {
            QFAIL(qPrintable("no such step: " + step));
        }
    }
}

QStringList GameHarness::stackPicture() const
{
    QStringList rows;
    for (int k = 0; k < m_game->OoperDaba.bound(); ++k) {
        if (!m_game->OoperDaba.exists(k) || !m_game->OoperDaba[k].isVisible()) {
            continue;
        }
        const Control &t = m_game->OoperDaba[k];
        const float column = (t.left() - 3) / 42;
        const float row = (370 - t.top()) / 41;
        QChar letter = '?';
        if (t.isEnabled() && t.backColor() == frmMain::TileColour) {
            letter = t.caption().at(0);
        } else if (!t.isEnabled() && t.backColor() == frmMain::PickedColour) {
            letter = t.caption().at(0).toLower();
        }
        if (column != int(column) || row != int(row) || column > 7 || row < 0) {
            rows << "?";
            continue;
        }
        while (rows.size() <= row) {
            rows.prepend("........");
        }
        rows[rows.size() - 1 - int(row)][int(column)] = letter;
    }
    return rows;
}

QStringList GameHarness::facts(const QStringList &keys) const
{
    const frmMain &g = *m_game;
    QString word;
    for (int k = 1; k <= 8; ++k) {
        word += g.Result[k].caption();
    }
    int incoming = 0;
    for (int i = 0; i <= 7; ++i) {
        incoming += g.NichlaDaba[i].isVisible();
    }
    QStringList blue;
    for (const Control *label : {&g.lblHowTo, &g.lblHighScore, &g.lblAbout}) {
        if (label->foreColor() == Colour::rgb(0, 0, 255)) {
            blue << label->caption();
        }
    }
    QStringList heard;
    for (const QString &line : log.lines) {
        if (line == "beep" || line.startsWith("sound ")) {
            heard << line.section(u' ', -1).section(u'.', 0, 0);
        }
    }
    const QHash<QString, QString> all{
        {"btnStart", g.btnStart.caption()},
        {"lblLevel", g.lblLevel.caption()},
        {"lblRowsLeft", g.lblRowsLeft.caption()},
        {"lblScore", g.lblScore.caption()},
        {"lblResult", g.lblResult.caption()},
        {"lblBlack", g.lblBlack.caption()},
        {"PicBlack", g.PicBlack.isVisible() ? "shown" : "hidden"},
        {"fillTimer", g.TimerNichlaDabaFill.isEnabled() ? "on" : "off"},
        {"fillInterval", QString::number(g.TimerNichlaDabaFill.interval())},
        {"word", word},
        {"stack", stackPicture().join(' ')},
        {"incomingTiles", QString::number(incoming)},
        {"closed", g.isUnloaded() ? "yes" : "no"},
        {"highScoreView", g.blnHighScoreClick ? "yes" : "no"},
        {"blue", blue.join(", ")},
        {"heard", heard.join(' ')}};
    QStringList seen;
    for (const QString &key : keys) {
        const QString name = key.section(u'=', 0, 0);
        seen << name + '=' + all.value(name, "(no such fact)");
    }
    return seen;
}
