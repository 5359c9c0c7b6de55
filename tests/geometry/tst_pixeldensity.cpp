#include "comparenear.h"
#include "pixeldensity.h"
#include "samplecameras.h"
#include "scenecalculation.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(SceneParams)

namespace
{

template <typename Change> SceneParams with(SceneParams p, Change change)
{
    change(p);
    return p;
}

SceneParams turned(int angle)
{
    return with(SampleCameras::lanes(), [angle](SceneParams &p) {
        p.horizontalMount = true;
        p.horizontalAngle = angle;
    });
}

bool sameDensity(double actual, double expected)
{
    return std::abs(actual - expected) <= 1e-9 * expected;
}

} // namespace

// Horizontal pixel density across the picture and the ground each density
// class covers.
class tst_PixelDensity : public QObject
{
    Q_OBJECT

private slots:
    void workedExample_data();
    void workedExample();
    void classBoundaries_data();
    void classBoundaries();
    void bandBeforeItIsCut();
};

void tst_PixelDensity::workedExample_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QList<double>>("perMetre"); // at L1 to L4, NaN for none
    QTest::addColumn<double>("from");
    QTest::addColumn<QList<double>>("to"); // detect to identify, NaN for not reached

    const double none = std::nan("");
    // Lanes camera, pitch 15: the picture at L1 = 11.4378 m is
    // 0.6 * (11.4378 cos 15 + 6 sin 15) = 7.5606 m wide, so 1920 / 7.5606 =
    // 253.948 px/m; at L3 the plate has minPixels: 100 / 0.52 px/m. A class
    // D ends at (8 * 1920 / (D * 4.8) - 6 sin 15) / cos 15.
    QTest::newRow("lanes") << SampleCameras::lanes()
                           << QList<double>{253.948, 253.948, 192.3077, 22.1257} << 11.4378
                           << QList<double>{130.9077, 51.3984, 24.8954, 11.6438};
    // 1280 pixels: two thirds of each density, 169.299 px/m at L1, short of
    // identification. The band (L3 = 9.8770 m) ends before the picture and
    // is dropped, so L2 and L3 have none.
    QTest::newRow("fewer pixels") << with(SampleCameras::lanes(),
                                          [](SceneParams &p) { p.resolutionWidth = 1280; })
                                  << QList<double>{169.299, none, none, 14.7505} << 11.4378
                                  << QList<double>{86.7359, 33.7297, 16.0610, none};
    // Level: L1 = 6 / tan(atan(1.8 / 8)) = 26.667 m where the picture is
    // 16 m wide, 120 px/m; the band (to 16.64 m) is dropped and the far edge
    // is unbounded, so nothing is clipped.
    QTest::newRow("level") << SampleCameras::lanes(0) << QList<double>{120, none, none, none}
                           << 26.6667 << QList<double>{128, 51.2, none, none};
    // Turned 30 degrees: L1 = 11.43783 cos 30 = 9.90545 m, read as
    // 9.90545 / cos² 30 = 13.2073 m along the camera: 223.618 px/m; likewise
    // 19.189 px/m at L4 = 148.1223 cos 30. Classes end at cos² 30 = 0.75 of
    // the unturned ones; identification (8.7329 m) ends before L1.
    QTest::newRow("turned") << turned(30) << QList<double>{223.618, 223.618, 192.3077, 19.189}
                            << 9.90545 << QList<double>{98.1807, 38.5488, 18.6715, none};
    // Person: the plane is 2.5 - 1.6 = 0.9 m below the camera. L1 = 2.6850,
    // L4 = 0.9 tan(8.5308 + 80 degrees) = 35.0896 m, where the density is
    // still 276.555 px/m: every class reaches the far edge. The face has
    // maxPixels at L2 and minPixels at L3: 320 / 0.2 and 120 / 0.2 px/m.
    QTest::newRow("person") << SampleCameras::person() << QList<double>{3427.94, 1600, 600, 276.555}
                            << 2.6850 << QList<double>{35.0896, 35.0896, 35.0896, 35.0896};
    // Stopped by a guard: no picture, no density.
    QTest::newRow("face at the camera")
        << with(SampleCameras::person(), [](SceneParams &p) { p.targetHeight = p.ipcHeight; })
        << QList<double>{none, none, none, none} << 0.0 << QList<double>{none, none, none, none};
}

// Expected values worked out by hand from the width model.
void tst_PixelDensity::workedExample()
{
    QFETCH(SceneParams, params);
    QFETCH(QList<double>, perMetre);
    QFETCH(double, from);
    QFETCH(QList<double>, to);

    const SceneResult r = computeScene(params);
    const PixelDensity &d = r.density;
    for (int i = 0; i < 4; ++i) {
        if (std::isnan(perMetre[i]) || std::isnan(d.atDistance[i])) {
            const bool samePresence = std::isnan(perMetre[i]) == std::isnan(d.atDistance[i]);
            QVERIFY2(samePresence, qPrintable(QStringLiteral("density at L%1").arg(i + 1)));
            continue;
        }
        COMPARE_NEAR(d.atDistance[i], perMetre[i], 1e-3 * perMetre[i]);
    }
    for (int c = 0; c < DensityClass::Count; ++c) {
        QCOMPARE(d.classes[c].reached, !std::isnan(to[c]));
        if (!d.classes[c].reached)
            continue;
        COMPARE_NEAR(d.classes[c].from, from, 5e-5);
        COMPARE_NEAR(d.classes[c].to, to[c], 5e-4);
    }
}

void tst_PixelDensity::classBoundaries_data()
{
    QTest::addColumn<SceneParams>("params");

    QTest::newRow("lanes") << SampleCameras::lanes();
    QTest::newRow("lanes level") << SampleCameras::lanes(0);
    QTest::newRow("lanes steep") << SampleCameras::lanes(40);
    QTest::newRow("long lens") << with(SampleCameras::lanes(),
                                       [](SceneParams &p) { p.focalLength = 60; });
    QTest::newRow("turned 20") << turned(20);
    QTest::newRow("turned 40") << turned(40);
    QTest::newRow("capture") << SampleCameras::capture();
    QTest::newRow("person") << SampleCameras::person();
    QTest::newRow("person 4K wide") << with(SampleCameras::person(), [](SceneParams &p) {
        p.focalLength = 2.8;
        p.pitchAngle = 30;
    });
}

// A class ends where the density has fallen to the class value, or at the
// far picture edge while it is still higher; a class not reached has less
// at the lower edge already.
void tst_PixelDensity::classBoundaries()
{
    QFETCH(SceneParams, params);

    const SceneResult r = computeScene(params);
    int checked = 0;
    for (int c = 0; c < DensityClass::Count; ++c) {
        const double value = DensityClass::PerMetre[c];
        const DensityStretch &s = r.density.classes[c];
        if (!s.reached) {
            QVERIFY(densityAt(params, r, r.L1) < value);
            continue;
        }
        QCOMPARE(s.from, r.L1);
        QVERIFY(s.to >= s.from);
        if (r.L4 != -1 && s.to == r.L4) {
            QVERIFY(densityAt(params, r, r.L4) >= value);
        } else {
            const double at = densityAt(params, r, s.to);
            QVERIFY2(sameDensity(at, value),
                     qPrintable(QStringLiteral("%1 px/m at the end of class %2").arg(at).arg(c)));
            ++checked;
        }
    }
    QVERIFY(checked > 0 || r.L4 != -1);
}

// The band from the pixel limits before it is cut: the worked example's
// 7.0058 to 15.6193 m, shortened by cos² h when turned.
void tst_PixelDensity::bandBeforeItIsCut()
{
    const SceneResult plain = computeScene(SampleCameras::lanes());
    COMPARE_NEAR(plain.bandNear, 7.0058, 5e-5);
    COMPARE_NEAR(plain.bandFar, 15.6193, 5e-5);
    QCOMPARE(plain.L2, plain.L1);

    const SceneResult turned30 = computeScene(turned(30));
    COMPARE_NEAR(turned30.bandNear, 7.0058 * 0.75, 5e-5);
    COMPARE_NEAR(turned30.bandFar, 15.6193 * 0.75, 5e-5);

    // The pixels at the band's ends are the density there across the plate.
    const double pw = 0.52;
    COMPARE_NEAR(densityAt(SampleCameras::lanes(), plain, plain.bandNear) * pw, 200.0, 1e-9);
    COMPARE_NEAR(densityAt(turned(30), turned30, turned30.bandFar) * pw, 100.0, 1e-9);
    QCOMPARE(turned30.nearPixels, int(turned30.density.atDistance[1] * pw));
}

QTEST_GUILESS_MAIN(tst_PixelDensity)
#include "tst_pixeldensity.moc"
