#include "game/frmmain.h"

#include "ui/toolkit/conversions.h"
#include "ui/toolkit/randomsource.h"

#include <cmath>

void frmMain::TimerNichlaDabaFill_Timer()
{
    ++intFillPos;
    FillNichlaDaba();
}

void frmMain::FillNichlaDaba()
{
    if (intFillPos <= 7) {
        // One tile in four comes from the vowels: k is 1 only for r * 4 in (0.5, 1.5),
        // because both halves round to the even neighbour.
        const double r = m_platform.random.next();
        const std::int16_t k = conv::toInteger16(r * 4);
        const std::int16_t code = k == 1 ? RandomVowel() : RandomLetter();
        Control &tile = NichlaDaba[intFillPos];
        tile.setCaption(QString(QChar(code)));
        tile.setVisible(true);
        return;
    }

    // The row is full: push it into the stack.
    ++intTopRow;
    intFillPos = -1;
    FillOoperDaba();
    if (m_unloaded) {
        return;
    }
    HideNichlaDabaAll();
    if (!blnGameOver) {
        const double rowsLeft = conv::textToDouble(lblRowsLeft.caption()) - 1;
        lblRowsLeft.setCaption(conv::numberToText(rowsLeft));
        if (std::trunc(conv::textToDouble(lblRowsLeft.caption())) == 0) {
            levelUp();
            if (m_unloaded) {
                return;
            }
        }
    }
    // Also after a game over and after a level up: the pacing timer gets one more tick.
    Timer1.setEnabled(true);
}

void frmMain::levelUp()
{
    const double level = conv::textToDouble(lblLevel.caption()) + 1;
    lblLevel.setCaption(conv::numberToText(level));
    SetRowsLeft();
    clearResult(true);
    lblBlack.setCaption(QStringLiteral("Level Up!"));
    PicBlack.setVisible(true);
    PlayEffect(5);
    PaintPicBlack(1);
    if (m_unloaded) {
        return;
    }
    hidePicBlack();
    ResetBoard();
}

void frmMain::HideNichlaDabaAll()
{
    for (int i = 0; i <= 7; ++i) {
        NichlaDaba[i].setVisible(false);
    }
}

// Codes 65 to 90. A draw lands on a letter with odds 25.5 / 90; "A" gets only the half unit
// [65, 65.5) and every other letter a whole one, so "A" comes half as often as "B".."Z".
// The loop does not let events run between draws: nothing else may happen inside a fill
// tick anyway, and a tick stays a few microseconds long.
std::int16_t frmMain::RandomLetter()
{
    std::int16_t a = 100;
    while (a > 90) {
        const double r = m_platform.random.next();
        a = conv::toInteger16(r * 90 + 65);
    }
    return a;
}

std::int16_t frmMain::RandomVowel()
{
    const double r = m_platform.random.next();
    const std::int16_t b = conv::toInteger16(r * 5 + 1);
    switch (b) {
    case 1:
        return 'U';
    case 2:
        return 'O';
    case 3:
        return 'I';
    case 4:
        return 'E';
    default:
        return 'A';
    }
}
