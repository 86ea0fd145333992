#include "ui/qtplatform.h"

#include <QApplication>
#include <QMessageBox>

void QtBeeper::beep()
{
    QApplication::beep();
}

void QtMessageBox::showOk(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tilnora"), text, QMessageBox::Ok);
    box.exec();
}
