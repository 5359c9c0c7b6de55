#include "scenegeometry.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <map>

namespace
{

// Far enough beyond any screen that the painter's clipping hides it, small
// enough that the painter's fixed-point arithmetic never overflows.
constexpr double pixelLimit = 1.0e6;

// Segments whose direction differs from the lateral direction by less than
// this many radians count as lines across the ground.
constexpr double lateralTolerance = 0.035;

double cross(const QPointF &a, const QPointF &b)
{
    return a.x() * b.y() - a.y() * b.x();
}

// Where the lines a1-a2 and b1-b2 cross, as fractions t along a and u along
// b; false for parallel or degenerate lines.
bool crossingParameters(const QPointF &a1, const QPointF &a2, const QPointF &b1, const QPointF &b2,
                        double *t, double *u)
{
    const QPointF da = a2 - a1;
    const QPointF db = b2 - b1;
    const double denom = cross(da, db);
    const double scale = std::hypot(da.x(), da.y()) * std::hypot(db.x(), db.y());
    if (!std::isfinite(denom) || scale == 0.0 || std::abs(denom) <= 1e-12 * scale)
        return false;
    *t = cross(b1 - a1, db) / denom;
    *u = cross(b1 - a1, da) / denom;
    return true;
}

} // namespace

int SceneGeometry::toPixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(value, -pixelLimit, pixelLimit));
}

QPoint SceneGeometry::toPoint(const QPointF &point)
{
    return QPoint(toPixel(std::round(point.x())), toPixel(std::round(point.y())));
}

// Cyrus-Beck: each edge of the polygon keeps the part of the segment on the
// polygon's inner side.
bool SceneGeometry::clipToConvex(const QLineF &line, const QPolygon &polygon, QLineF *inside)
{
    const int n = polygon.size();
    if (n < 3)
        return false;
    double area = 0.0;
    for (int i = 0; i < n; ++i)
        area += cross(QPointF(polygon.at(i)), QPointF(polygon.at((i + 1) % n)));
    if (area == 0.0 || !std::isfinite(area))
        return false;
    const double orientation = area > 0.0 ? 1.0 : -1.0;

    const QPointF p = line.p1();
    const QPointF d = line.p2() - line.p1();
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < n; ++i) {
        const QPointF a = polygon.at(i);
        const QPointF edge = QPointF(polygon.at((i + 1) % n)) - a;
        // Positive on the inner side of the edge.
        const double start = orientation * cross(edge, p - a);
        const double along = orientation * cross(edge, d);
        if (along == 0.0) {
            if (start < 0.0)
                return false;
            continue;
        }
        const double t = -start / along;
        if (along > 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    *inside = QLineF(p + d * t0, p + d * t1);
    return true;
}

QPolygonF SceneGeometry::clipToConvex(const QPolygonF &subject, const QPolygon &convex)
{
    const int n = convex.size();
    double area = 0.0;
    for (int i = 0; i < n; ++i)
        area += cross(QPointF(convex.at(i)), QPointF(convex.at((i + 1) % n)));
    if (n < 3 || area == 0.0 || !std::isfinite(area))
        return QPolygonF();
    const double orientation = area > 0.0 ? 1.0 : -1.0;

    // Cut by one edge's inner half-plane after the other.
    QPolygonF result = subject;
    for (int i = 0; i < n && !result.isEmpty(); ++i) {
        const QPointF a = convex.at(i);
        const QPointF edge = QPointF(convex.at((i + 1) % n)) - a;
        const auto inner = [&](const QPointF &p) { return orientation * cross(edge, p - a); };
        const QPolygonF input = result;
        result.clear();
        for (int j = 0; j < input.size(); ++j) {
            const QPointF from = input.at(j);
            const QPointF to = input.at((j + 1) % input.size());
            const double s = inner(from);
            const double e = inner(to);
            if (s >= 0.0)
                result << from;
            if ((s >= 0.0) != (e >= 0.0) && s != e)
                result << from + (to - from) * (s / (s - e));
        }
    }
    return result;
}

QPointF SceneGeometry::reflect(const QPointF &point, const QLineF &line)
{
    const QPointF d = line.p2() - line.p1();
    const double length2 = d.x() * d.x() + d.y() * d.y();
    if (!(length2 > 0.0) || !std::isfinite(length2))
        return point;
    const QPointF v = point - line.p1();
    const double t = (v.x() * d.x() + v.y() * d.y()) / length2;
    const QPointF foot = line.p1() + d * t;
    return foot * 2.0 - point;
}

bool SceneGeometry::lineIntersection(const QPointF &a1, const QPointF &a2, const QPointF &b1,
                                     const QPointF &b2, QPointF *at)
{
    double t = 0.0;
    double u = 0.0;
    if (!crossingParameters(a1, a2, b1, b2, &t, &u))
        return false;
    const QPointF point = a1 + (a2 - a1) * t;
    if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
        return false;
    if (at)
        *at = point;
    return true;
}

bool SceneGeometry::segmentIntersection(const QPointF &a1, const QPointF &a2, const QPointF &b1,
                                        const QPointF &b2, QPointF *at)
{
    double t = 0.0;
    double u = 0.0;
    if (!crossingParameters(a1, a2, b1, b2, &t, &u))
        return false;
    // Integer end points may miss an edge by a fraction of a pixel.
    const double eps = 1e-9;
    if (t < -eps || t > 1.0 + eps || u < -eps || u > 1.0 + eps)
        return false;
    if (at)
        *at = a1 + (a2 - a1) * t;
    return true;
}

void SceneGeometry::cutBand(BandCorners &band, const QPolygon &polygon, double lateralAngle)
{
    QPolygon quad;
    quad << band.c1 << band.c2 << band.c3 << band.c4;
    const QPolygon cut = quad.intersected(polygon);

    QVector<QPoint> points;
    for (const QPoint &p : cut) {
        if (!points.contains(p))
            points.append(p);
    }

    // Oriented lower-left -> upper-right, keyed by how far each strays from
    // the lateral direction.
    std::multimap<double, QLine> lines;
    for (const QPoint &from : points) {
        for (const QPoint &to : points) {
            if (!(from.x() < to.x() && from.y() > to.y()))
                continue;
            const double angle = std::atan(double(from.y() - to.y()) / double(to.x() - from.x()));
            const double key = std::abs(angle - lateralAngle);
            if (key < lateralTolerance)
                lines.emplace(key, QLine(from, to));
        }
    }
    while (lines.size() > 2)
        lines.erase(std::prev(lines.end()));
    if (lines.size() != 2)
        return;

    QLine first = lines.begin()->second;
    QLine second = std::next(lines.begin())->second;
    if (second.p1().x() < first.p1().x())
        std::swap(first, second);
    band.c1 = first.p1();
    band.c4 = first.p2();
    band.c2 = second.p1();
    band.c3 = second.p2();
}

void SceneGeometry::cutLine(BandCorners &band, const QLine &leftEdge, const QLine &rightEdge)
{
    const QPointF from = band.c2;
    const QPointF to = band.c3;
    QPointF at;
    if (segmentIntersection(from, to, leftEdge.p1(), leftEdge.p2(), &at))
        band.c2 = toPoint(at);
    if (segmentIntersection(from, to, rightEdge.p1(), rightEdge.p2(), &at))
        band.c3 = toPoint(at);
}
