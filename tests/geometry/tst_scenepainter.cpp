#include "camerainset.h"
#include "languagetable.h"
#include "scenecalculation.h"
#include "scenelayout.h"
#include "scenepainter.h"
#include "sceneparams.h"
#include "sceneresult.h"

#include <QtTest>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

// Pixel probes on rendered scenes. Expected colours come from the scene's
// colour table, blended by hand where translucent fills overlap.
class tst_ScenePainter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void footprintClippedToGround();
    void bandColour();
    void lanesColoursCarryOver();
    void laneLines_data();
    void laneLines();
    void cameraSizeFactor_data();
    void cameraSizeFactor();
    void insetGrowsWithCorrection();
    void cameraAxisStaysOnGround();
    void inputGuardDrawsOnlyFixedParts();
    void valueText_data();
    void valueText();
    void sweepControlRanges();
    void degenerateInputs_data();
    void degenerateInputs();
};

namespace
{

const QSize sceneSize(1280, 720);
const QColor background(239, 239, 239);
const QColor ground(75, 88, 99);
const QColor road(39, 49, 58);
const QColor startFootprint(140, 152, 161, 200);
const QColor startBand(54, 205, 225, 200);
const QColor lanesFootprint(186, 197, 204, 150);
const QColor lanesBand(1, 185, 209, 180);
const QColor insetOuter(146, 160, 170);

QImage render(const SceneParams &params, const SceneResult &result, const QSize &size = sceneSize,
              qreal scale = 1.0)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    ScenePainter::render(painter, params, result, size, scale);
    painter.end();
    return image;
}

// A translucent colour painted over an opaque one.
QColor over(const QColor &top, const QColor &below)
{
    const double a = top.alphaF();
    return QColor(qRound(top.red() * a + below.red() * (1 - a)),
                  qRound(top.green() * a + below.green() * (1 - a)),
                  qRound(top.blue() * a + below.blue() * (1 - a)));
}

bool near(const QColor &actual, const QColor &expected, int tolerance = 3)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

#define COMPARE_COLOUR(image, point, expected)                                                     \
    do {                                                                                           \
        const QColor actual_ = (image).pixelColor(point);                                          \
        QVERIFY2(near(actual_, expected),                                                          \
                 qPrintable(QStringLiteral("at %1,%2: %3 expected %4")                             \
                                .arg((point).x())                                                  \
                                .arg((point).y())                                                  \
                                .arg(actual_.name(), QColor(expected).name())));                   \
    } while (false)

SceneLayout layoutFor(const SceneParams &params, const SceneResult &result)
{
    return SceneLayout(sceneSize, ScenePainter::extentsOf(params, result));
}

// A vehicle-lane scene with a very wide lens: the picture is 85 m wide at the
// far edge of a 30 m ground, and the detection band failed.
void wideLanes(SceneParams *params, SceneResult *result)
{
    params->scenario = 2;
    params->lanesNum = 1;
    params->lanesWidth = 3.5;
    params->sensorWidth = 4.8;
    params->sensorHeight = 3.6;
    params->focalLength = 2.8;
    params->ipcHeight = 6;
    params->pitchAngle = 30;
    result->rangeEmitted = true;
    result->L1 = 3;
    result->W1 = 4;
    result->L4 = result->W4 = -1;
    result->drawDepth = 50;
    result->drawWidth = 30;
    result->farDistance = 50;
    result->farWidth = 85.7;
}

// The person scenario's presets: band from 5 m to 12 m, ground 20 m deep.
void personScene(SceneParams *params, SceneResult *result)
{
    params->scenario = 1;
    params->sensorWidth = 4.8;
    params->sensorHeight = 3.6;
    params->focalLength = 12;
    params->ipcHeight = 2.5;
    params->targetHeight = 1.6;
    result->rangeEmitted = true;
    result->L1 = 2;
    result->W1 = 1;
    result->L2 = 5;
    result->W2 = 2.4;
    result->L3 = 12;
    result->W3 = 6;
    result->L4 = 30;
    result->W4 = 14;
    result->nearPixels = 320;
    result->farPixels = 80;
    result->drawDepth = 20;
    result->drawWidth = 10;
    result->farDistance = 20;
    result->farWidth = 8;
}

// A point of the person scene inside the band, clear of the figures.
QPoint inPersonBand(const SceneParams &params, const SceneResult &result)
{
    return layoutFor(params, result)
        .projectGround(layoutFor(params, result).b(), 3, 8.5, false)
        .right;
}

// Off the middle of the ground's edge a -> b (taken in the order P1, P2, P3,
// P4) by the given number of pixels: negative outward, positive inward.
QPoint outside(const QPoint &a, const QPoint &b, double pixels)
{
    const QPointF d = QPointF(b - a);
    const double length = std::hypot(d.x(), d.y());
    const QPointF normal(d.y() / length, -d.x() / length);
    return ((QPointF(a) + QPointF(b)) / 2 + normal * pixels).toPoint();
}

} // namespace

void tst_ScenePainter::initTestCase()
{
    const QString language =
        QCoreApplication::applicationDirPath() + QStringLiteral("/language/ENU.xml");
    if (QFile::exists(language))
        loadLanguageTable(language);
}

void tst_ScenePainter::init()
{
    ScenePainter::restoreStartColours();
}

void tst_ScenePainter::footprintClippedToGround()
{
    SceneParams params;
    SceneResult result;
    wideLanes(&params, &result);
    const QImage image = render(params, result);
    const SceneLayout layout = layoutFor(params, result);
    const QPoint b = layout.b();

    // Between the pole and the near picture edge, off the road: bare ground.
    COMPARE_COLOUR(image, layout.projectGround(b, 24, 1.5, false).left, ground);
    // Inside the footprint, beside the road.
    COMPARE_COLOUR(image, layout.projectGround(b, 16, 30, false).right,
                   over(lanesFootprint, ground));
    // Beyond both side edges, where the unclipped picture would reach.
    COMPARE_COLOUR(image, outside(layout.p1(), layout.p2(), -6), background);
    COMPARE_COLOUR(image, outside(layout.p3(), layout.p4(), -6), background);
    COMPARE_COLOUR(image, outside(layout.p1(), layout.p2(), 6), over(lanesFootprint, ground));
}

void tst_ScenePainter::bandColour()
{
    SceneParams params;
    SceneResult result;
    personScene(&params, &result);
    const QImage image = render(params, result);
    COMPARE_COLOUR(image, inPersonBand(params, result),
                   over(startBand, over(startFootprint, ground)));
}

// The vehicle-lane scenario switches the shared footprint and band colours;
// a person scene painted afterwards uses them too.
void tst_ScenePainter::lanesColoursCarryOver()
{
    QCOMPARE(ScenePainter::bandColour(), startBand);
    SceneParams person;
    SceneResult personResult;
    personScene(&person, &personResult);
    render(person, personResult);
    QCOMPARE(ScenePainter::footprintColour(), startFootprint);

    SceneParams lanes;
    SceneResult lanesResult;
    wideLanes(&lanes, &lanesResult);
    render(lanes, lanesResult);
    QCOMPARE(ScenePainter::footprintColour(), lanesFootprint);
    QCOMPARE(ScenePainter::bandColour(), lanesBand);

    const QImage image = render(person, personResult);
    COMPARE_COLOUR(image, inPersonBand(person, personResult),
                   over(lanesBand, over(lanesFootprint, ground)));
}

void tst_ScenePainter::laneLines_data()
{
    QTest::addColumn<int>("lanes");
    QTest::addColumn<int>("lines");
    QTest::newRow("1 lane") << 1 << 0;
    QTest::newRow("2 lanes") << 2 << 1;
    QTest::newRow("3 lanes") << 3 << 2;
    QTest::newRow("4 lanes") << 4 << 3;
}

// Counts light lane lines crossed on the way across the road, 10 m from the
// pole where nothing but road lies (the picture starts at 40 m).
void tst_ScenePainter::laneLines()
{
    QFETCH(int, lanes);
    SceneParams params;
    SceneResult result;
    wideLanes(&params, &result);
    params.lanesNum = lanes;
    result.L1 = 40;
    const QImage image = render(params, result);
    const SceneLayout layout = layoutFor(params, result);
    const GroundLine across = layout.projectGround(layout.b(), 15.8, 10, false);

    int lines = 0;
    bool onLine = false;
    const int steps = 2000;
    for (int i = 0; i <= steps; ++i) {
        const QPointF p = QPointF(across.left) + QPointF(across.right - across.left) * i / steps;
        const QColor c = image.pixelColor(p.toPoint());
        const bool light = c.lightness() > 120;
        if (light && !onLine)
            ++lines;
        onLine = light;
    }
    QTEST(lines, "lines");
}

void tst_ScenePainter::cameraSizeFactor_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("factor");
    QTest::newRow("at ground") << 0.0 << 0.5;
    QTest::newRow("1.7 m") << 1.7 << 0.5;
    QTest::newRow("1.75 m is half of 3.5") << 1.75 << 0.5;
    QTest::newRow("2.8 m") << 2.8 << 0.8;
    QTest::newRow("3.5 m") << 3.5 << 1.0;
    QTest::newRow("99.99 m") << 99.99 << 1.0;
}

void tst_ScenePainter::cameraSizeFactor()
{
    QFETCH(double, height);
    QFETCH(double, factor);
    QVERIFY(std::abs(CameraInset::sizeFactor(height) - factor) < 1e-12);
}

// The inset box is twice as high with the horizontal correction; it hangs
// from the camera's origin, 100 px above it for a full-size camera.
void tst_ScenePainter::insetGrowsWithCorrection()
{
    SceneParams params;
    SceneResult result;
    wideLanes(&params, &result);
    params.lanesNum = 2;
    params.lanesWidth = 3.75;
    params.horizontalAngle = 10;
    result.halfHorizontal = 0.7086; // atan(2.4 / 2.8)
    const SceneLayout layout = layoutFor(params, result);
    const QPoint r0 = layout.projectGround(layout.b(), 7.5, 0, false).right;
    // Inset from (r0.x + 10, r0.y - 90), 130 wide, 250 high with the correction.
    const QPoint lowInset(r0.x() + 12, r0.y() - 90 + 250 - 3);
    const QPoint topInset(r0.x() + 12, r0.y() - 90 + 2);

    params.horizontalMount = false;
    result.correctionActive = false;
    QImage image = render(params, result);
    QVERIFY(!near(image.pixelColor(lowInset), insetOuter));

    params.horizontalMount = true;
    result.correctionActive = true;
    image = render(params, result);
    COMPARE_COLOUR(image, topInset, insetOuter);
    COMPARE_COLOUR(image, lowInset, insetOuter);
}

// At 30 degrees the camera axis would leave the ground far to the left;
// nothing reddish may appear left of the ground's left corner.
void tst_ScenePainter::cameraAxisStaysOnGround()
{
    SceneParams params;
    SceneResult result;
    wideLanes(&params, &result);
    params.focalLength = 8;
    params.horizontalMount = true;
    params.horizontalAngle = 30;
    result.correctionActive = true;
    result.halfHorizontal = 0.2914568; // atan(2.4 / 8)
    const QImage image = render(params, result);
    const SceneLayout layout = layoutFor(params, result);
    int reddish = 0;
    for (int x = 0; x < layout.p1().x() - 2; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > c.green() + 30)
                ++reddish;
        }
    }
    QCOMPARE(reddish, 0);
}

// After an input guard the extents are stale: no road, footprint or band.
void tst_ScenePainter::inputGuardDrawsOnlyFixedParts()
{
    SceneParams params;
    SceneResult result;
    wideLanes(&params, &result);
    result.rangeEmitted = false;
    const QImage image = render(params, result);
    const SceneLayout layout = layoutFor(params, result);
    COMPARE_COLOUR(image, layout.projectGround(layout.b(), 0, 5, false).centre, ground);
    COMPARE_COLOUR(image, layout.projectGround(layout.b(), 16, 30, false).right, ground);
    const QImage fresh = render(params, result);
    QCOMPARE(fresh, image);

    SceneResult placed = result;
    placed.rangeEmitted = true;
    const QImage drawn = render(params, placed);
    COMPARE_COLOUR(drawn, layout.projectGround(layout.b(), 0, 5, false).centre,
                   over(lanesFootprint, road));
}

void tst_ScenePainter::valueText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("two decimals") << 11.437829 << QStringLiteral("11.44");
    QTest::newRow("whole") << 50.0 << QStringLiteral("50.00");
    QTest::newRow("rounds half up") << 0.125 << QStringLiteral("0.13");
    QTest::newRow("unbounded") << -1.0 << languageText(41);
    QTest::newRow("just below unbounded") << -1.0000001 << QStringLiteral("-1.00");
}

void tst_ScenePainter::valueText()
{
    QFETCH(double, value);
    QTEST(ScenePainter::valueText(value), "text");
}

// Records spread over the whole range of the panel's controls, each painted
// at two sizes and scales; the point is that nothing crashes or trips a
// sanitizer, and that the ground is always there.
void tst_ScenePainter::sweepControlRanges()
{
    const double sensors[4][2] = {{4.8, 3.6}, {5.1, 3.82}, {5.38, 4.03}, {7.18, 5.32}};
    const int widths[] = {3840, 3072, 2880, 2592, 2560, 2304, 2048, 1920, 1280};
    QRandomGenerator random(20261207);
    auto pick = [&random](double low, double high) {
        return low + (high - low) * random.generateDouble();
    };
    auto pickInt = [&random](int low, int high) { return random.bounded(low, high + 1); };

    for (int i = 0; i < 120; ++i) {
        SceneParams p;
        p.scenario = 1 + i % 3;
        p.horizontalMount = (i / 3) % 2 == 1;
        p.plateType = pickInt(1, 3);
        const int edge = i % 7;
        p.pitchAngle = edge == 0 ? 0 : edge == 1 ? 45 : pickInt(0, 45);
        p.horizontalAngle = edge == 2 ? 45 : pickInt(0, 45);
        p.minPixels = pickInt(80, 1080);
        p.maxPixels = pickInt(320, 1080);
        const int sensor = pickInt(0, 3);
        p.sensorWidth = sensors[sensor][0];
        p.sensorHeight = sensors[sensor][1];
        p.resolutionWidth = widths[pickInt(0, 8)];
        p.resolutionHeight = p.resolutionWidth * 9 / 16;
        p.lanesNum = pickInt(1, 4);
        p.lanesWidth = pick(1, 6);
        p.focalLength = edge == 3 ? 1 : edge == 4 ? 400 : pick(1, 400);
        p.targetHeight = pick(0, 3);
        p.ipcHeight = edge == 5 ? 0 : edge == 6 ? 99.99 : pick(0, 20);
        p.captureDistance = pick(1, 500);

        const SceneResult result = computeScene(p);
        for (const QSize size : {QSize(640, 360), QSize(1354, 660)}) {
            const qreal scale = size.width() > 1000 ? 2.0 : 1.0;
            const QImage image = render(p, result, size, scale);
            const SceneLayout layout(size, ScenePainter::extentsOf(p, result));
            const QPoint nearCorner = layout.p3() + QPoint(-8, 0);
            QVERIFY2(image.pixelColor(nearCorner) != background,
                     qPrintable(QStringLiteral("record %1").arg(i)));
        }
    }
}

void tst_ScenePainter::degenerateInputs_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("defaultRecord");
    QTest::newRow("default record") << QSize(1280, 720) << true;
    QTest::newRow("empty widget") << QSize(0, 0) << false;
    QTest::newRow("tiny widget") << QSize(20, 10) << false;
    QTest::newRow("huge scale") << QSize(300, 200) << false;
}

// A new widget's record (all zero), an empty or tiny widget and undefined
// results paint without crashing.
void tst_ScenePainter::degenerateInputs()
{
    QFETCH(QSize, size);
    QFETCH(bool, defaultRecord);
    SceneParams params;
    SceneResult result;
    if (defaultRecord) {
        result = computeScene(params);
    } else {
        personScene(&params, &result);
        params.pitchAngle = std::numeric_limits<qint32>::max();
        params.horizontalAngle = std::numeric_limits<qint32>::min();
        result.L3 = std::numeric_limits<double>::infinity();
        result.W2 = std::numeric_limits<double>::quiet_NaN();
        result.faceAtL1 = std::numeric_limits<int>::max();
    }
    for (qreal scale : {0.0, 1.0, 3.0})
        render(params, result, size, scale);
    for (int scenario : {1, 2, 3, 0}) {
        params.scenario = scenario;
        result.correctionActive = scenario == 2;
        render(params, result, size, 1.0);
    }
}

QTEST_MAIN(tst_ScenePainter)
#include "tst_scenepainter.moc"
