#include "samplecameras.h"
#include "scenecalculation.h"
#include "scenegeometry.h"
#include "scenelayout.h"
#include "sceneoutline.h"
#include "sceneparams.h"
#include "sceneresult.h"

#include <QtTest>

#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <limits>

// Line intersections, cutting strips by the ground and the view wedge, the
// capture-line rule and the corners the scene outline places.
class tst_SceneGeometry : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void lineIntersection_data();
    void lineIntersection();
    void segmentIntersection_data();
    void segmentIntersection();
    void cutBandByGround_data();
    void cutBandByGround();
    void cutBandLeavesStripsWithoutTwoEdges();
    void cutBandChoosesLateralEdges_data();
    void cutBandChoosesLateralEdges();
    void cutLineToGroundEdges();
    void captureLineDistance_data();
    void captureLineDistance();
    void outlineNotPlaced_data();
    void outlineNotPlaced();
    void outlineCaptureLineOnFootprintSides();
    void outlineCorrectionInsideWedge_data();
    void outlineCorrectionInsideWedge();
    void clipToConvex_data();
    void clipToConvex();
    void reflect_data();
    void reflect();
};

namespace
{

// Distance of p from the infinite line through a and b.
double distanceToLine(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    return std::abs(d.x() * (p.y() - a.y()) - d.y() * (p.x() - a.x())) / length;
}

SceneLayout layout1280(double depth = 50, double width = 30)
{
    SceneLayout::Extents e;
    e.drawDepth = depth;
    e.drawWidth = width;
    e.sensorWidth = 4.8;
    e.focalLength = 8;
    return SceneLayout(QSize(1280, 720), e);
}

// The worked lanes camera's results, rounded from the worked example.
SceneResult lanesResult()
{
    SceneResult r;
    r.rangeEmitted = true;
    r.L1 = 11.4378;
    r.W1 = 6.8627;
    r.L2 = 11.4378;
    r.W2 = 7.5606;
    r.L3 = 15.6193;
    r.W3 = 9.984;
    r.L4 = 148.1223;
    r.W4 = 88.8734;
    r.drawDepth = 50;
    r.drawWidth = 30;
    r.farDistance = 50;
    r.farWidth = 30;
    r.halfHorizontal = 0.2914568;
    r.halfVertical = 0.2213144;
    return r;
}

} // namespace

void tst_SceneGeometry::conversions_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pixel");
    QTest::addColumn<int>("count");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("positive truncates") << 12.9 << 12 << 12;
    QTest::newRow("negative truncates toward zero") << -12.9 << -12 << -12;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0 << 0;
    QTest::newRow("infinity") << inf << 0 << 0;
    QTest::newRow("beyond int") << 3.0e10 << 1000000 << 0;
    QTest::newRow("far below int") << -3.0e10 << -1000000 << 0;
}

void tst_SceneGeometry::conversions()
{
    QFETCH(double, value);
    QTEST(SceneGeometry::toPixel(value), "pixel");
    QTEST(toCount(value), "count");
}

void tst_SceneGeometry::lineIntersection_data()
{
    QTest::addColumn<QPointF>("a1");
    QTest::addColumn<QPointF>("a2");
    QTest::addColumn<QPointF>("b1");
    QTest::addColumn<QPointF>("b2");
    QTest::addColumn<bool>("crosses");
    QTest::addColumn<QPointF>("at");

    QTest::newRow("axes") << QPointF(-5, 0) << QPointF(5, 0) << QPointF(2, -3) << QPointF(2, 7)
                          << true << QPointF(2, 0);
    QTest::newRow("crossing beyond both segments")
        << QPointF(0, 0) << QPointF(1, 1) << QPointF(10, 0) << QPointF(9, 1) << true
        << QPointF(5, 5);
    QTest::newRow("parallel") << QPointF(0, 0) << QPointF(10, 5) << QPointF(0, 3) << QPointF(10, 8)
                              << false << QPointF();
    QTest::newRow("same line") << QPointF(0, 0) << QPointF(10, 5) << QPointF(20, 10)
                               << QPointF(30, 15) << false << QPointF();
    QTest::newRow("first is a point")
        << QPointF(3, 3) << QPointF(3, 3) << QPointF(0, 0) << QPointF(10, 0) << false << QPointF();
}

void tst_SceneGeometry::lineIntersection()
{
    QFETCH(QPointF, a1);
    QFETCH(QPointF, a2);
    QFETCH(QPointF, b1);
    QFETCH(QPointF, b2);
    QFETCH(bool, crosses);
    QFETCH(QPointF, at);
    QPointF found(-1, -1);
    QCOMPARE(SceneGeometry::lineIntersection(a1, a2, b1, b2, &found), crosses);
    if (crosses) {
        QVERIFY(std::abs(found.x() - at.x()) < 1e-9);
        QVERIFY(std::abs(found.y() - at.y()) < 1e-9);
    } else {
        QCOMPARE(found, QPointF(-1, -1));
    }
}

void tst_SceneGeometry::segmentIntersection_data()
{
    QTest::addColumn<QPointF>("a1");
    QTest::addColumn<QPointF>("a2");
    QTest::addColumn<QPointF>("b1");
    QTest::addColumn<QPointF>("b2");
    QTest::addColumn<bool>("crosses");

    QTest::newRow("inside both") << QPointF(0, 0) << QPointF(10, 10) << QPointF(0, 10)
                                 << QPointF(10, 0) << true;
    QTest::newRow("at an end point")
        << QPointF(0, 0) << QPointF(10, 0) << QPointF(10, -5) << QPointF(10, 5) << true;
    QTest::newRow("beyond the first")
        << QPointF(0, 0) << QPointF(1, 1) << QPointF(10, 0) << QPointF(9, 1) << false;
    QTest::newRow("beyond the second")
        << QPointF(0, 0) << QPointF(10, 0) << QPointF(5, 1) << QPointF(5, 8) << false;
    QTest::newRow("parallel") << QPointF(0, 0) << QPointF(10, 0) << QPointF(0, 1) << QPointF(10, 1)
                              << false;
}

void tst_SceneGeometry::segmentIntersection()
{
    QFETCH(QPointF, a1);
    QFETCH(QPointF, a2);
    QFETCH(QPointF, b1);
    QFETCH(QPointF, b2);
    QTEST(SceneGeometry::segmentIntersection(a1, a2, b1, b2, nullptr), "crosses");
}

void tst_SceneGeometry::cutBandByGround_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("nearDistance");
    QTest::addColumn<double>("farDistance");
    QTest::addColumn<bool>("leftCut");
    QTest::addColumn<bool>("rightCut");

    QTest::newRow("wider than the ground") << 60.0 << 10.0 << 20.0 << true << true;
    QTest::newRow("within the ground") << 10.0 << 10.0 << 20.0 << false << false;
}

// A strip wider than the ground is cut where it leaves the ground: its
// corners move onto the side edges and stay on their distance lines.
void tst_SceneGeometry::cutBandByGround()
{
    QFETCH(double, width);
    QFETCH(double, nearDistance);
    QFETCH(double, farDistance);
    QFETCH(bool, leftCut);
    QFETCH(bool, rightCut);
    const SceneLayout layout = layout1280();
    const GroundLine farLine = layout.projectGround(layout.b(), width, farDistance, false);
    const GroundLine nearLine = layout.projectGround(layout.b(), width, nearDistance, false);
    const BandCorners before{farLine.left, nearLine.left, nearLine.right, farLine.right};
    BandCorners band = before;
    SceneGeometry::cutBand(band, layout.ground(), layout.lateralAngle());

    const double tolerance = 1.5;
    QVERIFY(distanceToLine(band.c1, farLine.left, farLine.right) < tolerance);
    QVERIFY(distanceToLine(band.c4, farLine.left, farLine.right) < tolerance);
    QVERIFY(distanceToLine(band.c2, nearLine.left, nearLine.right) < tolerance);
    QVERIFY(distanceToLine(band.c3, nearLine.left, nearLine.right) < tolerance);
    if (leftCut) {
        QVERIFY(distanceToLine(band.c1, layout.p1(), layout.p2()) < tolerance);
        QVERIFY(distanceToLine(band.c2, layout.p1(), layout.p2()) < tolerance);
    } else {
        QVERIFY((band.c1 - before.c1).manhattanLength() <= 2);
        QVERIFY((band.c2 - before.c2).manhattanLength() <= 2);
    }
    if (rightCut) {
        QVERIFY(distanceToLine(band.c3, layout.p4(), layout.p3()) < tolerance);
        QVERIFY(distanceToLine(band.c4, layout.p4(), layout.p3()) < tolerance);
    } else {
        QVERIFY((band.c3 - before.c3).manhattanLength() <= 2);
        QVERIFY((band.c4 - before.c4).manhattanLength() <= 2);
    }
}

void tst_SceneGeometry::cutBandLeavesStripsWithoutTwoEdges()
{
    const SceneLayout layout = layout1280();
    // Wholly outside the ground, and a strip that is only a line: nothing to
    // cut, so the corners stay.
    const BandCorners outside{QPoint(2000, 2000), QPoint(2100, 2100), QPoint(2200, 2050),
                              QPoint(2100, 1950)};
    BandCorners band = outside;
    SceneGeometry::cutBand(band, layout.ground(), layout.lateralAngle());
    QCOMPARE(band.c1, outside.c1);
    QCOMPARE(band.c3, outside.c3);

    const BandCorners line{QPoint(600, 500), QPoint(600, 500), QPoint(900, 330), QPoint(900, 330)};
    band = line;
    SceneGeometry::cutBand(band, layout.ground(), layout.lateralAngle());
    QCOMPARE(band.c1, line.c1);
    QCOMPARE(band.c4, line.c4);
}

void tst_SceneGeometry::cutBandChoosesLateralEdges_data()
{
    QTest::addColumn<QPolygon>("corners"); // c1, c2, c3, c4 as given
    QTest::addColumn<double>("lateral");
    QTest::addColumn<QPolygon>("expected");

    // Far edge (0,100)-(200,0) and near edge (100,250)-(300,150) both run at
    // atan(0.5) up to the right.
    const double slope = std::atan(0.5);
    const QPolygon strip({QPoint(0, 100), QPoint(100, 250), QPoint(300, 150), QPoint(200, 0)});
    const QPolygon turned({QPoint(100, 250), QPoint(300, 150), QPoint(200, 0), QPoint(0, 100)});
    QTest::newRow("edges along the lateral direction") << strip << slope << strip;
    QTest::newRow("corners given the other way round") << turned << slope << strip;
    QTest::newRow("0.034 rad off is kept") << turned << slope + 0.034 << strip;
    QTest::newRow("0.036 rad off leaves the corners") << turned << slope + 0.036 << turned;
    // A thin strip: its diagonals stray by about 0.008 rad and are stored
    // too, then dropped as the two largest keys.
    const QPolygon thin({QPoint(0, 100), QPoint(2, 101), QPoint(202, 1), QPoint(200, 0)});
    QTest::newRow("diagonals of a thin strip dropped") << thin << slope << thin;
}

// Within a polygon that holds the whole strip, the cut only sorts the edges:
// the lateral edge starting further left is the far one, c1 -> c4.
void tst_SceneGeometry::cutBandChoosesLateralEdges()
{
    QFETCH(QPolygon, corners);
    QFETCH(double, lateral);
    QFETCH(QPolygon, expected);
    BandCorners band{corners.at(0), corners.at(1), corners.at(2), corners.at(3)};
    SceneGeometry::cutBand(band, QPolygon(QRect(-1000, -1000, 3000, 3000)), lateral);
    QCOMPARE(QPolygon({band.c1, band.c2, band.c3, band.c4}), expected);
}

// A capture line reaching past both side edges is shortened to them.
void tst_SceneGeometry::cutLineToGroundEdges()
{
    const SceneLayout layout = layout1280();
    const GroundLine wide = layout.projectGround(layout.b(), 60, 10, false);
    BandCorners band{wide.left, wide.left, wide.right, wide.right};
    SceneGeometry::cutLine(band, QLine(layout.p1(), layout.p2()), QLine(layout.p4(), layout.p3()));
    QVERIFY(distanceToLine(band.c2, layout.p1(), layout.p2()) < 1.0);
    QVERIFY(distanceToLine(band.c3, layout.p4(), layout.p3()) < 1.0);
    QVERIFY(distanceToLine(band.c2, wide.left, wide.right) < 1.0);
    QVERIFY(distanceToLine(band.c3, wide.left, wide.right) < 1.0);

    // Within the ground nothing moves.
    const GroundLine narrow = layout.projectGround(layout.b(), 6, 10, false);
    BandCorners inside{narrow.left, narrow.left, narrow.right, narrow.right};
    SceneGeometry::cutLine(inside, QLine(layout.p1(), layout.p2()),
                           QLine(layout.p4(), layout.p3()));
    QCOMPARE(inside.c2, narrow.left);
    QCOMPARE(inside.c3, narrow.right);
}

void tst_SceneGeometry::captureLineDistance_data()
{
    QTest::addColumn<double>("l1");
    QTest::addColumn<double>("l2");
    QTest::addColumn<double>("l4");
    QTest::addColumn<double>("expected");

    QTest::newRow("far edge unbounded uses L1") << 10.0 << 20.0 << -1.0 << 10.0;
    // 10 + (20 - 10) / (60 - 10) * 1.2 * 10
    QTest::newRow("between L1 and L4 is compressed") << 10.0 << 20.0 << 60.0 << 12.4;
    // 11.4378 + 0.5622 / 136.6845 * 1.2 * 11.4378
    QTest::newRow("worked capture point") << 11.4378 << 12.0 << 148.1223 << 11.494253;
    QTest::newRow("at L1 stays") << 10.0 << 10.0 << 60.0 << 10.0;
    QTest::newRow("beyond L4 stays") << 10.0 << 70.0 << 60.0 << 70.0;
    QTest::newRow("failed capture point") << 10.0 << 0.0 << 60.0 << 0.0;
}

void tst_SceneGeometry::captureLineDistance()
{
    QFETCH(double, l1);
    QFETCH(double, l2);
    QFETCH(double, l4);
    QFETCH(double, expected);
    SceneResult r;
    r.L1 = l1;
    r.L2 = l2;
    r.L3 = l2;
    r.L4 = l4;
    QVERIFY(std::abs(SceneOutline::captureLineDistance(r) - expected) < 1e-5);
}

void tst_SceneGeometry::outlineNotPlaced_data()
{
    QTest::addColumn<bool>("rangeEmitted");
    QTest::addColumn<double>("drawDepth");
    QTest::addColumn<int>("scenario");

    QTest::newRow("input guard") << false << 50.0 << 2;
    QTest::newRow("zero depth") << true << 0.0 << 3;
    QTest::newRow("NaN depth") << true << std::numeric_limits<double>::quiet_NaN() << 3;
    QTest::newRow("unknown scenario") << true << 50.0 << 7;
}

// Nothing is placed from stale or undefined extents; the camera stays at the
// pole base.
void tst_SceneGeometry::outlineNotPlaced()
{
    QFETCH(bool, rangeEmitted);
    QFETCH(double, drawDepth);
    QFETCH(int, scenario);
    SceneParams params = SampleCameras::lanes();
    params.scenario = scenario;
    SceneResult result = lanesResult();
    result.rangeEmitted = rangeEmitted;
    result.drawDepth = drawDepth;
    const SceneLayout layout = layout1280(drawDepth, 30);
    const SceneOutline outline(params, result, layout);
    QVERIFY(!outline.placed());
    QVERIFY(!outline.hasBand());
    QCOMPARE(outline.origin(), layout.b());
    QCOMPARE(outline.footprint().c1, QPoint());
    QCOMPARE(outline.band().c3, QPoint());
}

// The capture line is a single line whose ends lie on the footprint's sides.
void tst_SceneGeometry::outlineCaptureLineOnFootprintSides()
{
    SceneParams params = SampleCameras::lanes();
    params.scenario = 3;
    SceneResult result = lanesResult();
    result.L2 = result.L3 = 12;
    result.W2 = result.W3 = 7.8864;
    result.drawDepth = 2.2 * result.L1;
    result.drawWidth = 3 * result.W1;
    const SceneLayout layout = layout1280(result.drawDepth, result.drawWidth);
    const SceneOutline outline(params, result, layout);
    QVERIFY(outline.placed());
    QVERIFY(outline.hasBand());
    const BandCorners &f = outline.footprint();
    const BandCorners &band = outline.band();
    QVERIFY(band.isLine());
    QVERIFY(distanceToLine(band.c2, f.c1, f.c2) < 1.0);
    QVERIFY(distanceToLine(band.c3, f.c4, f.c3) < 1.0);
    // The far line is the ground's far edge: drawWidth wide at drawDepth.
    QVERIFY(distanceToLine(f.c1, layout.p1(), layout.p4()) < 1.5);
    QVERIFY(distanceToLine(f.c4, layout.p1(), layout.p4()) < 1.5);
}

void tst_SceneGeometry::outlineCorrectionInsideWedge_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<double>("l3");
    QTest::newRow("10 degrees") << 10 << 15.1483;
    QTest::newRow("past half the view") << 25 << 15.1483;
    QTest::newRow("band is a line") << 10 << 11.264;
}

// With the horizontal correction the camera stands at the road's right edge
// and every corner of the footprint and band lies within its view wedge.
void tst_SceneGeometry::outlineCorrectionInsideWedge()
{
    QFETCH(int, angle);
    QFETCH(double, l3);
    SceneParams params = SampleCameras::lanes();
    params.horizontalMount = true;
    params.horizontalAngle = angle;
    SceneResult result = lanesResult();
    result.correctionActive = true;
    result.L1 = result.L2 = 11.264;
    result.L3 = l3;
    const SceneLayout layout = layout1280();
    const SceneOutline outline(params, result, layout);
    QVERIFY(outline.placed());
    QVERIFY(outline.correction());

    // The road is 2 x 3.75 m: half of it to the right of B along the near edge.
    const GroundLine road = layout.projectGround(layout.b(), 7.5, 0, false);
    QCOMPARE(outline.origin(), road.right);

    QPainterPath wedge;
    wedge.addPolygon(QPolygonF(outline.wedge()));
    wedge.closeSubpath();
    const QPainterPath grown =
        QPainterPathStroker(QPen(Qt::black, 3)).createStroke(wedge).united(wedge);
    const BandCorners &f = outline.footprint();
    const BandCorners &b = outline.band();
    for (const QPoint &p : {f.c1, f.c2, f.c3, f.c4, b.c1, b.c2, b.c3, b.c4})
        QVERIFY2(grown.contains(QPointF(p)),
                 qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    QCOMPARE(b.isLine(), l3 == result.L2);
}

void tst_SceneGeometry::clipToConvex_data()
{
    QTest::addColumn<QPolygon>("polygon");
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<QLineF>("part");

    // A diamond with corners (0, 10), (10, 20), (20, 10), (10, 0), listed
    // both ways round.
    const QPolygon diamond = QPolygon()
                             << QPoint(0, 10) << QPoint(10, 20) << QPoint(20, 10) << QPoint(10, 0);
    QPolygon reversed;
    for (int i = diamond.size() - 1; i >= 0; --i)
        reversed << diamond.at(i);
    QTest::newRow("across the middle")
        << diamond << QLineF(-10, 10, 30, 10) << true << QLineF(0, 10, 20, 10);
    QTest::newRow("other way round")
        << reversed << QLineF(-10, 10, 30, 10) << true << QLineF(0, 10, 20, 10);
    QTest::newRow("starting inside")
        << diamond << QLineF(10, 10, 10, 40) << true << QLineF(10, 10, 10, 20);
    QTest::newRow("wholly inside")
        << diamond << QLineF(8, 9, 12, 11) << true << QLineF(8, 9, 12, 11);
    QTest::newRow("past a corner") << diamond << QLineF(0, 0, 4, 0) << false << QLineF();
    QTest::newRow("along the outside of an edge")
        << diamond << QLineF(-5, 5, 5, -5) << false << QLineF();
    const QPolygon flat = QPolygon() << QPoint(0, 0) << QPoint(10, 0) << QPoint(20, 0);
    QTest::newRow("flat polygon") << flat << QLineF(5, -5, 5, 5) << false << QLineF();
}

// The part of a line painted on the ground that a label could meet: what a
// clip to the ground leaves of it.
void tst_SceneGeometry::clipToConvex()
{
    QFETCH(QPolygon, polygon);
    QFETCH(QLineF, line);
    QFETCH(bool, inside);
    QFETCH(QLineF, part);
    QLineF clipped;
    QCOMPARE(SceneGeometry::clipToConvex(line, polygon, &clipped), inside);
    if (!inside)
        return;
    QVERIFY2((clipped.p1() - part.p1()).manhattanLength() < 1e-9 &&
                 (clipped.p2() - part.p2()).manhattanLength() < 1e-9,
             qPrintable(QStringLiteral("%1,%2 %3,%4")
                            .arg(clipped.x1())
                            .arg(clipped.y1())
                            .arg(clipped.x2())
                            .arg(clipped.y2())));
}

void tst_SceneGeometry::reflect_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<QPointF>("mirrored");

    QTest::newRow("across a level line") << QPointF(3, 2) << QLineF(0, 5, 10, 5) << QPointF(3, 8);
    QTest::newRow("across the diagonal") << QPointF(4, 0) << QLineF(0, 0, 1, 1) << QPointF(0, 4);
    QTest::newRow("beyond the segment's ends")
        << QPointF(50, 2) << QLineF(0, 0, 10, 0) << QPointF(50, -2);
    QTest::newRow("on the line stays") << QPointF(7, 7) << QLineF(0, 0, 2, 2) << QPointF(7, 7);
    QTest::newRow("a point is no line") << QPointF(3, 4) << QLineF(1, 1, 1, 1) << QPointF(3, 4);
}

// Where a label goes when it turns to the other side of its line.
void tst_SceneGeometry::reflect()
{
    QFETCH(QPointF, point);
    QFETCH(QLineF, line);
    QFETCH(QPointF, mirrored);
    const QPointF actual = SceneGeometry::reflect(point, line);
    QVERIFY((actual - mirrored).manhattanLength() < 1e-9);
}

QTEST_GUILESS_MAIN(tst_SceneGeometry)
#include "tst_scenegeometry.moc"
