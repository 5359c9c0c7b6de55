#include "comparenear.h"
#include "guidelines.h"
#include "samplecameras.h"
#include "scenecalculation.h"
#include "textid.h"
#include "viewchecks.h"

#include <QtTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(SceneParams)
Q_DECLARE_METATYPE(SceneResult)

namespace
{

SceneResult band(double l2, double l3, int errorIndex = 0)
{
    SceneResult r;
    r.rangeEmitted = true;
    r.L2 = l2;
    r.L3 = l3;
    r.errorIndex = errorIndex;
    return r;
}

} // namespace

// Viewing angles of a plan and their judgement against the guidelines.
class tst_ViewAngles : public QObject
{
    Q_OBJECT

private slots:
    void angles_data();
    void angles();
    void guidelinesFile_data();
    void guidelinesFile();
};

void tst_ViewAngles::angles_data()
{
    using Degrees = QList<double>;
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<SceneResult>("result");
    QTest::addColumn<Degrees>("nearest"); // plate, face, then each lane
    QTest::addColumn<Degrees>("excess");  // vertical excess of each check
    QTest::addColumn<QList<int>>("failingLanes");

    // 6 m pole, two 3.75 m lanes. Plate 0.5 m up at L2 = 5.5 m: atan 1 = 45,
    // 15 over; at L3 = 5.5 sqrt 3, 30 passes. Lanes: atan(1.875 / 5.5).
    const SceneParams lanes = SampleCameras::lanes();
    QTest::newRow("lanes") << lanes << band(5.5, 9.5263) << Degrees{45, 47.4896, -18.8247, 18.8247}
                           << Degrees{15, 0} << QList<int>{};
    // Turned 10 at the road's right edge, band cut to L1 = 11.4378 cos 10:
    // lane centres 5.625 and 1.875 m left, atan 26.5365 and 9.4508 less 10.
    SceneParams turned = lanes;
    turned.horizontalMount = true;
    turned.horizontalAngle = 10;
    QTest::newRow("turned") << turned << computeScene(turned)
                            << Degrees{26.0253, 28.0428, -16.5365, 0.5493} << Degrees{0, 0}
                            << QList<int>{};
    // Pole 2.5 m, face 0.9 m below it at 0.9 m: 45, 30 over; at 1.8 m, 26.57.
    const SceneParams person = SampleCameras::person();
    QTest::newRow("person") << person << band(0.9, 1.8) << Degrees{65.7723, 45}
                            << Degrees{30, 11.5651} << QList<int>{};
    // Both lanes lie beside a camera right above the band's near end.
    QTest::newRow("below the camera")
        << lanes << band(0, 10) << Degrees{90, 90, -90, 90} << Degrees{60, 0} << QList<int>{0, 1};
    // A plate check, then a face check. A face seen 45 from below is as far
    // off as one seen from above; lanes at atan 1.875 = 61.93.
    QTest::newRow("face above camera") << SampleCameras::capture(15, 12, 7) << band(1, 1)
                                       << Degrees{79.6952, -45, -61.9275, 61.9275}
                                       << Degrees{49.6952, 30} << QList<int>{0, 1, 0, 1};
    // The worked capture point, 12 m: atan(5.5 / 12) and atan(4.3 / 12).
    const SceneParams capture = SampleCameras::capture();
    QTest::newRow("capture point")
        << capture << computeScene(capture) << Degrees{24.6236, 19.7143, -8.8807, 8.8807}
        << Degrees{0, 4.7143} << QList<int>{};
    QTest::newRow("guard") << lanes << SceneResult() << Degrees{} << Degrees{} << QList<int>{};
    QTest::newRow("band dropped") << person << band(0, 0, TextId::ErrorNoBand) << Degrees{}
                                  << Degrees{} << QList<int>{};
    QTest::newRow("capture outside") << capture << band(0, 0, TextId::ErrorCapturePoint)
                                     << Degrees{} << Degrees{} << QList<int>{};
}

void tst_ViewAngles::angles()
{
    QFETCH(SceneParams, params);
    QFETCH(SceneResult, result);
    QFETCH(QList<double>, nearest);
    QFETCH(QList<double>, excess);
    QFETCH(QList<int>, failingLanes);

    const ViewAngles angles = computeViewAngles(params, result);
    QList<double> got;
    for (const SightAngles &s : angles.sights.mid(0, 1))
        got << s.plateVertical << s.faceVertical << s.laneHorizontal.toList();
    QCOMPARE(got.size(), nearest.size());
    for (int i = 0; i < got.size(); ++i)
        COMPARE_NEAR(got.at(i), nearest.at(i), 1e-3);
    const QVector<ViewCheck> checks = ViewChecks::judge(angles, Guidelines::builtIn());
    QCOMPARE(checks.size(), excess.size());
    QList<int> lanes;
    for (int i = 0; i < checks.size(); ++i) {
        COMPARE_NEAR(checks.at(i).verticalExcess, excess.at(i), 1e-3);
        for (const LaneExcess &lane : checks.at(i).lanes)
            lanes << lane.lane;
    }
    QCOMPARE(lanes, failingLanes);
}

void tst_ViewAngles::guidelinesFile_data()
{
    QTest::addColumn<QByteArray>("content"); // "fifo": a named pipe; "": nothing
    QTest::addColumn<double>("plateVertical");
    QTest::addColumn<bool>("error");

    const QByteArray edited = R"({"plateReading": {"verticalMax": 25, "horizontalMax": 10,
        "source": "site guide"}, "faceCapture": {"verticalMax": 15, "horizontalMax": 12.5}})";
    QTest::newRow("edited") << edited << 25.0 << false;
    QTest::newRow("shipped") << QByteArray("shipped") << 30.0 << false;
    QTest::newRow("missing") << QByteArray() << 30.0 << true;
    QTest::newRow("named pipe") << QByteArray("fifo") << 30.0 << true;
    QTest::newRow("too long") << edited + QByteArray(Guidelines::MostBytes, ' ') << 30.0 << true;
    QTest::newRow("bad JSON") << QByteArray("{\"plateReading\": {") << 30.0 << true;
    QTest::newRow("text limit") << QByteArray(edited).replace("25", "\"25\"") << 30.0 << true;
}

void tst_ViewAngles::guidelinesFile()
{
    QFETCH(QByteArray, content);
    QFETCH(double, plateVertical);
    QFETCH(bool, error);

    QTemporaryDir dir;
    QString path = Guidelines::pathIn(dir.path());
    if (content == "shipped") {
        path = Guidelines::path();
    } else if (content == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    QString reason;
    const Guidelines g = Guidelines::load(path, &reason);
    QVERIFY2(reason.isEmpty() == !error, qPrintable(reason));
    QCOMPARE(g.plateReading.verticalMax, plateVertical);
}

QTEST_GUILESS_MAIN(tst_ViewAngles)
#include "tst_viewangles.moc"
