#include "densityzones.h"

#include "pixeldensity.h"
#include "scenegeometry.h"
#include "scenelayout.h"
#include "sceneoutline.h"
#include "sceneparams.h"
#include "sceneresult.h"
#include "textid.h"

#include <array>

namespace
{

// Purple, green, amber and red from the weakest class to the strongest, none
// of them the band's cyan.
const std::array<QColor, DensityClass::Count> zoneColours{
    QColor(155, 89, 182, 150), QColor(46, 204, 113, 150), QColor(241, 196, 15, 160),
    QColor(231, 76, 60, 170)};

const std::array<int, DensityClass::Count> zoneTexts{TextId::ZoneDetect, TextId::ZoneObserve,
                                                     TextId::ZoneRecognise, TextId::ZoneIdentify};

} // namespace

DensityZones::DensityZones(const SceneParams &params, const SceneResult &result,
                           const SceneLayout &layout, const SceneOutline &outline)
{
    if (!outline.placed())
        return;
    const BandCorners &f = outline.footprint();
    const double farEnd = SceneOutline::farDrawnDistance(params.scenario, result);
    // Any width will do: only the direction of the line across the ground
    // matters, and a wide line keeps it exact in whole pixels.
    const double across = 2.0 * result.drawWidth;
    // Where the line across the ground at a drawn distance meets the
    // footprint's sides; the footprint's own ends at and beyond its lines.
    const auto cut = [&](double distance, QPoint *left, QPoint *right) {
        if (distance <= result.L1) {
            *left = f.c2;
            *right = f.c3;
            return true;
        }
        if (distance >= farEnd) {
            *left = f.c1;
            *right = f.c4;
            return true;
        }
        const GroundLine line = layout.projectGround(outline.origin(), across, distance, false);
        QPointF l;
        QPointF r;
        if (!SceneGeometry::lineIntersection(line.left, line.right, f.c2, f.c1, &l) ||
            !SceneGeometry::lineIntersection(line.left, line.right, f.c3, f.c4, &r))
            return false;
        *left = SceneGeometry::toPoint(l);
        *right = SceneGeometry::toPoint(r);
        return true;
    };

    // Strongest first: each class shows beyond the one before it, up to its
    // own end, and a class whose ground a stronger one covers is not drawn.
    double reachedTo = result.L1;
    for (int c = DensityClass::Count - 1; c >= DensityClass::Detect; --c) {
        const DensityStretch &stretch = result.density.classes[c];
        if (!stretch.reached || !(reachedTo < farEnd))
            continue;
        const double end = SceneOutline::drawnDistance(params.scenario, result, stretch.to);
        if (!(end > reachedTo))
            continue;
        QPoint nearLeft;
        QPoint nearRight;
        QPoint farLeft;
        QPoint farRight;
        if (!cut(reachedTo, &nearLeft, &nearRight) || !cut(end, &farLeft, &farRight))
            continue;
        reachedTo = end;
        // Cut here rather than by the painter's clip, which costs far more.
        const QPolygonF area = SceneGeometry::clipToConvex(
            QPolygonF() << farLeft << nearLeft << nearRight << farRight, layout.ground());
        if (!area.isEmpty())
            m_zones.prepend(Zone{c, area});
    }
}

QColor DensityZones::colour(int densityClass)
{
    return zoneColours.at(std::size_t(densityClass));
}

int DensityZones::legendText(int densityClass)
{
    return zoneTexts.at(std::size_t(densityClass));
}
