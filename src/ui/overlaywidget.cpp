#include "ui/overlaywidget.h"

#include "game/overlaysurface.h"

#include <QMouseEvent>
#include <QPainter>

OverlayWidget::OverlayWidget(const OverlaySurface &surface, QWidget *parent)
    : QWidget(parent), m_surface(surface)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void OverlayWidget::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    p.fillRect(dirty, Qt::black);
    // Rows are logical pixels: at any scale factor the band keeps its rows.
    for (int y = std::max(0, dirty.top()); y <= std::min(m_surface.height() - 1, dirty.bottom());
         ++y) {
        if (const auto line = m_surface.line(y)) {
            const QColor c(line->colour.red(), line->colour.green(), line->colour.blue());
            p.fillRect(QRect(line->x1, y, line->x2 - line->x1, 1), c);
        }
    }
}

void OverlayWidget::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!childAt(event->position().toPoint())) {
        emit mouseMovedOnFreeArea();
    }
}
