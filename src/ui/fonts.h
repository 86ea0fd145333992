#pragma once

#include <QFont>

// The faces of the layout, by the metric-compatible families installed with the game:
// Liberation Sans stands in for "MS Sans Serif", Liberation Serif for "Times New Roman".
namespace fonts {
QFont sans(double pointSize, bool bold = false);
QFont serif(double pointSize, bool bold = false);
// The default dialog font: frame captions and most buttons.
QFont dialog();
} // namespace fonts
