#pragma once

#include "dialogs/fixeddialog.h"

// The About window: the program's icon, its spaced title, the version and a notice in a
// frame, and an OK button that closes it. Its controls carry their design names as object
// names (Frame1, Image1, Label1, Label2, Label3, Command1).
class frmAbout : public FixedDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // The one-line notice under the title and version.
    static QString notice();

    void Command1_Click();
};
