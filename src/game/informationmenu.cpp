#include "game/frmmain.h"

namespace {
constexpr Colour Highlight = Colour::rgb(0, 0, 255);
constexpr Colour Plain = Colour::rgb(0, 0, 0);
} // namespace

// The menu takes mouse input only while its frame is enabled: before the first Start and
// after a game over.

void frmMain::lblHowTo_MouseMove()
{
    if (frameAbout.isEnabled()) {
        lblHowTo.setForeColor(Highlight);
    }
}

void frmMain::lblHighScore_MouseMove()
{
    if (frameAbout.isEnabled()) {
        lblHighScore.setForeColor(Highlight);
    }
}

void frmMain::lblAbout_MouseMove()
{
    if (frameAbout.isEnabled()) {
        lblAbout.setForeColor(Highlight);
    }
}

void frmMain::frameAbout_MouseMove()
{
    if (frameAbout.isEnabled()) {
        ResetOptionsColor();
    }
}

void frmMain::Form_MouseMove()
{
    ResetOptionsColor();
}

void frmMain::PicBlack_MouseMove()
{
    ResetOptionsColor();
}

void frmMain::ResetOptionsColor()
{
    lblAbout.setForeColor(Plain);
    lblHowTo.setForeColor(Plain);
    lblHighScore.setForeColor(Plain);
}

void frmMain::lblHowTo_Click()
{
    if (frameAbout.isEnabled() && !isPainting()) {
        m_platform.windows.showModal(Window::HowTo);
    }
}

void frmMain::lblHighScore_Click()
{
    if (frameAbout.isEnabled() && !isPainting()) {
        blnHighScoreClick = true;
        m_platform.windows.showModal(Window::Record);
    }
}

void frmMain::lblAbout_Click()
{
    if (frameAbout.isEnabled() && !isPainting()) {
        m_platform.windows.showModal(Window::About);
    }
}
