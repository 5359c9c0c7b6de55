#include "panelrecord.h"
#include "ui_widget.h"

#include "customproxymodel.h"
#include "languagetable.h"
#include "listtexts.h"
#include "recordfields.h"
#include "sceneparams.h"
#include "textid.h"

#include <QStringListModel>

namespace
{

const struct {
    const char *field;
    LxClientBaseSpinBox *Ui::Widget::*box;
} wholeFields[] = {
    {"pitchAngle", &Ui::Widget::m_spinBoxPitchAngle},
    {"horizontalAngle", &Ui::Widget::m_spinBoxHorizontalAngle},
    {"minPixels", &Ui::Widget::m_spinBoxMinPixels},
    {"maxPixels", &Ui::Widget::m_spinBoxMaxPixels},
    {"lanesNum", &Ui::Widget::m_spinBoxLanesNum},
};

const struct {
    const char *field;
    LxClientBaseDoubleSpinBox *Ui::Widget::*box;
} realFields[] = {
    {"focalLength", &Ui::Widget::m_dSpinBoxFocalLength},
    {"targetHeight", &Ui::Widget::m_dSpinBoxTargetHeight},
    {"captureDistance", &Ui::Widget::m_dSpinBoxCaptureDistanceValue},
    {"lanesWidth", &Ui::Widget::m_dSpinBoxLanesWidth},
    {"ipcHeight", &Ui::Widget::m_dSpinBoxIpcHeight},
};

RecordFields::WindowRange windowOf(const char *name)
{
    const RecordFields::Field *field = RecordFields::find(QLatin1String(name));
    return field && field->window ? *field->window : RecordFields::WindowRange{0, 0, 0};
}

void select(QComboBox *list, const QString &text)
{
    const int index = list->findText(text);
    if (index >= 0)
        list->setCurrentIndex(index);
}

} // namespace

void PanelRecord::fillLists(Ui::Widget &ui, QObject *owner)
{
    // Filling the empty list makes its first item current, which applies the
    // person scenario through the by-name slot.
    ui.m_comboModel->addItems({languageText(TextId::ScenarioPerson),
                               languageText(TextId::ScenarioLanes),
                               languageText(TextId::ScenarioCapture)});

    QStringList resolutions;
    for (const QSize &size : RecordFields::resolutions())
        resolutions << ListTexts::resolutionText(size.width(), size.height());
    // The list takes over only the proxy; both models go with the owner.
    auto *source = new QStringListModel(resolutions, owner);
    auto *proxy = new customProxyModel(owner);
    proxy->setSourceModel(source);
    proxy->setDynamicSortFilter(true);
    proxy->sort(0, Qt::AscendingOrder);
    ui.m_comboResolution->setModel(proxy);
    ui.m_comboResolution->setCurrentIndex(0);

    ui.m_comboInstallModel->addItems(
        {languageText(TextId::InstallModeStraight), languageText(TextId::InstallModeTurned)});
    ui.m_comboSensorSize->model()->sort(0, Qt::AscendingOrder);
    ui.m_comboLicensePlateType->addItems({languageText(TextId::PlateType1),
                                          languageText(TextId::PlateType2),
                                          languageText(TextId::PlateType3)});
}

void PanelRecord::applyRanges(Ui::Widget &ui)
{
    for (const auto &entry : wholeFields) {
        const RecordFields::WindowRange range = windowOf(entry.field);
        (ui.*entry.box)->setRange(int(range.lowest), int(range.highest));
    }
    for (const auto &entry : realFields) {
        const RecordFields::WindowRange range = windowOf(entry.field);
        (ui.*entry.box)->setDecimals(range.decimals);
        (ui.*entry.box)->setRange(range.lowest, range.highest);
    }
}

void PanelRecord::load(Ui::Widget &ui, const SceneParams &record)
{
    select(ui.m_comboModel, ListTexts::scenarioText(record.scenario));
    select(ui.m_comboSensorSize, ListTexts::sensorText(record.sensorWidth, record.sensorHeight));
    select(ui.m_comboInstallModel, ListTexts::installModeText(record.horizontalMount));

    ui.m_dSpinBoxFocalLength->setValue(record.focalLength);
    ui.m_spinBoxPitchAngle->setValue(record.pitchAngle);
    if (record.horizontalMount)
        ui.m_spinBoxHorizontalAngle->setValue(record.horizontalAngle);
    ui.m_dSpinBoxTargetHeight->setValue(record.targetHeight);
    select(ui.m_comboResolution,
           ListTexts::resolutionText(record.resolutionWidth, record.resolutionHeight));
    ui.m_dSpinBoxIpcHeight->setValue(record.ipcHeight);
    ui.m_spinBoxLanesNum->setValue(record.lanesNum);
    ui.m_dSpinBoxLanesWidth->setValue(record.lanesWidth);
    select(ui.m_comboLicensePlateType, ListTexts::plateTypeText(record.plateType));
    // A limit set past the other one would be stepped back by the rule.
    if (record.minPixels <= ui.m_spinBoxMaxPixels->value()) {
        ui.m_spinBoxMinPixels->setValue(record.minPixels);
        ui.m_spinBoxMaxPixels->setValue(record.maxPixels);
    } else {
        ui.m_spinBoxMaxPixels->setValue(record.maxPixels);
        ui.m_spinBoxMinPixels->setValue(record.minPixels);
    }
    ui.m_dSpinBoxCaptureDistanceValue->setValue(record.captureDistance);
}

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
