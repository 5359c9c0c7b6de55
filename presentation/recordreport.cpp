#include "recordreport.h"

#include "languagetable.h"
#include "listtexts.h"
#include "resulttexts.h"
#include "sceneparams.h"
#include "sceneresult.h"
#include "textid.h"

namespace
{

ReportItem item(int caption, const QVariant &value)
{
    return ReportItem{languageText(caption), value};
}

ReportItem count(int caption, qint32 value)
{
    return item(caption, QString::number(value));
}

} // namespace

ReportContent RecordReport::content(const SceneParams &params, const SceneResult &result,
                                    const QImage &picture)
{
    const bool person = params.scenario == Scenario::Person;
    const ResultTexts texts(result.L1, result.W1, result.L2, result.W2, result.L3, result.W3,
                            result.L4, result.W4);

    ReportContent report;
    report.scenario = params.scenario;
    report.title = languageText(TextId::ReportTitle);
    report.model = item(TextId::ScenarioCaption, ListTexts::scenarioText(params.scenario));
    report.sensor =
        item(TextId::SensorCaption, ListTexts::sensorText(params.sensorWidth, params.sensorHeight));
    report.poleHeight = item(TextId::ReportPoleHeight, params.ipcHeight);
    report.focalLength = item(TextId::ReportFocalLength, params.focalLength);
    report.pitch = count(TextId::PitchCaption, params.pitchAngle);
    report.resolution =
        item(TextId::ResolutionCaption,
             ListTexts::resolutionText(params.resolutionWidth, params.resolutionHeight));
    report.targetHeight = item(TextId::ReportTargetHeight, params.targetHeight);
    report.minPixels =
        count(person ? TextId::MinFacePixels : TextId::MinPlatePixels, params.minPixels);
    report.maxPixels =
        count(person ? TextId::MaxFacePixels : TextId::MaxPlatePixels, params.maxPixels);
    report.installMode =
        item(TextId::InstallModeCaption, ListTexts::installModeText(params.horizontalMount));
    report.horizontalAngle = count(TextId::HorizontalAngleCaption, params.horizontalAngle);
    report.lanesNum = count(TextId::LanesNumCaption, params.lanesNum);
    report.lanesWidth = item(TextId::LanesWidthCaption, params.lanesWidth);
    report.plateType = item(TextId::PlateTypeCaption, ListTexts::plateTypeText(params.plateType));
    report.captureDistance = item(TextId::CaptureDistanceCaption, params.captureDistance);
    report.picture = picture;

    // As in the window: what the calculation did not give shows as no result,
    // and an error beside a result is the plan's warning.
    const auto range = [&result](const QString &text) {
        return result.rangeEmitted ? text : ResultTexts::none();
    };
    const auto pixels = [&result](const QString &text) {
        return result.identificationEmitted ? text : ResultTexts::none();
    };
    report.detectionWidth = item(TextId::DetectionWidth, range(texts.detectionWidth()));
    report.detectionRange = item(TextId::DetectionRange, range(texts.detectionRange()));
    report.nearEdge = item(TextId::NearEdgeDistance, range(texts.nearEdge()));
    report.pictureWidth = item(TextId::PictureWidthRange, range(texts.pictureWidth()));
    report.farEdge = item(TextId::FarEdgeDistance, range(texts.farEdge()));
    report.platePixels = item(TextId::PlatePixelRange, pixels(result.plateRange));
    report.vehiclePixels = item(TextId::VehiclePixelRange, pixels(result.vehicleRange));
    report.facePixels = item(TextId::FacePixelRange, pixels(result.faceRange));
    report.personPixels = item(TextId::PersonPixelRange, pixels(result.personRange));
    if (result.rangeEmitted && result.errorIndex != 0)
        report.warning = languageText(result.errorIndex);
    return report;
}
