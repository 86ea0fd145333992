#include "ui/fieldwidget.h"

#include <QKeyEvent>
#include <QPainter>

FieldWidget::FieldWidget(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
}

void FieldWidget::setLine(int x1, int x2, int y)
{
    m_x1 = x1;
    m_x2 = x2;
    m_y = y;
    update();
}

void FieldWidget::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_y >= 0) {
        QPainter p(this);
        // The line may reach further than the inside of the field; it never crosses the border.
        p.setClipRect(contentsRect());
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        const QPoint o = innerOrigin();
        p.drawLine(o.x() + m_x1, o.y() + m_y, o.x() + m_x2, o.y() + m_y);
    }
}

void FieldWidget::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
    emit keyTyped(event);
    if (!event->isAccepted()) {
        QFrame::keyPressEvent(event);
    }
}
