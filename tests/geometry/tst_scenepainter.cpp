#include "camerainset.h"
#include "distancetext.h"
#include "geometryfixtures.h"
#include "geometryrecorder.h"
#include "languagetable.h"
#include "samplecameras.h"
#include "scenecalculation.h"
#include "scenelayout.h"
#include "sceneoutline.h"
#include "scenepainter.h"
#include "sceneparams.h"
#include "scenepictures.h"
#include "sceneresult.h"
#include "sensorformats.h"

#include <QtTest>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <limits>
#include <memory>

Q_DECLARE_METATYPE(SceneParams)

// Pixel probes on rendered scenes. Expected colours come from the scene's
// colour table, blended by hand where translucent fills overlap.
class tst_ScenePainter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
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
    void labels_data();
    void labels();
    void legend_data();
    void legend();
    void sceneFont_data();
    void sceneFont();
    void distanceDimensions_data();
    void distanceDimensions();
    void figures_data();
    void figures();
    void cameraOrigin_data();
    void cameraOrigin();
    void widthDimensions_data();
    void widthDimensions();
    void dimensionOffsets_data();
    void dimensionOffsets();
    void paintingOrder_data();
    void paintingOrder();
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
              qreal scale = 1.0, SceneColours *colours = nullptr)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    const SceneColours handedOn = ScenePainter::render(painter, params, result, size, scale,
                                                       colours ? *colours : SceneColours());
    if (colours)
        *colours = handedOn;
    painter.end();
    return image;
}

SceneColours coloursOf(const SceneParams &params)
{
    return SceneColours().forScenario(params.scenario);
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

// Off the ground's edge a -> b (taken in the order P1, P2, P3, P4), at a
// fraction along it, by the given number of pixels: negative outward,
// positive inward.
QPoint outside(const QPoint &a, const QPoint &b, double pixels, double along = 0.5)
{
    const QPointF d = QPointF(b - a);
    const double length = std::hypot(d.x(), d.y());
    const QPointF normal(d.y() / length, -d.x() / length);
    return (QPointF(a) + d * along + normal * pixels).toPoint();
}

} // namespace

void tst_ScenePainter::initTestCase()
{
    QVERIFY(GeometryFixtures::loadEnglish());
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
    COMPARE_COLOUR(image, layout.projectGround(b, 16, 24, false).right,
                   over(lanesFootprint, ground));
    // Beyond both side edges, where the unclipped picture would reach.
    COMPARE_COLOUR(image, outside(layout.p1(), layout.p2(), -6), background);
    COMPARE_COLOUR(image, outside(layout.p3(), layout.p4(), -6), background);
    // Clear of the far distance's label, which sits on that edge's middle.
    COMPARE_COLOUR(image, outside(layout.p1(), layout.p2(), 6, 0.3), over(lanesFootprint, ground));
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

// The vehicle-lane scenario switches the footprint and band colours it hands
// on; a person scene painted with them uses them too, a fresh one does not.
void tst_ScenePainter::lanesColoursCarryOver()
{
    SceneParams person;
    SceneResult personResult;
    personScene(&person, &personResult);
    SceneParams lanes;
    SceneResult lanesResult;
    wideLanes(&lanes, &lanesResult);

    SceneColours colours;
    render(person, personResult, sceneSize, 1.0, &colours);
    render(lanes, lanesResult, sceneSize, 1.0, &colours);
    const QImage carried = render(person, personResult, sceneSize, 1.0, &colours);
    COMPARE_COLOUR(carried, inPersonBand(person, personResult),
                   over(lanesBand, over(lanesFootprint, ground)));
    const QImage fresh = render(person, personResult);
    COMPARE_COLOUR(fresh, inPersonBand(person, personResult),
                   over(startBand, over(startFootprint, ground)));
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
    QTEST(DistanceText::orUnbounded(value), "text");
}

// Records spread over the whole range of the panel's controls, each painted
// at two sizes and scales; the point is that nothing crashes or trips a
// sanitizer, and that the ground is always there.
void tst_ScenePainter::sweepControlRanges()
{
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
        const SensorFormat &sensor = sensorFormats().at(pickInt(0, sensorFormats().size() - 1));
        p.sensorWidth = sensor.width;
        p.sensorHeight = sensor.height;
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

namespace
{

const QColor labelColour(1, 185, 209);
const QColor figureColour(255, 86, 94);
const QColor leaderColour(22, 22, 29);

std::unique_ptr<GeometryRecorder> record(const SceneParams &params, qreal scale = 1.0)
{
    auto recorder = std::make_unique<GeometryRecorder>(sceneSize);
    QPainter painter(recorder.get());
    ScenePainter::render(painter, params, computeScene(params), sceneSize, scale);
    return recorder;
}

SceneParams turned(int lanes)
{
    SceneParams p = SampleCameras::lanes();
    p.lanesNum = lanes;
    p.horizontalMount = true;
    p.horizontalAngle = 10;
    return p;
}

QString face(int pixels, int body, int height)
{
    return QStringLiteral("%1 %2*%2 %3 %4*%5")
        .arg(languageText(55))
        .arg(pixels)
        .arg(languageText(56))
        .arg(body)
        .arg(height);
}

QString plate(int pixels, int vehicle)
{
    return QStringLiteral("%1 %2*%2 %3 %4*%4")
        .arg(languageText(57))
        .arg(pixels)
        .arg(languageText(58))
        .arg(vehicle);
}

QString target(int pixels)
{
    return QStringLiteral("%1 %2*%2").arg(languageText(55)).arg(pixels);
}

bool isDistanceLabel(const QString &text)
{
    return text.size() >= 2 && text.at(0) == QLatin1Char('L') && text.at(1).isDigit();
}

QRectF textBox(const QString &text, const QPointF &at, int pixelSize = 14)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return QRectF(QFontMetrics(font).boundingRect(text)).translated(at);
}

bool touches(const QLineF &a, const QLineF &b)
{
    for (const QPointF &p : {a.p1(), a.p2()}) {
        if (p == b.p1() || p == b.p2())
            return true;
    }
    return false;
}

// Whether the segment runs through the rectangle.
bool runsThrough(const QLineF &line, const QRectF &rect)
{
    const int steps = 200;
    for (int i = 0; i <= steps; ++i) {
        if (rect.contains(line.pointAt(double(i) / steps)))
            return true;
    }
    return false;
}

// Whether something else painted in the scene takes the spot where a label is
// wanted, with the few pixels of its plate: another text, a picture, or a line
// that is not one of the label's own (nor touches them).
bool spotTaken(const GeometryRecorder &recorder, const QString &text, const QPointF &at,
               const QVector<QLineF> &own)
{
    const QRectF wanted = textBox(text, at).adjusted(-2, -1, 2, 1);
    for (const GeometryRecorder::Text &t : recorder.texts()) {
        if (t.text != text && textBox(t.text, t.at, t.pixelSize).intersects(wanted))
            return true;
    }
    for (const GeometryRecorder::Image &image : recorder.images()) {
        if (image.transform.mapRect(image.target).intersects(wanted))
            return true;
    }
    for (const GeometryRecorder::Line &l : recorder.lines()) {
        bool mine = false;
        for (const QLineF &line : own)
            mine = mine || l.line == line || touches(l.line, line);
        if (!mine && runsThrough(l.transform.map(l.line), wanted))
            return true;
    }
    return false;
}

double distanceToLine(const QPointF &p, const QPointF &through, const QPointF &direction)
{
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF d = p - through;
    return std::abs(d.x() * direction.y() - d.y() * direction.x()) / length;
}

// A label that left its wanted spot slid along its own line (the direction
// given) or went to the line's other side, mirrored across it.
bool movedAlongOrAcross(const QString &text, const QPointF &at, const QPointF &wantedAt,
                        const QLineF &line)
{
    const QPointF centre = textBox(text, at).center();
    const QPointF wanted = textBox(text, wantedAt).center();
    const QPointF d = line.p2() - line.p1();
    const double len2 = d.x() * d.x() + d.y() * d.y();
    const QPointF foot =
        line.p1() +
        d * (((centre - line.p1()).x() * d.x() + (centre - line.p1()).y() * d.y()) / len2);
    const QPointF mirrored = foot * 2 - centre;
    return distanceToLine(centre, wanted, d) <= 1.5 || distanceToLine(mirrored, wanted, d) <= 1.5;
}

} // namespace

void tst_ScenePainter::labels_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QStringList>("texts");  // each drawn exactly once
    QTest::addColumn<QStringList>("absent"); // prefixes drawn nowhere

    QTest::newRow("lanes worked example")
        << SampleCameras::lanes()
        << QStringList{"L1:11.44m", "L2:11.44m", "L3:15.62m", "L4:148.12m", "W2:7.56m",
                       "W3:9.98m",  target(132), target(100), "H1"}
        << QStringList{"W1", "W4", languageText(61)};
    // Values: L1 2.69, L2 5.93, L3 16.09, L4 35.09, W2 = 3840 x 0.2 / 320.
    QTest::newRow("person preset")
        << SampleCameras::person() << QStringList{"L1:2.69m", "L2:5.93m", "L3:16.09m", "L4:35.09m",
                                                  "W2:2.40m", "W3:6.40m", target(320), target(120)}
        << QStringList{"W1", languageText(57)};
    // The capture point is named L3 and the far edge L2; the footprint widths
    // W1 and W2 (= W4) are drawn and the capture line's width is W3.
    QTest::newRow("capture worked example")
        << SampleCameras::capture()
        << QStringList{"L1:11.44m",        "L3:12.00m",     "L2:148.12m",       "W1:6.86m",
                       "W2:88.87m",        "W3:7.89m",      face(4, 10, 34),    plate(11, 38),
                       face(50, 125, 425), plate(126, 436), face(52, 130, 442), plate(132, 456)}
        << QStringList{"L4", "W2:7", "W4", languageText(60)};
    QTest::newRow("capture with a level camera")
        << SampleCameras::capture(5, 12, 1.7)
        << QStringList{"L2:" + languageText(41) + "m", "W2:" + languageText(41) + "m"}
        << QStringList{"L4"};
    QTest::newRow("lanes with correction")
        << turned(2)
        << QStringList{"L1",
                       "L2",
                       "L3",
                       "L4",
                       "W2",
                       "W3",
                       languageText(45) + languageText(47) + "15",
                       languageText(61) + languageText(47) + "10"}
        << QStringList{"L1:", "W2:", "W3:"};
    SceneParams guard = SampleCameras::person();
    guard.targetHeight = guard.ipcHeight;
    QTest::newRow("input guard") << guard << QStringList{"H1", languageText(59), languageText(60)}
                                 << QStringList{"L1", "L2", "L3", "L4", "W", languageText(55)};
    SceneParams other = SampleCameras::lanes();
    other.scenario = 0;
    QTest::newRow("unknown scenario") << other << QStringList{languageText(59)}
                                      << QStringList{"L", "W", languageText(55), languageText(60)};
}

void tst_ScenePainter::labels()
{
    QFETCH(SceneParams, params);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, absent);
    const auto recorder = record(params);
    for (const QString &text : texts) {
        int count = 0;
        for (const GeometryRecorder::Text &t : recorder->texts())
            count += t.text == text ? 1 : 0;
        QVERIFY2(count == 1, qPrintable(QStringLiteral("%1 drawn %2 times").arg(text).arg(count)));
    }
    for (const QString &prefix : absent)
        QVERIFY2(recorder->countTexts(prefix) == 0, qPrintable(prefix));
}

void tst_ScenePainter::legend_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<int>("footprintY");
    QTest::addColumn<int>("bandY"); // -1: no band entry

    SceneParams other = SampleCameras::lanes();
    other.scenario = 4;
    QTest::newRow("person") << SampleCameras::person() << 720 - 115 << 720 - 55;
    QTest::newRow("lanes") << SampleCameras::lanes() << 720 - 115 << 720 - 55;
    QTest::newRow("capture") << SampleCameras::capture() << 720 - 55 << -1;
    QTest::newRow("unknown scenario") << other << 720 - 115 << -1;
}

// A 50 x 25 box in the area's colour at (30, y) and its text 65 px to the
// right, 5 px down, in the legend colour.
void tst_ScenePainter::legend()
{
    QFETCH(SceneParams, params);
    QFETCH(int, footprintY);
    QFETCH(int, bandY);
    const auto recorder = record(params);

    auto check = [&](int y, const QColor &colour, const QString &text) {
        bool box = false;
        for (const GeometryRecorder::Shape &s : recorder->rects()) {
            box = box ||
                  (s.rect == QRectF(30, y, 50, 25) && s.brush == colour && s.penStyle == Qt::NoPen);
        }
        const GeometryRecorder::Text *t = recorder->text(text);
        return box && t && t->at.x() == 95 && t->at.y() > y + 5 && t->at.y() < y + 30 &&
               t->colour == QColor(80, 80, 80);
    };
    QVERIFY(check(footprintY, coloursOf(params).footprint, languageText(59)));
    if (bandY >= 0)
        QVERIFY(check(bandY, coloursOf(params).band, languageText(60)));
    else
        QVERIFY(!recorder->text(languageText(60)));
}

void tst_ScenePainter::sceneFont_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("1") << 1.0 << 14;
    QTest::newRow("1.5") << 1.5 << 21;
    QTest::newRow("2") << 2.0 << 28;
    QTest::newRow("3") << 3.0 << 42;
    QTest::newRow("no screen paints at 1") << 0.0 << 14;
}

// Every text of the scene, inset included, is in Arial at 14 px times the
// screen scale; the inset's black captions may shrink to keep clear of their
// boxes' edges.
void tst_ScenePainter::sceneFont()
{
    QFETCH(qreal, scale);
    QFETCH(int, pixelSize);
    for (const SceneParams &params :
         {SampleCameras::person(), turned(3), SampleCameras::capture()}) {
        const auto recorder = record(params, scale);
        QVERIFY(recorder->texts().size() > 5);
        for (const GeometryRecorder::Text &t : recorder->texts()) {
            QCOMPARE(t.family, QStringLiteral("Arial"));
            QVERIFY(t.colour == Qt::black ? t.pixelSize <= pixelSize : t.pixelSize == pixelSize);
        }
    }
}

void tst_ScenePainter::distanceDimensions_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<int>("leaders");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("centred");

    QTest::newRow("lanes") << SampleCameras::lanes() << 4 << int(Qt::DashLine) << true;
    QTest::newRow("person") << SampleCameras::person() << 4 << int(Qt::DotLine) << false;
    QTest::newRow("capture: no separate L3")
        << SampleCameras::capture() << 3 << int(Qt::DashLine) << true;
    QTest::newRow("lanes with correction") << turned(4) << 4 << int(Qt::DashLine) << true;
}

// One leader per distance in the leader colour, dotted for the person and
// dashed otherwise; each label in the label colour, on its dimension line
// except in the person scenario.
void tst_ScenePainter::distanceDimensions()
{
    QFETCH(SceneParams, params);
    QFETCH(int, leaders);
    QFETCH(int, style);
    QFETCH(bool, centred);
    const auto recorder = record(params);

    int count = 0;
    for (const GeometryRecorder::Line &line : recorder->lines()) {
        if (line.colour != leaderColour)
            continue;
        ++count;
        QCOMPARE(int(line.style), style);
    }
    QCOMPARE(count, leaders);

    int labels = 0;
    for (const GeometryRecorder::Text &t : recorder->texts()) {
        if (!isDistanceLabel(t.text))
            continue;
        ++labels;
        QCOMPARE(t.colour, labelColour);
        // A centred label starts on its dimension line, at the middle or,
        // where that spot is taken, slid along the line.
        // The person's labels stand off their lines' middles.
        bool onLine = false;
        bool atMiddle = false;
        for (const GeometryRecorder::Line &line : recorder->lines()) {
            const QLineF l = line.line;
            if (line.colour != labelColour)
                continue;
            const double along =
                QPointF::dotProduct(t.at - l.p1(), l.p2() - l.p1()) / (l.length() * l.length());
            onLine = onLine || (along >= 0 && along <= 1 &&
                                distanceToLine(t.at, l.p1(), l.p2() - l.p1()) <= 1.5);
            const QPointF d = l.center() - t.at;
            atMiddle = atMiddle || (std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1);
        }
        QVERIFY2(centred ? onLine : !atMiddle, qPrintable(t.text));
    }
    QCOMPARE(labels, leaders);
}

void tst_ScenePainter::figures_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("lanes") << SampleCameras::lanes() << QStringList{target(132), target(100)};
    QTest::newRow("person") << SampleCameras::person() << QStringList{target(320), target(120)};
    QTest::newRow("capture") << SampleCameras::capture()
                             << QStringList{face(4, 10, 34), plate(11, 38),      face(50, 125, 425),
                                            plate(126, 436), face(52, 130, 442), plate(132, 456)};
}

// Each pixel label the scene names stands at the end of a line that leads to
// a figure, one figure per label, and a figure farther from the pole is drawn
// no larger than a nearer one of its kind.
void tst_ScenePainter::figures()
{
    QFETCH(SceneParams, params);
    QFETCH(QStringList, labels);
    const auto recorder = record(params);

    // The figures are the pictures shaped like the car or the person.
    const auto shapeOf = [](ScenePictures::Picture picture) {
        const QSize size = ScenePictures::instance().original(picture).size();
        return double(size.width()) / size.height();
    };
    QVector<QRectF> figures;
    QMap<int, QVector<QRectF>> byKind;
    for (const GeometryRecorder::Image &image : recorder->images()) {
        const QRectF r = image.transform.mapRect(image.target);
        if (image.transform.isRotating())
            continue; // the inset's turned icons
        for (ScenePictures::Picture kind : {ScenePictures::Car, ScenePictures::People}) {
            if (std::abs(r.width() / r.height() - shapeOf(kind)) < 0.05) {
                figures << r;
                byKind[kind] << r;
            }
        }
    }
    QCOMPARE(figures.size(), labels.size());
    const QPoint pole =
        SceneLayout(sceneSize, ScenePainter::extentsOf(params, computeScene(params))).b();
    for (QVector<QRectF> &kind : byKind) {
        const auto distance = [&pole](const QRectF &r) {
            return QLineF(pole, r.bottomLeft()).length();
        };
        std::sort(kind.begin(), kind.end(),
                  [&](const QRectF &a, const QRectF &b) { return distance(a) < distance(b); });
        for (int i = 1; i < kind.size(); ++i)
            QVERIFY(kind.at(i).height() <= kind.at(i - 1).height());
    }

    for (const QString &text : labels) {
        const GeometryRecorder::Text *label = recorder->text(text);
        QVERIFY2(label, qPrintable(text));
        const QRectF box = textBox(text, label->at).adjusted(-8, -8, 8, 8);
        // Walk the lines of the label's colour from the label to their far end.
        QVector<QLineF> lines;
        for (const GeometryRecorder::Line &l : recorder->lines()) {
            if (l.colour == label->colour)
                lines << l.line;
        }
        QVector<QPointF> reached;
        for (const QLineF &l : lines) {
            if (box.contains(l.p1()) || box.contains(l.p2()))
                reached << (box.contains(l.p1()) ? l.p1() : l.p2());
        }
        for (int i = 0; i < reached.size() && reached.size() < 64; ++i) {
            for (const QLineF &l : lines) {
                const QPointF other = l.p1() == reached.at(i)   ? l.p2()
                                      : l.p2() == reached.at(i) ? l.p1()
                                                                : QPointF(-1, -1);
                if (other != QPointF(-1, -1) && !reached.contains(other))
                    reached << other;
            }
        }
        const bool leadsToFigure =
            std::any_of(reached.begin(), reached.end(), [&](const QPointF &p) {
                return std::any_of(figures.begin(), figures.end(), [&](const QRectF &f) {
                    return f.adjusted(-16, -16, 16, 16).contains(p);
                });
            });
        QVERIFY2(leadsToFigure, qPrintable(text));
    }
}

void tst_ScenePainter::cameraOrigin_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<double>("roadWidth"); // -1: the pole base

    QTest::newRow("lanes: at the pole base") << SampleCameras::lanes() << -1.0;
    QTest::newRow("capture: at the pole base") << SampleCameras::capture() << -1.0;
    QTest::newRow("1 lane turned: at the road edge") << turned(1) << 3.75;
    QTest::newRow("4 lanes turned: at the road edge") << turned(4) << 15.0;
}

// With the horizontal correction the camera stands at the right end of the
// road's near edge, and the camera axis runs from there.
void tst_ScenePainter::cameraOrigin()
{
    QFETCH(SceneParams, params);
    QFETCH(double, roadWidth);
    const SceneResult result = computeScene(params);
    const SceneLayout layout(sceneSize, ScenePainter::extentsOf(params, result));
    const QPoint origin =
        roadWidth < 0 ? layout.b() : layout.projectGround(layout.b(), roadWidth, 0, false).right;
    const auto recorder = record(params);

    // A 6 m pole: the camera picture is 100 px square.
    QVERIFY(!recorder->images().isEmpty());
    QCOMPARE(recorder->images().first().target,
             QRectF(origin.x() - 100 + 24, origin.y() - 100 + 7, 100, 100));

    const QColor axisColour(243, 85, 88);
    int axes = 0;
    for (const GeometryRecorder::Line &line : recorder->lines()) {
        if (line.colour != axisColour)
            continue;
        ++axes;
        QCOMPARE(line.line.p2(), QPointF(origin));
        QCOMPARE(line.style, Qt::DotLine);
    }
    QCOMPARE(axes, roadWidth < 0 ? 0 : 1);
}

void tst_ScenePainter::widthDimensions_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("farEdge"); // band c1-c4, else band c2-c3
    QTest::addColumn<double>("shift"); // metres along the depth
    QTest::addColumn<QPoint>("labelOffset");

    SceneParams wideLens = SampleCameras::person();
    wideLens.focalLength = 8; // 12 m wide at 20 m: the breadth shrinks by 10 / 12
    QTest::newRow("lanes W2") << SampleCameras::lanes() << "W2:" << false << -0.5 << QPoint(5, 10);
    QTest::newRow("lanes W3") << SampleCameras::lanes() << "W3:" << true << 0.5 << QPoint(0, -40);
    QTest::newRow("person W2") << SampleCameras::person() << "W2:" << false << -0.2
                               << QPoint(5, 10);
    QTest::newRow("person W3") << SampleCameras::person() << "W3:" << true << 0.2
                               << QPoint(-100, 10);
    QTest::newRow("shrunk breadth W2") << wideLens << "W2:" << false << -0.2 << QPoint(5, 10);
    QTest::newRow("shrunk breadth W3") << wideLens << "W3:" << true << 0.2 << QPoint(-100, 10);
    QTest::newRow("correction W3") << turned(2) << "W3" << true << 0.5 << QPoint(0, -20);
    QTest::newRow("capture line W3")
        << SampleCameras::capture() << "W3:" << false << 0.0 << QPoint(5, 10);
}

// A width dimension repeats its edge's pixel length, moved the shift along
// the depth; its label is wanted at the line's centre plus the label offset
// and sits there unless that spot is taken.
void tst_ScenePainter::widthDimensions()
{
    QFETCH(SceneParams, params);
    QFETCH(QString, prefix);
    QFETCH(bool, farEdge);
    QFETCH(double, shift);
    QFETCH(QPoint, labelOffset);

    const SceneResult result = computeScene(params);
    const SceneLayout layout(sceneSize, ScenePainter::extentsOf(params, result));
    const SceneOutline outline(params, result, layout);
    const BandCorners &band = outline.band();
    const QLineF edge = farEdge ? QLineF(band.c1, band.c4) : QLineF(band.c2, band.c3);
    const auto recorder = record(params);

    const GeometryRecorder::Text *label = nullptr;
    for (const GeometryRecorder::Text &t : recorder->texts()) {
        if (t.text.startsWith(prefix))
            label = &t;
    }
    QVERIFY(label);
    const double k = layout.depthLength() * shift / result.drawDepth;
    const QPointF moved = edge.center() - QPointF(std::cos(layout.depthAngle()) * k,
                                                  std::sin(layout.depthAngle()) * k);
    const GeometryRecorder::Line *line = nullptr;
    for (const GeometryRecorder::Line &l : recorder->lines()) {
        if (l.colour == labelColour && std::abs(l.line.length() - edge.length()) <= 2 &&
            (l.line.center() - moved).manhattanLength() <= 2)
            line = &l;
    }
    QVERIFY2(line, qPrintable(QStringLiteral("no line of %1 px at %2,%3")
                                  .arg(edge.length())
                                  .arg(moved.x())
                                  .arg(moved.y())));
    const QPointF wanted = line->line.center() + QPointF(labelOffset);
    const QPointF d = label->at - wanted;
    if (std::abs(d.x()) > 1 || std::abs(d.y()) > 1) {
        QVERIFY2(spotTaken(*recorder, label->text, wanted, {line->line}), qPrintable(label->text));
        QVERIFY(movedAlongOrAcross(label->text, label->at, wanted, line->line));
    }
}

void tst_ScenePainter::dimensionOffsets_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("offset"); // metres in from the left side edge

    const SceneParams lanes = SampleCameras::lanes();
    const SceneParams person = SampleCameras::person();
    const SceneParams capture = SampleCameras::capture();
    const double captureWidth = 3 * 6.8626974261723221; // 3 x W1
    QTest::newRow("lanes L1 at a third") << lanes << "L1:11.44m" << 10.0;
    QTest::newRow("lanes L2 at a half") << lanes << "L2:11.44m" << 15.0;
    QTest::newRow("lanes L3 at a sixth") << lanes << "L3:15.62m" << 5.0;
    QTest::newRow("lanes L4 on the edge") << lanes << "L4:148.12m" << 0.0;
    QTest::newRow("person L1 at a half") << person << "L1:2.69m" << 5.0;
    QTest::newRow("person L2 at a third") << person << "L2:5.93m" << 10.0 / 3;
    QTest::newRow("person L3 at a sixth") << person << "L3:16.09m" << 10.0 / 6;
    QTest::newRow("person L4 on the edge") << person << "L4:35.09m" << 0.0;
    QTest::newRow("capture L1 at a half") << capture << "L1:11.44m" << captureWidth / 2;
    QTest::newRow("capture point at a third") << capture << "L3:12.00m" << captureWidth / 3;
    QTest::newRow("capture far edge at a sixth") << capture << "L2:148.12m" << captureWidth / 6;
}

// Each distance dimension ends on the left side edge moved in by its offset;
// its label is wanted at the dimension's middle, or in the person scenario a
// tenth of the depth beyond that end, and sits there unless that spot is
// taken.
void tst_ScenePainter::dimensionOffsets()
{
    QFETCH(SceneParams, params);
    QFETCH(QString, label);
    QFETCH(double, offset);

    const SceneResult result = computeScene(params);
    const SceneLayout layout(sceneSize, ScenePainter::extentsOf(params, result));
    const QPoint r2 = layout.projectGround(layout.p2(), offset, 0, false).right;
    const auto recorder = record(params);
    const GeometryRecorder::Text *text = recorder->text(label);
    QVERIFY(text);

    const QPointF at =
        params.scenario == 1
            ? QPointF(layout.projectGround(r2, 0, result.drawDepth / 10, false).centre)
            : QPointF();
    bool found = false;
    for (const GeometryRecorder::Line &l : recorder->lines()) {
        if (l.colour != labelColour || l.line.p2() != QPointF(r2))
            continue;
        found = true;
        const QPointF expected = params.scenario == 1 ? at : l.line.center();
        const QPointF d = text->at - expected;
        if (std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1)
            continue;
        // Moved: only off a spot that something else takes, and along its
        // own line or across it.
        QVERIFY2(spotTaken(*recorder, label, expected, {l.line}), qPrintable(label));
        QVERIFY(movedAlongOrAcross(label, text->at, expected, l.line));
    }
    QVERIFY(found);
}

void tst_ScenePainter::paintingOrder_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QStringList>("steps"); // in the order they must be painted

    QTest::newRow("person") << SampleCameras::person()
                            << QStringList{"ground", "centre line", "footprint",
                                           "band",   "distances",   "band widths",
                                           "camera", "figures",     "legend"};
    QTest::newRow("lanes with correction")
        << turned(2) << QStringList{"ground",    "road",        "axis",   "footprint", "band",
                                    "distances", "band widths", "camera", "figures",   "legend"};
    QTest::newRow("capture") << SampleCameras::capture()
                             << QStringList{"ground",       "road",      "footprint",
                                            "capture line", "distances", "footprint widths",
                                            "band widths",  "camera",    "figures",
                                            "legend"};
}

// The first mark of each step of the scene, by the order of painting.
void tst_ScenePainter::paintingOrder()
{
    QFETCH(SceneParams, params);
    QFETCH(QStringList, steps);
    const auto recorder = record(params);
    const int none = std::numeric_limits<int>::max();

    auto firstPolygon = [&](const QColor &brush) {
        int order = none;
        for (const GeometryRecorder::Shape &s : recorder->polygons()) {
            if (s.brush == brush && s.brushStyle != Qt::NoBrush)
                order = std::min(order, s.order);
        }
        return order;
    };
    auto firstLine = [&](const QColor &colour, Qt::PenStyle style) {
        int order = none;
        for (const GeometryRecorder::Line &l : recorder->lines()) {
            if (l.colour == colour && l.style == style)
                order = std::min(order, l.order);
        }
        return order;
    };
    auto firstText = [&](const QStringList &prefixes) {
        int order = none;
        for (const GeometryRecorder::Text &t : recorder->texts()) {
            for (const QString &prefix : prefixes) {
                if (t.text.startsWith(prefix))
                    order = std::min(order, t.order);
            }
        }
        return order;
    };
    int legend = none;
    for (const GeometryRecorder::Shape &s : recorder->rects()) {
        if (s.rect.x() == 30)
            legend = std::min(legend, s.order);
    }

    const QMap<QString, int> first{
        {"ground", firstPolygon(QColor(75, 88, 99))},
        {"centre line", firstLine(Qt::black, Qt::DotLine)},
        {"road", firstPolygon(QColor(39, 49, 58))},
        {"axis", firstLine(QColor(243, 85, 88), Qt::DotLine)},
        {"footprint", firstPolygon(coloursOf(params).footprint)},
        {"band", firstPolygon(coloursOf(params).band)},
        {"capture line", firstLine(coloursOf(params).band, Qt::DotLine)},
        {"distances", firstLine(leaderColour, params.scenario == 1 ? Qt::DotLine : Qt::DashLine)},
        {"footprint widths", firstText({"W1", "W2"})},
        {"band widths",
         firstText(params.scenario == 3 ? QStringList{"W3"} : QStringList{"W2", "W3"})},
        {"camera", firstText({"H1"})},
        {"figures", firstLine(figureColour, Qt::SolidLine)},
        {"legend", legend}};
    int previous = -1;
    for (const QString &step : steps) {
        const int order = first.value(step, none);
        QVERIFY2(order != none, qPrintable(step + QStringLiteral(" not painted")));
        QVERIFY2(order > previous, qPrintable(step + QStringLiteral(" painted too early")));
        previous = order;
    }
}

QTEST_MAIN(tst_ScenePainter)
#include "tst_scenepainter.moc"
