#include "game/frmmain.h"

void frmMain::checkTopTouch()
{
    const int last = intTopRow * 8 + 7;
    // The first visible tile in index order decides, which is not always the highest one on
    // screen: a column that lost tiles stands lower.
    for (int k = 0; k <= last; ++k) {
        if (!OoperDaba.exists(k)) {
            continue;
        }
        const Control &tile = OoperDaba[k];
        if (!tile.isVisible()) {
            continue;
        }
        if (tile.top() <= static_cast<float>(intTopMargin)) {
            beep();
            Timer1.setEnabled(false);
            blnGameOver = true;
            TimerNichlaDabaFill.setEnabled(false);
            btnStart.setCaption(QStringLiteral("Restart"));
            lblBlack.setCaption(QStringLiteral("Game Over!"));
            PicBlack.setVisible(true);
            PlayEffect(6);
            frameAbout.setEnabled(true);
            PaintPicBlack(0);
            if (m_unloaded) {
                return;
            }
            blnHighScoreClick = false;
            m_platform.windows.showModal(Window::Record);
            if (m_unloaded) {
                return;
            }
            beep();
            return;
        }
        if (tile.top() < static_cast<float>(intTileHeight + intTopMargin)) {
            beep();
            lblResult.setForeColor(Colour::rgb(250, 50, 50));
            lblResult.setCaption(QStringLiteral("Be Carefull"));
            PlayEffect(4);
            TimerResultBlink.restart();
            return;
        }
    }
}
