#include "game/overlaysurface.h"

#include <algorithm>

void OverlaySurface::resize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    clear();
}

void OverlaySurface::clear()
{
    m_rows.assign(static_cast<std::size_t>(m_height), std::nullopt);
    m_count = 0;
}

void OverlaySurface::drawLine(int x1, int x2, int y, Colour colour)
{
    if (y < 0 || y >= m_height) {
        return;
    }
    const int a = std::clamp(std::min(x1, x2), 0, m_width);
    const int b = std::clamp(std::max(x1, x2), 0, m_width);
    if (a >= b) {
        return;
    }
    auto &row = m_rows[static_cast<std::size_t>(y)];
    if (!row) {
        ++m_count;
    }
    row = Line{a, b, colour};
}

std::optional<OverlaySurface::Line> OverlaySurface::line(int y) const
{
    if (y < 0 || y >= m_height) {
        return std::nullopt;
    }
    return m_rows[static_cast<std::size_t>(y)];
}
