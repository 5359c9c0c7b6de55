#include "widget.h"
#include "ui_widget.h"

#include "aboutwidget.h"
#include "densityzonesaction.h"
#include "hostwindow.h"
#include "iwidgetbase.h"
#include "languagetable.h"
#include "listtexts.h"
#include "lxclientmsgpopup.h"
#include "lxclientscrollbar.h"
#include "paneleventfilter.h"
#include "panelrecord.h"
#include "panelreport.h"
#include "panelstyle.h"
#include "plancontroller.h"
#include "polelist.h"
#include "recordfields.h"
#include "reportdialog.h"
#include "reportexport.h"
#include "reportformat.h"
#include "resourcepath.h"
#include "resulttexts.h"
#include "scaledlength.h"
#include "scenarioview.h"
#include "screenscale.h"
#include "sensorformats.h"
#include "startupsettings.h"
#include "suggestdialog.h"
#include "textid.h"
#include "viewchecklines.h"

#include <QCloseEvent>
#include <QDebug>
#include <QMoveEvent>
#include <QScrollBar>

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);
    PanelStyle::apply(*ui, this);
    PanelRecord::applyRanges(*ui);
    PanelRecord::fillLists(*ui, this);
    ui->scrollArea->setVerticalScrollBar(new LxClientScrollBar(Qt::Vertical));

    for (const SensorFormat &format : sensorFormats())
        m_sensorSizeMap.insert(format.name, {format.width, format.height});

    m_aboutWidget = new aboutWidget;
    // Between the results and the scene, part of the header.
    m_viewChecks = new ViewCheckLines(this);
    ui->verticalLayout_3->insertWidget(ui->verticalLayout_3->indexOf(ui->m_painterWidget),
                                       m_viewChecks);
    m_viewChecks->follow(ui->m_painterWidget);
    on_m_comboModel_currentIndexChanged(languageText(TextId::ScenarioPerson));

    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_MouseTracking, true);
    m_events = std::make_unique<PanelEventFilter>(this, ui->scrollArea);

    initScene();
    connectControls();
    m_poles = new PoleList(this);
    m_poles->placeAbove(ui->horizontalLayout_6, ui->scrollArea);
    m_plan = new PlanController(this, m_poles, ui->m_menuBar);

    m_baseMinSize = minimumSize();
    m_baseScrollMinWidth = ui->scrollArea->minimumWidth();
}

Widget::~Widget()
{
    m_events.reset();
    m_aboutWidget->deleteLater();
    releaseLanguageTable();
    delete ui;
    m_sensorSizeMap.clear();
}

// Direct connections, in the order the panel has always made them.
void Widget::connectControls()
{
    const struct {
        QObject *sender;
        const char *signal;
        const char *slot;
    } links[] = {
        {ui->m_dSpinBoxIpcHeight, SIGNAL(valueChanged(double)), SLOT(updateScene())},
        {ui->m_spinBoxPitchAngle, SIGNAL(valueChanged(int)), SLOT(updateScene())},
        {ui->m_comboSensorSize, SIGNAL(currentIndexChanged(int)), SLOT(initScene())},
        {ui->m_dSpinBoxFocalLength, SIGNAL(valueChanged(double)), SLOT(updateScene())},
        {ui->m_dSpinBoxTargetHeight, SIGNAL(valueChanged(double)), SLOT(updateScene())},
        {ui->m_painterWidget,
         SIGNAL(RangeValueSignal(qreal, qreal, qreal, qreal, qreal, qreal, qreal, qreal)),
         SLOT(updateRangeValue(qreal, qreal, qreal, qreal, qreal, qreal, qreal, qreal))},
        {ui->m_painterWidget, SIGNAL(error(QString)), SLOT(showError(QString))},
        {ui->m_spinBoxHorizontalAngle, SIGNAL(valueChanged(int)), SLOT(updateScene())},
        {ui->m_spinBoxLanesNum, SIGNAL(valueChanged(int)), SLOT(updateScene())},
        {ui->m_dSpinBoxLanesWidth, SIGNAL(valueChanged(double)), SLOT(updateScene())},
        {ui->m_comboLicensePlateType, SIGNAL(currentIndexChanged(int)), SLOT(updateScene())},
        {ui->m_comboModel, SIGNAL(currentIndexChanged(int)), SLOT(initScene())},
        {ui->m_toolBtnReset, SIGNAL(clicked(bool)), SLOT(initScene())},
        {ui->m_dSpinBoxCaptureDistanceValue, SIGNAL(valueChanged(double)), SLOT(updateScene())},
    };
    for (const auto &link : links)
        connect(link.sender, link.signal, this, link.slot);
    connectRules();
}

// The rules between controls, and the answers to the title bar, the pop-up
// and the scene's pixel ranges.
void Widget::connectRules()
{
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
    connect(ui->m_toolBtnSuggest, &QToolButton::clicked, this, &Widget::showSuggestions);
    connect(ui->m_menuBar, &customMenuBar::aboutReq, this, &Widget::showAbout);
    const DensityZonesAction *zones = ui->m_menuBar->densityZones();
    ui->m_painterWidget->setDensityZones(zones->isChecked());
    connect(zones, &DensityZonesAction::toggled, ui->m_painterWidget,
            &painterWidget::setDensityZones);
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
                    const int cap = qMin(height, RecordFields::PixelCap);
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

// A chosen setting goes through the two controls, so their rules and the
// scene follow as for typed values.
void Widget::showSuggestions()
{
    auto *dialog = new SuggestDialog(m_sceneParams, ui->m_painterWidget->sceneResult(), m_scale,
                                     HostWindow(this));
    connect(dialog, &SuggestDialog::chosen, this, [this](double focalLength, int pitch) {
        ui->m_dSpinBoxFocalLength->setValue(focalLength);
        ui->m_spinBoxPitchAngle->setValue(pitch);
    });
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

SceneOptions Widget::sceneOptions() const
{
    SceneOptions options;
    options.densityZones = ui->m_painterWidget->densityZones();
    return options;
}

void Widget::loadRecord(const SceneParams &record)
{
    PanelRecord::load(*ui, record);
}

bool Widget::mayClose()
{
    return m_plan->mayClose();
}

void Widget::on_m_btnExport_clicked()
{
    bool wholeSite = false;
    const QString name = ReportDialog::ask(this, &wholeSite, m_plan->path());
    if (!name.isEmpty())
        exportReport(name, QString(), wholeSite);
}

void Widget::exportReport(const QString &fileName, const QString &defaultSuffix, bool wholeSite)
{
    const QString name = ReportFormat::withSuffix(fileName, defaultSuffix);
    // Known before the scene is grabbed for a report that is not written.
    if (ReportFormat::of(name) == ReportFormat::Unknown) {
        showExportResult(false, ReportExport::notice(ReportExport::Outcome::UnknownSuffix));
        return;
    }
    QString reason;
    const ReportExport::Outcome outcome =
        wholeSite ? m_plan->exportSite(name, &reason)
                  : ReportExport::write(PanelReport::content(*ui, m_sceneParams, m_planWarning),
                                        name, &reason);
    if (outcome != ReportExport::Outcome::Written)
        qWarning().noquote() << reason;
    showExportResult(outcome == ReportExport::Outcome::Written, ReportExport::notice(outcome));
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
    ScenarioView::show(*ui, ListTexts::scenario(arg1));
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
    ui->m_spinBoxMaxPixels->setMaximum(RecordFields::PixelCap);
    ui->m_spinBoxMinPixels->setMaximum(RecordFields::PixelCap);
    ui->m_dSpinBoxCaptureDistanceValue->setValue(preset.captureDistance);
    ui->m_spinBoxMinPixels->blockSignals(minBlocked);
    ui->m_spinBoxMaxPixels->blockSignals(maxBlocked);

    if (ui->m_comboInstallModel->currentIndex() == 1)
        ui->m_spinBoxHorizontalAngle->setValue(preset.horizontalAngle);
    updateScene();
}

void Widget::updateScene()
{
    m_sceneParams = PanelRecord::of(*ui, m_sensorSizeMap);
    ui->m_painterWidget->setSceneParams(m_sceneParams);
    emit recordChanged();
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
    if (!mayClose()) {
        event->ignore();
        return;
    }
    m_aboutWidget->hide();
    event->accept();
}
