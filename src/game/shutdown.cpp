#include "game/frmmain.h"

#include "game/mainobserver.h"

void frmMain::cmdExit_Click()
{
    if (isPainting() || m_unloaded) {
        return;
    }
    m_platform.windows.showModal(Window::Exit);
    if (m_unloaded) {
        return;
    }
    if (frmExitStatus == 1) {
        Form_Unload();
    }
    if (frmExitStatus == 0) {
        RestartGame();
    }
}

void frmMain::Form_Unload()
{
    if (m_unloaded) {
        return;
    }
    Timer1.setEnabled(false);
    TimerNichlaDabaFill.setEnabled(false);
    m_unloaded = true;
    if (m_observer) {
        m_observer->unloaded();
    }
}
