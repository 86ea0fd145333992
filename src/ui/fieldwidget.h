#pragma once

#include <QFrame>

// The playing field: a sunken picture box whose inner area holds the tiles, with the line
// that parts the stack from the incoming row.
class FieldWidget : public QFrame
{
    Q_OBJECT
public:
    explicit FieldWidget(QWidget *parent = nullptr);

    // The line from (x1, y) to (x2, y) in inner-area pixels.
    void setLine(int x1, int x2, int y);
    // Top-left corner of the inner area, inside the border.
    QPoint innerOrigin() const { return QPoint(frameWidth(), frameWidth()); }

signals:
    // A key typed while the field has the keyboard focus.
    void keyTyped(QKeyEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_x1 = 0;
    int m_x2 = 0;
    int m_y = -1;
};
