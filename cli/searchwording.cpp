#include "searchwording.h"

#include "resulttexts.h"
#include "sceneparams.h"
#include "searchfailure.h"
#include "settingsearch.h"

#include <QStringList>

#include <cmath>

namespace
{

using Reason = SearchFailure::Reason;
using Field = SearchFailure::Field;
using Limit = SearchFailure::Limit;
using Cut = SearchFailure::Cut;

QString metres(double value)
{
    return ResultTexts::distance(value);
}

QString quoted(const char *field)
{
    return QStringLiteral("\"%1\"").arg(QLatin1String(field));
}

QString fieldName(Field field)
{
    switch (field) {
    case Field::None:
        break;
    case Field::WantNear:
        return quoted("wantNear");
    case Field::WantFar:
        return quoted("wantFar");
    case Field::WantPlatePixels:
        return quoted("wantPlatePixels");
    case Field::WantFacePixels:
        return quoted("wantFacePixels");
    case Field::SensorWidth:
        return quoted("sensorWidth");
    case Field::SensorHeight:
        return quoted("sensorHeight");
    case Field::ResolutionWidth:
        return quoted("resolutionWidth");
    case Field::MinPixels:
        return quoted("minPixels");
    case Field::MaxPixels:
        return quoted("maxPixels");
    }
    return QString();
}

QString settingText(const SearchFailure &failure)
{
    return QStringLiteral("focalLength %1 mm, pitchAngle %2")
        .arg(failure.closestFocalLength, 0, 'f', 1)
        .arg(failure.closestPitch);
}

QString cutText(const Cut &cut)
{
    switch (cut.kind) {
    case Cut::Kind::TurnedTooFar:
        return QStringLiteral("horizontalAngle and half the angle of view reach 90 degrees");
    case Cut::Kind::LowerEdgeBeyond:
        return QStringLiteral("the lower picture edge lies beyond the %1 m the scene shows")
            .arg(cut.sceneDepth);
    case Cut::Kind::NearBeforeLowerEdge:
        return QStringLiteral("the near end falls before the lower picture edge");
    case Cut::Kind::FarBeyondUpperEdge:
        return QStringLiteral("the far end falls beyond the upper picture edge");
    }
    return QString();
}

QString bandNotMet(const SearchFailure &failure, const SceneParams &record, const SolveWish &wish)
{
    QString reason;
    switch (failure.limit) {
    case Limit::FarNotReached:
        reason =
            QStringLiteral("even at 400 mm the band ends before %1 m").arg(metres(*wish.wantFar));
        break;
    case Limit::NearNotReached:
        reason =
            QStringLiteral("even at 1 mm the band starts beyond %1 m").arg(metres(*wish.wantNear));
        break;
    case Limit::BandTooShort:
        reason = QStringLiteral("\"minPixels\" %1 and \"maxPixels\" %2 make the band too short")
                     .arg(record.minPixels)
                     .arg(record.maxPixels);
        break;
    default: {
        QStringList cuts;
        for (const Cut &cut : failure.cuts)
            cuts << cutText(cut);
        reason = QStringLiteral("the picture cuts every band that covers it (%1)")
                     .arg(cuts.join(QStringLiteral("; ")));
        break;
    }
    }
    const QString closest =
        !failure.hasClosest ? QStringLiteral("no band lies wholly in the picture at any setting")
                            : QStringLiteral("closest in the picture: %1 to %2 m at %3")
                                  .arg(metres(failure.closest.L2), metres(failure.closest.L3),
                                       settingText(failure));
    return QStringLiteral("no setting gives a band from %1 to %2 m: %3; %4")
        .arg(metres(*wish.wantNear), metres(*wish.wantFar), reason, closest);
}

QString countsNotMet(const SearchFailure &failure, const SceneParams &record, const SolveWish &wish)
{
    QStringList wanted;
    if (wish.wantPlatePixels)
        wanted << QStringLiteral("the plate %1 px").arg(*wish.wantPlatePixels);
    if (wish.wantFacePixels)
        wanted << QStringLiteral("the face %1 px").arg(*wish.wantFacePixels);

    QString reason;
    switch (failure.limit) {
    case Limit::CaptureOutside:
        reason = QStringLiteral("the capture point at %1 m lies outside the picture at every "
                                "setting")
                     .arg(metres(record.captureDistance));
        break;
    case Limit::LongestLensShort:
        reason = QStringLiteral("even at 400 mm the counts fall short");
        break;
    case Limit::LowerEdgePasses:
        reason = QStringLiteral("a longer lens moves the lower picture edge past the capture "
                                "point");
        break;
    default:
        reason = QStringLiteral("a longer lens brings the upper picture edge nearer than the "
                                "capture point");
        break;
    }
    if (failure.limit != Limit::CaptureOutside) {
        QStringList counts;
        if (wish.wantPlatePixels)
            counts << QStringLiteral("plate %1 px").arg(failure.closest.plateAtCapture);
        if (wish.wantFacePixels)
            counts << QStringLiteral("face %1 px").arg(failure.closest.faceAtCapture);
        reason += QStringLiteral("; closest: %1 at %2")
                      .arg(counts.join(QStringLiteral(", ")), settingText(failure));
    }
    return QStringLiteral("no setting gives %1 at the capture point: %2")
        .arg(wanted.join(QStringLiteral(" and ")), reason);
}

} // namespace

QString SearchWording::text(const SearchFailure &failure, const SceneParams &record,
                            const SolveWish &wish)
{
    const QString field = fieldName(failure.field);
    switch (failure.reason) {
    case Reason::None:
        break;
    case Reason::WishOfOtherScenarios: {
        const bool band = failure.field == Field::WantNear || failure.field == Field::WantFar;
        return QStringLiteral("%1 is a wish of %2")
            .arg(field, band ? QStringLiteral("scenarios 1 and 2") : QStringLiteral("scenario 3"));
    }
    case Reason::WishMissing:
        return QStringLiteral("%1 is missing").arg(field);
    case Reason::NearBeyondFar:
        return QStringLiteral("\"wantNear\" must not lie beyond \"wantFar\"");
    case Reason::CountMissing:
        return QStringLiteral("\"wantPlatePixels\" or \"wantFacePixels\" is missing");
    case Reason::ScenarioMissing:
        return QStringLiteral("\"scenario\" must be given with a wish");
    case Reason::NotPositive:
        return QStringLiteral("%1 must be above 0 to search").arg(field);
    case Reason::FaceAboveCamera:
        return QStringLiteral("no face counts at any setting: \"targetHeight\" lies above "
                              "\"ipcHeight\"");
    case Reason::LimitsBackwards:
        return QStringLiteral("\"minPixels\" %1 lies above \"maxPixels\" %2: the band runs "
                              "backwards")
            .arg(record.minPixels)
            .arg(record.maxPixels);
    case Reason::TargetAtPole:
        return QStringLiteral("no band at any setting: \"targetHeight\" is not below "
                              "\"ipcHeight\"");
    case Reason::NoPoleHeight:
        return QStringLiteral("no band at any setting: \"ipcHeight\" is 0");
    case Reason::TurnedTooFar:
        return QStringLiteral("no band at any setting: \"horizontalAngle\" %1 turns even the "
                              "longest lens's view past 90 degrees")
            .arg(record.horizontalAngle);
    case Reason::BandNotMet:
        return bandNotMet(failure, record, wish);
    case Reason::CountsNotMet:
        return countsNotMet(failure, record, wish);
    }
    return QString();
}
