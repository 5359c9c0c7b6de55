#include "widget.h"
#include "ui_widget.h"

#include "aboutwidget.h"
#include "customproxymodel.h"
#include "edgeregion.h"
#include "hostwindow.h"
#include "icolorconfig.h"
#include "ifontconfig.h"
#include "iwidgetbase.h"
#include "languagetable.h"
#include "listtexts.h"
#include "lxclientmsgpopup.h"
#include "lxclientscrollbar.h"
#include "recordfields.h"
#include "reportcontent.h"
#include "reportexport.h"
#include "reportformat.h"
#include "resourcepath.h"
#include "resulttexts.h"
#include "scaledlength.h"
#include "screenscale.h"
#include "sensorformats.h"
#include "startupsettings.h"
#include "textid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringListModel>
#include <QWheelEvent>

#include <cmath>

namespace
{

// Pixel limits never go above this, whatever the resolution's height.
constexpr int PixelCap = 1080;
// Mouse travel, in pixels, that an edge drag ignores.
constexpr int DragDeadZone = 5;

const QColor captionColour(80, 80, 80, 255);
// The program's cyan where it only decorates, such as the notice's title.
const QColor accentColour(1, 185, 209, 255);
// Texts read on white and white read on the button: the accent's hue, darkened
// until the contrast reaches 4.5:1.
const QColor valueColour(1, 130, 147, 255);
const QColor exportColour(1, 130, 147);
const QColor exportHoverColour(1, 116, 131);

QFont kitFont(int pixelSize, int weight)
{
    QFont font = GetFont();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void styleLabel(LxClientBaseLabel *label, qreal height, const QFont &font, const QColor &colour,
                const QString &text)
{
    label->SetBaseHeight(height);
    label->SetFont(font);
    label->SetTextColor(colour);
    label->SetText(text);
}

bool isInputControl(QObject *object)
{
    return qobject_cast<QComboBox *>(object) || qobject_cast<QSpinBox *>(object) ||
           qobject_cast<QDoubleSpinBox *>(object);
}

void setSpacer(QSpacerItem *spacer, bool open)
{
    if (open)
        spacer->changeSize(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    else
        spacer->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
}

} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);

    styleTitleBar();
    QPalette white = palette();
    white.setBrush(QPalette::Window, QBrush(Qt::white, Qt::SolidPattern));
    setPalette(white);
    styleResultsHeader();
    styleResetButton();
    styleInputControls();
    styleComboBoxes();
    styleCaptions();
    styleExportButton();
    ui->scrollArea->setVerticalScrollBar(new LxClientScrollBar(Qt::Vertical));

    for (const SensorFormat &format : sensorFormats())
        m_sensorSizeMap.insert(format.name, {format.width, format.height});

    styleMessagePopup();
    m_aboutWidget = new aboutWidget;
    on_m_comboModel_currentIndexChanged(languageText(TextId::ScenarioPerson));

    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_MouseTracking, true);
    qApp->installEventFilter(this);

    initScene();
    connectControls();

    m_baseMinSize = minimumSize();
    m_baseScrollMinWidth = ui->scrollArea->minimumWidth();
}

Widget::~Widget()
{
    qApp->removeEventFilter(this);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    m_aboutWidget->deleteLater();
    releaseLanguageTable();
    delete ui;
    m_sensorSizeMap.clear();
}

void Widget::styleTitleBar()
{
    ui->m_menuBar->SetBackgroundColor(QColor(46, 58, 72, 255));
    ui->m_menuBar->SetBaseHeight(40);
    ui->m_menuBar->initTitleBar(true);
}

void Widget::styleResultsHeader()
{
    ui->m_labTip1->SetFont(kitFont(18, 75));
    ui->m_labTip1->SetText(languageText(TextId::ResultsTitle));
    ui->m_labTip2->SetFont(kitFont(14, 50));
    ui->m_labTip2->SetBaseHeight(45);
    ui->m_labTip2->SetText(languageText(TextId::ResultsNote));

    const QFont font = kitFont(14, 50);
    const struct {
        LxClientBaseLabel *name;
        LxClientBaseLabel *value;
        int text;
    } pairs[] = {
        {ui->m_labL1, ui->m_labL1Size, TextId::NearEdgeDistance},
        {ui->m_labL23, ui->m_labL23Size, TextId::DetectionRange},
        {ui->m_labW23, ui->m_labW23Size, TextId::DetectionWidth},
        {ui->m_labIpcScreenWidth, ui->m_labIpcScreenWidthValue, TextId::PictureWidthRange},
        {ui->m_labL2, ui->m_labL2Size, TextId::FarEdgeDistance},
        {ui->m_labLicensePlate, ui->m_labLicensePlateValue, TextId::PlatePixelRange},
        {ui->m_labVehicle, ui->m_labVehicleValue, TextId::VehiclePixelRange},
        {ui->m_labHumanFace, ui->m_labHumanFaceValue, TextId::FacePixelRange},
        {ui->m_labHuman, ui->m_labHumanValue, TextId::PersonPixelRange},
    };
    for (const auto &pair : pairs) {
        pair.name->SetFont(font);
        pair.name->SetBaseHeight(25);
        pair.name->SetText(languageText(pair.text));
        pair.value->SetFont(font);
        pair.value->SetBaseHeight(25);
        pair.value->SetTextColor(valueColour);
    }
}

void Widget::styleResetButton()
{
    LxClientToolButton *reset = ui->m_toolBtnReset;
    reset->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    reset->SetIcon(QStringLiteral(":/res/darkgreen/png/faceID/updateGroup.svg"));
    reset->SetFont(kitFont(13, 50));
    reset->setText(languageText(TextId::Reset));
    reset->SetIconSize(QSizeF(20, 20));
    // As wide as its icon and word need at each scale, whatever the language.
    reset->SetBaseWidth(0);
    reset->SetBaseHeight(30);
}

void Widget::styleInputControls()
{
    const QList<IWidgetBase *> spinBoxes = {
        ui->m_dSpinBoxFocalLength,    ui->m_spinBoxPitchAngle,
        ui->m_spinBoxHorizontalAngle, ui->m_dSpinBoxTargetHeight,
        ui->m_dSpinBoxLanesWidth,     ui->m_spinBoxLanesNum,
        ui->m_spinBoxMinPixels,       ui->m_spinBoxMaxPixels,
        ui->m_dSpinBoxIpcHeight,      ui->m_dSpinBoxCaptureDistanceValue};
    for (IWidgetBase *box : spinBoxes) {
        box->SetBaseWidth(270);
        box->SetBaseHeight(35);
    }
    // The captions and results write numbers with a dot; so do the fields,
    // whatever the system's locale, so that one screen never mixes "8,00"
    // with "11.44m".
    for (QAbstractSpinBox *box : ui->scrollAreaWidgetContents->findChildren<QAbstractSpinBox *>())
        box->setLocale(QLocale::c());
    ui->m_spinBoxHorizontalAngle->setEnabled(false);
}

void Widget::styleComboBoxes()
{
    const auto style = [](LxClientBaseComboBox *combo) {
        combo->SetBaseWidth(270);
        combo->SetBaseHeight(35);
        combo->SetEditable(false);
        combo->SetBorderMetrics(1, 2, 20);
        combo->SetColors(QColor(GetColor(85)), QColor(GetColor(85)), QColor(GetColor(4)),
                         QColor(GetColor(0)));
    };

    style(ui->m_comboModel);
    // Filling the empty list makes its first item current, which applies the
    // person scenario through the by-name slot.
    ui->m_comboModel->addItems({languageText(TextId::ScenarioPerson),
                                languageText(TextId::ScenarioLanes),
                                languageText(TextId::ScenarioCapture)});

    style(ui->m_comboResolution);
    QStringList resolutions;
    for (int i = 0; i < ui->m_comboResolution->count(); ++i)
        resolutions << ui->m_comboResolution->itemText(i);
    // The list takes over only the proxy; both models go with the panel.
    auto *source = new QStringListModel(resolutions, this);
    auto *proxy = new customProxyModel(this);
    proxy->setSourceModel(source);
    proxy->setDynamicSortFilter(true);
    proxy->sort(0, Qt::AscendingOrder);
    ui->m_comboResolution->setModel(proxy);
    ui->m_comboResolution->setCurrentIndex(0);

    style(ui->m_comboInstallModel);
    ui->m_comboInstallModel->addItems(
        {languageText(TextId::InstallModeStraight), languageText(TextId::InstallModeTurned)});

    QFont sensorFont = GetFont();
    sensorFont.setFamily(QStringLiteral("Bahnschrift Light"));
    sensorFont.setPixelSize(14);
    ui->m_comboSensorSize->SetFont(sensorFont);
    style(ui->m_comboSensorSize);
    ui->m_comboSensorSize->model()->sort(0, Qt::AscendingOrder);

    style(ui->m_comboLicensePlateType);
    ui->m_comboLicensePlateType->addItems({languageText(TextId::PlateType1),
                                           languageText(TextId::PlateType2),
                                           languageText(TextId::PlateType3)});
}

void Widget::styleCaptions()
{
    const QFont font = kitFont(13, 50);
    const struct {
        LxClientBaseLabel *label;
        qreal height;
        int text;
    } captions[] = {
        {ui->m_labModel, 20, TextId::ScenarioCaption},
        {ui->m_labLanesWidth, 20, TextId::LanesWidthCaption},
        {ui->m_labSensorSize, 20, TextId::SensorCaption},
        {ui->m_labFocalLength, 20, TextId::FocalLengthCaption},
        {ui->m_labInstallModel, 20, TextId::InstallModeCaption},
        {ui->m_labPitchAngle, 30, TextId::PitchAngleCaption},
        {ui->m_labHorizontAlangle, 30, TextId::HorizontalAngleCaption},
        {ui->m_labTargetHeight, 30, TextId::TargetHeightCaption},
        {ui->m_labLanesNum, 20, TextId::LanesNumCaption},
        {ui->m_labMinPixels, 30, TextId::MinFacePixels},
        {ui->m_labMaxPixels, 30, TextId::MaxFacePixels},
        {ui->m_labResolution, 20, TextId::ResolutionCaption},
        {ui->m_labIpcHeightTips, 60, TextId::PoleHeightCaption},
        {ui->m_labLicensePlateType, 20, TextId::PlateTypeCaption},
        {ui->m_labCaptureDistance, 30, TextId::CaptureDistanceCaption},
    };
    for (const auto &caption : captions)
        styleLabel(caption.label, caption.height, font, captionColour, languageText(caption.text));
}

void Widget::styleExportButton()
{
    LxClientIconPushBtn *button = ui->m_btnExport;
    button->SetFont(kitFont(13, 75));
    button->SetBackgroundColors(exportColour, exportHoverColour, exportHoverColour,
                                exportHoverColour);
    button->SetTextColors(Qt::white, Qt::white, Qt::white, QColor(GetColor(6)));
    button->SetBaseWidth(150);
    button->setText(languageText(TextId::ExportReport));
}

void Widget::styleMessagePopup()
{
    LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
    popup->SetTitleBarColors(QColor(46, 58, 77, 255), accentColour);
    popup->SetBackgroundColor(Qt::white);
    popup->SetTextColor(Qt::black);
    popup->SetKeepClear(ui->scrollArea);
}

void Widget::connectControls()
{
    connect(ui->m_dSpinBoxIpcHeight, SIGNAL(valueChanged(double)), this, SLOT(updateScene()));
    connect(ui->m_spinBoxPitchAngle, SIGNAL(valueChanged(int)), this, SLOT(updateScene()));
    connect(ui->m_comboSensorSize, SIGNAL(currentIndexChanged(int)), this, SLOT(initScene()));
    connect(ui->m_dSpinBoxFocalLength, SIGNAL(valueChanged(double)), this, SLOT(updateScene()));
    connect(ui->m_dSpinBoxTargetHeight, SIGNAL(valueChanged(double)), this, SLOT(updateScene()));
    connect(ui->m_painterWidget,
            SIGNAL(RangeValueSignal(qreal, qreal, qreal, qreal, qreal, qreal, qreal, qreal)), this,
            SLOT(updateRangeValue(qreal, qreal, qreal, qreal, qreal, qreal, qreal, qreal)));
    connect(ui->m_painterWidget, SIGNAL(error(QString)), this, SLOT(showError(QString)));
    connect(ui->m_spinBoxHorizontalAngle, SIGNAL(valueChanged(int)), this, SLOT(updateScene()));
    connect(ui->m_spinBoxLanesNum, SIGNAL(valueChanged(int)), this, SLOT(updateScene()));
    connect(ui->m_dSpinBoxLanesWidth, SIGNAL(valueChanged(double)), this, SLOT(updateScene()));
    connect(ui->m_comboLicensePlateType, SIGNAL(currentIndexChanged(int)), this,
            SLOT(updateScene()));
    connect(ui->m_comboModel, SIGNAL(currentIndexChanged(int)), this, SLOT(initScene()));
    connect(ui->m_toolBtnReset, SIGNAL(clicked(bool)), this, SLOT(initScene()));
    connect(ui->m_dSpinBoxCaptureDistanceValue, SIGNAL(valueChanged(double)), this,
            SLOT(updateScene()));

    // The pixel limits never cross: a value past the other limit steps back
    // one pixel, and that change runs the rule again until the two meet.
    connect(ui->m_spinBoxMinPixels, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this](int value) {
                if (value > ui->m_spinBoxMaxPixels->value())
                    ui->m_spinBoxMinPixels->setValue(value - 1);
                updateScene();
            });
    connect(ui->m_spinBoxMaxPixels, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this](int value) {
                if (value < ui->m_spinBoxMinPixels->value())
                    ui->m_spinBoxMaxPixels->setValue(value + 1);
                updateScene();
            });
    connect(ui->m_comboInstallModel, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) {
                ui->m_spinBoxHorizontalAngle->setEnabled(index == 1);
                if (index == 0)
                    ui->m_spinBoxHorizontalAngle->setValue(0);
                initScene();
            });
    connect(ui->m_menuBar, &customMenuBar::aboutReq, this, &Widget::showAbout);
    connect(LxClientMsgPopup::GetInstance(), &QDialog::finished, this, [this](int) {
        if (m_resultPopupOpen)
            m_resultPopupOpen = false;
    });
    // No pixel limit can exceed the picture's height.
    connect(ui->m_comboResolution, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int) {
                int width = 0;
                int height = 0;
                if (ListTexts::resolution(ui->m_comboResolution->currentText(), &width, &height)) {
                    const int cap = qMin(height, PixelCap);
                    ui->m_spinBoxMaxPixels->setMaximum(cap);
                    ui->m_spinBoxMinPixels->setMaximum(cap);
                }
                updateScene();
            });
    connect(ui->m_painterWidget, &painterWidget::IdentificationPixelValue, this,
            [this](const QString &plate, const QString &vehicle, const QString &face,
                   const QString &person) {
                m_pixelsReported = true;
                ui->m_labLicensePlateValue->SetText(plate);
                ui->m_labVehicleValue->SetText(vehicle);
                ui->m_labHumanFaceValue->SetText(face);
                ui->m_labHumanValue->SetText(person);
            });
    // Remembered for the next start as well as in the title bar's own store.
    connect(ui->m_menuBar, &customMenuBar::languageChosen, this,
            [](const QString &code) { StartupSettings::rememberLanguage(code); });
}

void Widget::on_m_btnExport_clicked()
{
    // A window of the desktop over the one the user sees, not an item of the
    // host's scene, so the window system draws it and its questions.
    QFileDialog dialog(HostWindow(this), languageText(TextId::ExportReport),
                       QCoreApplication::applicationDirPath(), tr("(*.xlsx);;(*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix takes the chosen filter's, before the
    // dialog asks whether to replace a file of that name.
    const auto takeSuffix = [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(ReportFormat::suffixOfFilter(filter));
    };
    connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
    takeSuffix(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportReport(dialog.selectedFiles().constFirst(), dialog.defaultSuffix());
}

void Widget::exportReport(const QString &fileName, const QString &defaultSuffix)
{
    const QString name = ReportFormat::withSuffix(fileName, defaultSuffix);
    // Known before the scene is grabbed for a report that is not written.
    if (ReportFormat::of(name) == ReportFormat::Unknown) {
        showExportResult(false, ReportExport::notice(ReportExport::Outcome::UnknownSuffix));
        return;
    }
    QString reason;
    const ReportExport::Outcome outcome = ReportExport::write(reportContent(), name, &reason);
    if (outcome != ReportExport::Outcome::Written)
        qWarning().noquote() << reason;
    showExportResult(outcome == ReportExport::Outcome::Written, ReportExport::notice(outcome));
}

// The report holds what the panel shows right now: the labels' full texts,
// the lists' current items, the fields' values and a fresh picture of the
// scene. Grabbing repaints the scene, which reports its results once more.
ReportContent Widget::reportContent()
{
    const auto shown = [](const LxClientBaseLabel *caption, const LxClientBaseLabel *value) {
        return ReportItem{caption->GetText(), value->GetText()};
    };
    const auto listed = [](const LxClientBaseLabel *caption, const QComboBox *list) {
        return ReportItem{caption->GetText(), list->currentText()};
    };
    const auto counted = [](const QString &caption, const QSpinBox *field) {
        return ReportItem{caption, QString::number(field->value())};
    };
    const auto measured = [](const QString &caption, const QDoubleSpinBox *field) {
        return ReportItem{caption, field->value()};
    };
    const bool person = m_sceneParams.scenario == Scenario::Person;

    ReportContent report;
    report.scenario = m_sceneParams.scenario;
    report.title = languageText(TextId::ReportTitle);
    report.model = listed(ui->m_labModel, ui->m_comboModel);
    report.sensor = listed(ui->m_labSensorSize, ui->m_comboSensorSize);
    report.poleHeight = measured(languageText(TextId::ReportPoleHeight), ui->m_dSpinBoxIpcHeight);
    report.focalLength =
        measured(languageText(TextId::ReportFocalLength), ui->m_dSpinBoxFocalLength);
    report.pitch = counted(languageText(TextId::PitchCaption), ui->m_spinBoxPitchAngle);
    report.resolution = listed(ui->m_labResolution, ui->m_comboResolution);
    report.targetHeight =
        measured(languageText(TextId::ReportTargetHeight), ui->m_dSpinBoxTargetHeight);
    report.minPixels =
        counted(languageText(person ? TextId::MinFacePixels : TextId::MinPlatePixels),
                ui->m_spinBoxMinPixels);
    report.maxPixels =
        counted(languageText(person ? TextId::MaxFacePixels : TextId::MaxPlatePixels),
                ui->m_spinBoxMaxPixels);
    report.installMode = listed(ui->m_labInstallModel, ui->m_comboInstallModel);
    report.horizontalAngle =
        counted(ui->m_labHorizontAlangle->GetText(), ui->m_spinBoxHorizontalAngle);
    report.lanesNum = counted(ui->m_labLanesNum->GetText(), ui->m_spinBoxLanesNum);
    report.lanesWidth = measured(ui->m_labLanesWidth->GetText(), ui->m_dSpinBoxLanesWidth);
    report.plateType = listed(ui->m_labLicensePlateType, ui->m_comboLicensePlateType);
    report.captureDistance =
        measured(languageText(TextId::CaptureDistanceCaption), ui->m_dSpinBoxCaptureDistanceValue);
    report.picture = ui->m_painterWidget->grab(QRect(QPoint(0, 0), QSize(-1, -1))).toImage();
    // The results after that last repaint.
    report.detectionWidth = shown(ui->m_labW23, ui->m_labW23Size);
    report.detectionRange = shown(ui->m_labL23, ui->m_labL23Size);
    report.nearEdge = shown(ui->m_labL1, ui->m_labL1Size);
    report.pictureWidth = shown(ui->m_labIpcScreenWidth, ui->m_labIpcScreenWidthValue);
    report.farEdge = shown(ui->m_labL2, ui->m_labL2Size);
    report.platePixels = shown(ui->m_labLicensePlate, ui->m_labLicensePlateValue);
    report.vehiclePixels = shown(ui->m_labVehicle, ui->m_labVehicleValue);
    report.facePixels = shown(ui->m_labHumanFace, ui->m_labHumanFaceValue);
    report.personPixels = shown(ui->m_labHuman, ui->m_labHumanValue);
    report.warning = m_planWarning;
    return report;
}

void Widget::showExportResult(bool ok, const QString &text)
{
    LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
    const QString image = ok ? QStringLiteral("common/CustomDialog/success")
                             : QStringLiteral("common/CustomDialog/failed");
    popup->SetImage(GetResourcePath(image, Png, true));
    popup->SetText(text);
    popup->SetCloseButtonVisible(true);
    popup->SetShowSeconds(5);
    popup->ShowPopup();
    // Set after showing: showing first closes an error notice that may be
    // open, and that close must not end the result's protection at once.
    m_resultPopupOpen = true;
}

void Widget::on_m_comboModel_currentIndexChanged(QString arg1)
{
    const qint32 scenario = ListTexts::scenario(arg1);
    const bool person = scenario == Scenario::Person;
    const bool lanes = scenario == Scenario::Lanes;
    const bool capture = scenario == Scenario::Capture;

    const struct {
        QList<QWidget *> widgets;
        bool visible;
    } rows[] = {
        {{ui->m_labIpcScreenWidth, ui->m_labIpcScreenWidthValue, ui->m_labL2, ui->m_labL2Size},
         capture},
        {{ui->m_labL23, ui->m_labL23Size, ui->m_labW23, ui->m_labW23Size}, !capture},
        {{ui->m_labLicensePlate, ui->m_labLicensePlateValue, ui->m_labVehicle,
          ui->m_labVehicleValue, ui->m_labHumanFace, ui->m_labHumanFaceValue, ui->m_labHuman,
          ui->m_labHumanValue},
         capture},
        {{ui->m_labInstallModel, ui->m_comboInstallModel, ui->m_labHorizontAlangle,
          ui->m_spinBoxHorizontalAngle},
         lanes},
        {{ui->m_labTargetHeight, ui->m_dSpinBoxTargetHeight}, !lanes},
        {{ui->m_labCaptureDistance, ui->m_dSpinBoxCaptureDistanceValue}, capture},
        {{ui->m_labLanesNum, ui->m_spinBoxLanesNum, ui->m_labLanesWidth, ui->m_dSpinBoxLanesWidth},
         lanes},
        {{ui->m_labLicensePlateType, ui->m_comboLicensePlateType}, !person},
        {{ui->m_labMinPixels, ui->m_spinBoxMinPixels, ui->m_labMaxPixels, ui->m_spinBoxMaxPixels},
         !capture},
    };
    for (const auto &row : rows) {
        for (QWidget *widget : row.widgets)
            widget->setVisible(row.visible);
    }

    ui->m_labMinPixels->SetText(
        languageText(person ? TextId::MinFacePixels : TextId::MinPlatePixels));
    ui->m_labMaxPixels->SetText(
        languageText(person ? TextId::MaxFacePixels : TextId::MaxPlatePixels));
    ui->m_labIpcHeightTips->SetText(
        languageText(person ? TextId::PoleHeightPersonCaption : TextId::PoleHeightCaption));

    for (QSpacerItem *spacer : {ui->spacerIpcScreenWidth, ui->spacerL2, ui->spacerLicensePlate,
                                ui->spacerVehicle, ui->spacerHumanFace})
        setSpacer(spacer, capture);
    for (QSpacerItem *spacer : {ui->spacerL23, ui->spacerW23})
        setSpacer(spacer, !capture);
    ui->horizontalLayout_3->update();
}

// Each change runs its control's rules at once; only the pixel limits are set
// in silence, so they cannot correct each other on the way.
void Widget::initScene()
{
    const SceneParams preset = RecordFields::presets();
    const auto select = [](QComboBox *list, const QString &text) {
        list->setCurrentIndex(qMax(0, list->findText(text)));
    };
    ui->m_dSpinBoxFocalLength->setValue(preset.focalLength);
    ui->m_spinBoxPitchAngle->setValue(preset.pitchAngle);
    ui->m_dSpinBoxTargetHeight->setValue(preset.targetHeight);
    select(ui->m_comboResolution,
           ListTexts::resolutionText(preset.resolutionWidth, preset.resolutionHeight));
    ui->m_dSpinBoxIpcHeight->setValue(preset.ipcHeight);
    ui->m_spinBoxLanesNum->setValue(preset.lanesNum);
    ui->m_dSpinBoxLanesWidth->setValue(preset.lanesWidth);
    select(ui->m_comboLicensePlateType, ListTexts::plateTypeText(preset.plateType));

    const bool minBlocked = ui->m_spinBoxMinPixels->blockSignals(true);
    const bool maxBlocked = ui->m_spinBoxMaxPixels->blockSignals(true);
    ui->m_spinBoxMinPixels->setValue(preset.minPixels);
    ui->m_spinBoxMaxPixels->setValue(preset.maxPixels);
    ui->m_spinBoxMaxPixels->setMaximum(PixelCap);
    ui->m_spinBoxMinPixels->setMaximum(PixelCap);
    ui->m_dSpinBoxCaptureDistanceValue->setValue(preset.captureDistance);
    ui->m_spinBoxMinPixels->blockSignals(minBlocked);
    ui->m_spinBoxMaxPixels->blockSignals(maxBlocked);

    if (ui->m_comboInstallModel->currentIndex() == 1)
        ui->m_spinBoxHorizontalAngle->setValue(preset.horizontalAngle);
    updateScene();
}

void Widget::updateScene()
{
    SceneParams params;
    params.resolutionWidth = 0;
    params.resolutionHeight = 0;
    params.sensorWidth = 0.0;
    params.sensorHeight = 0.0;

    params.scenario = ListTexts::scenario(ui->m_comboModel->currentText());
    params.pitchAngle = ui->m_spinBoxPitchAngle->value();
    params.horizontalAngle = ui->m_spinBoxHorizontalAngle->value();
    params.minPixels = ui->m_spinBoxMinPixels->value();
    params.lanesNum = ui->m_spinBoxLanesNum->value();
    params.maxPixels = ui->m_spinBoxMaxPixels->value();
    params.focalLength = ui->m_dSpinBoxFocalLength->value();
    params.targetHeight = ui->m_dSpinBoxTargetHeight->value();
    params.ipcHeight = ui->m_dSpinBoxIpcHeight->value();
    params.lanesWidth = ui->m_dSpinBoxLanesWidth->value();
    params.plateType = ListTexts::plateType(ui->m_comboLicensePlateType->currentText());
    params.horizontalMount = ListTexts::horizontalMount(ui->m_comboInstallModel->currentText());
    params.captureDistance = ui->m_dSpinBoxCaptureDistanceValue->value();

    int width = 0;
    int height = 0;
    ListTexts::resolution(ui->m_comboResolution->currentText(), &width, &height);
    params.resolutionWidth = width;
    params.resolutionHeight = height;

    const auto sensor = m_sensorSizeMap.constFind(ui->m_comboSensorSize->currentText());
    if (sensor != m_sensorSizeMap.constEnd() && sensor->size() >= 2) {
        params.sensorWidth = sensor->at(0);
        params.sensorHeight = sensor->at(1);
    }

    m_sceneParams = params;
    ui->m_painterWidget->setSceneParams(params);
}

void Widget::updateRangeValue(qreal L1, qreal W1, qreal L2, qreal W2, qreal L3, qreal W3, qreal L4,
                              qreal W4)
{
    m_rangeReported = true;
    const ResultTexts texts(L1, W1, L2, W2, L3, W3, L4, W4);
    ui->m_labIpcScreenWidthValue->SetText(texts.pictureWidth());
    ui->m_labL2Size->SetText(texts.farEdge());
    ui->m_labL1Size->SetText(texts.nearEdge());
    ui->m_labL23Size->SetText(texts.detectionRange());
    ui->m_labW23Size->SetText(texts.detectionWidth());
}

// Numbers the scene did not send in this repaint belong to earlier settings;
// showing or exporting them as the plan's would mislead.
void Widget::blankUnreportedResults()
{
    const QString none = ResultTexts::none();
    if (!m_rangeReported) {
        for (LxClientBaseLabel *label : {ui->m_labIpcScreenWidthValue, ui->m_labL2Size,
                                         ui->m_labL1Size, ui->m_labL23Size, ui->m_labW23Size})
            label->SetText(none);
    }
    if (!m_pixelsReported) {
        for (LxClientBaseLabel *label : {ui->m_labLicensePlateValue, ui->m_labVehicleValue,
                                         ui->m_labHumanFaceValue, ui->m_labHumanValue})
            label->SetText(none);
    }
}

// The scene reports its error last in every repaint, after the results it
// had, so this is where one repaint's report is complete.
void Widget::showError(QString error)
{
    blankUnreportedResults();
    // An error beside a result is a warning about that result, such as a
    // band cut to the picture; the report carries it.
    m_planWarning = m_rangeReported ? error : QString();
    m_rangeReported = false;
    m_pixelsReported = false;

    if (m_resultPopupOpen)
        return;
    LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
    if (error.isEmpty()) {
        popup->ClosePopup();
        return;
    }
    // The same notice stays as it is; another one takes its place.
    if (popup->isVisible() && popup->GetText() == error)
        return;
    popup->SetCloseButtonVisible(false);
    popup->SetShowSeconds(0);
    popup->SetImage(GetResourcePath(QStringLiteral("common/CustomDialog/failed"), Png, true));
    popup->SetText(error);
    popup->ShowPopup();
}

void Widget::showAbout()
{
    if (m_aboutWidget->isHidden())
        m_aboutWidget->show();
}

void Widget::SetScale(qreal scale)
{
    qDebug() << "Widget::SetScale" << scale;
    setMinimumSize(RoundedLength(m_baseMinSize.width() * scale),
                   RoundedLength(m_baseMinSize.height() * scale));
    ui->scrollArea->setMinimumWidth(TruncatedLength(m_baseScrollMinWidth * scale));

    QList<QWidget *> widgets = findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    widgets += ui->scrollAreaWidgetContents->findChildren<QWidget *>(QString(),
                                                                     Qt::FindDirectChildrenOnly);
    widgets += ui->scrollArea->verticalScrollBar();
    for (QWidget *widget : qAsConst(widgets)) {
        if (!widget->inherits("IWidgetBase"))
            continue;
        if (IWidgetBase *kit = qobject_cast<IWidgetBase *>(widget)) {
            kit->SetScale(scale);
            qDebug() << widget->objectName() << widget->size();
        }
    }
}

void Widget::moveEvent(QMoveEvent *event)
{
    const qreal scale = GetScreenScale(this);
    if (qAbs(scale) > 1e-12 && !qFuzzyCompare(scale, m_scale)) {
        m_scale = scale;
        SetScale(scale);
    }
    QWidget::moveEvent(event);
}

void Widget::closeEvent(QCloseEvent *event)
{
    m_aboutWidget->hide();
    event->accept();
}

void Widget::setRegionCursor(int region)
{
    // Edge cursors are shown as an override while the mouse is on a drag edge
    // or dragging; anywhere else the widgets' own cursors (such as the text
    // cursor in the fields) show again.
    if (!EdgeRegion::startsDrag(region)) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    const Qt::CursorShape shape = EdgeRegion::cursor(region);
    const QCursor *current = QGuiApplication::overrideCursor();
    if (!current)
        QGuiApplication::setOverrideCursor(QCursor(shape));
    else if (current->shape() != shape)
        QGuiApplication::changeOverrideCursor(QCursor(shape));
}

bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    // Only the panel and what it contains matter here; the about window and
    // the message pop-up keep their own cursors and wheel.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    // Positions are taken in the panel's own coordinates: a press or move
    // over a child arrives in that child's coordinates.
    case QEvent::MouseButtonPress: {
        const QPoint pos = widget->mapTo(this, static_cast<QMouseEvent *>(event)->pos());
        m_resizeRegion = EdgeRegion::at(pos, size());
        if (EdgeRegion::startsDrag(m_resizeRegion)) {
            m_pressPos = pos;
            m_resizing = true;
            setRegionCursor(m_resizeRegion);
            // Taken, so the press is accepted and the moves keep coming here
            // when the pointer leaves the window as it outgrows it.
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        const QPoint pos = widget->mapTo(this, static_cast<QMouseEvent *>(event)->pos());
        if (m_resizing) {
            const QPoint delta = pos - m_pressPos;
            if (qAbs(delta.x()) > DragDeadZone || qAbs(delta.y()) > DragDeadZone) {
                QRect rect = geometry();
                const bool horizontal = m_resizeRegion == EdgeRegion::Right ||
                                        m_resizeRegion == EdgeRegion::BottomRight;
                const bool vertical = m_resizeRegion == EdgeRegion::Bottom ||
                                      m_resizeRegion == EdgeRegion::BottomRight;
                if (horizontal && rect.width() + delta.x() >= minimumWidth()) {
                    rect.setWidth(rect.width() + delta.x());
                    m_pressPos.rx() += delta.x();
                }
                if (vertical && rect.height() + delta.y() >= minimumHeight()) {
                    rect.setHeight(rect.height() + delta.y());
                    m_pressPos.ry() += delta.y();
                }
                setGeometry(rect);
                update();
            }
        } else {
            m_resizeRegion = EdgeRegion::at(pos, size());
            setRegionCursor(m_resizeRegion);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_resizing) {
            m_resizing = false;
            m_pressPos = QPoint(0, 0);
            m_resizeRegion = EdgeRegion::None;
            setRegionCursor(EdgeRegion::None);
        }
        break;
    case QEvent::Wheel:
        if (isInputControl(watched)) {
            // The column scrolls through its viewport, which takes the
            // wheel for the scroll area.
            QCoreApplication::sendEvent(ui->scrollArea->viewport(), event);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
