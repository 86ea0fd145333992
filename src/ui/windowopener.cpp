#include "ui/windowopener.h"

#include "dialogs/frmabout.h"
#include "dialogs/frmexit.h"
#include "dialogs/frmhowto.h"
#include "game/frmmain.h"
#include "scores/frmrecord.h"
#include "scores/recordlocation.h"
#include "ui/toolkit/conversions.h"

void WindowOpener::showModal(Window window)
{
    switch (window) {
    case Window::Record:
        if (m_model) {
            // The score is handed over as the score label shows it.
            const Platform &platform = m_model->platform();
            const QString folder =
                recordFolder(platform.files, platform.programFolder, &playerDataFolder);
            frmRecord record(platform.files, folder, m_model->blnHighScoreClick,
                             conv::textToLong(m_model->lblScore.caption()), m_parent);
            record.exec();
        }
        break;
    case Window::About: {
        frmAbout about(m_parent);
        about.exec();
        break;
    }
    case Window::HowTo: {
        frmHowTo howTo(m_parent);
        howTo.exec();
        break;
    }
    case Window::Exit:
        if (m_model) {
            frmExit dialog(m_model->frmExitStatus, m_parent);
            dialog.exec();
        }
        break;
    }
}
