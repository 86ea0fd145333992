#pragma once

#include "ui/toolkit/colour.h"

#include <optional>
#include <vector>

// The drawing on the black overlay: what the gradient paint has drawn, one horizontal line
// per pixel row at most. Views render it over the black background.
class OverlaySurface
{
public:
    struct Line
    {
        int x1; // first pixel drawn
        int x2; // one past the last pixel drawn, as a window line leaves out its end point
        Colour colour;
    };

    void resize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Back to the black background.
    void clear();
    // A one-pixel line from (x1, y) to (x2, y), its end point left out; rows outside the
    // surface draw nothing.
    void drawLine(int x1, int x2, int y, Colour colour);

    // The line drawn on row y, if any.
    std::optional<Line> line(int y) const;
    // Rows with a line drawn.
    int linesDrawn() const { return m_count; }

private:
    int m_width = 0;
    int m_height = 0;
    int m_count = 0;
    std::vector<std::optional<Line>> m_rows;
};
