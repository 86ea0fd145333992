#include "ui/fontconfiguration.h"
#include "ui/gameapplication.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The first frame is drawn on a font configuration of the game's own; the application
    // moves to the system's once that frame is on screen.
    fontconfiguration::startOwn();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilnora"));
    QApplication::setOrganizationName(QStringLiteral("Tilnora"));
    GameApplication game;
    return game.exec();
}
