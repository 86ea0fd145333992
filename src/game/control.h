#pragma once

#include "ui/toolkit/colour.h"

#include <QString>

class ControlObserver;

// Names of the main window's controls, for views that bind widgets to them.
enum class ControlId {
    frmMain,
    Picture1,
    PicBlack,
    lblBlack,
    OoperDaba,
    NichlaDaba,
    Line1,
    Frame1,
    lblResult,
    Result,
    btnCheck,
    btnClear,
    Frame2,
    lblScore,
    frmLevel,
    lblLevel,
    Frame3,
    lblRowsLeft,
    frameAbout,
    lblHowTo,
    lblHighScore,
    lblAbout,
    btnStart,
    cmdExit,
};

// The run-time state of one control of the main window, without a window system: caption,
// flags, colours and position (pixels in its container, single precision as the game reads
// them). Every change is reported to the observer, so views repaint without polling.
class Control
{
public:
    Control(ControlId id, int index = 0) : m_id(id), m_index(index) {}
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    ControlId id() const { return m_id; }
    int index() const { return m_index; }

    const QString &caption() const { return m_caption; }
    bool isVisible() const { return m_visible; }
    bool isEnabled() const { return m_enabled; }
    Colour backColor() const { return m_backColor; }
    Colour foreColor() const { return m_foreColor; }
    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    const QString &toolTip() const { return m_toolTip; }

    void setCaption(const QString &caption);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setBackColor(Colour colour);
    void setForeColor(Colour colour);
    void setLeft(float left);
    void setTop(float top);
    void setGeometry(float left, float top, float width, float height);
    void setToolTip(const QString &tip);

    // Takes every property but the identity from another control (loading a copy of a tile).
    void copyFrom(const Control &other);

    void setObserver(ControlObserver *observer) { m_observer = observer; }

private:
    void changed();

    ControlId m_id;
    int m_index;
    QString m_caption;
    bool m_visible = true;
    bool m_enabled = true;
    Colour m_backColor;
    Colour m_foreColor;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    QString m_toolTip;
    ControlObserver *m_observer = nullptr;
};

class ControlObserver
{
public:
    virtual ~ControlObserver() = default;
    virtual void controlChanged(const Control &control) = 0;
};
