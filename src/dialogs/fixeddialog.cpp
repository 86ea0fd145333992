#include "dialogs/fixeddialog.h"

#include "ui/fonts.h"

FixedDialog::FixedDialog(const QString &caption, QSize clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    // Qt's X11 and Wayland back ends write the application's name into a title bar left
    // empty; a lone space keeps it blank.
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    setFixedSize(clientSize);
    setFont(fonts::dialog());
    setSizeGripEnabled(false);
}

void FixedDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        if (QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr) {
            // Client area on client area: the title bars are alike, so the frames line up too.
            QRect place(QPoint(), size());
            place.moveCenter(owner->geometry().center());
            setGeometry(place);
        }
    }
    QDialog::setVisible(visible);
}
