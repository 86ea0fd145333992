#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own picture, 32 x 32 pixels in 8 colours: the main window's icon and the
// picture in the About window. Needs a QGuiApplication.
namespace programicon {
QPixmap picture();
QIcon icon();
} // namespace programicon
