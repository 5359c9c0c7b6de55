#include "suggestiontexts.h"

#include "languagetable.h"
#include "resulttexts.h"
#include "sceneparams.h"
#include "sceneresult.h"
#include "searchfailure.h"
#include "settingsearch.h"
#include "textid.h"

#include <QStringList>

#include <cmath>

namespace
{

using Reason = SearchFailure::Reason;
using Limit = SearchFailure::Limit;
using Cut = SearchFailure::Cut;

QString metres(double value)
{
    return ResultTexts::distance(value);
}

QString counts(const SolveWish &wish, int plate, int face)
{
    QStringList parts;
    if (wish.wantPlatePixels)
        parts << languageText(TextId::SuggestPlatePixels).arg(plate);
    if (wish.wantFacePixels)
        parts << languageText(TextId::SuggestFacePixels).arg(face);
    return parts.join(QStringLiteral(", "));
}

QString cutText(const Cut &cut)
{
    switch (cut.kind) {
    case Cut::Kind::TurnedTooFar:
        return languageText(TextId::CutTurnedTooFar);
    case Cut::Kind::LowerEdgeBeyond:
        return languageText(TextId::CutLowerEdgeBeyond).arg(metres(cut.sceneDepth));
    case Cut::Kind::NearBeforeLowerEdge:
        return languageText(TextId::CutNearBeforeLowerEdge);
    case Cut::Kind::FarBeyondUpperEdge:
        break;
    }
    return languageText(TextId::CutFarBeyondUpperEdge);
}

QString closestSetting(const SearchFailure &failure)
{
    return SuggestionTexts::setting(failure.closestFocalLength, failure.closestPitch);
}

QString bandNotMet(const SearchFailure &failure, const SceneParams &record, const SolveWish &wish)
{
    QString reason;
    switch (failure.limit) {
    case Limit::FarNotReached:
        reason = languageText(TextId::SuggestFarNotReached).arg(metres(wish.wantFar.value_or(0)));
        break;
    case Limit::NearNotReached:
        reason = languageText(TextId::SuggestNearNotReached).arg(metres(wish.wantNear.value_or(0)));
        break;
    case Limit::BandTooShort:
        reason =
            languageText(TextId::SuggestBandTooShort).arg(record.minPixels).arg(record.maxPixels);
        break;
    default: {
        QStringList cuts;
        for (const Cut &cut : failure.cuts)
            cuts << cutText(cut);
        reason = languageText(TextId::SuggestPictureCuts).arg(cuts.join(QStringLiteral("; ")));
        break;
    }
    }
    const QString closest = failure.hasClosest
                                ? languageText(TextId::SuggestClosestBand)
                                      .arg(metres(failure.closest.L2), metres(failure.closest.L3),
                                           closestSetting(failure))
                                : languageText(TextId::SuggestNoBandInPicture);
    return reason + QStringLiteral("; ") + closest;
}

QString countsNotMet(const SearchFailure &failure, const SceneParams &record, const SolveWish &wish)
{
    int reason = TextId::SuggestUpperEdgeNears;
    switch (failure.limit) {
    case Limit::CaptureOutside:
        return languageText(TextId::SuggestCaptureOutside).arg(metres(record.captureDistance));
    case Limit::LongestLensShort:
        reason = TextId::SuggestLongestLensShort;
        break;
    case Limit::LowerEdgePasses:
        reason = TextId::SuggestLowerEdgePasses;
        break;
    default:
        break;
    }
    const QString closest =
        languageText(TextId::SuggestClosestCounts)
            .arg(counts(wish, failure.closest.plateAtCapture, failure.closest.faceAtCapture),
                 closestSetting(failure));
    return languageText(reason) + QStringLiteral("; ") + closest;
}

// Why the search could not start. The window always wishes what the
// record's scenario takes, so only these reach the user.
QString recordProblem(const SearchFailure &failure, const SceneParams &record)
{
    switch (failure.reason) {
    case Reason::NearBeyondFar:
        return languageText(TextId::SuggestNearBeyondFar);
    case Reason::CountMissing:
        return languageText(TextId::SuggestCountMissing);
    case Reason::NotPositive:
        return languageText(TextId::SuggestNotPositive);
    case Reason::FaceAboveCamera:
        return languageText(TextId::SuggestFaceAboveCamera);
    case Reason::LimitsBackwards:
        return languageText(TextId::SuggestLimitsBackwards);
    case Reason::TargetAtPole:
        return languageText(TextId::SuggestTargetAtPole);
    case Reason::NoPoleHeight:
        return languageText(TextId::SuggestNoPoleHeight);
    case Reason::TurnedTooFar:
        return languageText(TextId::SuggestTurnedTooFar).arg(record.horizontalAngle);
    default:
        break;
    }
    // A wish of another scenario or a missing one: the wish the window
    // asks for does not suit the plan.
    return languageText(TextId::SuggestCountMissing);
}

} // namespace

QString SuggestionTexts::setting(double focalLength, int pitch)
{
    return languageText(TextId::SuggestSetting).arg(focalLength, 0, 'f', 1).arg(pitch);
}

QString SuggestionTexts::suggestion(const SceneParams &params, const SceneResult &result,
                                    const SolveWish &wish)
{
    const QString name = setting(params.focalLength, params.pitchAngle);
    if (params.scenario == Scenario::Capture)
        return languageText(TextId::SuggestCounts)
            .arg(name, counts(wish, result.plateAtCapture, result.faceAtCapture));
    return languageText(TextId::SuggestBand).arg(name, metres(result.L2), metres(result.L3));
}

QString SuggestionTexts::failure(const SearchFailure &failure, const SceneParams &record,
                                 const SolveWish &wish)
{
    QString reason;
    if (failure.reason == Reason::BandNotMet)
        reason = bandNotMet(failure, record, wish);
    else if (failure.reason == Reason::CountsNotMet)
        reason = countsNotMet(failure, record, wish);
    else
        reason = recordProblem(failure, record);
    return languageText(TextId::SuggestNone).arg(reason);
}
