#include "panelstyle.h"
#include "ui_widget.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "languagetable.h"
#include "lxclientmsgpopup.h"
#include "textid.h"

#include <QLocale>

namespace
{

const QColor captionColour(80, 80, 80, 255);
// The program's cyan where it only decorates, such as the notice's title.
const QColor accentColour(1, 185, 209, 255);
// Texts read on white and white read on the button: the accent's hue, darkened
// until the contrast reaches 4.5:1.
const QColor valueColour(1, 130, 147, 255);
const QColor exportColour(1, 130, 147);
const QColor exportHoverColour(1, 116, 131);

constexpr int NoText = -1;
constexpr int Normal = 50;
constexpr int Bold = 75;

struct LabelLook {
    LxClientBaseLabel *Ui::Widget::*label;
    qreal height; // 0 keeps the form's
    int pixelSize;
    int weight;
    QColor colour; // invalid keeps the kit's
    int text;
};

// The results header, then the captions of the parameter column.
const LabelLook labelLooks[] = {
    {&Ui::Widget::m_labTip1, 0, 18, Bold, QColor(), TextId::ResultsTitle},
    {&Ui::Widget::m_labTip2, 45, 14, Normal, QColor(), TextId::ResultsNote},
    {&Ui::Widget::m_labL1, 25, 14, Normal, QColor(), TextId::NearEdgeDistance},
    {&Ui::Widget::m_labL23, 25, 14, Normal, QColor(), TextId::DetectionRange},
    {&Ui::Widget::m_labW23, 25, 14, Normal, QColor(), TextId::DetectionWidth},
    {&Ui::Widget::m_labIpcScreenWidth, 25, 14, Normal, QColor(), TextId::PictureWidthRange},
    {&Ui::Widget::m_labL2, 25, 14, Normal, QColor(), TextId::FarEdgeDistance},
    {&Ui::Widget::m_labLicensePlate, 25, 14, Normal, QColor(), TextId::PlatePixelRange},
    {&Ui::Widget::m_labVehicle, 25, 14, Normal, QColor(), TextId::VehiclePixelRange},
    {&Ui::Widget::m_labHumanFace, 25, 14, Normal, QColor(), TextId::FacePixelRange},
    {&Ui::Widget::m_labHuman, 25, 14, Normal, QColor(), TextId::PersonPixelRange},
    {&Ui::Widget::m_labL1Size, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labL23Size, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labW23Size, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labIpcScreenWidthValue, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labL2Size, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labLicensePlateValue, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labVehicleValue, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labHumanFaceValue, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labHumanValue, 25, 14, Normal, valueColour, NoText},
    {&Ui::Widget::m_labModel, 20, 13, Normal, captionColour, TextId::ScenarioCaption},
    {&Ui::Widget::m_labLanesWidth, 20, 13, Normal, captionColour, TextId::LanesWidthCaption},
    {&Ui::Widget::m_labSensorSize, 20, 13, Normal, captionColour, TextId::SensorCaption},
    {&Ui::Widget::m_labFocalLength, 20, 13, Normal, captionColour, TextId::FocalLengthCaption},
    {&Ui::Widget::m_labInstallModel, 20, 13, Normal, captionColour, TextId::InstallModeCaption},
    {&Ui::Widget::m_labPitchAngle, 30, 13, Normal, captionColour, TextId::PitchAngleCaption},
    {&Ui::Widget::m_labHorizontAlangle, 30, 13, Normal, captionColour,
     TextId::HorizontalAngleCaption},
    {&Ui::Widget::m_labTargetHeight, 30, 13, Normal, captionColour, TextId::TargetHeightCaption},
    {&Ui::Widget::m_labLanesNum, 20, 13, Normal, captionColour, TextId::LanesNumCaption},
    {&Ui::Widget::m_labMinPixels, 30, 13, Normal, captionColour, TextId::MinFacePixels},
    {&Ui::Widget::m_labMaxPixels, 30, 13, Normal, captionColour, TextId::MaxFacePixels},
    {&Ui::Widget::m_labResolution, 20, 13, Normal, captionColour, TextId::ResolutionCaption},
    {&Ui::Widget::m_labIpcHeightTips, 60, 13, Normal, captionColour, TextId::PoleHeightCaption},
    {&Ui::Widget::m_labLicensePlateType, 20, 13, Normal, captionColour, TextId::PlateTypeCaption},
    {&Ui::Widget::m_labCaptureDistance, 30, 13, Normal, captionColour,
     TextId::CaptureDistanceCaption},
};

// Every list: not editable, a thin border in the fields' colour.
LxClientBaseComboBox *Ui::Widget::*const lists[] = {
    &Ui::Widget::m_comboModel, &Ui::Widget::m_comboResolution, &Ui::Widget::m_comboInstallModel,
    &Ui::Widget::m_comboSensorSize, &Ui::Widget::m_comboLicensePlateType};

QFont kitFont(int pixelSize, int weight)
{
    QFont font = GetFont();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void styleLabels(Ui::Widget &ui)
{
    for (const LabelLook &look : labelLooks) {
        LxClientBaseLabel *label = ui.*look.label;
        if (look.height > 0)
            label->SetBaseHeight(look.height);
        label->SetFont(kitFont(look.pixelSize, look.weight));
        if (look.colour.isValid())
            label->SetTextColor(look.colour);
        if (look.text != NoText)
            label->SetText(languageText(look.text));
    }
}

void styleFields(Ui::Widget &ui)
{
    // The captions and results write numbers with a dot; so do the fields,
    // whatever the system's locale, so that one screen never mixes "8,00"
    // with "11.44m".
    for (QAbstractSpinBox *box : ui.scrollAreaWidgetContents->findChildren<QAbstractSpinBox *>()) {
        box->setLocale(QLocale::c());
        if (auto *kit = qobject_cast<IWidgetBase *>(box)) {
            kit->SetBaseWidth(270);
            kit->SetBaseHeight(35);
        }
    }
    ui.m_spinBoxHorizontalAngle->setEnabled(false);

    QFont sensorFont = GetFont();
    sensorFont.setFamily(QStringLiteral("Bahnschrift Light"));
    sensorFont.setPixelSize(14);
    ui.m_comboSensorSize->SetFont(sensorFont);
    for (LxClientBaseComboBox *Ui::Widget::*member : lists) {
        LxClientBaseComboBox *list = ui.*member;
        list->SetBaseWidth(270);
        list->SetBaseHeight(35);
        list->SetEditable(false);
        list->SetBorderMetrics(1, 2, 20);
        list->SetColors(QColor(GetColor(85)), QColor(GetColor(85)), QColor(GetColor(4)),
                        QColor(GetColor(0)));
    }
}

void styleButtons(Ui::Widget &ui)
{
    LxClientToolButton *reset = ui.m_toolBtnReset;
    reset->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    reset->SetIcon(QStringLiteral(":/res/darkgreen/png/faceID/updateGroup.svg"));
    reset->SetFont(kitFont(13, Normal));
    reset->setText(languageText(TextId::Reset));
    reset->SetIconSize(QSizeF(20, 20));
    // As wide as its icon and word need at each scale, whatever the language.
    reset->SetBaseWidth(0);
    reset->SetBaseHeight(30);

    LxClientToolButton *suggest = ui.m_toolBtnSuggest;
    suggest->setToolButtonStyle(Qt::ToolButtonTextOnly);
    suggest->SetFont(kitFont(13, Normal));
    suggest->setText(languageText(TextId::SuggestButton));
    suggest->SetBaseWidth(0);
    suggest->SetBaseHeight(30);

    LxClientIconPushBtn *exportButton = ui.m_btnExport;
    exportButton->SetFont(kitFont(13, Bold));
    exportButton->SetBackgroundColors(exportColour, exportHoverColour, exportHoverColour,
                                      exportHoverColour);
    exportButton->SetTextColors(Qt::white, Qt::white, Qt::white, QColor(GetColor(6)));
    exportButton->SetBaseWidth(150);
    exportButton->setText(languageText(TextId::ExportReport));
}

} // namespace

void PanelStyle::apply(Ui::Widget &ui, QWidget *panel)
{
    ui.m_menuBar->SetBackgroundColor(QColor(46, 58, 72, 255));
    ui.m_menuBar->SetBaseHeight(40);
    ui.m_menuBar->initTitleBar(true);

    QPalette white = panel->palette();
    white.setBrush(QPalette::Window, QBrush(Qt::white, Qt::SolidPattern));
    panel->setPalette(white);

    styleLabels(ui);
    styleFields(ui);
    styleButtons(ui);

    LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
    popup->SetTitleBarColors(QColor(46, 58, 77, 255), accentColour);
    popup->SetBackgroundColor(Qt::white);
    popup->SetTextColor(Qt::black);
    popup->SetKeepClear(ui.scrollArea);
}
