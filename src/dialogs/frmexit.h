#pragma once

#include "dialogs/fixeddialog.h"

#include <cstdint>

// The exit dialog: "Restart Game", "Exit the Game" and "Back to Game", one above the other.
// Each button stores its choice (0, 1 or 2) in the main window's frmExitStatus, then closes
// the dialog; the main window acts on the value after the dialog has closed. The dialog opens
// with the focus on "Restart Game"; Enter presses the button that has the focus, Esc does
// nothing, and the window system's close command counts as "Back to Game". Controls:
// cmdRestart, cmdExit, cmdBack.
class frmExit : public FixedDialog
{
    Q_OBJECT
public:
    // frmExitStatus must outlive the dialog.
    explicit frmExit(std::int32_t &frmExitStatus, QWidget *parent = nullptr);

    void cmdRestart_Click();
    void cmdExit_Click();
    void cmdBack_Click();

    // The window system's close command (the close box). It stores "Back to Game": the
    // value left from an earlier choice, or the first 0, would restart a game the player
    // never asked to lose.
    void reject() override;

private:
    void choose(std::int32_t value);

    std::int32_t &m_status;
};
