#pragma once

#include "bandcorners.h"

#include <QLine>
#include <QLineF>
#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QPolygonF>

// Plane helpers of the scene drawing, kept free of painting so they can be
// checked on their own: safe conversions to pixels, line intersections and the
// cutting of a strip across the ground by a polygon.
class SceneGeometry final
{
public:
    // Truncates toward zero; a value that is not finite becomes 0 and a huge
    // one is held to a range the painter handles.
    static int toPixel(double value);
    // Rounds to the nearest pixel with the same guards as toPixel.
    static QPoint toPoint(const QPointF &point);

    // Where the infinite lines through a1-a2 and b1-b2 cross; false when they
    // are parallel or either is a single point.
    static bool lineIntersection(const QPointF &a1, const QPointF &a2, const QPointF &b1,
                                 const QPointF &b2, QPointF *at);
    // The same, but only when the crossing lies within both segments.
    static bool segmentIntersection(const QPointF &a1, const QPointF &a2, const QPointF &b1,
                                    const QPointF &b2, QPointF *at);

    // The part of a segment inside a convex polygon; false when nothing of it
    // lies inside.
    static bool clipToConvex(const QLineF &line, const QPolygon &polygon, QLineF *inside);
    // The part of a polygon inside a convex polygon (either winding); empty
    // when nothing of it lies inside or the convex polygon has no area.
    static QPolygonF clipToConvex(const QPolygonF &subject, const QPolygon &convex);
    // The mirror image of a point across the infinite line through a segment;
    // the point itself when the segment is a single point.
    static QPointF reflect(const QPointF &point, const QLineF &line);

    // Cuts a strip by a polygon: of the outline of their intersection, the two
    // edges closest to the lateral direction become the new far and near lines.
    // The corners stay as they were when no two such edges exist.
    static void cutBand(BandCorners &band, const QPolygon &polygon, double lateralAngle);

    // Cuts a strip that is a single line where it crosses two side edges:
    // c2 moves onto leftEdge, c3 onto rightEdge, each only when the crossing
    // lies within both segments.
    static void cutLine(BandCorners &band, const QLine &leftEdge, const QLine &rightEdge);
};
