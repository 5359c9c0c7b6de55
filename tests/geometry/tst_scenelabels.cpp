#include "colourcontrast.h"
#include "geometryfixtures.h"
#include "geometryrecorder.h"
#include "labelplate.h"
#include "samplecameras.h"
#include "scenecalculation.h"
#include "scenepainter.h"
#include "sceneparams.h"
#include "sceneresult.h"
#include "sensorformats.h"

#include <QtTest>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(SceneParams)

// Whether every number of the scene can be read, over records drawn at
// random from the ranges of the panel's controls: labels never cover each
// other and stay inside the scene, they read against whatever lies behind
// them, the inset stays whole, and a scene at twice the scale and size is
// the same scene doubled.
class tst_SceneLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void labelsApartAndInside_data();
    void labelsApartAndInside();
    void labelsReadable_data();
    void labelsReadable();
    void insetWhole_data();
    void insetWhole();
    void oneScale_data();
    void oneScale();
};

namespace
{

const QColor labelColour(1, 185, 209);
const QColor figureColour(255, 86, 94);
const QColor insetOuter(146, 160, 170);
const QColor background(239, 239, 239);

// A record as an installer could enter it, mostly from the usual values.
SceneParams randomRecord(QRandomGenerator &random, int scenario)
{
    const int resolutions[5][2] = {
        {3840, 2160}, {2560, 1440}, {1920, 1080}, {1600, 900}, {1280, 720}};
    auto pick = [&random](double low, double high) {
        return low + (high - low) * random.generateDouble();
    };
    auto mostly = [&](double low, double high, double usualLow, double usualHigh) {
        return random.bounded(5) == 0 ? pick(low, high) : pick(usualLow, usualHigh);
    };
    SceneParams p;
    p.scenario = scenario;
    p.horizontalMount = random.bounded(2) == 1;
    p.plateType = 1 + random.bounded(3);
    p.pitchAngle = random.bounded(46);
    p.horizontalAngle = random.bounded(46);
    p.minPixels = 80 + random.bounded(1001);
    p.maxPixels = 80 + random.bounded(1001);
    const SensorFormat &sensor = sensorFormats().at(random.bounded(sensorFormats().size()));
    p.sensorWidth = sensor.width;
    p.sensorHeight = sensor.height;
    const int resolution = random.bounded(5);
    p.resolutionWidth = resolutions[resolution][0];
    p.resolutionHeight = resolutions[resolution][1];
    p.lanesNum = 1 + random.bounded(4);
    p.lanesWidth = pick(1, 6);
    p.focalLength = mostly(1, 400, 2.8, 50);
    p.targetHeight = pick(1.0, 2.0);
    p.ipcHeight = mostly(0, 99.99, 1.5, 12);
    p.captureDistance = pick(1, 500);
    return p;
}

void addRandomRows(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int i = 0; i < count; ++i) {
        const int scenario = 1 + i % 3;
        const SceneParams p = randomRecord(random, scenario);
        QTest::addRow("record %d, scenario %d", i, scenario) << p;
    }
}

// The sizes the scene takes in the panel, at scale 1 and 2.
struct Screen {
    QSize size;
    qreal scale;
};
const Screen screens[] = {{QSize(1000, 560), 1.0}, {QSize(2000, 1120), 2.0}};

std::unique_ptr<GeometryRecorder> record(const SceneParams &params, const Screen &screen)
{
    auto recorder = std::make_unique<GeometryRecorder>(screen.size);
    QPainter painter(recorder.get());
    ScenePainter::render(painter, params, computeScene(params), screen.size, screen.scale);
    return recorder;
}

QRectF textBox(const GeometryRecorder::Text &t)
{
    QFont font(t.family);
    font.setPixelSize(t.pixelSize);
    return QRectF(QFontMetrics(font).boundingRect(t.text)).translated(t.at);
}

bool isLabel(const GeometryRecorder::Text &t)
{
    return t.colour == labelColour || t.colour == figureColour;
}

QString describe(const GeometryRecorder::Text &t)
{
    const QRectF r = textBox(t);
    return QStringLiteral("\"%1\" at %2,%3 %4x%5")
        .arg(t.text)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

} // namespace

void tst_SceneLabels::initTestCase()
{
    QVERIFY(GeometryFixtures::loadEnglish());
}

void tst_SceneLabels::labelsApartAndInside_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::newRow("lanes worked example") << SampleCameras::lanes();
    QTest::newRow("capture worked example") << SampleCameras::capture();
    QTest::newRow("person preset") << SampleCameras::person();
    addRandomRows(300, 20261211);
}

// No text of the scene covers another, no label lies on a figure or the
// inset, every text lies inside the scene, and the labels' plates stand 2 px
// (scaled) apart, so that no two read as one.
void tst_SceneLabels::labelsApartAndInside()
{
    QFETCH(SceneParams, params);
    for (const Screen &screen : screens) {
        const auto recorder = record(params, screen);
        const QRectF scene(QPointF(0, 0), QSizeF(screen.size));
        const QVector<GeometryRecorder::Text> &texts = recorder->texts();
        // The figures are painted after the camera and its marker "H1",
        // which stands on the camera picture's pole.
        const GeometryRecorder::Text *marker = recorder->text(QStringLiteral("H1"));
        QVERIFY(marker);
        QVector<QRectF> covered;
        for (const GeometryRecorder::Image &image : recorder->images()) {
            if (image.order > marker->order)
                covered.append(image.transform.mapRect(image.target));
        }
        for (const GeometryRecorder::Shape &s : recorder->rects()) {
            if (s.brush == insetOuter)
                covered.append(s.rect);
        }
        for (int i = 0; i < texts.size(); ++i) {
            const QRectF box = textBox(texts.at(i));
            QVERIFY2(scene.contains(box), qPrintable(describe(texts.at(i))));
            for (int j = i + 1; j < texts.size(); ++j) {
                QVERIFY2(!box.intersects(textBox(texts.at(j))),
                         qPrintable(describe(texts.at(i)) + " on " + describe(texts.at(j))));
            }
            if (!isLabel(texts.at(i)))
                continue;
            for (const QRectF &rect : covered)
                QVERIFY2(!box.intersects(rect), qPrintable(describe(texts.at(i))));
        }
        QVector<QRectF> plates;
        for (const GeometryRecorder::Path &path : recorder->paths()) {
            if (path.brush == LabelPlate::colour())
                plates.append(path.path.boundingRect());
        }
        const double gap = 2 * screen.scale - 0.01;
        for (int i = 0; i < plates.size(); ++i) {
            for (int j = i + 1; j < plates.size(); ++j)
                QVERIFY(!plates.at(i).adjusted(-gap, -gap, gap, gap).intersects(plates.at(j)));
        }
    }
}

void tst_SceneLabels::labelsReadable_data()
{
    QTest::addColumn<SceneParams>("params");
    // The lanes scenario switches the fills to their light variant for good,
    // so the person and capture scenes are drawn with both sets.
    QTest::newRow("person, first fills") << SampleCameras::person();
    QTest::newRow("capture, first fills") << SampleCameras::capture();
    QTest::newRow("lanes") << SampleCameras::lanes();
    QTest::newRow("person, lane fills") << SampleCameras::person();
    QTest::newRow("capture, lane fills") << SampleCameras::capture();
    addRandomRows(90, 7041);
}

// Each label reads at 3:1 or better against what lies behind it: most pixels
// of its box are its background, so the median contrast of the box's pixels
// against the label's colour is the contrast against its background.
void tst_SceneLabels::labelsReadable()
{
    QFETCH(SceneParams, params);
    for (const Screen &screen : screens) {
        const SceneResult result = computeScene(params);
        QImage image(screen.size, QImage::Format_ARGB32);
        image.fill(background);
        {
            QPainter painter(&image);
            ScenePainter::render(painter, params, result, screen.size, screen.scale);
        }
        GeometryRecorder recorder(screen.size);
        {
            QPainter painter(&recorder);
            ScenePainter::render(painter, params, result, screen.size, screen.scale);
        }
        int labels = 0;
        for (const GeometryRecorder::Text &t : recorder.texts()) {
            if (!isLabel(t))
                continue;
            ++labels;
            const QRect box = textBox(t).toAlignedRect() & image.rect();
            QVector<double> ratios;
            for (int y = box.top(); y <= box.bottom(); ++y) {
                for (int x = box.left(); x <= box.right(); ++x)
                    ratios.append(contrast(t.colour, image.pixelColor(x, y)));
            }
            QVERIFY(!ratios.isEmpty());
            std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
            const double median = ratios.at(ratios.size() / 2);
            QVERIFY2(median >= 3.0,
                     qPrintable(describe(t) + QStringLiteral(": %1:1").arg(median, 0, 'f', 2)));
        }
        QVERIFY(labels > 0);
    }
}

void tst_SceneLabels::insetWhole_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("scale");

    QRandomGenerator random(3301);
    const QSize smallest(950, 540);
    for (int i = 0; i < 40; ++i) {
        SceneParams p = randomRecord(random, 1 + i % 3);
        p.horizontalMount = i % 2 == 0;
        const qreal scale = i % 4 < 2 ? 1.0 : 2.0;
        QTest::addRow("record %d, scenario %d%s at %g", i, p.scenario,
                      p.horizontalMount ? " mounted" : "", scale)
            << p << smallest * scale << scale;
    }
    SceneParams turned = SampleCameras::lanes();
    turned.horizontalMount = true;
    turned.horizontalAngle = 10;
    for (const qreal scale : {1.0, 2.0}) {
        for (const QSize &size : {smallest, QSize(1000, 560), QSize(1354, 660)}) {
            QTest::addRow("lanes at %dx%d, scale %g", size.width(), size.height(), scale)
                << SampleCameras::lanes() << size * scale << scale;
            QTest::addRow("mounted at %dx%d, scale %g", size.width(), size.height(), scale)
                << turned << size * scale << scale;
        }
    }
}

// From the panel's smallest scene upward, the inset (two boxes with the
// horizontal mount of the lanes scenario) lies wholly inside the scene.
void tst_SceneLabels::insetWhole()
{
    QFETCH(SceneParams, params);
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    const auto recorder = record(params, {size, scale});
    const GeometryRecorder::Shape *outer = nullptr;
    for (const GeometryRecorder::Shape &s : recorder->rects()) {
        if (s.brush == insetOuter)
            outer = &s;
    }
    QVERIFY(outer);
    const QRectF box = outer->rect;
    QVERIFY2(QRectF(QPointF(0, 0), QSizeF(size)).contains(box),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(box.x())
                            .arg(box.y())
                            .arg(box.width())
                            .arg(box.height())));
    const bool twoBoxes = params.scenario == Scenario::Lanes && params.horizontalMount &&
                          computeScene(params).correctionActive;
    QCOMPARE(box.height() > 1.5 * box.width(), twoBoxes);
}

void tst_SceneLabels::oneScale_data()
{
    QTest::addColumn<SceneParams>("params");
    SceneParams turned = SampleCameras::lanes();
    turned.horizontalMount = true;
    turned.horizontalAngle = 10;
    QTest::newRow("person") << SampleCameras::person();
    QTest::newRow("lanes") << SampleCameras::lanes();
    QTest::newRow("mounted") << turned;
    QTest::newRow("capture") << SampleCameras::capture();
}

// At scale 2 and twice the size, the pictures, the legend, the inset and the
// fonts are twice as large as at scale 1, and so is every label's box.
void tst_SceneLabels::oneScale()
{
    QFETCH(SceneParams, params);
    const auto single = record(params, screens[0]);
    const auto doubled = record(params, screens[1]);

    QCOMPARE(doubled->images().size(), single->images().size());
    for (int i = 0; i < single->images().size(); ++i) {
        const QSizeF one = single->images().at(i).target.size();
        const QSizeF two = doubled->images().at(i).target.size();
        QVERIFY2(std::abs(two.width() - 2 * one.width()) <= 2 &&
                     std::abs(two.height() - 2 * one.height()) <= 2,
                 qPrintable(QStringLiteral("picture %1: %2x%3 at 1, %4x%5 at 2")
                                .arg(i)
                                .arg(one.width())
                                .arg(one.height())
                                .arg(two.width())
                                .arg(two.height())));
    }
    QCOMPARE(doubled->rects().size(), single->rects().size());
    for (int i = 0; i < single->rects().size(); ++i) {
        const QRectF one = single->rects().at(i).rect;
        const QRectF two = doubled->rects().at(i).rect;
        QVERIFY(std::abs(two.width() - 2 * one.width()) <= 2);
        QVERIFY(std::abs(two.height() - 2 * one.height()) <= 2);
    }
    QCOMPARE(doubled->texts().size(), single->texts().size());
    for (int i = 0; i < single->texts().size(); ++i)
        QCOMPARE(doubled->texts().at(i).pixelSize, 2 * single->texts().at(i).pixelSize);
}

QTEST_MAIN(tst_SceneLabels)
#include "tst_scenelabels.moc"
