#include "scenelayout.h"

#include "angles.h"
#include "scenegeometry.h"

#include <cmath>

namespace
{

// atan(|dy| / |dx|) of an edge, with a vertical edge at a right angle.
double edgeAngle(int dx, int dy)
{
    const double ax = std::abs(dx);
    const double ay = std::abs(dy);
    if (ax == 0.0)
        return ay == 0.0 ? 0.0 : Angles::HalfPi;
    return std::atan(ay / ax);
}

bool positiveFinite(double value)
{
    return std::isfinite(value) && value > 0.0;
}

} // namespace

SceneLayout::SceneLayout(const QSize &size, const Extents &extents) : m_extents(extents)
{
    const int w = size.width();
    const int h = size.height();
    const int x40 = SceneGeometry::toPixel(0.4 * w);
    const int y40 = SceneGeometry::toPixel(0.4 * h);
    const int x60 = SceneGeometry::toPixel(0.6 * w);
    const int y60 = SceneGeometry::toPixel(0.6 * h);

    m_p1 = QPoint(50, y40);
    m_p2 = QPoint(x60, h - 25);
    m_p3 = QPoint(w - 50, y60);
    m_p4 = QPoint(x40, 25);
    m_ground << m_p1 << m_p2 << m_p3 << m_p4;
    m_a = QPoint((x40 + 50) / 2, (y40 + 25) / 2);
    m_b = QPoint((w - 50 + x60) / 2, (y60 + h - 25) / 2);

    const double ddx = 50 - x60;
    const double ddy = y40 - (h - 25);
    m_depthLength = std::sqrt(ddx * ddx + ddy * ddy);
    const double wdx = w - 50 - x60;
    const double wdy = y60 - (h - 25);
    m_widthLength = std::sqrt(wdx * wdx + wdy * wdy);
    m_depthAngle = edgeAngle(50 - x60, y40 - (h - 25));
    m_lateralAngle = edgeAngle(w - 50 - x60, y60 - (h - 25));
}

bool SceneLayout::canPlace() const
{
    return positiveFinite(m_extents.drawDepth) && positiveFinite(m_extents.drawWidth) &&
           positiveFinite(m_extents.lateralScale);
}

GroundLine SceneLayout::projectGround(const QPointF &origin, double width, double distance,
                                      bool clamp) const
{
    const QPoint start(SceneGeometry::toPixel(origin.x()), SceneGeometry::toPixel(origin.y()));
    if (!canPlace() || !std::isfinite(width) || !std::isfinite(distance))
        return GroundLine{start, start, start};

    const double depth = m_extents.drawDepth;
    if (clamp && distance > depth) {
        const double f = m_extents.focalLength;
        width = f > 0.0 ? m_extents.sensorWidth * depth / f : 0.0;
        distance = depth;
    }

    const double k = m_depthLength * distance / depth;
    const double cx = origin.x() - std::cos(m_depthAngle) * k;
    const double cy = origin.y() - std::sin(m_depthAngle) * k;
    const double half = m_extents.lateralScale * width * m_widthLength / m_extents.drawWidth * 0.5;
    const double lx = std::cos(m_lateralAngle) * half;
    const double ly = std::sin(m_lateralAngle) * half;

    GroundLine line;
    line.centre = QPoint(SceneGeometry::toPixel(cx), SceneGeometry::toPixel(cy));
    line.left = QPoint(SceneGeometry::toPixel(cx - lx), SceneGeometry::toPixel(cy + ly));
    line.right = QPoint(SceneGeometry::toPixel(cx + lx), SceneGeometry::toPixel(cy - ly));
    return line;
}

double SceneLayout::pixelsToWidth(double pixels) const
{
    if (!canPlace() || m_widthLength <= 0.0)
        return 0.0;
    return pixels * m_extents.drawWidth / m_extents.lateralScale / m_widthLength;
}
