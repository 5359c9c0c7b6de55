#pragma once

#include <QPoint>

// The four corners of a strip across the ground (the picture footprint or the
// detection band), in widget pixels. The far line runs c1 -> c4, the near line
// c2 -> c3. A strip whose far and near lines coincide is a single line.
struct BandCorners {
    QPoint c1; // far-left
    QPoint c2; // near-left
    QPoint c3; // near-right
    QPoint c4; // far-right

    bool isLine() const { return c1 == c2 && c3 == c4; }
};
