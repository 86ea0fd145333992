#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class Clock;
class FileAccess;
class MainWindow;
class SoundSink;
class frmMain;

// Puts the game together: the platform services on Qt, the main window's model and its view.
class GameApplication
{
public:
    struct Options
    {
        QString programFolder;             // empty: the folder of the executable
        Clock *clock = nullptr;            // null: real time on QTimer
        SoundSink *sound = nullptr;        // null: the sound player
        const FileAccess *files = nullptr; // null: the real file system
        std::optional<std::uint64_t> seed; // none: seeded once from the clock
    };

    GameApplication();
    explicit GameApplication(const Options &options);
    ~GameApplication();

    // Runs start-up; false when it ended the program (the word list could not be read).
    bool load();
    // Shows the main window.
    void show();
    // Start-up, the window and the event loop; the program's exit status.
    int exec();

    frmMain &model();
    MainWindow &window();

private:
    struct Parts;
    std::unique_ptr<Parts> d;
};
