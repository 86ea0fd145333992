#include "game/frmmain.h"

void frmMain::OoperDaba_Click(int Index)
{
    if (intResultPos > 8) {
        return;
    }
    // Clicks reach only free, visible tiles of an enabled field under no overlay; the view
    // makes sure of it, and so does this guard for callers without a view.
    if (!OoperDaba.exists(Index) || !OoperDaba[Index].isVisible() ||
        !OoperDaba[Index].isEnabled() || !Picture1.isEnabled() || PicBlack.isVisible()) {
        return;
    }
    Control &tile = OoperDaba[Index];
    tile.setBackColor(PickedColour);
    tile.setEnabled(false);
    Result[intResultPos].setCaption(tile.caption());
    intPicked[static_cast<std::size_t>(intResultPos - 1)] = static_cast<std::int16_t>(Index);
    ++intResultPos;
    PlayEffect(0);
}

void frmMain::Result_Click(int Index)
{
    if (Index != intResultPos - 1 || Index < 1) {
        return;
    }
    const int k = intPicked[static_cast<std::size_t>(Index - 1)];
    if (OoperDaba.exists(k)) {
        OoperDaba[k].setEnabled(true);
        OoperDaba[k].setBackColor(lngTileColor);
    }
    Result[Index].setCaption(QString());
    --intResultPos;
}

void frmMain::btnClear_Click()
{
    if (Result[1].caption().isEmpty()) {
        return;
    }
    clearResult(false);
    PlayEffect(3);
}

void frmMain::clearResult(bool restart)
{
    for (int k = 1; k <= 8; ++k) {
        Result[k].setCaption(QString());
    }
    for (int k = 0; k <= 7; ++k) {
        auto &entry = intPicked[static_cast<std::size_t>(k)];
        if (!restart && OoperDaba.exists(entry)) {
            OoperDaba[entry].setEnabled(true);
            OoperDaba[entry].setBackColor(lngTileColor);
        }
        entry = 0;
    }
    intResultPos = 1;
}
