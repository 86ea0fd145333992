#pragma once

#include "game/frmmain.h"
#include "support/doubles.h"
#include "ui/gameapplication.h"
#include "ui/mainwindow.h"
#include "ui/toolkit/virtualclock.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The real main window offscreen, on a virtual clock (or on real time when asked), with the
// word list in memory.
struct OffscreenGame
{
    MemoryFiles files;
    VirtualClock clock;
    std::unique_ptr<GameApplication> app;

    explicit OffscreenGame(bool realTime = false)
    {
        files.put(QStringLiteral("/game/ShortList8.txt"), "cat\r\ndog\r\n");
        GameApplication::Options o;
        o.programFolder = QStringLiteral("/game");
        o.files = &files;
        o.clock = realTime ? nullptr : &clock;
        o.seed = 11;
        app = std::make_unique<GameApplication>(o);
    }

    // Runs start-up and shows the window; false if it never came up.
    bool open()
    {
        if (!app->load()) {
            return false;
        }
        app->show();
        return QTest::qWaitForWindowExposed(&app->window());
    }

    frmMain &model() { return app->model(); }
    MainWindow &window() { return app->window(); }
    QWidget *widget(ControlId id, int index = 0) { return window().widgetFor(id, index); }

    int visibleStackTiles()
    {
        int n = 0;
        for (int k = 0;; ++k) {
            if (k >= model().OoperDaba.bound()) {
                return n;
            }
            if (QWidget *t = widget(ControlId::OoperDaba, k)) {
                n += t->isVisible();
            }
        }
    }

    // Advances the clock in small steps until the stack shows the given number of tiles.
    bool runUntilTiles(int tiles)
    {
        for (int i = 0; i < 600 && visibleStackTiles() != tiles; ++i) {
            clock.advanceBy(100);
        }
        return visibleStackTiles() == tiles;
    }

    // Advances the clock until the game is over; the high-score window that the game over
    // opens is closed as soon as it shows.
    bool runToGameOver()
    {
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                d->reject();
            }
        });
        closer.start();
        for (int i = 0; i < 1200 && !model().gameOver(); ++i) {
            clock.advanceBy(500);
        }
        return model().gameOver();
    }
};

// Runs the action once the next modal window is open, with that window; records its class
// name, or "" when none opened by the time events next run.
class ModalWatch
{
public:
    explicit ModalWatch(std::function<void(QDialog &)> action = {}) : m_action(std::move(action))
    {
        QTimer::singleShot(0, [this] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            m_fired = true;
            if (!d) {
                return;
            }
            m_className = QString::fromLatin1(d->metaObject()->className());
            m_parent = d->parentWidget();
            // The window system hands the new modal window the activation (and with it the
            // keyboard focus); wait for that to arrive.
            if (!QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }, 2000)) {
                qWarning("the modal window never became active");
            }
            if (m_action) {
                m_action(*d);
            }
            if (d->isVisible()) {
                d->done(-1); // never leave a test hanging on an open window
            }
        });
    }
    // Lets the watch run if no window opened.
    QString openedClass()
    {
        if (!m_fired) {
            QCoreApplication::processEvents();
        }
        return m_className;
    }
    QWidget *parent() const { return m_parent; }

private:
    std::function<void(QDialog &)> m_action;
    bool m_fired = false;
    QString m_className;
    QWidget *m_parent = nullptr;
};
