#pragma once

#include <QWidget>

class QToolButton;

// A title bar the game draws itself, for desktops where Qt would draw its own: on Wayland,
// Qt 6.4's title bar offers minimise, maximise and close on every window, whatever the
// window's flags. This one shows the window's icon and title and exactly the buttons its
// flags ask for, moves the window when dragged, and never takes the keyboard focus.
class TitleBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Height = 26;

    // True where windows need a title bar of the game's own (Wayland).
    static bool needed();
    // Where needed, puts a title bar on top of a fixed-size window before it is first shown:
    // the window loses the toolkit's frame, grows by Height, and what it holds moves down by
    // Height. Returns the bar, or null where the window system draws title bars.
    static TitleBar *install(QWidget *window);

    // A bar across the top of the window with the buttons that flags ask for.
    TitleBar(QWidget *window, Qt::WindowFlags flags);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class Glyph { Minimise, Close };
    QToolButton *addButton(const char *name, Glyph glyph, const QString &tip);

    QList<QToolButton *> m_buttons;
};
