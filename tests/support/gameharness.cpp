#include "support/gameharness.h"

#include <algorithm>

#include <QMap>
#include <QRegularExpression>
#include <QTest>

GameHarness::GameHarness(const QStringList &words, bool startUp)
{
    files.put(Folder + "/ShortList8.txt", words.join("\r\n").toLatin1() + "\r\n");
    m_game = std::make_unique<frmMain>(
        Platform{clock, random, beeper, messageBox, sound, windows, files, Folder});
    startUp ? m_game->Form_Load() : void();
}

void GameHarness::pushRow(const QString &letters)
{
    frmMain &g = *m_game;
    // Through the running timer, so a tick due during a push (a paint runs the clock) waits.
    auto tick = [&g, &t = g.TimerNichlaDabaFill] {
        t.isActive() ? t.fire() : g.TimerNichlaDabaFill_Timer();
    };
    while (g.fillPos() < 7) {
        tick();
    }
    for (int i = 0; i <= 7; ++i) {
        g.NichlaDaba[i].setCaption(letters.mid(i, 1));
    }
    tick(); // the ninth tick pushes the row
}

QStringList GameHarness::stackPicture() const
{
    QMap<float, QString> lines;
    for (int k = 0; k < m_game->OoperDaba.bound(); ++k) {
        if (m_game->OoperDaba.exists(k) && m_game->OoperDaba[k].isVisible()) {
            const Control &t = m_game->OoperDaba[k];
            QString &line = lines[t.top()];
            line = line.isEmpty() ? QString(8, u'.') : line;
            line[int((t.left() - 3) / 42)] = t.caption().at(0);
        }
    }
    return lines.values();
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
    const QHash<QString, void (frmMain::*)()> plain{
        {"load", &frmMain::Form_Load},       {"start", &frmMain::btnStart_Click},
        {"restart", &frmMain::RestartGame},  {"enter", &frmMain::btnCheck_Click},
        {"clear", &frmMain::btnClear_Click}, {"unload", &frmMain::Form_Unload},
        {"howto", &frmMain::lblHowTo_Click}, {"record", &frmMain::lblHighScore_Click},
        {"about", &frmMain::lblAbout_Click}, {"back", &frmMain::takeBackLetter}};
    const QHash<QString, std::function<void(QString)>> ops{
        {"push", [&](auto a) { pushRow(a); }},
        {"spell", [&](auto a) { std::ranges::for_each(a, [&](QChar c) { g.pickLetter(c); }); }},
        {"over",
         [&](auto) {
             for (int i = 0; i < 12 && !g.gameOver(); ++i) {
                 pushRow("ZZZZZZZZ");
             }
         }},
        {"key", [&](auto a) { g.pickLetter(a.at(0)); }},
        {"click", [&](auto a) { g.OoperDaba_Click(a.toInt()); }},
        {"slot", [&](auto a) { g.Result_Click(a.toInt()); }},
        {"wait", [&](auto a) { clock.advanceBy(a.toInt()); }},
        {"rows", [&](auto a) { g.lblRowsLeft.setCaption(a); }},
        {"level", [&](auto a) { g.lblLevel.setCaption(a); }},
        {"caption", [&](auto a) { g.btnStart.setCaption(a); }},
        {"exit", [&](auto a) {
             windows.actions[Window::Exit] = [&g, a] { g.frmExitStatus = a.toInt(); };
             g.cmdExit_Click();
         }}};
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QString op = step.section(u':', 0, 0);
        plain.contains(op) ? (g.*plain[op])() : ops.value(op)(step.section(u':', 1));
    }
}

QString GameHarness::state() const
{
    const frmMain &g = *m_game;
    auto on = [](bool b) { return b ? QStringLiteral("+") : QStringLiteral("-"); };
    int incoming = 0;
    for (int i = 0; i <= 7; ++i) {
        incoming += g.NichlaDaba[i].isVisible();
    }
    return QStringLiteral("%1 %2/%3/%4 %5 field%6 menu%7 fill%8%9 pace%10 '%11' s%12 r%13%14%15")
        .arg(g.btnStart.caption(), g.lblLevel.caption(), g.lblRowsLeft.caption(),
             g.lblScore.caption(), g.PicBlack.isVisible() ? "'" + g.lblBlack.caption() + "'" : "-",
             on(g.Picture1.isEnabled()), on(g.frameAbout.isEnabled()))
        .arg(g.TimerNichlaDabaFill.interval())
        .arg(on(g.TimerNichlaDabaFill.isEnabled()), on(g.Timer1.isEnabled()), word())
        .arg(stackPicture().join("").remove(u'.').size())
        .arg(incoming)
        .arg(g.gameOver() ? " over" : "", g.isUnloaded() ? " closed" : "");
}

QString describe(const Control &c)
{
    auto hex = [](const char *n, Colour k) {
        return k == Colour()
                   ? ""
                   : QString::asprintf(" %s #%06x", n, k.red() << 16 | k.green() << 8 | k.blue());
    };
    auto text = [](const char *n, const QString &t) {
        return t.isEmpty() ? "" : n + ("'" + t + "'");
    };
    return QStringLiteral("%1,%2 %3x%4").arg(c.left()).arg(c.top()).arg(c.width()).arg(c.height()) +
           text(" ", c.caption()) + hex("back", c.backColor()) + hex("fore", c.foreColor()) +
           text(" tip ", c.toolTip()) + (c.isVisible() ? "" : " hidden") +
           (c.isEnabled() ? "" : " disabled");
}

void addRows(std::initializer_list<const char *> rows)
{
    QTest::addColumn<QStringList>("fields");
    for (const char *row : rows) {
        QStringList f = QString::fromUtf8(row).split(u'|');
        f.replaceInStrings(QRegularExpression("^\\s+|\\s+$"), "");
        QTest::newRow(qPrintable(f.takeFirst())) << f;
    }
}

QStringList fields()
{
    QFETCH(QStringList, fields);
    return fields;
}
