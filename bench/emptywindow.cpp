// An empty window of the game's size and title: what start-up costs with nothing of the game
// in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.setFixedSize(635, 484);
    w.setWindowTitle(QStringLiteral("Tilnora"));
    w.show();
    return QApplication::exec();
}
