#pragma once

#include <QVector>

struct SceneParams;
struct SceneResult;

// The distances at which a plan's viewing angles are judged: the near and
// far ends of the detection band (L2 and L3) in the person and vehicle-lane
// scenarios, and the capture point in the capture-point scenario, where the
// calculation puts both band ends at the capture point.
enum class ViewPoint { BandNear, BandFar, CapturePoint };

// How the camera sees targets at one distance. Angles are in degrees and
// always finite.
struct SightAngles {
    ViewPoint point = ViewPoint::BandNear;
    // Metres from the camera along the road (the depth of the plan view),
    // as the calculation reports the distance.
    double distance = 0.0;
    // Down from the horizontal to the plate centre and to the face: positive
    // below the camera, negative for a point above it. Taken straight along
    // the road: a lane's sideways offset only makes its view flatter, so no
    // lane at this distance is seen more steeply.
    double plateVertical = 0.0;
    double faceVertical = 0.0;
    // Per lane, numbered from 0 at the left as the camera looks along the
    // road: the angle on the ground from the camera's optical axis to the
    // lane's centre line at this distance, positive to the right. Empty in
    // the person scenario, which has no lanes.
    QVector<double> laneHorizontal;
};

// The viewing angles of one calculated plan.
//
// The camera stands where the plan view draws it: in the vehicle-lane
// scenario at the middle of the road (lanesNum lanes of lanesWidth) looking
// along it, or, with the horizontal mount, at the road's right edge turned
// horizontalAngle degrees to the left, into the road; in the capture-point
// scenario at the middle of a road of the record's lanes, looking along it.
//
// A vertical angle is atan2(camera height - point height, |distance|): 90
// straight below the camera, 0 level with it, negative above it. A
// horizontal angle is the direction atan2(lateral offset, distance) less
// that of the axis, within -180 to 180: at distance 0 a lane centre beside
// the camera lies 90 degrees off an unturned axis and one below it 0.
struct ViewAngles {
    static constexpr double PlateCentreHeight = 0.5; // metres above the ground
    // More lanes than this are taken as this many; no road has them.
    static constexpr int MostLanes = 64;

    bool platesChecked = false; // vehicle-lane and capture-point scenarios
    bool facesChecked = false;  // person and capture-point scenarios
    // Nearest first. Empty when the plan has no band or capture point: an
    // input guard stopped the calculation, the band lies wholly outside the
    // picture, the capture point lies outside it, or the scenario code is
    // none of the three.
    QVector<SightAngles> sights;
};

ViewAngles computeViewAngles(const SceneParams &params, const SceneResult &result);

// The two angles on their own, in degrees, for callers that place a target
// themselves. axisTurn turns the optical axis to the left, in degrees.
double verticalViewAngle(double cameraHeight, double pointHeight, double distance);
double horizontalViewAngle(double lateral, double distance, double axisTurn);
