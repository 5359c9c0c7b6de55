#include "scenelayout.h"

#include <QtTest>

#include <cmath>

// The plan view's placement in the widget and its mapping from metres to
// pixels. Expected points are worked out by hand from the edge vectors of a
// 1280 x 720 scene: depth edge (718, 407) px, near edge (462, -263) px.
class tst_SceneLayout : public QObject
{
    Q_OBJECT

private slots:
    void corners_data();
    void corners();
    void edgeLengthsAndAngles();
    void projectGround_data();
    void projectGround();
    void projectGroundWithoutExtents_data();
    void projectGroundWithoutExtents();
    void tinyWidgets_data();
    void tinyWidgets();
};

namespace
{

SceneLayout::Extents extents(double depth, double width, double lateralScale = 1.0)
{
    SceneLayout::Extents e;
    e.drawDepth = depth;
    e.drawWidth = width;
    e.lateralScale = lateralScale;
    e.sensorWidth = 4.8;
    e.focalLength = 8.0;
    return e;
}

} // namespace

void tst_SceneLayout::corners_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<QPoint>("p3");
    QTest::addColumn<QPoint>("p4");
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");

    QTest::newRow("1280x720") << QSize(1280, 720) << QPoint(50, 288) << QPoint(768, 695)
                              << QPoint(1230, 432) << QPoint(512, 25) << QPoint(281, 156)
                              << QPoint(999, 563);
    QTest::newRow("1000x600") << QSize(1000, 600) << QPoint(50, 240) << QPoint(600, 575)
                              << QPoint(950, 360) << QPoint(400, 25) << QPoint(225, 132)
                              << QPoint(775, 467);
    QTest::newRow("odd size truncates")
        << QSize(1355, 661) << QPoint(50, 264) << QPoint(813, 636) << QPoint(1305, 396)
        << QPoint(542, 25) << QPoint(296, 144) << QPoint(1059, 516);
}

void tst_SceneLayout::corners()
{
    QFETCH(QSize, size);
    const SceneLayout layout(size, extents(50, 30));
    QTEST(layout.p1(), "p1");
    QTEST(layout.p2(), "p2");
    QTEST(layout.p3(), "p3");
    QTEST(layout.p4(), "p4");
    QTEST(layout.a(), "a");
    QTEST(layout.b(), "b");
    const QPolygon ground = layout.ground();
    QCOMPARE(ground.size(), 4);
    QCOMPARE(ground.at(0), layout.p1());
    QCOMPARE(ground.at(1), layout.p2());
    QCOMPARE(ground.at(2), layout.p3());
    QCOMPARE(ground.at(3), layout.p4());
}

void tst_SceneLayout::edgeLengthsAndAngles()
{
    const SceneLayout layout(QSize(1280, 720), extents(50, 30));
    // sqrt(718^2 + 407^2), sqrt(462^2 + 263^2), atan(407/718), atan(263/462)
    QVERIFY(std::abs(layout.depthLength() - 825.33205) < 1e-4);
    QVERIFY(std::abs(layout.widthLength() - 531.61358) < 1e-4);
    QVERIFY(std::abs(layout.depthAngle() - 0.5156896) < 1e-6);
    QVERIFY(std::abs(layout.lateralAngle() - 0.5175129) < 1e-6);
}

void tst_SceneLayout::projectGround_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("lateralScale");
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("distance");
    QTest::addColumn<bool>("clamp");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QPoint>("left");
    QTest::addColumn<QPoint>("right");

    // A fifth of the depth from B: centre B - (143.6, 81.4); 6 m of 30 m is a
    // tenth of the near edge each side: (46.2, 26.3).
    QTest::newRow("fifth of the depth") << 50.0 << 1.0 << QPointF(999, 563) << 6.0 << 10.0 << false
                                        << QPoint(855, 481) << QPoint(809, 507) << QPoint(901, 455);
    QTest::newRow("clamp within depth") << 50.0 << 1.0 << QPointF(999, 563) << 6.0 << 10.0 << true
                                        << QPoint(855, 481) << QPoint(809, 507) << QPoint(901, 455);
    QTest::newRow("lateral scale halves the width")
        << 50.0 << 0.5 << QPointF(999, 563) << 6.0 << 10.0 << false << QPoint(855, 481)
        << QPoint(832, 494) << QPoint(878, 468);
    // Clamped to 40 m; the width becomes 4.8 * 40 / 8 = 24 m: (184.8, 105.2).
    QTest::newRow("clamp beyond depth")
        << 40.0 << 1.0 << QPointF(1000.5, 600.5) << 6.0 << 100.0 << true << QPoint(282, 193)
        << QPoint(97, 298) << QPoint(467, 88);
    // 95 / 40 of the depth edge: (1705.25, 966.625); negatives truncate
    // toward zero.
    QTest::newRow("beyond depth unclamped")
        << 40.0 << 1.0 << QPointF(1000.5, 600.5) << 6.0 << 95.0 << false << QPoint(-704, -366)
        << QPoint(-750, -339) << QPoint(-658, -392);
    QTest::newRow("zero distance and width")
        << 50.0 << 1.0 << QPointF(999, 563) << 0.0 << 0.0 << true << QPoint(999, 563)
        << QPoint(999, 563) << QPoint(999, 563);
}

void tst_SceneLayout::projectGround()
{
    QFETCH(double, depth);
    QFETCH(double, lateralScale);
    QFETCH(QPointF, origin);
    QFETCH(double, width);
    QFETCH(double, distance);
    QFETCH(bool, clamp);
    const SceneLayout layout(QSize(1280, 720), extents(depth, 30, lateralScale));
    const GroundLine line = layout.projectGround(origin, width, distance, clamp);
    QTEST(line.centre, "centre");
    QTEST(line.left, "left");
    QTEST(line.right, "right");
}

void tst_SceneLayout::projectGroundWithoutExtents_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("lateralScale");
    QTest::addColumn<double>("lineWidth");
    QTest::addColumn<double>("distance");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("zero depth") << 0.0 << 30.0 << 1.0 << 6.0 << 10.0;
    QTest::newRow("zero width") << 50.0 << 0.0 << 1.0 << 6.0 << 10.0;
    QTest::newRow("infinite depth") << inf << 30.0 << 1.0 << 6.0 << 10.0;
    QTest::newRow("NaN width") << 50.0 << nan << 1.0 << 6.0 << 10.0;
    QTest::newRow("NaN lateral scale") << 50.0 << 30.0 << nan << 6.0 << 10.0;
    QTest::newRow("NaN distance") << 50.0 << 30.0 << 1.0 << 6.0 << nan;
    QTest::newRow("infinite line width") << 50.0 << 30.0 << 1.0 << inf << 10.0;
}

// Nothing measured in metres can be placed: every point stays at the origin
// rather than becoming an undefined pixel position.
void tst_SceneLayout::projectGroundWithoutExtents()
{
    QFETCH(double, depth);
    QFETCH(double, width);
    QFETCH(double, lateralScale);
    QFETCH(double, lineWidth);
    QFETCH(double, distance);
    SceneLayout::Extents e = extents(depth, width, lateralScale);
    const SceneLayout layout(QSize(1280, 720), e);
    const GroundLine line = layout.projectGround(QPointF(999, 563), lineWidth, distance, true);
    QCOMPARE(line.centre, QPoint(999, 563));
    QCOMPARE(line.left, QPoint(999, 563));
    QCOMPARE(line.right, QPoint(999, 563));
}

void tst_SceneLayout::tinyWidgets_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("empty") << QSize(0, 0);
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("narrower than the margins") << QSize(83, 40);
    QTest::newRow("negative") << QSize(-5, -5);
}

// Widgets smaller than the fixed margins give degenerate edges; the angles
// and lengths must still be finite.
void tst_SceneLayout::tinyWidgets()
{
    QFETCH(QSize, size);
    const SceneLayout layout(size, extents(50, 30));
    QVERIFY(std::isfinite(layout.depthLength()));
    QVERIFY(std::isfinite(layout.widthLength()));
    QVERIFY(std::isfinite(layout.depthAngle()));
    QVERIFY(std::isfinite(layout.lateralAngle()));
    const GroundLine line = layout.projectGround(layout.b(), 10, 20, true);
    QVERIFY(std::abs(line.left.x()) <= 1000000 && std::abs(line.right.y()) <= 1000000);
}

QTEST_GUILESS_MAIN(tst_SceneLayout)
#include "tst_scenelayout.moc"
