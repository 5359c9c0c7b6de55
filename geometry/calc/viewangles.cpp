#include "viewangles.h"

#include "angles.h"
#include "sceneparams.h"
#include "sceneresult.h"
#include "textid.h"

#include <algorithm>
#include <cmath>

namespace
{

double toDegrees(double radians)
{
    return radians * 180 / Angles::Pi;
}

// Only a record holding NaN, which no control or input line produces, makes
// an angle NaN; it reads as 0.
double finiteOr0(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

bool hasBandOrCapturePoint(const SceneParams &params, const SceneResult &result)
{
    if (params.scenario != Scenario::Person && params.scenario != Scenario::Lanes &&
        params.scenario != Scenario::Capture)
        return false;
    return result.rangeEmitted && result.errorIndex != TextId::ErrorNoBand &&
           result.errorIndex != TextId::ErrorCapturePoint;
}

// Where the road's lanes lie across the plan, as the drawing lays them out:
// the lateral offset of each lane centre from the camera, positive to the
// right, and how far the camera's axis is turned to the left.
struct LaneLayout {
    QVector<double> offsets;
    double axisTurn = 0.0;
};

LaneLayout laneLayout(const SceneParams &params, const SceneResult &result)
{
    LaneLayout layout;
    if (params.scenario == Scenario::Person)
        return layout;
    const int lanes = std::clamp(params.lanesNum, 0, ViewAngles::MostLanes);
    // The road is centred on the pole; with the horizontal mount the camera
    // stands at its right edge instead.
    const double cameraAt = result.correctionActive ? lanes / 2.0 : 0.0;
    if (result.correctionActive)
        layout.axisTurn = params.horizontalAngle;
    for (int lane = 0; lane < lanes; ++lane)
        layout.offsets.append((lane + 0.5 - lanes / 2.0 - cameraAt) * params.lanesWidth);
    return layout;
}

SightAngles sightAt(ViewPoint point, double distance, const SceneParams &params,
                    const LaneLayout &lanes)
{
    SightAngles sight;
    sight.point = point;
    sight.distance = distance;
    sight.plateVertical =
        verticalViewAngle(params.ipcHeight, ViewAngles::PlateCentreHeight, distance);
    sight.faceVertical = verticalViewAngle(params.ipcHeight, params.targetHeight, distance);
    for (double offset : lanes.offsets)
        sight.laneHorizontal.append(horizontalViewAngle(offset, distance, lanes.axisTurn));
    return sight;
}

} // namespace

double verticalViewAngle(double cameraHeight, double pointHeight, double distance)
{
    return finiteOr0(toDegrees(std::atan2(cameraHeight - pointHeight, std::abs(distance))));
}

double horizontalViewAngle(double lateral, double distance, double axisTurn)
{
    // The difference of two directions, brought back to one turn around the
    // camera so a wide turn of the axis still gives the smaller angle.
    const double angle = toDegrees(std::atan2(lateral, distance)) + axisTurn;
    return finiteOr0(std::remainder(angle, 360.0));
}

ViewAngles computeViewAngles(const SceneParams &params, const SceneResult &result)
{
    ViewAngles angles;
    if (!hasBandOrCapturePoint(params, result))
        return angles;
    angles.platesChecked = params.scenario != Scenario::Person;
    angles.facesChecked = params.scenario != Scenario::Lanes;

    const LaneLayout lanes = laneLayout(params, result);
    if (params.scenario == Scenario::Capture) {
        angles.sights.append(sightAt(ViewPoint::CapturePoint, result.L2, params, lanes));
    } else {
        angles.sights.append(sightAt(ViewPoint::BandNear, result.L2, params, lanes));
        angles.sights.append(sightAt(ViewPoint::BandFar, result.L3, params, lanes));
    }
    return angles;
}
