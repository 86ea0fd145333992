#include "game/control.h"

void Control::changed()
{
    if (m_observer) {
        m_observer->controlChanged(*this);
    }
}

void Control::setCaption(const QString &caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        changed();
    }
}

void Control::setVisible(bool visible)
{
    if (visible != m_visible) {
        m_visible = visible;
        changed();
    }
}

void Control::setEnabled(bool enabled)
{
    if (enabled != m_enabled) {
        m_enabled = enabled;
        changed();
    }
}

void Control::setBackColor(Colour colour)
{
    if (colour != m_backColor) {
        m_backColor = colour;
        changed();
    }
}

void Control::setForeColor(Colour colour)
{
    if (colour != m_foreColor) {
        m_foreColor = colour;
        changed();
    }
}

void Control::setLeft(float left)
{
    if (left != m_left) {
        m_left = left;
        changed();
    }
}

void Control::setTop(float top)
{
    if (top != m_top) {
        m_top = top;
        changed();
    }
}

void Control::setGeometry(float left, float top, float width, float height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    changed();
}

void Control::setToolTip(const QString &tip)
{
    if (tip != m_toolTip) {
        m_toolTip = tip;
        changed();
    }
}

void Control::copyFrom(const Control &other)
{
    m_caption = other.m_caption;
    m_visible = other.m_visible;
    m_enabled = other.m_enabled;
    m_backColor = other.m_backColor;
    m_foreColor = other.m_foreColor;
    m_left = other.m_left;
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    m_toolTip = other.m_toolTip;
    changed();
}
