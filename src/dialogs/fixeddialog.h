#pragma once

#include <QDialog>

// A secondary window as the game lays them out: a fixed client size that the player cannot
// change, a title bar with a close box but no minimise or maximise button (on Wayland the
// game's own, see TitleBar), the default dialog font, and at every showing centred on the
// window that opened it (its parent, which it belongs to). No button is the default one:
// Enter presses the button that has the focus and does nothing elsewhere.
class FixedDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Esc { Closes, DoesNothing };

    // clientSize in pixels; an empty caption leaves the title bar empty. A window without a
    // cancel button takes Esc as nothing.
    FixedDialog(const QString &caption, QSize clientSize, QWidget *parent, Esc esc = Esc::Closes);

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Esc m_esc;
    bool m_framed = false;
};
