#include "viewchecks.h"

#include "guidelines.h"

#include <cmath>

namespace
{

// Degrees by which an angle's size exceeds a limit; 0 within it.
double excessOver(double angle, double limit)
{
    const double excess = std::abs(angle) - limit;
    return excess > ViewChecks::Tolerance ? excess : 0.0;
}

} // namespace

QVector<ViewCheck> ViewChecks::judge(const ViewAngles &angles, const Guidelines &guidelines)
{
    QVector<ViewCheck> checks;
    if (angles.platesChecked) {
        for (const SightAngles &sight : angles.sights)
            checks.append(judgeOne(ViewTarget::Plate, sight, guidelines.plateReading));
    }
    if (angles.facesChecked) {
        for (const SightAngles &sight : angles.sights)
            checks.append(judgeOne(ViewTarget::Face, sight, guidelines.faceCapture));
    }
    return checks;
}

ViewCheck ViewChecks::judgeOne(ViewTarget target, const SightAngles &sight,
                               const GuidelineProfile &profile)
{
    ViewCheck check;
    check.target = target;
    check.point = sight.point;
    check.distance = sight.distance;
    check.vertical = target == ViewTarget::Plate ? sight.plateVertical : sight.faceVertical;
    check.verticalLimit = profile.verticalMax;
    check.horizontalLimit = profile.horizontalMax;
    check.verticalExcess = excessOver(check.vertical, profile.verticalMax);
    for (int lane = 0; lane < sight.laneHorizontal.size(); ++lane) {
        const double angle = sight.laneHorizontal.at(lane);
        const double excess = excessOver(angle, profile.horizontalMax);
        if (excess > 0.0)
            check.lanes.append(LaneExcess{lane, angle, excess});
    }
    return check;
}
