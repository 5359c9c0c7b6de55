#include "custommenubar.h"
#include "densityzonesaction.h"
#include "languagetable.h"
#include "lxclientmsgpopup.h"
#include "painterwidget.h"
#include "suggestdialog.h"
#include "viewchecklines.h"
#include "widget.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

using Settings = QVector<QPair<QByteArray, double>>;
Q_DECLARE_METATYPE(Settings)

// The planning aids as a user meets them in the panel: the density zones'
// switch and the viewing-angle checks under the results.
class tst_PlanningAids : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void zonesSwitchRedrawsScene();
    void checksShown_data();
    void checksShown();
    void suggestionChosen_data();
    void suggestionChosen();

private:
    // Picks the scenario, then sets fields by name as a user types them.
    void plan(int scenario, const Settings &settings);
    bool waitForRepaint();
    // Opens the suggester, types the wish into its fields by name and searches.
    SuggestDialog *suggest(int scenario, const Settings &wish);

    std::unique_ptr<Widget> m_panel;
    painterWidget *m_scene = nullptr;
};

void tst_PlanningAids::init()
{
    loadLanguageTable(QCoreApplication::applicationDirPath() + "/language/ENU.xml");
    m_panel = std::make_unique<Widget>();
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    m_scene = m_panel->findChild<painterWidget *>(QStringLiteral("m_painterWidget"));
    QVERIFY(m_scene);
}

void tst_PlanningAids::cleanup()
{
    LxClientMsgPopup::GetInstance()->ClosePopup();
    m_panel.reset();
}

void tst_PlanningAids::plan(int scenario, const Settings &settings)
{
    m_panel->findChild<QComboBox *>(QStringLiteral("m_comboModel"))->setCurrentIndex(scenario);
    auto *resolution = m_panel->findChild<QComboBox *>(QStringLiteral("m_comboResolution"));
    resolution->setCurrentIndex(resolution->findText(QStringLiteral("1920 * 1080")));
    for (const auto &setting : settings) {
        QObject *field = m_panel->findChild<QObject *>(QString::fromLatin1(setting.first));
        QVERIFY2(field, setting.first.constData());
        field->setProperty("value", setting.second);
    }
}

bool tst_PlanningAids::waitForRepaint()
{
    QSignalSpy reported(m_scene, &painterWidget::error);
    m_scene->update();
    return reported.wait(2000);
}

void tst_PlanningAids::zonesSwitchRedrawsScene()
{
    QVERIFY(waitForRepaint());
    const QImage plain = m_scene->grab().toImage();
    QAction *zones = m_panel->findChild<customMenuBar *>()->densityZones()->action();
    QVERIFY(!zones->isChecked());
    zones->trigger();
    QVERIFY(waitForRepaint());
    QVERIFY(m_scene->grab().toImage() != plain);
    zones->trigger();
    QVERIFY(waitForRepaint());
    QCOMPARE(m_scene->grab().toImage(), plain);
}

void tst_PlanningAids::checksShown_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QStringList>("lines");
    const Settings camera{
        {"m_dSpinBoxFocalLength", 8}, {"m_spinBoxPitchAngle", 15}, {"m_dSpinBoxIpcHeight", 6}};
    // The band runs from L1 = 11.44 m to 15.62 m; the outer lanes' centres,
    // 5.625 m to the side, lie atan(5.625 / 11.44) = 26.2 degrees off the
    // axis at its near end, 19.8 at its far end, where a plate centre lies
    // atan(5.5 / 15.62) = 19.4 degrees down.
    QTest::newRow("lanes") << 1
                           << camera + Settings{{"m_spinBoxMinPixels", 100},
                                                {"m_spinBoxMaxPixels", 200},
                                                {"m_spinBoxLanesNum", 4},
                                                {"m_dSpinBoxLanesWidth", 3.75}}
                           << QStringList{"Plate at L2: lane 1: horizontal 26.2° > 20° (+6.2°); "
                                          "lane 4: horizontal 26.2° > 20° (+6.2°)",
                                          "Plate at L3: passes (vertical 19.4° ≤ 30°)"};
    // 12 m out: atan(5.5 / 12) = 24.6 degrees down to a plate centre,
    // atan(4.3 / 12) = 19.7 down to a face 1.7 m high.
    QTest::newRow("capture point")
        << 2
        << camera +
               Settings{{"m_dSpinBoxCaptureDistanceValue", 12}, {"m_dSpinBoxTargetHeight", 1.7}}
        << QStringList{"Plate at the capture point: passes (vertical 24.6° ≤ 30°)",
                       "Face at the capture point: vertical 19.7° > 15° (+4.7°)"};
}

void tst_PlanningAids::checksShown()
{
    QFETCH(int, scenario);
    QFETCH(Settings, settings);
    plan(scenario, settings);
    QVERIFY(waitForRepaint());
    const auto *checks = m_panel->findChild<ViewCheckLines *>(QStringLiteral("m_viewChecks"));
    QVERIFY(checks && checks->isVisible());
    QTEST(checks->lines(), "lines");
}

SuggestDialog *tst_PlanningAids::suggest(int scenario, const Settings &wish)
{
    plan(scenario, {});
    if (!waitForRepaint())
        return nullptr;
    m_panel->findChild<QToolButton *>(QStringLiteral("m_toolBtnSuggest"))->click();
    auto *dialog = m_panel->findChild<SuggestDialog *>();
    if (!dialog || !dialog->isVisible())
        return nullptr;
    for (const auto &field : wish) {
        QObject *input = dialog->findChild<QObject *>(QString::fromLatin1(field.first));
        input->setProperty(field.first.startsWith("m_check") ? "checked" : "value", field.second);
    }
    dialog->findChild<QPushButton *>(QStringLiteral("m_btnSearch"))->click();
    return dialog;
}

void tst_PlanningAids::suggestionChosen_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<Settings>("wish");
    QTest::newRow("person band 8 to 20 m")
        << 0 << Settings{{"m_spinWantNear", 8}, {"m_spinWantFar", 20}};
    QTest::newRow("lanes band 15 to 40 m")
        << 1 << Settings{{"m_spinWantNear", 15}, {"m_spinWantFar", 40}};
    QTest::newRow("plate 200 px and face 100 px")
        << 2 << Settings{{"m_spinWantPlate", 200}, {"m_checkWantFace", 1}, {"m_spinWantFace", 100}};
}

void tst_PlanningAids::suggestionChosen()
{
    QFETCH(int, scenario);
    QFETCH(Settings, wish);
    SuggestDialog *dialog = suggest(scenario, wish);
    QVERIFY(dialog);
    auto *first = dialog->findChild<QPushButton *>(QStringLiteral("m_btnSuggestion1"));
    QVERIFY(first && first->isVisible());
    const QRegularExpressionMatch setting =
        QRegularExpression(QStringLiteral("^([\\d.]+) mm, pitch (\\d+)°")).match(first->text());
    QVERIFY2(setting.hasMatch(), qPrintable(first->text()));
    first->click();
    QVERIFY(waitForRepaint());
    QCOMPARE(m_panel->findChild<QDoubleSpinBox *>(QStringLiteral("m_dSpinBoxFocalLength"))->value(),
             setting.captured(1).toDouble());
    QCOMPARE(m_panel->findChild<QSpinBox *>(QStringLiteral("m_spinBoxPitchAngle"))->value(),
             setting.captured(2).toInt());
    const SceneResult &shown = m_scene->sceneResult();
    if (scenario == 2)
        QVERIFY(shown.plateAtCapture >= 200 && shown.faceAtCapture >= 100);
    else
        QVERIFY(shown.L2 <= wish[0].second + 0.005 && shown.L3 >= wish[1].second - 0.005);

    // A band no lens reaches lists nothing and says what stops it.
    dialog = suggest(0, {{"m_spinWantNear", 2}, {"m_spinWantFar", 900}});
    QVERIFY(dialog);
    const QString why = dialog->findChild<QLabel *>(QStringLiteral("m_labSuggestNote"))->text();
    QVERIFY(why.startsWith("No setting meets the wish: ") && why.contains("900.00 m"));
}

QTEST_MAIN(tst_PlanningAids)
#include "tst_planningaids.moc"
