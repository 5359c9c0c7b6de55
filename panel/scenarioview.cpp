#include "scenarioview.h"
#include "ui_widget.h"

#include "languagetable.h"
#include "sceneparams.h"
#include "textid.h"

namespace
{

void setSpacer(QSpacerItem *spacer, bool open)
{
    if (open)
        spacer->changeSize(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    else
        spacer->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
}

} // namespace

void ScenarioView::show(Ui::Widget &ui, qint32 scenario)
{
    const bool person = scenario == Scenario::Person;
    const bool lanes = scenario == Scenario::Lanes;
    const bool capture = scenario == Scenario::Capture;

    const struct {
        QList<QWidget *> widgets;
        bool visible;
    } rows[] = {
        {{ui.m_labIpcScreenWidth, ui.m_labIpcScreenWidthValue, ui.m_labL2, ui.m_labL2Size},
         capture},
        {{ui.m_labL23, ui.m_labL23Size, ui.m_labW23, ui.m_labW23Size}, !capture},
        {{ui.m_labLicensePlate, ui.m_labLicensePlateValue, ui.m_labVehicle, ui.m_labVehicleValue,
          ui.m_labHumanFace, ui.m_labHumanFaceValue, ui.m_labHuman, ui.m_labHumanValue},
         capture},
        {{ui.m_labInstallModel, ui.m_comboInstallModel, ui.m_labHorizontAlangle,
          ui.m_spinBoxHorizontalAngle},
         lanes},
        {{ui.m_labTargetHeight, ui.m_dSpinBoxTargetHeight}, !lanes},
        {{ui.m_labCaptureDistance, ui.m_dSpinBoxCaptureDistanceValue}, capture},
        {{ui.m_labLanesNum, ui.m_spinBoxLanesNum, ui.m_labLanesWidth, ui.m_dSpinBoxLanesWidth},
         lanes},
        {{ui.m_labLicensePlateType, ui.m_comboLicensePlateType}, !person},
        {{ui.m_labMinPixels, ui.m_spinBoxMinPixels, ui.m_labMaxPixels, ui.m_spinBoxMaxPixels},
         !capture},
    };
    for (const auto &row : rows) {
        for (QWidget *widget : row.widgets)
            widget->setVisible(row.visible);
    }

    ui.m_labMinPixels->SetText(
        languageText(person ? TextId::MinFacePixels : TextId::MinPlatePixels));
    ui.m_labMaxPixels->SetText(
        languageText(person ? TextId::MaxFacePixels : TextId::MaxPlatePixels));
    ui.m_labIpcHeightTips->SetText(
        languageText(person ? TextId::PoleHeightPersonCaption : TextId::PoleHeightCaption));

    for (QSpacerItem *spacer : {ui.spacerIpcScreenWidth, ui.spacerL2, ui.spacerLicensePlate,
                                ui.spacerVehicle, ui.spacerHumanFace})
        setSpacer(spacer, capture);
    for (QSpacerItem *spacer : {ui.spacerL23, ui.spacerW23})
        setSpacer(spacer, !capture);
    ui.horizontalLayout_3->update();
}
