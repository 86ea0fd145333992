#include "dialogs/fixeddialog.h"

#include "ui/designsize.h"
#include "ui/fonts.h"
#include "ui/titlebar.h"

#include <QKeyEvent>

FixedDialog::FixedDialog(const QString &caption, QSize clientSize, QWidget *parent, Esc esc)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_esc(esc)
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
        if (!m_framed) {
            // Once the subclass has placed its controls, which the bar moves down.
            m_framed = true;
            TitleBar::install(this);
        }
        if (QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr) {
            // Client area on client area: the title bars are alike, so the frames line up too.
            QRect place(QPoint(), size());
            place.moveCenter(owner->geometry().center());
            setGeometry(place);
        }
    }
    QDialog::setVisible(visible);
    if (visible) {
        keepDesignSize(this);
    }
}

void FixedDialog::keyPressEvent(QKeyEvent *event)
{
    // A focused button takes Enter itself; what reaches the window is Enter from a text box
    // or a list, which must not press some other button for the player.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter || (m_esc == Esc::DoesNothing && event->matches(QKeySequence::Cancel))) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
