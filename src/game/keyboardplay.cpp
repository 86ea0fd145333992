#include "game/frmmain.h"

// Keyboard play adds to the mouse and does only what a click could do.

int frmMain::tileForLetter(QChar letter) const
{
    const QString wanted(letter.toUpper());
    int best = -1;
    for (int k = 0; k < OoperDaba.bound(); ++k) {
        if (!OoperDaba.exists(k)) {
            continue;
        }
        const Control &t = OoperDaba[k];
        if (!t.isVisible() || !t.isEnabled() || t.caption() != wanted) {
            continue;
        }
        // The lowest on screen, then the leftmost.
        if (best < 0 || t.top() > OoperDaba[best].top() ||
            (t.top() == OoperDaba[best].top() && t.left() < OoperDaba[best].left())) {
            best = k;
        }
    }
    return best;
}

bool frmMain::pickLetter(QChar letter)
{
    // No pick where a click could not reach the field: under the overlay (before Start,
    // paused, during a level-up paint, after game over) or with the field disabled.
    if (intResultPos > 8 || PicBlack.isVisible() || !Picture1.isEnabled() || m_unloaded) {
        return false;
    }
    const int k = tileForLetter(letter);
    if (k < 0) {
        return false;
    }
    OoperDaba_Click(k);
    return true;
}

void frmMain::takeBackLetter()
{
    if (intResultPos > 1) {
        Result_Click(intResultPos - 1);
    }
}
