#pragma once

#include "game/mainobserver.h"

#include <QHash>
#include <QPointF>
#include <QWidget>

#include <vector>

class ClickLabel;
class FieldWidget;
class OverlayWidget;
class QGroupBox;
class QLabel;
class QPushButton;
class QStyle;
class frmMain;

// The main window on screen: a widget for every control of the model, placed at its design
// position, repainted when the model reports a change, and forwarding clicks, pointer moves
// and keys to the model's handlers.
class MainWindow : public QWidget, public MainObserver
{
    Q_OBJECT
public:
    explicit MainWindow(frmMain &model, QWidget *parent = nullptr);
    ~MainWindow() override;

    frmMain &model() { return m_model; }

    // Shows the window centred on the screen with the focus on the playing field.
    void showCentred();

    // Widgets by control, for tests and screenshots.
    QWidget *widgetFor(ControlId id, int index = 0) const;

    void controlChanged(const Control &control) override;
    void tileLoaded(int k) override;
    void tileUnloaded(int k) override;
    void overlayChanged(int y) override;
    void stackMoving(bool started) override;
    void unloaded() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Kind { Window, Frame, Label, CentredAutoLabel, Tile, Button, Field, Overlay };
    struct Binding
    {
        QWidget *widget = nullptr;
        Kind kind = Kind::Label;
        QPointF origin;    // where the container's coordinates start, in its parent widget
        float centreX = 0; // the fixed middle of a label that sizes itself to its text
        bool painted = false;
        Colour back;
        Colour fore;
    };

    void bind(const Control &control, QWidget *widget, Kind kind, QPointF origin = {});
    void apply(Binding &b, const Control &c);
    ClickLabel *makeTile(QWidget *parent, const Control &c);
    void fieldKey(QKeyEvent *event);

    frmMain &m_model;
    QHash<const Control *, Binding> m_bindings;
    std::vector<ClickLabel *> m_stack;
    std::vector<Binding> m_stackBindings;
    QList<ClickLabel *> m_spareTiles;
    static constexpr int MaxSpareTiles = 256;

    QWidget *m_client = nullptr;
    FieldWidget *m_field = nullptr;
    OverlayWidget *m_overlay = nullptr;
    QGroupBox *m_frameAbout = nullptr;
    QPushButton *m_btnCheck = nullptr;
    QPushButton *m_btnStart = nullptr;
    QStyle *m_frameStyle = nullptr;
};
