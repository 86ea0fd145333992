#include "ui/gameapplication.h"

#include "game/frmmain.h"
#include "ui/fontconfiguration.h"
#include "ui/mainwindow.h"
#include "ui/qtclock.h"
#include "ui/qtplatform.h"
#include "ui/soundplayer.h"
#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/programfolder.h"
#include "ui/toolkit/randomsource.h"
#include "ui/windowopener.h"

#include <QApplication>

#include <functional>

namespace {

// Runs a task once the window's first frame has been painted, from the event loop: the task
// then no longer holds up what the player sees first.
class AfterFirstFrame : public QObject
{
public:
    AfterFirstFrame(QWidget *window, std::function<void()> task)
        : QObject(window), m_task(std::move(task))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the frame is finished and handed to the window system first.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_task();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_task;
};

} // namespace

struct GameApplication::Parts
{
    explicit Parts(const Options &o)
        : random(o.seed.value_or(SeededRandom::clockSeed())), clock(o.clock ? o.clock : &qtClock),
          sound(o.sound ? o.sound : &player), files(o.files ? o.files : &systemFiles),
          model(Platform{*clock, random, beeper, messageBox, *sound, windows, *files,
                         o.programFolder.isEmpty() ? programFolder() : o.programFolder}),
          window(model)
    {
        windows.setModel(&model);
        windows.setParentWindow(&window);
    }

    QtClock qtClock;
    SeededRandom random;
    QtBeeper beeper;
    QtMessageBox messageBox;
    SoundPlayer player;
    SystemFileAccess systemFiles;
    WindowOpener windows;
    Clock *clock;
    SoundSink *sound;
    const FileAccess *files;
    frmMain model;
    MainWindow window;
};

GameApplication::GameApplication() : GameApplication(Options{}) {}

GameApplication::GameApplication(const Options &options) : d(std::make_unique<Parts>(options)) {}

GameApplication::~GameApplication() = default;

bool GameApplication::load()
{
    d->model.Form_Load();
    return !d->model.loadFailed();
}

void GameApplication::show()
{
    d->window.showCentred();
    // What the first frame does not need waits until it is on screen. The sound back end comes
    // up on its own thread: loading Qt Multimedia and the sound server's libraries would
    // otherwise compete with the first paint. No cue can come before Start, and one that did
    // would wait in the player's queue. A sound sink given in the options is left alone. The
    // word lookup is built too, unless a check came first and built it, and the text moves to
    // the system's font configuration.
    new AfterFirstFrame(&d->window, [this] {
        if (d->sound == &d->player) {
            d->player.start();
        }
        d->model.words().prepareLookup();
        fontconfiguration::useSystem();
    });
}

int GameApplication::exec()
{
    if (!load()) {
        // The player has been told; a failed start must not report success.
        return 1;
    }
    show();
    return QApplication::exec();
}

frmMain &GameApplication::model()
{
    return d->model;
}

MainWindow &GameApplication::window()
{
    return d->window;
}
