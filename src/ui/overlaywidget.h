#pragma once

#include <QWidget>

class OverlaySurface;

// The black overlay over the playing field, with what the gradient paint has drawn on it.
class OverlayWidget : public QWidget
{
    Q_OBJECT
public:
    OverlayWidget(const OverlaySurface &surface, QWidget *parent = nullptr);

signals:
    // The pointer moved over the overlay itself, not over its label.
    void mouseMovedOnFreeArea();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    const OverlaySurface &m_surface;
};
