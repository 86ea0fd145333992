#include "ui/fontwarmup.h"
#include "ui/gameapplication.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    FontWarmUp fonts; // reads the font configuration while the application connects
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilnora"));
    QApplication::setOrganizationName(QStringLiteral("Tilnora"));
    fonts.wait();
    GameApplication game;
    return game.exec();
}
