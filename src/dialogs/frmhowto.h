#pragma once

#include "dialogs/fixeddialog.h"

class QPlainTextEdit;

// The instructions window: the rules in a read-only text box, and an OK button that closes
// it. The text is built afresh each time the window loads. Controls: Text1, cmdOK.
class frmHowTo : public FixedDialog
{
    Q_OBJECT
public:
    explicit frmHowTo(QWidget *parent = nullptr);

    // The rules as the window builds them: three paragraphs separated by CR LF CR LF, with no
    // line break after the last.
    static QString helpText();

    void Form_Load();
    void cmdOK_Click();

private:
    QPlainTextEdit *m_text = nullptr;
};
