#pragma once

#include <QLabel>

// A label that reports clicks (press and release inside it, left button) and pointer moves.
// Qt delivers neither to a disabled label or to one inside a disabled container, which is
// how picked tiles and a disabled field or menu keep their clicks away from the game.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
