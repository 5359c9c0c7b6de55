#pragma once

#include "bandcorners.h"
#include "groundline.h"

#include <QPoint>
#include <QPolygon>
#include <QtGlobal>

struct SceneParams;
struct SceneResult;
class SceneLayout;

// The corners of the picture footprint and of the detection band (or capture
// line) on the ground, worked out from one calculation before anything is
// painted. With the horizontal correction the camera stands at the road's right
// edge and both strips are cut to the camera's view wedge.
class SceneOutline final
{
public:
    SceneOutline(const SceneParams &params, const SceneResult &result, const SceneLayout &layout);

    // False when the calculation placed nothing on the ground (an input guard
    // fired or the drawing extents are empty); every corner is then (0, 0).
    bool placed() const { return m_placed; }
    // False when there is no band to show (its distances are 0).
    bool hasBand() const { return m_hasBand; }
    bool correction() const { return m_correction; }

    const BandCorners &footprint() const { return m_footprint; }
    const BandCorners &band() const { return m_band; }
    // Where the camera stands: the pole base, or the road's right edge with
    // the correction.
    QPoint origin() const { return m_origin; }
    // The view wedge (camera, then its two far corners); empty without the
    // correction.
    const QPolygon &wedge() const { return m_wedge; }

    // The distance at which the capture-point scenario draws its capture line:
    // beyond L1 the distance to the capture point is compressed so that the
    // line stays within the drawn ground.
    static double captureLineDistance(const SceneResult &result);

    // Where a distance from the pole lies along the drawn depth. The
    // capture-point scenario draws its footprint from L1 out to 2.2 x L1,
    // which stands for the upper picture edge L4 (or for no edge at all),
    // and so compresses the distances between; the others draw to scale.
    static double drawnDistance(qint32 scenario, const SceneResult &result, double distance);
    // The drawn distance of the footprint's far line.
    static double farDrawnDistance(qint32 scenario, const SceneResult &result);

private:
    void placeStraight(const SceneResult &result, const SceneLayout &layout);
    void placeCapture(const SceneResult &result, const SceneLayout &layout);
    void placeCorrected(const SceneParams &params, const SceneResult &result,
                        const SceneLayout &layout);

    bool m_placed = false;
    bool m_hasBand = false;
    bool m_correction = false;
    BandCorners m_footprint;
    BandCorners m_band;
    QPoint m_origin;
    QPolygon m_wedge;
};
