#include "ui/gameapplication.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilnora"));
    QApplication::setOrganizationName(QStringLiteral("Tilnora"));
    GameApplication game;
    return game.exec();
}
