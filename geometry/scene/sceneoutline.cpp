#include "sceneoutline.h"

#include "angles.h"
#include "scenegeometry.h"
#include "scenelayout.h"
#include "sceneparams.h"
#include "sceneresult.h"

#include <algorithm>
#include <cmath>

namespace
{

BandCorners strip(const GroundLine &farLine, const GroundLine &nearLine)
{
    return BandCorners{farLine.left, nearLine.left, nearLine.right, farLine.right};
}

} // namespace

SceneOutline::SceneOutline(const SceneParams &params, const SceneResult &result,
                           const SceneLayout &layout)
    : m_correction(result.correctionActive), m_origin(layout.b())
{
    if (!result.rangeEmitted || !layout.canPlace())
        return;

    m_hasBand = result.L2 != 0.0 || result.L3 != 0.0;
    if (m_correction) {
        placeCorrected(params, result, layout);
    } else if (params.scenario == Scenario::Person || params.scenario == Scenario::Lanes) {
        placeStraight(result, layout);
    } else if (params.scenario == Scenario::Capture) {
        placeCapture(result, layout);
    } else {
        m_hasBand = false;
        return;
    }
    m_placed = true;
}

double SceneOutline::captureLineDistance(const SceneResult &result)
{
    const double l1 = result.L1;
    const double l2 = result.L2;
    const double l4 = result.L4;
    if (l4 == -1.0)
        return l1;
    if (l4 > l2 && l2 > l1)
        return drawnDistance(Scenario::Capture, result, l2);
    return l2;
}

double SceneOutline::drawnDistance(qint32 scenario, const SceneResult &result, double distance)
{
    const double l1 = result.L1;
    const double l4 = result.L4;
    if (scenario != Scenario::Capture || !(distance > l1))
        return distance;
    if (l4 == -1.0)
        return l1 + 1.2 * l1 * (distance - l1) / distance;
    if (!(l4 > l1))
        return distance;
    return l1 + (distance - l1) / (l4 - l1) * 1.2 * l1;
}

double SceneOutline::farDrawnDistance(qint32 scenario, const SceneResult &result)
{
    return scenario == Scenario::Capture ? result.drawDepth : result.farDistance;
}

void SceneOutline::placeStraight(const SceneResult &result, const SceneLayout &layout)
{
    const QPoint b = layout.b();
    const GroundLine farLine = layout.projectGround(b, result.farWidth, result.farDistance, true);
    const GroundLine nearLine = layout.projectGround(b, result.W1, result.L1, true);
    const GroundLine l3Line = layout.projectGround(b, result.W3, result.L3, true);
    const GroundLine l2Line = layout.projectGround(b, result.W2, result.L2, true);
    m_footprint = strip(farLine, nearLine);
    m_band = strip(l3Line, l2Line);
}

void SceneOutline::placeCapture(const SceneResult &result, const SceneLayout &layout)
{
    const QPoint b = layout.b();
    const double depth = result.drawDepth;
    const double width = result.drawWidth;
    const GroundLine farLine = layout.projectGround(b, width, depth, true);
    const GroundLine nearLine = layout.projectGround(b, result.W1, result.L1, true);
    m_footprint = strip(farLine, nearLine);

    const GroundLine capture = layout.projectGround(b, width, captureLineDistance(result), true);
    QPointF left;
    QPointF right;
    if (!SceneGeometry::lineIntersection(capture.left, capture.right, m_footprint.c1,
                                         m_footprint.c2, &left) ||
        !SceneGeometry::lineIntersection(capture.left, capture.right, m_footprint.c4,
                                         m_footprint.c3, &right)) {
        m_hasBand = false;
        return;
    }
    const QPoint l = SceneGeometry::toPoint(left);
    const QPoint r = SceneGeometry::toPoint(right);
    m_band = BandCorners{l, l, r, r};
}

void SceneOutline::placeCorrected(const SceneParams &params, const SceneResult &result,
                                  const SceneLayout &layout)
{
    const double depth = result.drawDepth;
    const double h = Angles::toRadians(params.horizontalAngle);
    const double halfH = result.halfHorizontal;

    const double roadWidth = params.lanesNum * params.lanesWidth;
    m_origin = layout.projectGround(layout.b(), roadWidth, 0.0, true).right;
    const QPoint r0 = m_origin;

    const GroundLine inner =
        layout.projectGround(r0, 2.0 * std::abs(std::tan(halfH - h)) * depth, depth, true);
    const QPoint e1 = halfH >= h ? inner.right : inner.left;
    const double span = 2.0 * std::abs(std::tan(halfH + h)) * depth;
    const QPoint e2 = layout.projectGround(r0, span, depth, true).left;
    m_wedge = QPolygon() << r0 << e1 << e2;

    const GroundLine nearLine = layout.projectGround(r0, span, result.L1, true);
    const GroundLine farLine = layout.projectGround(r0, span, result.farDistance, true);
    m_footprint = strip(farLine, nearLine);
    SceneGeometry::cutBand(m_footprint, m_wedge, layout.lateralAngle());

    const GroundLine l2Line = layout.projectGround(r0, span, std::min(result.L2, depth), false);
    const GroundLine l3Line = layout.projectGround(r0, span, std::min(result.L3, depth), false);
    m_band = strip(l3Line, l2Line);
    if (result.L2 == result.L3) {
        SceneGeometry::cutLine(m_band, QLine(r0, e2), QLine(r0, e1));
        m_band.c1 = m_band.c2;
        m_band.c4 = m_band.c3;
    } else {
        SceneGeometry::cutBand(m_band, m_wedge, layout.lateralAngle());
    }
}
