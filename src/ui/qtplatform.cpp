#include "ui/qtplatform.h"

#include "ui/fontconfiguration.h"

#include <QApplication>
#include <QMessageBox>

void QtBeeper::beep()
{
    QApplication::beep();
}

void QtMessageBox::showOk(const QString &text)
{
    // A message box can come before the first frame; it is drawn in the desktop's font.
    fontconfiguration::useSystem();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tilnora"), text, QMessageBox::Ok);
    box.exec();
}
