#include "dialogs/frmexit.h"

#include <QPushButton>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    // Enter presses the focused button; none is the default one.
    b->setAutoDefault(true);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

frmExit::frmExit(std::int32_t &frmExitStatus, QWidget *parent)
    : FixedDialog(QString(), QSize(279, 190), parent, Esc::DoesNothing), m_status(frmExitStatus)
{
    QPushButton *restart =
        button(this, "cmdRestart", QStringLiteral("Restart Game"), QRect(43, 21, 193, 40));
    QPushButton *exit =
        button(this, "cmdExit", QStringLiteral("Exit the Game"), QRect(43, 75, 193, 40));
    // One pixel left of the other two, as the dialog has always been drawn.
    QPushButton *back =
        button(this, "cmdBack", QStringLiteral("Back to Game"), QRect(42, 129, 193, 40));
    connect(restart, &QPushButton::clicked, this, &frmExit::cmdRestart_Click);
    connect(exit, &QPushButton::clicked, this, &frmExit::cmdExit_Click);
    connect(back, &QPushButton::clicked, this, &frmExit::cmdBack_Click);
    setTabOrder(restart, exit);
    setTabOrder(exit, back);
    restart->setFocus(Qt::OtherFocusReason);
}

void frmExit::cmdRestart_Click()
{
    choose(0);
}

void frmExit::cmdExit_Click()
{
    choose(1);
}

void frmExit::cmdBack_Click()
{
    choose(2);
}

void frmExit::reject()
{
    m_status = 2;
    QDialog::reject();
}

void frmExit::choose(std::int32_t value)
{
    // The choice is stored before the dialog closes.
    m_status = value;
    accept();
}
