#include "geometryfixtures.h"
#include "samplecameras.h"
#include "scenecalculation.h"
#include "scenelayout.h"
#include "scenepainter.h"
#include "sceneresult.h"

#include <QtTest>

#include <QImage>
#include <QPainter>

Q_DECLARE_METATYPE(SceneParams)

// The density zones as the picture shows them: read along the plan's depth,
// from the pole base B towards the far edge's middle A, which the plan view
// maps linearly onto the drawing depth.
class tst_DensityZones : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(GeometryFixtures::loadEnglish()); }
    void edgesAtClassDistances_data();
    void edgesAtClassDistances();
};

namespace
{

const QSize sceneSize(1280, 720);

QImage render(const SceneParams &params, bool zones)
{
    QImage image(sceneSize, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    SceneOptions options;
    options.densityZones = zones;
    ScenePainter::render(painter, params, computeScene(params), sceneSize, 1.0, SceneColours(),
                         options);
    return image;
}

bool differ(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) > 12;
}

} // namespace

void tst_DensityZones::edgesAtClassDistances_data()
{
    QTest::addColumn<SceneParams>("params");
    QTest::addColumn<int>("edges");
    // No band (the pixel limits put it before L1), so only zones colour the
    // footprint along the road; identify ends at 16.06 m, recognise at 33.7.
    SceneParams lanes = SampleCameras::lanes(15, 320, 300);
    lanes.lanesNum = 1;
    lanes.resolutionWidth = 2560;
    QTest::newRow("lanes, two ends in view") << lanes << 2;
    SceneParams wide = lanes;
    wide.focalLength = 6;
    wide.resolutionWidth = 1920;
    QTest::newRow("lanes, short lens") << wide << 2;
    SceneParams person = SampleCameras::person();
    person.resolutionWidth = 1280;
    person.minPixels = 300;
    QTest::newRow("person") << person << 1;
}

void tst_DensityZones::edgesAtClassDistances()
{
    QFETCH(SceneParams, params);
    QFETCH(int, edges);
    const SceneResult result = computeScene(params);
    const SceneLayout layout(sceneSize, ScenePainter::extentsOf(params, result));
    const QPointF b = layout.b();
    const QPointF toFar = QPointF(layout.a()) - b;
    const double depth = result.drawDepth;
    const auto at = [&](double metres) { return (b + toFar * (metres / depth)).toPoint(); };

    const QImage off = render(params, false);
    const QImage on = render(params, true);
    QVERIFY(on != off);

    QVector<double> ends;
    for (const DensityStretch &stretch : result.density.classes) {
        if (stretch.reached && stretch.to > result.L1 + 1 && stretch.to < result.farDistance - 1)
            ends << stretch.to;
    }
    QCOMPARE(ends.size(), edges);
    // Where the zones change colour and the footprint without them does not,
    // to within the four pixels that the plan's whole-pixel points allow.
    const double step = 0.1;
    const double slack = 0.25;
    QVector<double> changes;
    for (double d = result.L1 + 1; d + step < result.farDistance - 1; d += step) {
        const QPoint p = at(d);
        const QPoint q = at(d + step);
        if (differ(on.pixelColor(p), on.pixelColor(q)) &&
            !differ(off.pixelColor(p), off.pixelColor(q)))
            changes << d + step / 2;
    }
    for (double end : ends) {
        const auto hit = std::find_if(changes.begin(), changes.end(),
                                      [end, slack](double d) { return qAbs(d - end) <= slack; });
        QVERIFY2(hit != changes.end(), qPrintable(QStringLiteral("no edge at %1 m").arg(end)));
    }
    for (double d : changes) {
        const bool atEnd = std::any_of(ends.begin(), ends.end(),
                                       [d, slack](double e) { return qAbs(d - e) <= slack; });
        QVERIFY2(atEnd, qPrintable(QStringLiteral("an edge at %1 m").arg(d)));
    }
}

QTEST_MAIN(tst_DensityZones)
#include "tst_densityzones.moc"
