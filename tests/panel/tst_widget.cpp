#include "colourcontrast.h"
#include "custommenubar.h"
#include "customproxymodel.h"
#include "languagetable.h"
#include "lxclientmsgpopup.h"
#include "recordfields.h"
#include "textid.h"
#include "widget.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDoubleSpinBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The planning panel driven as a user drives it: lists, presets, the rules
// between controls, what each scenario shows, the results and the error
// notice after real repaints, edge dragging, the wheel and scaling.
class tst_Widget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listOrders();
    void lessThan_data();
    void lessThan();
    void presetsReturn_data();
    void presetsReturn();
    void pixelLimitsNeverCross_data();
    void pixelLimitsNeverCross();
    void resolutionCapsPixelLimits_data();
    void resolutionCapsPixelLimits();
    void scenarioShowsItsControls_data();
    void scenarioShowsItsControls();
    void unboundedFarEdge();
    void errorNoticeFollowsRepaints();
    void resultsReadable();
    void edgeDrag_data();
    void edgeDrag();
    void wheelScrollsColumn();
    void scaleGrowsMinimum();
    void pickedLanguageStartsNextTime();
    void exportWritesWhatPanelShows_data();
    void exportWritesWhatPanelShows();
    void reportMatchesCalculator_data();
    void reportMatchesCalculator();
    void exportSuffixChoosesWriter_data();
    void exportSuffixChoosesWriter();
    void exportResultHoldsOffErrors();
    void failedExportSaysSo();

private:
    template <typename T> T *find(const char *name) const
    {
        T *child = m_panel->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no %s", name);
        return child;
    }
    void selectScenario(int index);
    bool waitForRepaint();
    // What a Python script prints, without the last line end.
    static QString runPython(const char *script, const QStringList &arguments);

    std::unique_ptr<Widget> m_panel;
};

namespace
{

QString languageFile(const QString &code)
{
    return QCoreApplication::applicationDirPath() + "/language/" + code + ".xml";
}

QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

class LessThanProbe : public customProxyModel
{
public:
    using customProxyModel::lessThan;
};

} // namespace

void tst_Widget::init()
{
    // The panel releases the table when it goes, as it does in the program.
    loadLanguageTable(languageFile("ENU"));
    QCOMPARE(currentLanguageTable()->count, int(TextId::Count));
    m_panel = std::make_unique<Widget>();
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void tst_Widget::cleanup()
{
    LxClientMsgPopup::GetInstance()->ClosePopup();
    m_panel.reset();
}

void tst_Widget::selectScenario(int index)
{
    find<QComboBox>("m_comboModel")->setCurrentIndex(index);
}

// The scene reports after its next repaint, not when the record changes.
bool tst_Widget::waitForRepaint()
{
    QWidget *scene = find<QWidget>("m_painterWidget");
    QSignalSpy reported(scene, SIGNAL(error(QString)));
    scene->update();
    return reported.wait(2000);
}

QString tst_Widget::runPython(const char *script, const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral(FENWARDE_PYTHON), QStringList{"-c", script} + arguments);
    if (!python.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

void tst_Widget::listOrders()
{
    const auto *sensor = find<QComboBox>("m_comboSensorSize");
    QCOMPARE(itemTexts(sensor), (QStringList{"1/1.8''", "1/2.7''", "1/2.8''", "1/3''"}));
    QCOMPARE(sensor->currentText(), QStringLiteral("1/3''"));

    const QStringList resolutions = itemTexts(find<QComboBox>("m_comboResolution"));
    QCOMPARE(resolutions.size(), 11);
    QCOMPARE(resolutions.first(), QStringLiteral("3840 * 2160"));
    QCOMPARE(resolutions.last(), QStringLiteral("1280 * 720"));
    QVERIFY(resolutions.indexOf("2592 * 1944") + 1 == resolutions.indexOf("2592 * 1520"));
    QCOMPARE(find<QComboBox>("m_comboResolution")->currentText(), QStringLiteral("3840 * 2160"));
}

void tst_Widget::lessThan_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("less");
    QTest::newRow("wider first") << "2560 * 1440"
                                 << "2304 * 1296" << true;
    QTest::newRow("narrower later") << "2304 * 1296"
                                    << "2560 * 1440" << false;
    QTest::newRow("same width, lower later") << "1280 * 720"
                                             << "1280 * 960" << false;
    QTest::newRow("same width, taller first") << "1280 * 960"
                                              << "1280 * 720" << true;
    QTest::newRow("identical") << "1920 * 1080"
                               << "1920 * 1080" << false;
    QTest::newRow("no star") << "1920x1080"
                             << "3840 * 2160" << true;
    QTest::newRow("two stars") << "3840 * 2160"
                               << "1 * 2 * 3" << true;
    QTest::newRow("not a number reads 0") << "wide * 10"
                                          << "1 * 1" << false;
}

void tst_Widget::lessThan()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(bool, less);
    QStringListModel model({left, right});
    LessThanProbe probe;
    probe.setSourceModel(&model);
    QCOMPARE(probe.lessThan(model.index(0), model.index(1)), less);
}

void tst_Widget::presetsReturn_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("scenario") << "scenario";
    QTest::newRow("sensor") << "sensor";
    QTest::newRow("install mode") << "install";
    QTest::newRow("reset") << "reset";
}

// Whatever the user changed, these changes load the presets again but keep
// the scenario, sensor and install mode.
void tst_Widget::presetsReturn()
{
    QFETCH(QString, trigger);
    selectScenario(1);
    find<QDoubleSpinBox>("m_dSpinBoxFocalLength")->setValue(50);
    find<QSpinBox>("m_spinBoxPitchAngle")->setValue(30);
    find<QDoubleSpinBox>("m_dSpinBoxTargetHeight")->setValue(1.9);
    find<QComboBox>("m_comboResolution")->setCurrentIndex(10);
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(7);
    find<QSpinBox>("m_spinBoxLanesNum")->setValue(3);
    find<QDoubleSpinBox>("m_dSpinBoxLanesWidth")->setValue(5);
    find<QComboBox>("m_comboLicensePlateType")->setCurrentIndex(2);
    find<QSpinBox>("m_spinBoxMaxPixels")->setValue(600);
    find<QSpinBox>("m_spinBoxMinPixels")->setValue(500);
    find<QDoubleSpinBox>("m_dSpinBoxCaptureDistanceValue")->setValue(80);

    int scenario = 1;
    int sensor = 3;
    int install = 0;
    if (trigger == "scenario") {
        scenario = 2;
        selectScenario(scenario);
    } else if (trigger == "sensor") {
        sensor = 0;
        find<QComboBox>("m_comboSensorSize")->setCurrentIndex(sensor);
    } else if (trigger == "install") {
        install = 1;
        find<QComboBox>("m_comboInstallModel")->setCurrentIndex(install);
    } else {
        QTest::mouseClick(find<QWidget>("m_toolBtnReset"), Qt::LeftButton);
    }

    QCOMPARE(find<QDoubleSpinBox>("m_dSpinBoxFocalLength")->value(), 12.0);
    QCOMPARE(find<QSpinBox>("m_spinBoxPitchAngle")->value(), 10);
    QCOMPARE(find<QDoubleSpinBox>("m_dSpinBoxTargetHeight")->value(), 1.6);
    QCOMPARE(find<QComboBox>("m_comboResolution")->currentText(), QStringLiteral("3840 * 2160"));
    QCOMPARE(find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->value(), 2.5);
    QCOMPARE(find<QSpinBox>("m_spinBoxLanesNum")->value(), 1);
    QCOMPARE(find<QDoubleSpinBox>("m_dSpinBoxLanesWidth")->value(), 3.75);
    QCOMPARE(find<QComboBox>("m_comboLicensePlateType")->currentIndex(), 0);
    QCOMPARE(find<QSpinBox>("m_spinBoxMinPixels")->value(), 120);
    QCOMPARE(find<QSpinBox>("m_spinBoxMaxPixels")->value(), 320);
    QCOMPARE(find<QSpinBox>("m_spinBoxMaxPixels")->maximum(), 1080);
    QCOMPARE(find<QDoubleSpinBox>("m_dSpinBoxCaptureDistanceValue")->value(), 40.0);
    QCOMPARE(find<QComboBox>("m_comboModel")->currentIndex(), scenario);
    QCOMPARE(find<QComboBox>("m_comboSensorSize")->currentIndex(), sensor);
    QCOMPARE(find<QComboBox>("m_comboInstallModel")->currentIndex(), install);
    const auto *horizontal = find<QSpinBox>("m_spinBoxHorizontalAngle");
    QCOMPARE(horizontal->isEnabled(), install == 1);
    QCOMPARE(horizontal->value(), install == 1 ? 10 : 0);

    // The record the scene gets carries the presets too.
    const SceneParams &params = m_panel->sceneParams();
    QCOMPARE(params.focalLength, 12.0);
    QCOMPARE(params.resolutionWidth, 3840);
    QCOMPARE(params.sensorWidth, sensor == 0 ? 7.18 : 4.8);
    QCOMPARE(params.horizontalMount, install == 1);
}

void tst_Widget::pixelLimitsNeverCross_data()
{
    QTest::addColumn<bool>("changeMinimum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expectedMin");
    QTest::addColumn<int>("expectedMax");
    QTest::newRow("minimum above maximum") << true << 500 << 320 << 320;
    QTest::newRow("maximum below minimum") << false << 400 << 500 << 500;
    QTest::newRow("minimum below maximum") << true << 200 << 200 << 320;
}

void tst_Widget::pixelLimitsNeverCross()
{
    QFETCH(bool, changeMinimum);
    QFETCH(int, value);
    QFETCH(int, expectedMin);
    QFETCH(int, expectedMax);
    auto *minimum = find<QSpinBox>("m_spinBoxMinPixels");
    auto *maximum = find<QSpinBox>("m_spinBoxMaxPixels");
    if (!changeMinimum) {
        maximum->setValue(1080);
        minimum->setValue(500);
    }
    (changeMinimum ? minimum : maximum)->setValue(value);
    QCOMPARE(minimum->value(), expectedMin);
    QCOMPARE(maximum->value(), expectedMax);
    QCOMPARE(m_panel->sceneParams().minPixels, expectedMin);
    QCOMPARE(m_panel->sceneParams().maxPixels, expectedMax);
}

void tst_Widget::resolutionCapsPixelLimits_data()
{
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<int>("cap");
    QTest::newRow("720 lines") << "1280 * 720" << 720;
    QTest::newRow("960 lines") << "1280 * 960" << 960;
    QTest::newRow("1080 lines") << "1920 * 1080" << 1080;
    QTest::newRow("more than 1080") << "3840 * 2160" << 1080;
}

void tst_Widget::resolutionCapsPixelLimits()
{
    QFETCH(QString, resolution);
    QFETCH(int, cap);
    auto *minimum = find<QSpinBox>("m_spinBoxMinPixels");
    auto *maximum = find<QSpinBox>("m_spinBoxMaxPixels");
    auto *list = find<QComboBox>("m_comboResolution");
    list->setCurrentIndex(list->findText("2592 * 1944"));
    maximum->setValue(1050);
    minimum->setValue(1000);

    list->setCurrentIndex(list->findText(resolution));
    QCOMPARE(maximum->maximum(), cap);
    QCOMPARE(minimum->maximum(), cap);
    QCOMPARE(maximum->value(), qMin(1050, cap));
    QCOMPARE(minimum->value(), qMin(1000, cap));
    QCOMPARE(m_panel->sceneParams().maxPixels, qMin(1050, cap));
    QCOMPARE(m_panel->sceneParams().resolutionHeight, resolution.section('*', 1).toInt());
}

void tst_Widget::scenarioShowsItsControls_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<QStringList>("column");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("minCaption");

    const QStringList common{"m_comboModel", "m_comboSensorSize", "m_dSpinBoxFocalLength",
                             "m_spinBoxPitchAngle"};
    QTest::newRow("person") << 0
                            << common + QStringList{"m_dSpinBoxTargetHeight", "m_spinBoxMinPixels",
                                                    "m_spinBoxMaxPixels"}
                            << QStringList{"m_labL1", "m_labL23", "m_labW23"}
                            << "Minimum face pixels:";
    QTest::newRow("lanes") << 1
                           << common +
                                  QStringList{"m_comboInstallModel",     "m_spinBoxHorizontalAngle",
                                              "m_spinBoxLanesNum",       "m_dSpinBoxLanesWidth",
                                              "m_comboLicensePlateType", "m_spinBoxMinPixels",
                                              "m_spinBoxMaxPixels"}
                           << QStringList{"m_labL1", "m_labL23", "m_labW23"}
                           << "Minimum plate pixels:";
    QTest::newRow("capture") << 2
                             << common + QStringList{"m_dSpinBoxTargetHeight",
                                                     "m_dSpinBoxCaptureDistanceValue",
                                                     "m_comboLicensePlateType"}
                             << QStringList{"m_labIpcScreenWidth", "m_labL2",      "m_labL1",
                                            "m_labLicensePlate",   "m_labVehicle", "m_labHumanFace",
                                            "m_labHuman"}
                             << "Minimum plate pixels:";
}

// Resolution and pole height are in every scenario; the rest depends on it.
void tst_Widget::scenarioShowsItsControls()
{
    QFETCH(int, scenario);
    QFETCH(QStringList, column);
    QFETCH(QStringList, results);
    QFETCH(QString, minCaption);
    // From another scenario, so leftovers of the previous one would show.
    selectScenario((scenario + 1) % 3);
    selectScenario(scenario);

    QStringList shownControls;
    QStringList shownResults;
    const auto *contents = find<QWidget>("scrollAreaWidgetContents");
    for (QWidget *child : contents->findChildren<QWidget *>()) {
        const QString name = child->objectName();
        if (!name.startsWith("m_lab") && !name.startsWith("m_btn") &&
            !name.startsWith("m_toolBtn") && child->parentWidget() == contents &&
            child->isVisibleTo(m_panel.get()))
            shownControls << name;
    }
    for (QLabel *label : m_panel->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString name = label->objectName();
        if (!name.endsWith("Size") && !name.endsWith("Value") && !name.startsWith("m_labTip") &&
            label->isVisibleTo(m_panel.get()))
            shownResults << name;
    }
    column << "m_comboResolution"
           << "m_dSpinBoxIpcHeight";
    std::sort(column.begin(), column.end());
    std::sort(shownControls.begin(), shownControls.end());
    std::sort(results.begin(), results.end());
    std::sort(shownResults.begin(), shownResults.end());
    QCOMPARE(shownControls, column);
    QCOMPARE(shownResults, results);
    QCOMPARE(find<QLabel>("m_labMinPixels")->text(), minCaption);
}

// A far picture edge above the horizon shows as the unbounded text.
void tst_Widget::unboundedFarEdge()
{
    selectScenario(2);
    find<QSpinBox>("m_spinBoxPitchAngle")->setValue(0);
    QVERIFY(waitForRepaint());
    const QString unbounded = languageText(TextId::Unbounded);
    QCOMPARE(find<QLabel>("m_labL2Size")->text(), unbounded + "m");
    QVERIFY2(find<QLabel>("m_labIpcScreenWidthValue")->text().endsWith(" - " + unbounded + "m"),
             qPrintable(find<QLabel>("m_labIpcScreenWidthValue")->text()));
    QVERIFY(find<QLabel>("m_labL1Size")->text().endsWith("m"));
    QVERIFY(find<QLabel>("m_labLicensePlateValue")->text().endsWith("px"));
}

void tst_Widget::errorNoticeFollowsRepaints()
{
    LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
    QVERIFY(waitForRepaint());
    QVERIFY(!popup->isVisible());

    // A pole lower than the person leaves no band.
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(1.0);
    QVERIFY(waitForRepaint());
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->GetText(), languageText(TextId::ErrorNoBand));
    // No number of the plan before stays on show.
    const QRegularExpression results("(Size|Value)$");
    for (QLabel *label : m_panel->findChildren<QLabel *>(results, Qt::FindDirectChildrenOnly))
        QCOMPARE(label->text(), QStringLiteral("-"));

    // The same error keeps the notice as it is; another one replaces it.
    find<QDoubleSpinBox>("m_dSpinBoxTargetHeight")->setValue(3.0);
    QVERIFY(waitForRepaint());
    QCOMPARE(popup->GetText(), languageText(TextId::ErrorNoBand));
    find<QDoubleSpinBox>("m_dSpinBoxTargetHeight")->setValue(1.6);
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(4.0);
    QVERIFY(waitForRepaint());
    QCOMPARE(popup->GetText(), languageText(TextId::ErrorBandCut));
    find<QSpinBox>("m_spinBoxMaxPixels")->setValue(400);
    find<QSpinBox>("m_spinBoxMinPixels")->setValue(500);
    QVERIFY(waitForRepaint());
    QCOMPARE(popup->GetText(), languageText(TextId::ErrorNoBand));

    QTest::mouseClick(find<QWidget>("m_toolBtnReset"), Qt::LeftButton);
    QVERIFY(waitForRepaint());
    QVERIFY(!popup->isVisible());
    QVERIFY(find<QLabel>("m_labL23Size")->text().endsWith("m"));
}

// Measured on what the controls draw, at a scale where letters have solid
// strokes: text against the fill at the right end of the middle band.
void tst_Widget::resultsReadable()
{
    QVERIFY(waitForRepaint());
    m_panel->SetScale(3);
    for (const char *name : {"m_labL1Size", "m_btnExport"}) {
        const QWidget *control = find<QWidget>(name);
        const QRect box = control->geometry();
        const QImage image = control->parentWidget()
                                 ->grab(box.adjusted(0, box.height() / 3, 0, -box.height() / 3))
                                 .toImage();
        const int width = image.width();
        const QColor back = image.pixelColor(width - 1, 0);
        double best = 0;
        for (int i = 0; i < width * image.height(); ++i)
            best = std::max(best, contrast(image.pixelColor(i % width, i / width), back));
        QVERIFY2(best >= 4.5, name);
    }
}

void tst_Widget::edgeDrag_data()
{
    QTest::addColumn<QPoint>("pressFromCorner"); // from the bottom-right corner
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<QSize>("growth");
    QTest::newRow("right edge, 20 px") << QPoint(-3, -300) << QPoint(20, 0) << QSize(20, 0);
    QTest::newRow("right edge, 4 px") << QPoint(-3, -300) << QPoint(4, 0) << QSize(0, 0);
    QTest::newRow("right edge, narrower than minimum")
        << QPoint(-3, -300) << QPoint(-200, 0) << QSize(0, 0);
    QTest::newRow("bottom edge, 30 px") << QPoint(-600, -2) << QPoint(0, 30) << QSize(0, 30);
    QTest::newRow("corner, both ways") << QPoint(-2, -2) << QPoint(12, 8) << QSize(12, 8);
    QTest::newRow("left edge does not drag") << QPoint(-1350, -300) << QPoint(20, 0) << QSize();
}

void tst_Widget::edgeDrag()
{
    QFETCH(QPoint, pressFromCorner);
    QFETCH(QPoint, move);
    QFETCH(QSize, growth);
    m_panel->resize(1354, 720);
    const QSize before = m_panel->size();
    const QPoint press = QPoint(before.width(), before.height()) + pressFromCorner;

    const auto send = [this](QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, m_panel->mapToGlobal(pos), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(m_panel.get(), &event);
    };
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    if (growth.isValid())
        QVERIFY(QGuiApplication::overrideCursor());
    else
        QVERIFY(!QGuiApplication::overrideCursor());
    send(QEvent::MouseMove, press + move, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, press + move, Qt::NoButton);

    QCOMPARE(m_panel->size(), before + (growth.isValid() ? growth : QSize(0, 0)));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_Widget::wheelScrollsColumn()
{
    m_panel->resize(1354, 720);
    QVERIFY(waitForRepaint());
    auto *pitch = find<QSpinBox>("m_spinBoxPitchAngle");
    QScrollBar *bar = find<QScrollArea>("scrollArea")->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    const int before = bar->value();

    const QPoint at = pitch->rect().center();
    QWheelEvent wheel(at, pitch->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pitch, &wheel);
    QCOMPARE(pitch->value(), 10);
    QVERIFY(bar->value() > before);
}

void tst_Widget::scaleGrowsMinimum()
{
    m_panel->SetScale(1.5);
    QCOMPARE(m_panel->minimumSize(), QSize(1920, 1080));
    QCOMPARE(find<QWidget>("scrollArea")->minimumWidth(), 495);
    QCOMPARE(find<QWidget>("m_spinBoxPitchAngle")->width(), 405);
    m_panel->SetScale(1);
    QCOMPARE(m_panel->minimumSize(), QSize(1280, 720));
    QCOMPARE(find<QWidget>("m_spinBoxPitchAngle")->width(), 270);
}

// A language picked in the menu is what the program loads at its next start.
void tst_Widget::pickedLanguageStartsNextTime()
{
    QSettings startup("velmora", "Fenwarde");
    startup.remove("language");
    startup.sync();

    auto *bar = m_panel->findChild<customMenuBar *>("m_menuBar");
    QVERIFY(bar && bar->helpMenu() && bar->languageMenu());
    emit bar->helpMenu()->aboutToShow();
    QMenu *menu = bar->languageMenu();
    QAction *chinese = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == languageText(64))
            chinese = action;
    }
    QVERIFY(chinese);
    emit bar->helpMenu()->triggered(chinese);
    startup.sync();
    QCOMPARE(startup.value("language").toString(), QStringLiteral("CHS"));

    // The real program, in a folder where only the picked code names
    // something: it starts only if it takes the code from the store.
    QTemporaryDir app;
    QVERIFY(app.isValid());
    const QString copy = app.path() + "/fenwarde";
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/fenwarde", copy));
    QVERIFY(QDir(app.path()).mkpath("language/CHS.xml"));
    for (const QString &code : {QStringLiteral("CHS"), QStringLiteral("ENU")}) {
        startup.setValue("language", code);
        startup.sync();
        QProcess program;
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(copy, QStringList());
        QVERIFY(program.waitForStarted());
        if (code == "CHS") {
            // Started: its panel took the screen's scale, as its debug
            // output says, however slowly the machine runs.
            QByteArray said;
            QDeadlineTimer deadline(60000);
            while (!said.contains("Widget::SetScale") && !deadline.hasExpired() &&
                   (program.waitForReadyRead(1000) || program.state() == QProcess::Running))
                said += program.readAll();
            QVERIFY2(said.contains("Widget::SetScale"), said.constData());
            program.kill();
            program.waitForFinished();
        } else {
            QVERIFY(program.waitForFinished(60000));
            QCOMPARE(program.exitCode(), 1);
        }
    }
}

void tst_Widget::exportWritesWhatPanelShows_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<double>("poleHeight");
    QTest::addColumn<QString>("expected"); // cell=value pairs; numbers unquoted
    QTest::newRow("person") << 0 << 2.5
                            << "A1='Camera Installation Plan' merged='A1:H1' "
                               "A2='Mode:' B2='Person / face detection' H2=2.5 B3=12 "
                               "E3='Minimum face pixels:' F3='120' H3='320' "
                               "B4='3840 * 2160' F5='2.69m'";
    QTest::newRow("lanes") << 1 << 2.5
                           << "merged='A1:J1' B2='Vehicle lane detection' "
                              "F2='Facing along the road' G3='Minimum plate pixels:' "
                              "D4='1' F4=3.75 H5='Plate 0.52 m wide'";
    QTest::newRow("capture") << 2 << 2.5
                             << "merged='A1:H1' B5='Plate 0.52 m wide' H3=40 "
                                "G3='Capture point distance (L3):' F2=1.6";
    QTest::newRow("person, no band") << 0 << 1.5 << "H2=1.5 B5='-' D5='-' F5='-' A6=None";
    QTest::newRow("person, band cut") << 0 << 4.0 << "D5='7.16 - 15.82m' A6='%cut'";
}

// The spreadsheet carries the panel's own captions, list texts, field values
// (real fields as numbers, whole ones as text) and results.
void tst_Widget::exportWritesWhatPanelShows()
{
    QFETCH(int, scenario);
    QFETCH(double, poleHeight);
    QFETCH(QString, expected);
    expected.replace("%cut", languageText(TextId::ErrorBandCut));
    selectScenario(scenario);
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(poleHeight);
    QVERIFY(waitForRepaint());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("plan.xlsx");
    m_panel->exportReport(file);
    QVERIFY(QFile::exists(file));

    // Each expected cell is printed back in the same notation.
    const char *script = R"(
import sys, openpyxl
sheet = openpyxl.load_workbook(sys.argv[1]).active
out = []
for item in sys.argv[2:]:
    cell, _ = item.split('=', 1)
    if cell == 'merged':
        out.append("merged='%s'" % ' '.join(str(r) for r in sheet.merged_cells.ranges))
        continue
    value = sheet[cell].value
    out.append('%s=%s' % (cell, '%g' % value if isinstance(value, float) else repr(value)))
print(' '.join(out))
)";
    QStringList cells;
    for (const QString &item : expected.split(QRegularExpression(" (?=\\w+=)")))
        cells << item;
    QCOMPARE(runPython(script, QStringList{file} + cells), cells.join(' '));
}

void tst_Widget::reportMatchesCalculator_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<int>("installMode");
    QTest::newRow("person") << 0 << 0;
    QTest::newRow("lanes, turned") << 1 << 1;
    QTest::newRow("capture") << 2 << 0;
}

// The window fills its report from what it shows, fenwarde-calc from the
// record; for the same record both say the same, cell for cell.
void tst_Widget::reportMatchesCalculator()
{
    QFETCH(int, scenario);
    QFETCH(int, installMode);
    selectScenario(scenario);
    find<QComboBox>("m_comboInstallModel")->setCurrentIndex(installMode);
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(6);
    QVERIFY(waitForRepaint());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    m_panel->exportReport(dir.filePath("window.xlsx"));

    const SceneParams &params = m_panel->sceneParams();
    QJsonObject record;
    for (const RecordFields::Field &field : RecordFields::all()) {
        const QString name = QString::fromLatin1(field.name);
        if (field.boolMember)
            record[name] = params.*field.boolMember;
        else if (field.intMember)
            record[name] = params.*field.intMember;
        else
            record[name] = params.*field.doubleMember;
    }
    QProcess calc;
    calc.start(QCoreApplication::applicationDirPath() + "/fenwarde-calc",
               {"--report", dir.filePath("calc.xlsx")});
    calc.write(QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
    calc.closeWriteChannel();
    QVERIFY(calc.waitForFinished(60000));
    QCOMPARE(calc.exitCode(), 0);

    const char *script = R"(
import sys, openpyxl
for name in sys.argv[1:]:
    sheet = openpyxl.load_workbook(name).active
    print(sorted(str(r) for r in sheet.merged_cells.ranges))
    print([(c.coordinate, c.value) for row in sheet.iter_rows() for c in row if c.value])
)";
    const QStringList sheets =
        runPython(script, {dir.filePath("window.xlsx"), dir.filePath("calc.xlsx")}).split('\n');
    QCOMPARE(sheets.size(), 4);
    QVERIFY(sheets.at(1).contains(languageText(TextId::ReportTitle)));
    QCOMPARE(sheets.mid(2), sheets.mid(0, 2));
}

void tst_Widget::exportSuffixChoosesWriter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filterSuffix");
    QTest::addColumn<QString>("written"); // empty: nothing written, the notice says why
    QTest::newRow("upper-case pdf") << "plan.PDF"
                                    << "xlsx"
                                    << "plan.PDF";
    QTest::newRow("mixed-case xlsx") << "plan.XlSx"
                                     << "pdf"
                                     << "plan.XlSx";
    QTest::newRow("no suffix takes the filter's") << "plan"
                                                  << "xlsx"
                                                  << "plan.xlsx";
    QTest::newRow("trailing dot") << "plan."
                                  << "pdf"
                                  << "plan.pdf";
    QTest::newRow("other suffix") << "plan.txt"
                                  << "pdf" << QString();
    QTest::newRow("no suffix, no filter") << "plan" << QString() << QString();
}

// Nothing the user asks for is dropped in silence: a name either gets its
// writer or a notice that says which suffixes work.
void tst_Widget::exportSuffixChoosesWriter()
{
    QFETCH(QString, name);
    QFETCH(QString, filterSuffix);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    m_panel->exportReport(dir.filePath(name), filterSuffix);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
    QVERIFY(LxClientMsgPopup::GetInstance()->isVisible());
    QCOMPARE(LxClientMsgPopup::GetInstance()->GetText(),
             languageText(written.isEmpty() ? TextId::ReportSuffixNotice : TextId::ExportSuccess));
    if (!written.isEmpty()) {
        QFile file(dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4),
                 QByteArray(written.endsWith("PDF", Qt::CaseInsensitive) ? "%PDF" : "PK\x03\x04"));
    }
}

// While the export's result shows, the scene's errors wait; once it has
// closed, the next error shows again.
void tst_Widget::exportResultHoldsOffErrors()
{
    LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    m_panel->exportReport(dir.filePath("plan.pdf"));
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->GetText(), languageText(TextId::ExportSuccess));

    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(1.0);
    QVERIFY(waitForRepaint());
    QCOMPARE(popup->GetText(), languageText(TextId::ExportSuccess));
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(2.5);
    QVERIFY(waitForRepaint());
    QVERIFY(popup->isVisible());

    popup->ClosePopup();
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(1.0);
    QVERIFY(waitForRepaint());
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->GetText(), languageText(TextId::ErrorNoBand));
}

// A report that cannot be written is never announced as written, even when
// an error notice was open before.
void tst_Widget::failedExportSaysSo()
{
    find<QDoubleSpinBox>("m_dSpinBoxIpcHeight")->setValue(1.0);
    QVERIFY(waitForRepaint());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : {QStringLiteral("plan.xlsx"), QStringLiteral("plan.pdf")}) {
        m_panel->exportReport(dir.filePath("missing/" + name));
        QCOMPARE(LxClientMsgPopup::GetInstance()->GetText(), languageText(TextId::ExportFailure));
    }
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_MAIN(tst_Widget)
#include "tst_widget.moc"
