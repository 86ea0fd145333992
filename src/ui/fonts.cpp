#include "ui/fonts.h"

namespace fonts {

namespace {
QFont make(const char *family, double pointSize, bool bold)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}
} // namespace

QFont sans(double pointSize, bool bold)
{
    return make("Liberation Sans", pointSize, bold);
}

QFont serif(double pointSize, bool bold)
{
    return make("Liberation Serif", pointSize, bold);
}

QFont dialog()
{
    return make("Liberation Sans", 8.25, false);
}

} // namespace fonts
