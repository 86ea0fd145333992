// Turns the program's icon picture (an XPM drawn by hand in assets/) into the PNG that the
// desktop's icon theme takes, after checking that it is the 32 x 32 picture of at most 256
// colours the windows show.
//
// Usage: makeicon SOURCE.xpm OUTPUT.png

#include <QImage>
#include <QSet>

#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: makeicon SOURCE.xpm OUTPUT.png\n";
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]), "XPM");
    if (picture.isNull()) {
        std::cerr << "makeicon: cannot read " << argv[1] << "\n";
        return 1;
    }
    if (picture.size() != QSize(32, 32)) {
        std::cerr << "makeicon: the icon must be 32 x 32 pixels\n";
        return 1;
    }
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            colours.insert(picture.pixel(x, y));
        }
    }
    if (colours.size() > 256) {
        std::cerr << "makeicon: the icon has more than 256 colours\n";
        return 1;
    }
    if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "makeicon: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
