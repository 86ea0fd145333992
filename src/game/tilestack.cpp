#include "game/frmmain.h"

#include "game/mainobserver.h"

#include <vector>

void frmMain::FillOoperDaba()
{
    const int T = intTopRow;
    const float s = static_cast<float>(intTileHeight + 1);
    if (m_observer) {
        m_observer->stackMoving(true);
    }
    for (int i = T; i >= 0; --i) {
        for (int k = 8 * i; k <= 8 * i + 7; ++k) {
            if (i == T) {
                if (k != 0) {
                    OoperDaba.load(k, 0);
                    if (m_observer) {
                        m_observer->tileLoaded(k);
                    }
                }
                Control &tile = OoperDaba[k];
                tile.setBackColor(lngTileColor);
                tile.setEnabled(true);
                if (k == 8 * T) {
                    tile.setLeft(3);
                } else {
                    const Control &prev = OoperDaba[k - 1];
                    tile.setLeft(prev.left() + prev.width() + 2);
                }
                tile.setCaption(NichlaDaba[k - 8 * T].caption());
                tile.setVisible(true);
                tile.setTop(intBaseTop);
            } else {
                // Older rows move up one stride, hidden tiles too.
                Control &tile = OoperDaba[k];
                tile.setTop(tile.top() - s);
            }
        }
    }
    if (m_observer) {
        m_observer->stackMoving(false);
    }
    checkTopTouch();
}

// Hides the word's tiles and lets every tile above a removed tile, in its column, drop one
// stride. The table of moves is sized to the stack, so no level can overflow it.
void frmMain::SetOoperDabaAll()
{
    const int n = intResultPos - 1;
    if (intTopRow < 0 || n <= 0) {
        return;
    }
    const int rows = intTopRow + 1;
    std::vector<int> moves(static_cast<std::size_t>(9 * rows), -1);
    auto entry = [&](int j, int row) -> int & {
        return moves[static_cast<std::size_t>(j * rows + row)];
    };

    for (int row = intTopRow; row >= 0; --row) {
        for (int j = 0; j < n; ++j) {
            const int p = intPicked[static_cast<std::size_t>(j)];
            if (OoperDaba.exists(p)) {
                OoperDaba[p].setVisible(false);
            }
            entry(j, row) = p < 8 ? -1 : p - 8 * row;
        }
    }
    const float stride = static_cast<float>(intTileHeight + 1);
    if (m_observer) {
        m_observer->stackMoving(true);
    }
    for (int row = intTopRow; row >= 0; --row) {
        for (int j = 0; j < n; ++j) {
            const int k = entry(j, row);
            if (k >= 0 && OoperDaba.exists(k)) {
                Control &tile = OoperDaba[k];
                tile.setTop(tile.top() + stride);
            }
        }
    }
    if (m_observer) {
        m_observer->stackMoving(false);
    }
}

void frmMain::RemoveOoperDabaAll()
{
    for (int k = intTopRow * 8 + 7; k >= 1; --k) {
        if (OoperDaba.exists(k)) {
            OoperDaba.unload(k);
            if (m_observer) {
                m_observer->tileUnloaded(k);
            }
        }
    }
    OoperDaba[0].setVisible(false);
}

void frmMain::Timer1_Timer()
{
    Timer1.setEnabled(false);
    if (!blnGameOver) {
        if (TimerNichlaDabaFill.interval() < 2000) {
            TimerNichlaDabaFill.setInterval(TimerNichlaDabaFill.interval() + 200);
        }
        TimerNichlaDabaFill.setEnabled(true);
    }
}
