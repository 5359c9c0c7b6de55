#include "panelrecord.h"
#include "ui_widget.h"

#include "listtexts.h"

SceneParams PanelRecord::of(const Ui::Widget &ui, const QMap<QString, QList<qreal>> &sensors)
{
    SceneParams params;
    params.resolutionWidth = 0;
    params.resolutionHeight = 0;
    params.sensorWidth = 0.0;
    params.sensorHeight = 0.0;

    params.scenario = ListTexts::scenario(ui.m_comboModel->currentText());
    params.pitchAngle = ui.m_spinBoxPitchAngle->value();
    params.horizontalAngle = ui.m_spinBoxHorizontalAngle->value();
    params.minPixels = ui.m_spinBoxMinPixels->value();
    params.lanesNum = ui.m_spinBoxLanesNum->value();
    params.maxPixels = ui.m_spinBoxMaxPixels->value();
    params.focalLength = ui.m_dSpinBoxFocalLength->value();
    params.targetHeight = ui.m_dSpinBoxTargetHeight->value();
    params.ipcHeight = ui.m_dSpinBoxIpcHeight->value();
    params.lanesWidth = ui.m_dSpinBoxLanesWidth->value();
    params.plateType = ListTexts::plateType(ui.m_comboLicensePlateType->currentText());
    params.horizontalMount = ListTexts::horizontalMount(ui.m_comboInstallModel->currentText());
    params.captureDistance = ui.m_dSpinBoxCaptureDistanceValue->value();

    int width = 0;
    int height = 0;
    ListTexts::resolution(ui.m_comboResolution->currentText(), &width, &height);
    params.resolutionWidth = width;
    params.resolutionHeight = height;

    const auto sensor = sensors.constFind(ui.m_comboSensorSize->currentText());
    if (sensor != sensors.constEnd() && sensor->size() >= 2) {
        params.sensorWidth = sensor->at(0);
        params.sensorHeight = sensor->at(1);
    }

    return params;
}
