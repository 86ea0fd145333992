#pragma once

#include "ui/toolkit/platform.h"

class QWidget;
class frmMain;

// Opens the secondary windows modally over the main window. Each is created afresh for its
// opening and destroyed when it closes.
class WindowOpener : public WindowShower
{
public:
    void setModel(frmMain *model) { m_model = model; }
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    void showModal(Window window) override;

private:
    frmMain *m_model = nullptr;
    QWidget *m_parent = nullptr;
};
