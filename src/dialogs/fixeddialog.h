#pragma once

#include <QDialog>

// A secondary window as the game lays them out: a fixed client size that the player cannot
// change, a title bar with a close box but no minimise or maximise button, the default
// dialog font, and at every showing centred on the window that opened it (its parent).
class FixedDialog : public QDialog
{
    Q_OBJECT
public:
    // clientSize in pixels; an empty caption leaves the title bar empty.
    FixedDialog(const QString &caption, QSize clientSize, QWidget *parent);

    void setVisible(bool visible) override;
};
