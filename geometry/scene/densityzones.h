#pragma once

#include <QColor>
#include <QPolygonF>
#include <QVector>

struct SceneParams;
struct SceneResult;
class SceneLayout;
class SceneOutline;

// The ground each pixel-density class covers in the plan view: from the
// lower picture edge out to where the picture still has the class's
// density, cut to the picture footprint. Each class is drawn where no
// stronger class reaches, so every part of the footprint shows the best
// class it has in that class's own colour. Distances are drawn as the plan
// view draws the footprint, so a zone ends where that distance lies on it.
class DensityZones final
{
public:
    struct Zone {
        int densityClass; // a DensityClass value
        QPolygonF area;   // within the ground
    };

    DensityZones(const SceneParams &params, const SceneResult &result, const SceneLayout &layout,
                 const SceneOutline &outline);

    // Weakest class first; a class the picture does not reach, or only
    // where a stronger one does, is left out.
    const QVector<Zone> &zones() const { return m_zones; }

    // The fill of a class's zone, translucent so that its neighbours and
    // the ground show through.
    static QColor colour(int densityClass);
    // The language text that names a class in the legend.
    static int legendText(int densityClass);

private:
    QVector<Zone> m_zones;
};
