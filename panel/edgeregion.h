#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

// The parts of the panel's 10-pixel border, as codes: corners and edges
// clockwise from the top (1 top, 2 top-right, 3 right, 4 bottom-right,
// 5 bottom, 6 bottom-left, 7 left, 8 top-left) and 0 inside.
namespace EdgeRegion
{
enum : int {
    None = 0,
    Top = 1,
    TopRight = 2,
    Right = 3,
    BottomRight = 4,
    Bottom = 5,
    BottomLeft = 6,
    Left = 7,
    TopLeft = 8
};

// The region of a position in a panel of the given size. Corners win over
// edges; edges include their outer pixel row.
int at(const QPoint &pos, const QSize &size);

// Only the right and bottom edges and their corner resize the panel.
bool startsDrag(int region);

// The cursor that shows a region's drag direction; the arrow elsewhere.
Qt::CursorShape cursor(int region);
} // namespace EdgeRegion
