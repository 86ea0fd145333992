// An empty window of the game's size: what start-up costs with nothing of the game in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.setFixedSize(635, 484);
    w.setWindowTitle(QStringLiteral("Empty"));
    w.show();
    return QApplication::exec();
}
