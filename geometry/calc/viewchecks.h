#pragma once

#include "viewangles.h"

#include <QVector>

struct GuidelineProfile;
struct Guidelines;

enum class ViewTarget { Plate, Face };

// A lane whose centre the camera sees too far from the side.
struct LaneExcess {
    int lane = 0;        // index into SightAngles::laneHorizontal
    double angle = 0.0;  // the lane's horizontal angle, degrees, signed
    double excess = 0.0; // degrees beyond the limit, above 0
};

// One target judged at one distance against its profile. Angles are judged
// by their size: a face seen from below is as hard to recognise as one seen
// from above. An angle passes when it is at most the limit.
struct ViewCheck {
    ViewTarget target = ViewTarget::Plate;
    ViewPoint point = ViewPoint::BandNear;
    double distance = 0.0;      // metres, as in SightAngles
    double vertical = 0.0;      // the vertical angle judged, degrees, signed
    double verticalLimit = 0.0; // the profile's limits, degrees
    double horizontalLimit = 0.0;
    double verticalExcess = 0.0; // degrees beyond the limit; 0 when within
    QVector<LaneExcess> lanes;   // the failing lanes, left to right

    bool verticalFails() const { return verticalExcess > 0.0; }
    bool passed() const { return !verticalFails() && lanes.isEmpty(); }
};

// Judges a plan's viewing angles against the guideline profiles: plates
// against plate reading, faces against face capture.
class ViewChecks final
{
public:
    // Plate checks first, then face checks, each nearest distance first;
    // only the targets the scenario has (ViewAngles::platesChecked,
    // facesChecked). Empty when the angles have no sights.
    static QVector<ViewCheck> judge(const ViewAngles &angles, const Guidelines &guidelines);

    // An angle within this many degrees beyond a limit still passes, so a
    // limit the geometry meets exactly is not failed by rounding.
    static constexpr double Tolerance = 1e-9;

private:
    static ViewCheck judgeOne(ViewTarget target, const SightAngles &sight,
                              const GuidelineProfile &profile);
};
