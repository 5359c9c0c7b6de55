#pragma once

#include "groundline.h"

#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QSize>

// Where the oblique plan view sits in a widget of a given size: the ground
// figure, the pole base and the mapping from metres to pixels. Distances from
// the pole run along the ground's left side edge (depth), widths along its near
// edge (breadth); the drawing extents say how many metres each edge stands for.
class SceneLayout final
{
public:
    struct Extents {
        double drawDepth = 0.0;
        double drawWidth = 0.0;
        double lateralScale = 1.0;
        double sensorWidth = 0.0;
        double focalLength = 0.0;
    };

    SceneLayout(const QSize &size, const Extents &extents);

    QPoint p1() const { return m_p1; }
    QPoint p2() const { return m_p2; }
    QPoint p3() const { return m_p3; }
    QPoint p4() const { return m_p4; }
    QPoint a() const { return m_a; }
    QPoint b() const { return m_b; }
    const QPolygon &ground() const { return m_ground; }
    double depthLength() const { return m_depthLength; }
    double widthLength() const { return m_widthLength; }
    double depthAngle() const { return m_depthAngle; }
    double lateralAngle() const { return m_lateralAngle; }
    const Extents &extents() const { return m_extents; }

    // True when the extents allow placing anything measured in metres.
    bool canPlace() const;

    // The line of the given width (metres) lying the given distance (metres)
    // from the origin along the depth. With clamp, a line beyond the drawing
    // depth lands on the far edge with the picture width at that depth. When
    // the extents cannot place anything, every point is the origin.
    GroundLine projectGround(const QPointF &origin, double width, double distance,
                             bool clamp) const;

    // The width in metres of a pixel length along the near edge.
    double pixelsToWidth(double pixels) const;

private:
    QPoint m_p1, m_p2, m_p3, m_p4, m_a, m_b;
    QPolygon m_ground;
    double m_depthLength = 0.0;
    double m_widthLength = 0.0;
    double m_depthAngle = 0.0;
    double m_lateralAngle = 0.0;
    Extents m_extents;
};
