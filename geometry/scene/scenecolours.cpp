#include "scenecolours.h"

#include "sceneparams.h"

SceneColours SceneColours::forScenario(qint32 scenario) const
{
    if (scenario != Scenario::Lanes)
        return *this;
    SceneColours lanes;
    lanes.footprint = QColor(186, 197, 204, 150);
    lanes.band = QColor(1, 185, 209, 180);
    return lanes;
}

bool SceneColours::operator==(const SceneColours &other) const
{
    return footprint == other.footprint && band == other.band;
}
