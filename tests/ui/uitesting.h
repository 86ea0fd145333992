#pragma once
#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real main window offscreen, on a virtual clock, with a word list in memory in which
// every letter and every pair of letters is a word.
struct OffscreenGame
{
    MemoryFiles files;
    VirtualClock clock;
    EventLog log;
    RecordingSound sound{log};
    std::unique_ptr<GameApplication> app;
    OffscreenGame()
    {
        QByteArray words;
        for (char a = 'a'; a <= 'z'; ++a) {
            words += a + QByteArray("\r\n");
            for (char b = 'a'; b <= 'z'; ++b) {
                words += QByteArray(1, a) + b + "\r\n";
            }
        }
        files.put(QStringLiteral("/game/ShortList8.txt"), words);
        app = std::make_unique<GameApplication>(
            GameApplication::Options{QStringLiteral("/game"), &clock, &sound, &files, 11});
        QVERIFY(app->load());
        app->show();
        QVERIFY(QTest::qWaitForWindowExposed(&app->window()));
    }
    QWidget *w(ControlId id, int i = 0) { return app->window().widgetFor(id, i); }
    QString text(ControlId id, int i = 0)
    {
        auto *b = qobject_cast<QPushButton *>(w(id, i));
        return b ? b->text() : static_cast<QLabel *>(w(id, i))->text();
    }
    void click(ControlId id) { QTest::mouseClick(w(id), Qt::LeftButton); }
    // The stack tiles a player can click: shown, enabled, above the incoming row.
    QList<QLabel *> freeTiles()
    {
        QList<QLabel *> tiles = w(ControlId::Picture1)->findChildren<QLabel *>();
        tiles.removeIf(
            [](QLabel *l) { return !l->isVisible() || !l->isEnabled() || l->y() > 413; });
        return tiles;
    }
    // Advances the clock in steps of 0.1 s until the condition holds; false if it never does.
    bool runUntil(const std::function<bool()> &done)
    {
        for (int i = 0; i < 3000 && !done(); ++i) {
            clock.advanceBy(100);
        }
        return done();
    }
};

// Runs `open`; once a modal window has opened and become active, runs the action on it and
// closes it if the action left it open. The class name of the window, or "" when none opened.
inline QString onModal(const std::function<void()> &open,
                       const std::function<void(QDialog &)> &action = {})
{
    QString opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (d && opened.isEmpty()) {
            opened = QString::fromLatin1(d->metaObject()->className());
            QVERIFY(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
            if (action) {
                action(*d);
            }
            if (d->isVisible()) {
                d->done(-1);
            }
        }
    });
    poll.start(0);
    open();
    return opened;
}
