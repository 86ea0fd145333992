#include "ui/toolkit/programfolder.h"

#include <QCoreApplication>

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}
