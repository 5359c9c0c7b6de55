#include "comparenear.h"
#include "samplecameras.h"
#include "scenecalculation.h"
#include "sensorformats.h"

#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(SceneParams)

namespace
{

// The worked-example cameras, shared with the other scene tests.
const auto lanes = SampleCameras::lanes;
const auto capture = SampleCameras::capture;
const auto person = SampleCameras::person;

template <typename Change> SceneParams with(SceneParams p, Change change)
{
    change(p);
    return p;
}

} // namespace

class tst_SceneCalculation : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleLanes();
    void workedExampleCapture();
    void inputGuards_data();
    void inputGuards();
    void visibility_data();
    void visibility();
    void unboundedFarEdge_data();
    void unboundedFarEdge();
    void lowerEdgeBehindPole_data();
    void lowerEdgeBehindPole();
    void horizontalCorrection_data();
    void horizontalCorrection();
    void turnedWithoutCorrection_data();
    void turnedWithoutCorrection();
    void lateralScale_data();
    void lateralScale();
    void captureCounts_data();
    void captureCounts();
    void unknownScenario_data();
    void unknownScenario();
    void plateWidth_data();
    void plateWidth();
    void toCount_data();
    void toCount();
    void degenerateRecords_data();
    void degenerateRecords();
    void controlRangeSweep();
};

void tst_SceneCalculation::workedExampleLanes()
{
    const SceneResult r = computeScene(lanes(15, 200, 100));
    COMPARE_NEAR(r.halfHorizontal, 0.2914568, 5e-8);
    COMPARE_NEAR(r.halfVertical, 0.2213144, 5e-8);
    COMPARE_NEAR(r.L1, 11.4378, 5e-5);
    COMPARE_NEAR(r.W1, 6.8627, 5e-5);
    COMPARE_NEAR(r.L4, 148.1223, 5e-5);
    COMPARE_NEAR(r.W4, 88.8734, 5e-5);
    // Cut to the picture at L1; the far end stays where 100 pixels fall.
    QCOMPARE(r.L2, r.L1);
    COMPARE_NEAR(r.W2, 7.5606, 5e-5);
    COMPARE_NEAR(r.L3, 15.6193, 5e-5);
    COMPARE_NEAR(r.W3, 9.984, 5e-4);
    QCOMPARE(r.nearPixels, 132);
    QCOMPARE(r.farPixels, 100);
    QCOMPARE(r.errorIndex, 53);
    QCOMPARE(r.drawDepth, 50.0);
    QCOMPARE(r.drawWidth, 30.0);
    QCOMPARE(r.farDistance, 50.0);
    QCOMPARE(r.farWidth, 30.0);
    QCOMPARE(r.lateralScale, 1.0);
    QVERIFY(r.rangeEmitted);
    QVERIFY(!r.identificationEmitted);
    QVERIFY(!r.correctionActive);
}

void tst_SceneCalculation::workedExampleCapture()
{
    const SceneResult r = computeScene(capture(15, 12, 1.7));
    COMPARE_NEAR(r.L1, 11.4378, 5e-5);
    COMPARE_NEAR(r.L4, 148.1223, 5e-5);
    QCOMPARE(r.L2, 12.0);
    QCOMPARE(r.L3, 12.0);
    COMPARE_NEAR(r.W2, 7.8864, 5e-5);
    COMPARE_NEAR(r.W3, 7.8864, 5e-5);
    QCOMPARE(r.plateAtCapture, 126);
    QCOMPARE(r.plateAtL1, 132);
    QCOMPARE(r.plateAtL4, 11);
    QCOMPARE(r.faceAtCapture, 50);
    QCOMPARE(r.faceAtL1, 52);
    QCOMPARE(r.faceAtL4, 4);
    QCOMPARE(r.errorIndex, 0);
    QVERIFY(r.rangeEmitted);
    QVERIFY(r.identificationEmitted);
    QCOMPARE(r.plateRange, QStringLiteral("11 - 132px"));
    QCOMPARE(r.vehicleRange, QStringLiteral("38 - 456px"));
    QCOMPARE(r.faceRange, QStringLiteral("4 - 52px"));
    QCOMPARE(r.personRange, QStringLiteral("10 - 442px"));
    // The drawing follows the picture: 2.2 x L1 deep, 3 x W1 wide.
    COMPARE_NEAR(r.drawDepth, 25.163223895965185, 1e-9);
    COMPARE_NEAR(r.drawWidth, 20.588092278516967, 1e-9);
    COMPARE_NEAR(r.farDistance, 25.163223895965185, 1e-9);
    COMPARE_NEAR(r.farWidth, 15.09793433757911, 1e-9);
}

void tst_SceneCalculation::inputGuards_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<int>("errorIndex");

    const auto turned = [](int angle) {
        return with(lanes(15, 200, 100), [angle](SceneParams &p) {
            p.horizontalMount = true;
            p.horizontalAngle = angle;
            p.focalLength = 1;
            p.sensorWidth = 7.18;
            p.sensorHeight = 5.32;
        });
    };
    QTest::newRow("person target at pole height")
        << with(person(), [](SceneParams &p) { p.targetHeight = p.ipcHeight; }) << 51;
    QTest::newRow("person target above pole")
        << with(person(), [](SceneParams &p) { p.targetHeight = 3; }) << 51;
    QTest::newRow("lanes pole zero")
        << with(lanes(15, 200, 100), [](SceneParams &p) { p.ipcHeight = 0; }) << 51;
    QTest::newRow("lanes pole below ground")
        << with(lanes(15, 200, 100), [](SceneParams &p) { p.ipcHeight = -1; }) << 51;
    // Half the horizontal view of a 1 mm lens on 7.18 mm is 74.43 degrees.
    QTest::newRow("turned view reaches 90 degrees") << turned(16) << 52;
    QTest::newRow("turned view far past 90 degrees") << turned(45) << 52;
    QTest::newRow("pole guard before turn guard")
        << with(turned(45), [](SceneParams &p) { p.ipcHeight = 0; }) << 51;
}

void tst_SceneCalculation::inputGuards()
{
    QFETCH(SceneParams, params);
    QFETCH(int, errorIndex);

    const SceneResult r = computeScene(params);
    QCOMPARE(r.errorIndex, errorIndex);
    QVERIFY(!r.rangeEmitted);
    QVERIFY(!r.identificationEmitted);
    for (double value : {r.L1, r.W1, r.L2, r.W2, r.L3, r.W3, r.L4, r.W4, r.drawDepth, r.drawWidth,
                         r.farDistance, r.farWidth})
        QCOMPARE(value, 0.0);
    QCOMPARE(r.lateralScale, 1.0);
    QCOMPARE(r.nearPixels, params.maxPixels);
    QCOMPARE(r.farPixels, params.minPixels);
}

void tst_SceneCalculation::visibility_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<double>("L1");
    QTest::addColumn<double>("L2");
    QTest::addColumn<double>("W2");
    QTest::addColumn<double>("L3");
    QTest::addColumn<double>("W3");
    QTest::addColumn<double>("L4");
    QTest::addColumn<int>("nearPixels");
    QTest::addColumn<int>("farPixels");
    QTest::addColumn<int>("errorIndex");

    // Pitch 30 on the lanes camera: L1 = 6.5066, L4 = 19.2406.
    const double L1at30 = 6.5066060760056725;
    const double L4at30 = 19.240578073058;
    const double L1at15 = 11.437829043620537;
    const double L4at15 = 148.12225910846357;
    QTest::newRow("near end cut to the picture")
        << lanes(15, 200, 100) << L1at15 << L1at15 << 7.560605244316437 << 15.61930048743705
        << 9.984 << L4at15 << 132 << 100 << 53;
    QTest::newRow("both ends cut to the picture")
        << lanes(30, 320, 80) << L1at30 << L1at30 << 5.1809316925434565 << L4at30
        << 11.797697636859642 << L4at30 << 192 << 84 << 53;
    QTest::newRow("far end cut to the picture")
        << lanes(30, 150, 80) << L1at30 << 9.345376357282744 << 6.656 << L4at30
        << 11.797697636859642 << L4at30 << 150 << 84 << 53;
    QTest::newRow("band nearer than the picture")
        << lanes(15, 300, 150) << L1at15 << 0.0 << 0.0 << 0.0 << 0.0 << L4at15 << 300 << 150 << 51;
    QTest::newRow("band beyond the picture")
        << lanes(30, 80, 60) << L1at30 << 0.0 << 0.0 << 0.0 << 0.0 << L4at30 << 80 << 60 << 51;
    // Looking level from 15 m the picture starts at 66.7 m, past the 50 m
    // the lanes drawing shows, although the band itself lies inside it.
    QTest::newRow("picture starts beyond the drawing")
        << with(lanes(0, 20, 10), [](SceneParams &p) { p.ipcHeight = 15; }) << 66.66666666666667
        << 0.0 << 0.0 << 0.0 << 0.0 << -1.0 << 20 << 10 << 51;
    QTest::newRow("band inside the picture")
        << lanes(15, 100, 80) << L1at15 << 15.61930048743705 << 9.984 << 19.926049397942993 << 12.48
        << L4at15 << 100 << 80 << 0;
    QTest::newRow("person preset inside the picture")
        << person() << 2.6850242529812016 << 5.933865388676852 << 2.4 << 16.088131507534307 << 6.4
        << 35.089634949996494 << 320 << 120 << 0;
    QTest::newRow("capture point inside the picture")
        << capture(15, 12, 1.7) << L1at15 << 12.0 << 7.886414511650367 << 12.0 << 7.886414511650367
        << L4at15 << 200 << 100 << 0;
    QTest::newRow("capture point nearer than the picture")
        << capture(15, 5, 1.7) << L1at15 << 0.0 << 0.0 << 0.0 << 0.0 << L4at15 << 200 << 100 << 54;
    QTest::newRow("capture point beyond the picture")
        << capture(15, 200, 1.7) << L1at15 << 0.0 << 0.0 << 0.0 << 0.0 << L4at15 << 200 << 100
        << 54;
}

void tst_SceneCalculation::visibility()
{
    QFETCH(SceneParams, params);
    QFETCH(double, L1);
    QFETCH(double, L2);
    QFETCH(double, W2);
    QFETCH(double, L3);
    QFETCH(double, W3);
    QFETCH(double, L4);
    QFETCH(int, nearPixels);
    QFETCH(int, farPixels);
    QFETCH(int, errorIndex);

    const SceneResult r = computeScene(params);
    QVERIFY(r.rangeEmitted);
    COMPARE_NEAR(r.L1, L1, 1e-9);
    COMPARE_NEAR(r.L2, L2, 1e-9);
    COMPARE_NEAR(r.W2, W2, 1e-9);
    COMPARE_NEAR(r.L3, L3, 1e-9);
    COMPARE_NEAR(r.W3, W3, 1e-9);
    COMPARE_NEAR(r.L4, L4, 1e-9);
    QCOMPARE(r.nearPixels, nearPixels);
    QCOMPARE(r.farPixels, farPixels);
    QCOMPARE(r.errorIndex, errorIndex);
}

void tst_SceneCalculation::unboundedFarEdge_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<double>("farDistance");
    QTest::addColumn<double>("farWidth");

    // Half the vertical view is 12.68 degrees on the 8 mm lens.
    QTest::newRow("lanes looking level") << lanes(0, 200, 100) << 50.0 << 30.0;
    QTest::newRow("lanes just below half the view") << lanes(12, 200, 100) << 50.0 << 30.0;
    QTest::newRow("person") << with(person(), [](SceneParams &p) {
        p.pitchAngle = 12;
        p.focalLength = 8;
    }) << 20.0 << 12.0;
    QTest::newRow("capture point") << capture(10, 40, 1.7) << 31.585987179128335 << 18.951592307477;
}

void tst_SceneCalculation::unboundedFarEdge()
{
    QFETCH(SceneParams, params);
    QFETCH(double, farDistance);
    QFETCH(double, farWidth);

    const SceneResult r = computeScene(params);
    QCOMPARE(r.L4, -1.0);
    QCOMPARE(r.W4, -1.0);
    COMPARE_NEAR(r.farDistance, farDistance, 1e-9);
    COMPARE_NEAR(r.farWidth, farWidth, 1e-9);
}

void tst_SceneCalculation::lowerEdgeBehindPole_data()
{
    QTest::addColumn<SceneParams>("params");

    // A 1 mm lens on a 3.6 mm high sensor sees 60.9 degrees either side of
    // its axis, so at 45 degrees pitch the lower edge points past vertical.
    const auto wide = [](SceneParams p) {
        p.pitchAngle = 45;
        p.focalLength = 1;
        return p;
    };
    QTest::newRow("lanes") << wide(lanes(45, 200, 100));
    QTest::newRow("person") << wide(person());
    QTest::newRow("capture point") << wide(capture(45, 12, 1.7));
}

void tst_SceneCalculation::lowerEdgeBehindPole()
{
    QFETCH(SceneParams, params);

    const SceneResult r = computeScene(params);
    QVERIFY(r.rangeEmitted);
    QCOMPARE(r.L1, 0.0);
    QCOMPARE(r.W1, 0.0);
    if (params.scenario == 3) {
        // The capture-point drawing is sized by L1, so it has no extent.
        QCOMPARE(r.drawDepth, 0.0);
        QCOMPARE(r.drawWidth, 0.0);
        QVERIFY(r.plateAtL1 > 0);
    }
}

void tst_SceneCalculation::horizontalCorrection_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<bool>("active");
    QTest::addColumn<double>("L1");
    QTest::addColumn<double>("L2");
    QTest::addColumn<double>("L3");
    QTest::addColumn<double>("L4");
    QTest::addColumn<double>("W2");
    QTest::addColumn<double>("farDistance");
    QTest::addColumn<int>("nearPixels");
    QTest::addColumn<int>("errorIndex");

    const auto turned = [](SceneParams p, int angle, bool mount) {
        p.horizontalMount = mount;
        p.horizontalAngle = angle;
        return p;
    };
    // L1 and L4 shrink by cos h, the band by cos² h.
    QTest::newRow("band inside, 30 degrees")
        << turned(lanes(15, 100, 80), 30, true) << true << 9.905450515918856 << 11.714475365577789
        << 14.944537048457248 << 128.2776392538704 << 9.984 << 50.0 << 100 << 0;
    // The far edge at 19.24 m moves in to 14.74 m and takes the drawing's
    // far distance with it; uncorrected this band would be cut at L4.
    QTest::newRow("far edge pulled in, 40 degrees")
        << turned(lanes(30, 150, 80), 40, true) << true << 4.984349428088324 << 5.484091965668254
        << 12.061388425316503 << 14.739137915262935 << 6.656 << 14.739137915262935 << 150 << 0;
    // 64.44 m becomes 45.56 m, nearer than the 50 m drawing depth.
    QTest::newRow("near end cut, 45 degrees")
        << turned(lanes(18, 320, 80), 45, true) << true << 7.150997266180544 << 7.150997266180544
        << 9.960448043379264 << 45.56466143818055 << 9.27366423736161 << 45.56466143818055 << 107
        << 53;
    QTest::newRow("lanes without the mount")
        << turned(lanes(15, 100, 80), 30, false) << false << 11.437829043620537 << 15.61930048743705
        << 19.926049397942993 << 148.12225910846357 << 9.984 << 50.0 << 100 << 0;
    QTest::newRow("person with the mount")
        << turned(person(), 30, true) << false << 2.6850242529812016 << 5.933865388676852
        << 16.088131507534307 << 35.089634949996494 << 2.4 << 20.0 << 320 << 0;
}

void tst_SceneCalculation::horizontalCorrection()
{
    QFETCH(SceneParams, params);
    QFETCH(bool, active);
    QFETCH(double, L1);
    QFETCH(double, L2);
    QFETCH(double, L3);
    QFETCH(double, L4);
    QFETCH(double, W2);
    QFETCH(double, farDistance);
    QFETCH(int, nearPixels);
    QFETCH(int, errorIndex);

    const SceneResult r = computeScene(params);
    const SceneResult straight = computeScene(with(params, [](SceneParams &p) {
        p.horizontalMount = false;
        p.horizontalAngle = 0;
    }));
    QCOMPARE(r.correctionActive, active);
    COMPARE_NEAR(r.L1, L1, 1e-9);
    COMPARE_NEAR(r.L2, L2, 1e-9);
    COMPARE_NEAR(r.L3, L3, 1e-9);
    COMPARE_NEAR(r.L4, L4, 1e-9);
    COMPARE_NEAR(r.W2, W2, 1e-9);
    COMPARE_NEAR(r.farDistance, farDistance, 1e-9);
    QCOMPARE(r.nearPixels, nearPixels);
    QCOMPARE(r.errorIndex, errorIndex);
    // Widths and the far drawing width are not corrected.
    QCOMPARE(r.W1, straight.W1);
    QCOMPARE(r.W4, straight.W4);
    QCOMPARE(r.farWidth, straight.farWidth);
}

void tst_SceneCalculation::turnedWithoutCorrection_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<double>("W2");
    QTest::addColumn<int>("nearPixels");

    const auto turned = [](SceneParams p) {
        p.horizontalAngle = 30;
        return p;
    };
    // Distances stay put, but the width at the cut divides by cos² 30 = 0.75.
    QTest::newRow("lanes without the mount")
        << turned(lanes(15, 200, 100)) << 9.770224138298891 << 102;
    QTest::newRow("person") << turned(with(person(), [](SceneParams &p) { p.maxPixels = 1080; }))
                            << 1.4727707846863343 << 521;
    QTest::newRow("person, not turned")
        << with(person(), [](SceneParams &p) { p.maxPixels = 1080; }) << 1.1202064245047747 << 685;
}

void tst_SceneCalculation::turnedWithoutCorrection()
{
    QFETCH(SceneParams, params);
    QFETCH(double, W2);
    QFETCH(int, nearPixels);

    const SceneResult r = computeScene(params);
    const SceneResult straight =
        computeScene(with(params, [](SceneParams &p) { p.horizontalAngle = 0; }));
    QVERIFY(!r.correctionActive);
    QCOMPARE(r.L1, straight.L1);
    QCOMPARE(r.L2, r.L1);
    QCOMPARE(r.L3, straight.L3);
    QCOMPARE(r.L4, straight.L4);
    COMPARE_NEAR(r.W2, W2, 1e-9);
    QCOMPARE(r.nearPixels, nearPixels);
    QCOMPARE(r.errorIndex, 53);
}

void tst_SceneCalculation::lateralScale_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<double>("lateralScale");

    const auto wideLens = [](int pitch, int scenario) {
        return with(person(), [pitch, scenario](SceneParams &p) {
            p.pitchAngle = pitch;
            p.focalLength = 4;
            p.targetHeight = 1.6;
            p.ipcHeight = 3;
            p.scenario = scenario;
        });
    };
    QTest::newRow("person picture narrower than the drawing") << person() << 1.0;
    // Far edge at 13.85 m, 16.62 m wide: squeezed into the 10 m drawing.
    QTest::newRow("person far edge wider than the drawing")
        << wideLens(30, 1) << 0.6017087878241101;
    // No far edge: the width at 20 m, 4.8 x 20 / 4 = 24 m, decides.
    QTest::newRow("person without a far edge") << wideLens(5, 1) << 10.0 / 24.0;
    QTest::newRow("lanes never squeezed") << wideLens(5, 2) << 1.0;
}

void tst_SceneCalculation::lateralScale()
{
    QFETCH(SceneParams, params);
    QFETCH(double, lateralScale);

    COMPARE_NEAR(computeScene(params).lateralScale, lateralScale, 1e-12);
}

void tst_SceneCalculation::captureCounts_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QList<int>>("counts"); // plate and face: capture, L1, L4
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("worked example")
        << capture(15, 12, 1.7) << QList<int>{126, 132, 11, 50, 52, 4}
        << QStringList{"11 - 132px", "38 - 456px", "4 - 52px", "10 - 442px"};
    QTest::newRow("target taller than the pole")
        << capture(15, 12, 7) << QList<int>{126, 132, 11, 0, 0, 0}
        << QStringList{"11 - 132px", "38 - 456px", "0 - 0px", "0 - 0px"};
    // No far edge: every far value is 0.
    QTest::newRow("far edge unbounded")
        << capture(10, 40, 1.7) << QList<int>{41, 109, 0, 15, 42, 0}
        << QStringList{"0 - 109px", "0 - 377px", "0 - 42px", "0 - 357px"};
}

void tst_SceneCalculation::captureCounts()
{
    QFETCH(SceneParams, params);
    QFETCH(QList<int>, counts);
    QFETCH(QStringList, texts);

    const SceneResult r = computeScene(params);
    QVERIFY(r.identificationEmitted);
    QCOMPARE(r.errorIndex, 0);
    QCOMPARE((QList<int>{r.plateAtCapture, r.plateAtL1, r.plateAtL4, r.faceAtCapture, r.faceAtL1,
                         r.faceAtL4}),
             counts);
    QCOMPARE((QStringList{r.plateRange, r.vehicleRange, r.faceRange, r.personRange}), texts);
}

void tst_SceneCalculation::unknownScenario_data()
{
    QTest::addColumn<int>("scenario");

    QTest::newRow("zero") << 0;
    QTest::newRow("four") << 4;
    QTest::newRow("negative") << -2;
}

void tst_SceneCalculation::unknownScenario()
{
    QFETCH(int, scenario);

    const SceneResult r = computeScene(with(lanes(15, 200, 100), [scenario](SceneParams &p) {
        p.scenario = scenario;
        p.captureDistance = 12;
    }));
    // No band at all, so it lies "wholly nearer than the picture".
    QCOMPARE(r.errorIndex, 51);
    QVERIFY(r.rangeEmitted);
    QVERIFY(!r.identificationEmitted);
    QCOMPARE(r.L2, 0.0);
    QCOMPARE(r.L3, 0.0);
    QCOMPARE(r.W2, 0.0);
    QCOMPARE(r.W3, 0.0);
    QCOMPARE(r.plateAtCapture, 0);
    QCOMPARE(r.nearPixels, 200);
    QCOMPARE(r.farPixels, 100);
    QCOMPARE(r.targetWidth, 0.52);
    COMPARE_NEAR(r.drawDepth, 25.163223895965185, 1e-9);
    COMPARE_NEAR(r.drawWidth, 20.588092278516967, 1e-9);
}

void tst_SceneCalculation::plateWidth_data()
{
    QTest::addColumn<int>("plateType");
    QTest::addColumn<double>("width");

    QTest::newRow("default record") << 0 << 0.44;
    QTest::newRow("type 1") << 1 << 0.52;
    QTest::newRow("type 2") << 2 << 0.305;
    QTest::newRow("type 3") << 3 << 0.38;
    QTest::newRow("unknown type") << 9 << 0.38;
}

void tst_SceneCalculation::plateWidth()
{
    QFETCH(int, plateType);
    QFETCH(double, width);

    // Looking level from 6 m the picture starts at 26.7 m and never ends, so
    // the band W2..W3 = 1920 x width / 20 .. / 10 stands uncut.
    SceneParams params = lanes(0, 20, 10);
    params.plateType = plateType;
    const SceneResult lanesResult = computeScene(params);
    QCOMPARE(lanesResult.errorIndex, 0);
    QCOMPARE(lanesResult.plateWidth, width);
    QCOMPARE(lanesResult.targetWidth, width);
    COMPARE_NEAR(lanesResult.W2, 96 * width, 1e-9);
    COMPARE_NEAR(lanesResult.W3, 192 * width, 1e-9);

    params.scenario = 1;
    params.targetHeight = 1.6;
    QCOMPARE(computeScene(params).targetWidth, 0.2);
}

void tst_SceneCalculation::toCount_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("count");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("truncates down") << 132.99 << 132;
    QTest::newRow("truncates toward zero") << -2.9 << -2;
    QTest::newRow("largest int") << 2147483647.9 << 2147483647;
    QTest::newRow("smallest int") << -2147483648.9 << -2147483647 - 1;
    QTest::newRow("above int") << 2147483648.0 << 0;
    QTest::newRow("below int") << -2147483649.0 << 0;
    QTest::newRow("infinity") << inf << 0;
    QTest::newRow("minus infinity") << -inf << 0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void tst_SceneCalculation::toCount()
{
    QFETCH(double, value);
    QFETCH(int, count);

    QCOMPARE(::toCount(value), count);
}

void tst_SceneCalculation::degenerateRecords_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<int>("errorIndex");

    QTest::newRow("new widget record") << SceneParams() << 0;
    QTest::newRow("zero focal length")
        << with(lanes(15, 200, 100), [](SceneParams &p) { p.focalLength = 0; }) << 51;
    QTest::newRow("zero sensor") << with(lanes(15, 200, 100), [](SceneParams &p) {
        p.sensorWidth = 0;
        p.sensorHeight = 0;
    }) << 51;
    QTest::newRow("zero pixel limits") << lanes(15, 0, 0) << 51;
    QTest::newRow("zero minimum pixels") << lanes(15, 200, 0) << 53;
    QTest::newRow("zero resolution")
        << with(lanes(15, 200, 100), [](SceneParams &p) { p.resolutionWidth = 0; }) << 51;
    // A camera on the ground sees the road only as a line.
    QTest::newRow("capture point, pole zero")
        << with(capture(15, 12, 0), [](SceneParams &p) { p.ipcHeight = 0; }) << 54;
    QTest::newRow("capture point, person, pole zero")
        << with(capture(15, 12, 1.7), [](SceneParams &p) { p.ipcHeight = 0; }) << 54;
    QTest::newRow("capture point, zero focal length")
        << with(capture(15, 12, 1.7), [](SceneParams &p) { p.focalLength = 0; }) << 0;
}

void tst_SceneCalculation::degenerateRecords()
{
    QFETCH(SceneParams, params);
    QFETCH(int, errorIndex);

    const SceneResult r = computeScene(params);
    QCOMPARE(r.errorIndex, errorIndex);
    for (double value :
         {r.L1, r.W1, r.L2, r.W2, r.L3, r.W3, r.L4, r.W4, r.drawDepth, r.drawWidth, r.farDistance,
          r.farWidth, r.lateralScale, r.halfHorizontal, r.halfVertical})
        QVERIFY(std::isfinite(value));
    for (int count :
         {r.plateAtCapture, r.plateAtL1, r.plateAtL4, r.faceAtCapture, r.faceAtL1, r.faceAtL4})
        QVERIFY(count >= 0);
}

// Every control of the panel over its whole range: nothing the drawing turns
// into a position may be NaN or infinite, and the band must lie in order
// inside the picture whenever it is reported as usable.
void tst_SceneCalculation::controlRangeSweep()
{
    const int resolutions[] = {3840, 3072, 2880, 2592, 2560, 2304, 2048, 1920, 1280};
    const double focals[] = {1, 1.5, 2.8, 4, 6, 8, 12, 25, 50, 120, 250, 400};
    const double poles[] = {0, 0.01, 0.5, 1.7, 2.5, 3.5, 6, 12, 40, 99.99};
    const double targets[] = {0, 0.01, 1.2, 1.6, 1.7, 2.5, 6, 99.99};
    const double captures[] = {1, 2.5, 12, 40, 120, 500};
    const int mins[] = {80, 100, 120, 320, 720, 1080};
    const int maxes[] = {320, 400, 720, 1080};

    int records = 0;
    int bandsSeen[55] = {};
    for (int scenario = 1; scenario <= 3; ++scenario) {
        for (bool mount : {false, true}) {
            for (const SensorFormat &sensor : sensorFormats()) {
                for (int pitch = 0; pitch <= 45; ++pitch) {
                    for (double focal : focals) {
                        for (double pole : poles) {
                            const int i = records++;
                            SceneParams p;
                            p.scenario = scenario;
                            p.horizontalMount = mount;
                            p.sensorWidth = sensor.width;
                            p.sensorHeight = sensor.height;
                            p.pitchAngle = pitch;
                            p.focalLength = focal;
                            p.ipcHeight = pole;
                            p.plateType = 1 + i % 3;
                            p.horizontalAngle = (i * 7) % 46;
                            p.resolutionWidth = resolutions[i % 9];
                            p.targetHeight = targets[(i / 3) % 8];
                            p.captureDistance = captures[(i / 5) % 6];
                            p.maxPixels = maxes[(i / 2) % 4];
                            // The panel never lets the limits cross.
                            p.minPixels = qMin(mins[(i / 7) % 6], p.maxPixels);
                            p.lanesNum = 1 + i % 4;
                            p.lanesWidth = 1 + (i % 6);

                            const SceneResult r = computeScene(p);
                            for (double v :
                                 {r.L1, r.W1, r.L2, r.W2, r.L3, r.W3, r.L4, r.W4, r.drawDepth,
                                  r.drawWidth, r.farDistance, r.farWidth, r.lateralScale}) {
                                if (!std::isfinite(v))
                                    QFAIL(qPrintable(QStringLiteral("record %1").arg(i)));
                            }
                            QVERIFY(r.errorIndex == 0 ||
                                    (r.errorIndex >= 51 && r.errorIndex <= 54));
                            QVERIFY(r.lateralScale > 0 && r.lateralScale <= 1);
                            QVERIFY(r.drawDepth >= 0 && r.drawWidth >= 0);
                            for (int c : {r.plateAtCapture, r.plateAtL1, r.plateAtL4,
                                          r.faceAtCapture, r.faceAtL1, r.faceAtL4})
                                QVERIFY(c >= 0);
                            ++bandsSeen[r.errorIndex];
                            if (!r.rangeEmitted)
                                continue;
                            QVERIFY(r.L1 >= 0 && r.W1 >= 0);
                            QVERIFY(r.L4 == -1 ? r.W4 == -1 : r.L4 >= r.L1);
                            if (r.errorIndex != 0 && r.errorIndex != 53)
                                continue;
                            const bool inPicture =
                                r.L1 <= r.L2 && r.L2 <= r.L3 && (r.L4 == -1 || r.L3 <= r.L4);
                            if (!inPicture)
                                QFAIL(qPrintable(QStringLiteral("record %1: band %2..%3 outside "
                                                                "%4..%5")
                                                     .arg(i)
                                                     .arg(r.L2)
                                                     .arg(r.L3)
                                                     .arg(r.L1)
                                                     .arg(r.L4)));
                            // A cut moves the band's ends inwards, so the target can
                            // only get fewer pixels near and more far; a turned camera
                            // without the correction widens the cut ends instead.
                            if (r.correctionActive || p.horizontalAngle == 0) {
                                QVERIFY(r.nearPixels <= p.maxPixels);
                                QVERIFY(r.farPixels >= p.minPixels);
                            }
                        }
                    }
                }
            }
        }
    }
    // Every outcome turns up, so the sweep really crosses the cases.
    for (int index : {0, 51, 52, 53, 54})
        QVERIFY2(bandsSeen[index] > 0, qPrintable(QString::number(index)));
}

QTEST_GUILESS_MAIN(tst_SceneCalculation)
#include "tst_scenecalculation.moc"
