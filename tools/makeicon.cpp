// Turns the program's icon picture (an XPM drawn by hand in assets/) into the PNG that the
// desktop's icon theme takes, after checking that it is the 32 x 32 picture of at most 256
// colours the windows show. A whole-number factor enlarges it with every pixel copied into a
// square block, so the larger icons stay as sharp as the drawing.
//
// Usage: makeicon SOURCE.xpm OUTPUT.png [FACTOR]

#include <QImage>
#include <QSet>

#include <cstdlib>
#include <iostream>

int main(int argc, char **argv)
{
    const int factor = argc == 4 ? std::atoi(argv[3]) : 1;
    if ((argc != 3 && argc != 4) || factor < 1 || factor > 16) {
        std::cerr << "usage: makeicon SOURCE.xpm OUTPUT.png [FACTOR from 1 to 16]\n";
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
    QImage icon(picture.size() * factor, QImage::Format_ARGB32);
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            icon.setPixel(x, y, picture.pixel(x / factor, y / factor));
        }
    }
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "makeicon: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
