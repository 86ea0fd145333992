#include "ui/windowopener.h"

#include "dialogs/frmabout.h"
#include "dialogs/frmexit.h"
#include "dialogs/frmhowto.h"
#include "game/frmmain.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A plain window with one button that closes it.
void showSimple(QWidget *parent, const QString &button)
{
    QDialog dialog(parent);
    auto *layout = new QVBoxLayout(&dialog);
    auto *close = new QPushButton(button, &dialog);
    layout->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
}

} // namespace

void WindowOpener::showModal(Window window)
{
    switch (window) {
    case Window::Record:
        showSimple(m_parent, QStringLiteral("Close"));
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
