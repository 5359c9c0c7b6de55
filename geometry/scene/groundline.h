#pragma once

#include <QPoint>

// A line lying across the ground at one distance from an origin, in widget
// pixels: its centre and its two ends. "Left" lies toward the ground's left
// side edge, "right" toward its right side edge.
struct GroundLine {
    QPoint centre;
    QPoint left;
    QPoint right;
};
