#pragma once

#include "game/control.h"
#include "game/overlaysurface.h"
#include "game/tilearray.h"
#include "game/wordlist.h"
#include "ui/toolkit/modeltimer.h"
#include "ui/toolkit/platform.h"

#include <array>
#include <cstdint>

class MainObserver;

// The main window as a model: every piece of game state, the controls as plain objects and
// the window's procedures under their own names. The procedures are spread over one file per
// subsystem: gamestate.cpp (start-up), runcontrol.cpp, incomingrow.cpp, tilestack.cpp,
// topwatch.cpp, dictionary.cpp, wordbuilding.cpp, wordcheck.cpp, soundcues.cpp,
// informationmenu.cpp and shutdown.cpp. Everything runs on one thread; time comes from the
// platform's clock.
class frmMain
{
public:
    explicit frmMain(Platform platform);
    frmMain(const frmMain &) = delete;
    frmMain &operator=(const frmMain &) = delete;

    void setObserver(MainObserver *observer);

    // Public members that other windows touch.
    bool blnHighScoreClick = false;
    std::int32_t frmExitStatus = 0;

    // --- Start-up (gamestate.cpp)
    void Form_Load();
    // Start-up ended the program (the word list could not be read).
    bool loadFailed() const { return m_loadFailed; }

    // --- Run control (runcontrol.cpp)
    void btnStart_Click();
    void RestartGame();

    // --- Incoming row (incomingrow.cpp)
    void TimerNichlaDabaFill_Timer();
    void FillNichlaDaba();
    void HideNichlaDabaAll();

    // --- Tile stack (tilestack.cpp)
    void FillOoperDaba();
    void SetOoperDabaAll();
    void Timer1_Timer();

    // --- Top watch (topwatch.cpp)
    void checkTopTouch();

    // --- Word list (dictionary.cpp)
    void LoadDictionary();

    // --- Word building (wordbuilding.cpp)
    void OoperDaba_Click(int Index);
    void Result_Click(int Index);
    void btnClear_Click();
    void clearResult(bool restart);

    // --- Keyboard play (keyboardplay.cpp)
    // Picks the free visible stack tile showing the letter, the lowest on screen and then the
    // leftmost, as a click on it would; false when no tile can be picked.
    bool pickLetter(QChar letter);
    // Takes the last letter of the word back, as a click on it would.
    void takeBackLetter();
    // The tile pickLetter would pick, or -1.
    int tileForLetter(QChar letter) const;

    // --- Word check (wordcheck.cpp)
    void btnCheck_Click();
    void TimerResultBlink_Timer();

    // --- Information menu (informationmenu.cpp)
    void lblHowTo_MouseMove();
    void lblHighScore_MouseMove();
    void lblAbout_MouseMove();
    void frameAbout_MouseMove();
    void Form_MouseMove();
    void PicBlack_MouseMove();
    void ResetOptionsColor();
    void lblHowTo_Click();
    void lblHighScore_Click();
    void lblAbout_Click();

    // --- Exit and shutdown (shutdown.cpp)
    void cmdExit_Click();
    // The main window is unloaded (the exit dialog's "Exit the Game" or the window system's
    // close command): the game timers stop and the view closes.
    void Form_Unload();
    bool isUnloaded() const { return m_unloaded; }

    // True while the overlay gradient is being painted. Clicks on Start, the menu and the
    // exit button are ignored meanwhile, so no restart or dialog can cut into a level-up or
    // a game over.
    bool isPainting() const { return m_paintDepth > 0; }

    // --- Controls
    Control frmMainWindow{ControlId::frmMain};
    Control Picture1{ControlId::Picture1};
    Control PicBlack{ControlId::PicBlack};
    Control lblBlack{ControlId::lblBlack};
    Control Line1{ControlId::Line1};
    Control Frame1{ControlId::Frame1};
    Control lblResult{ControlId::lblResult};
    Control btnCheck{ControlId::btnCheck};
    Control btnClear{ControlId::btnClear};
    Control Frame2{ControlId::Frame2};
    Control lblScore{ControlId::lblScore};
    Control frmLevel{ControlId::frmLevel};
    Control lblLevel{ControlId::lblLevel};
    Control Frame3{ControlId::Frame3};
    Control lblRowsLeft{ControlId::lblRowsLeft};
    Control frameAbout{ControlId::frameAbout};
    Control lblHowTo{ControlId::lblHowTo};
    Control lblHighScore{ControlId::lblHighScore};
    Control lblAbout{ControlId::lblAbout};
    Control btnStart{ControlId::btnStart};
    Control cmdExit{ControlId::cmdExit};

    TileArray OoperDaba{ControlId::OoperDaba, 0, 0};
    TileArray NichlaDaba{ControlId::NichlaDaba, 0, 7};
    TileArray Result{ControlId::Result, 1, 8};

    // What the gradient paint has drawn on PicBlack.
    const OverlaySurface &picBlackDrawing() const { return m_picBlackDrawing; }

    // --- Timers
    ModelTimer TimerNichlaDabaFill{QStringLiteral("TimerNichlaDabaFill"), 0, true};
    ModelTimer Timer1{QStringLiteral("Timer1"), 0, false};
    ModelTimer TimerResultBlink{QStringLiteral("TimerResultBlink"), 0, true};

    // --- Members (read-only access for views and tests)
    std::int16_t topRow() const { return intTopRow; }
    std::int16_t resultPos() const { return intResultPos; }
    std::int16_t fillPos() const { return intFillPos; }
    std::int16_t tileHeight() const { return intTileHeight; }
    bool gameOver() const { return blnGameOver; }
    const std::array<std::int16_t, 9> &picked() const { return intPicked; }
    const WordList &words() const { return m_words; }
    const Platform &platform() const { return m_platform; }

    // Tile and colour constants of the design.
    static constexpr Colour TileColour = Colour::rgb(192, 255, 255);
    static constexpr Colour PickedColour = Colour::rgb(200, 200, 200);
    static constexpr Colour IncomingColour = Colour::rgb(255, 192, 255);
    // How long one gradient paint lasts on the clock, in milliseconds.
    static constexpr int PaintDurationMs = 1000;

private:
    // gamestate.cpp
    void setDesignState();
    // runcontrol.cpp
    void ResetBoard();
    void SetRowsLeft();
    void PaintPicBlack(const std::int32_t &lngColor);
    // Hides the overlay and clears its drawing; clears it back to black.
    void hidePicBlack();
    void clearPicBlack();
    // incomingrow.cpp
    std::int16_t RandomLetter();
    std::int16_t RandomVowel();
    void levelUp();
    // tilestack.cpp
    void RemoveOoperDabaAll();
    // wordcheck.cpp
    bool CheckWord();
    // soundcues.cpp
    void PlayEffect(std::int32_t cue);
    // Lets tests try cue numbers that no handler passes.
    friend struct PlayEffectProbe;

    void beep();
    MainObserver *observer() const { return m_observer; }

    Platform m_platform;
    MainObserver *m_observer = nullptr;
    OverlaySurface m_picBlackDrawing;
    WordList m_words;

    std::int16_t intTopRow = -1;
    std::int16_t intResultPos = 1;
    std::array<std::int16_t, 9> intPicked{};
    std::int16_t intTileHeight = 40;
    std::int16_t intBaseTop = 370;
    std::int16_t intTopMargin = 20;
    Colour lngTileColor = TileColour;
    bool blnGameOver = false;
    std::int16_t intFillPos = -1;
    std::int16_t intFillInterval = 400;

    bool m_loadFailed = false;
    bool m_unloaded = false;
    int m_paintDepth = 0;
};
