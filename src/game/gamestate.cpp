#include "game/frmmain.h"

#include "game/mainobserver.h"
#include "ui/toolkit/conversions.h"

namespace {
constexpr Colour Black = Colour::rgb(0, 0, 0);
constexpr Colour White = Colour::rgb(255, 255, 255);
constexpr Colour DarkGreen = Colour::rgb(0, 128, 0);
} // namespace

frmMain::frmMain(Platform platform) : m_platform(platform)
{
    setDesignState();
    TimerNichlaDabaFill.setHandler([this] { TimerNichlaDabaFill_Timer(); });
    Timer1.setHandler([this] { Timer1_Timer(); });
    TimerResultBlink.setHandler([this] { TimerResultBlink_Timer(); });
    TimerNichlaDabaFill.attach(&m_platform.clock);
    Timer1.attach(&m_platform.clock);
    TimerResultBlink.attach(&m_platform.clock);
}

// The window as designed, before any code of it runs.
void frmMain::setDesignState()
{
    frmMainWindow.setGeometry(0, 0, 635, 484);

    Picture1.setGeometry(6, 9, 342, 465);
    OoperDaba[0].setGeometry(3, 371, 40, 40);
    OoperDaba[0].setCaption(QStringLiteral("U"));
    OoperDaba[0].setBackColor(TileColour);
    OoperDaba[0].setVisible(false);
    for (int i = 0; i <= 7; ++i) {
        NichlaDaba[i].setGeometry(3 + 42 * i, 417, 40, 40);
        NichlaDaba[i].setCaption(QStringLiteral("T"));
        NichlaDaba[i].setBackColor(IncomingColour);
    }
    Line1.setGeometry(0, 413, 340, 0);

    PicBlack.setGeometry(6, 9, 343, 469);
    PicBlack.setBackColor(Black);
    lblBlack.setGeometry(168, 207, 7, 24);
    lblBlack.setForeColor(White);
    m_picBlackDrawing.resize(343, 469);

    Frame1.setGeometry(354, 4, 277, 127);
    Frame1.setCaption(QStringLiteral("Result"));
    lblResult.setGeometry(90, 18, 103, 25);
    lblResult.setCaption(QStringLiteral("Press Start"));
    lblResult.setForeColor(DarkGreen);
    for (int k = 1; k <= 8; ++k) {
        Result[k].setGeometry(7 + 33 * (k - 1), 50, 32, 37);
        Result[k].setBackColor(TileColour);
    }
    btnCheck.setGeometry(9, 96, 76, 23);
    btnCheck.setCaption(QStringLiteral("Enter"));
    btnClear.setGeometry(192, 96, 76, 23);
    btnClear.setCaption(QStringLiteral("Clear"));

    Frame2.setGeometry(354, 135, 277, 52);
    Frame2.setCaption(QStringLiteral("Score"));
    lblScore.setGeometry(133, 12, 20, 37);
    lblScore.setCaption(QStringLiteral("0"));
    lblScore.setForeColor(Colour::rgb(192, 64, 0));
    frmLevel.setGeometry(354, 189, 277, 52);
    frmLevel.setCaption(QStringLiteral("Level"));
    lblLevel.setGeometry(133, 12, 20, 37);
    lblLevel.setCaption(QStringLiteral("0"));
    lblLevel.setForeColor(Colour::rgb(0, 0, 128));
    Frame3.setGeometry(354, 243, 277, 52);
    Frame3.setCaption(QStringLiteral("Rows Left"));
    lblRowsLeft.setGeometry(133, 12, 20, 37);
    lblRowsLeft.setCaption(QStringLiteral("0"));
    lblRowsLeft.setForeColor(DarkGreen);

    frameAbout.setGeometry(354, 309, 277, 112);
    frameAbout.setCaption(QStringLiteral("Information"));
    lblHowTo.setGeometry(108, 24, 70, 16);
    lblHowTo.setCaption(QStringLiteral("How to play"));
    lblHighScore.setGeometry(108, 54, 67, 16);
    lblHighScore.setCaption(QStringLiteral("High Score"));
    lblAbout.setGeometry(126, 81, 35, 16);
    lblAbout.setCaption(QStringLiteral("About"));
    for (Control *c : {&lblHowTo, &lblHighScore, &lblAbout}) {
        c->setForeColor(Black);
    }

    btnStart.setGeometry(432, 438, 118, 34);
    btnStart.setCaption(QStringLiteral("Start"));
    cmdExit.setGeometry(618, 465, 16, 16);
    cmdExit.setCaption(QStringLiteral("X"));
    cmdExit.setToolTip(QStringLiteral("Close"));
}

void frmMain::setObserver(MainObserver *observer)
{
    m_observer = observer;
    for (Control *c :
         {&frmMainWindow, &Picture1,   &PicBlack, &lblBlack,     &Line1,    &Frame1,   &lblResult,
          &btnCheck,      &btnClear,   &Frame2,   &lblScore,     &frmLevel, &lblLevel, &Frame3,
          &lblRowsLeft,   &frameAbout, &lblHowTo, &lblHighScore, &lblAbout, &btnStart, &cmdExit}) {
        c->setObserver(observer);
    }
    OoperDaba.setObserver(observer);
    NichlaDaba.setObserver(observer);
    Result.setObserver(observer);
}

void frmMain::Form_Load()
{
    frmMainWindow.setCaption(QStringLiteral("Tilnora"));
    // The random source was seeded once from the clock when the program built it.
    intTopRow = -1;
    intFillPos = -1;
    intFillInterval = 400;
    Timer1.setInterval(4000);
    TimerResultBlink.setInterval(2000);
    TimerNichlaDabaFill.setInterval(intFillInterval);
    HideNichlaDabaAll();
    intResultPos = 1;
    intTileHeight = conv::toInteger16(OoperDaba[0].height());
    lngTileColor = TileColour;
    intBaseTop = 370;
    intTopMargin = 20;
    LoadDictionary();
    if (m_loadFailed) {
        return;
    }
    TimerNichlaDabaFill.setEnabled(false);
}

void frmMain::beep()
{
    m_platform.beeper.beep();
}
