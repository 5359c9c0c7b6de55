#include "panelreport.h"
#include "ui_widget.h"

#include "languagetable.h"
#include "sceneparams.h"
#include "textid.h"

namespace
{

ReportItem shown(const LxClientBaseLabel *caption, const LxClientBaseLabel *value)
{
    return ReportItem{caption->GetText(), value->GetText()};
}

ReportItem listed(const LxClientBaseLabel *caption, const QComboBox *list)
{
    return ReportItem{caption->GetText(), list->currentText()};
}

ReportItem counted(const QString &caption, const QSpinBox *field)
{
    return ReportItem{caption, QString::number(field->value())};
}

ReportItem measured(const QString &caption, const QDoubleSpinBox *field)
{
    return ReportItem{caption, field->value()};
}

} // namespace

ReportContent PanelReport::content(const Ui::Widget &ui, const SceneParams &params,
                                   const QString &warning)
{
    const bool person = params.scenario == Scenario::Person;

    ReportContent report;
    report.scenario = params.scenario;
    report.title = languageText(TextId::ReportTitle);
    report.model = listed(ui.m_labModel, ui.m_comboModel);
    report.sensor = listed(ui.m_labSensorSize, ui.m_comboSensorSize);
    report.poleHeight = measured(languageText(TextId::ReportPoleHeight), ui.m_dSpinBoxIpcHeight);
    report.focalLength =
        measured(languageText(TextId::ReportFocalLength), ui.m_dSpinBoxFocalLength);
    report.pitch = counted(languageText(TextId::PitchCaption), ui.m_spinBoxPitchAngle);
    report.resolution = listed(ui.m_labResolution, ui.m_comboResolution);
    report.targetHeight =
        measured(languageText(TextId::ReportTargetHeight), ui.m_dSpinBoxTargetHeight);
    report.minPixels =
        counted(languageText(person ? TextId::MinFacePixels : TextId::MinPlatePixels),
                ui.m_spinBoxMinPixels);
    report.maxPixels =
        counted(languageText(person ? TextId::MaxFacePixels : TextId::MaxPlatePixels),
                ui.m_spinBoxMaxPixels);
    report.installMode = listed(ui.m_labInstallModel, ui.m_comboInstallModel);
    report.horizontalAngle =
        counted(ui.m_labHorizontAlangle->GetText(), ui.m_spinBoxHorizontalAngle);
    report.lanesNum = counted(ui.m_labLanesNum->GetText(), ui.m_spinBoxLanesNum);
    report.lanesWidth = measured(ui.m_labLanesWidth->GetText(), ui.m_dSpinBoxLanesWidth);
    report.plateType = listed(ui.m_labLicensePlateType, ui.m_comboLicensePlateType);
    report.captureDistance =
        measured(languageText(TextId::CaptureDistanceCaption), ui.m_dSpinBoxCaptureDistanceValue);
    report.picture = ui.m_painterWidget->grab(QRect(QPoint(0, 0), QSize(-1, -1))).toImage();
    // The results after that last repaint.
    report.detectionWidth = shown(ui.m_labW23, ui.m_labW23Size);
    report.detectionRange = shown(ui.m_labL23, ui.m_labL23Size);
    report.nearEdge = shown(ui.m_labL1, ui.m_labL1Size);
    report.pictureWidth = shown(ui.m_labIpcScreenWidth, ui.m_labIpcScreenWidthValue);
    report.farEdge = shown(ui.m_labL2, ui.m_labL2Size);
    report.platePixels = shown(ui.m_labLicensePlate, ui.m_labLicensePlateValue);
    report.vehiclePixels = shown(ui.m_labVehicle, ui.m_labVehicleValue);
    report.facePixels = shown(ui.m_labHumanFace, ui.m_labHumanFaceValue);
    report.personPixels = shown(ui.m_labHuman, ui.m_labHumanValue);
    report.warning = warning;
    return report;
}
