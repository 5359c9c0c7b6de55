#include "labelplacer.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<QRectF>)

// Where labels go on a small plan: a 200 x 100 field, a label 40 x 20 wanted
// at (80, 40) that may slide sideways, with its other side below at
// (80, 70). Expected spots are worked out by hand from the obstacles.
class tst_LabelPlacer : public QObject
{
    Q_OBJECT

private slots:
    void oneLabel_data();
    void oneLabel();
    void earlierKeepsItsSpot();
    void leaderFollows();
    void noFreeSpot();
    void crosses_data();
    void crosses();
};

namespace
{

const QRectF field(0, 0, 200, 100);
const QRectF wanted(80, 40, 40, 20);
const QRectF otherSide(80, 70, 40, 20);

LabelPlacer::Label sliding(const QRectF &rect = wanted, const QRectF &other = otherSide)
{
    LabelPlacer::Label label;
    label.spots = {{rect, rect.bottomLeft()}, {other, other.bottomLeft()}};
    label.tracks = {QPointF(1, 0)};
    label.reach = 100;
    label.layer = 1;
    return label;
}

} // namespace

void tst_LabelPlacer::oneLabel_data()
{
    QTest::addColumn<QVector<QRectF>>("obstacles");
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<int>("lineLayer");
    QTest::addColumn<bool>("ownLine");
    QTest::addColumn<QRectF>("at");
    QTest::addColumn<QRectF>("placed");

    const QVector<QRectF> none;
    const QLineF noLine;
    QTest::newRow("free spot kept") << none << noLine << 0 << false << wanted << wanted;
    // Clear of an obstacle over the left half 20 px to the right, 50 px to
    // the left: the nearer wins.
    QTest::newRow("slides right off an obstacle")
        << QVector<QRectF>{{70, 30, 30, 40}} << noLine << 0 << false << wanted
        << QRectF(100, 40, 40, 20);
    QTest::newRow("slides left off an obstacle") << QVector<QRectF>{{110, 30, 30, 40}} << noLine
                                                 << 0 << false << wanted << QRectF(70, 40, 40, 20);
    QTest::newRow("other side when its track is taken")
        << QVector<QRectF>{{0, 35, 200, 30}} << noLine << 0 << false << wanted << otherSide;
    // A line at x = 105 painted after the label: 16 px left (x = 64, right
    // edge 104) beats 26 px right.
    QTest::newRow("off a line painted over it")
        << none << QLineF(105, 0, 105, 100) << 2 << false << wanted << QRectF(64, 40, 40, 20);
    QTest::newRow("a line painted before lies under it")
        << none << QLineF(105, 0, 105, 100) << 0 << false << wanted << wanted;
    QTest::newRow("its own line") << none << QLineF(105, 0, 105, 100) << 2 << true << wanted
                                  << wanted;
    QTest::newRow("into the field")
        << none << noLine << 0 << false << QRectF(180, 40, 40, 20) << QRectF(160, 40, 40, 20);
}

void tst_LabelPlacer::oneLabel()
{
    QFETCH(QVector<QRectF>, obstacles);
    QFETCH(QLineF, line);
    QFETCH(int, lineLayer);
    QFETCH(bool, ownLine);
    QFETCH(QRectF, at);
    QFETCH(QRectF, placed);

    LabelPlacer placer(field, 1);
    for (const QRectF &rect : obstacles)
        placer.addObstacle(rect);
    const int label = placer.addLabel(sliding(at));
    if (!line.isNull())
        placer.addLine(line, lineLayer, ownLine ? label : -1);
    placer.place();
    QCOMPARE(placer.placement(label).rect, placed);
    QVERIFY(placer.placement(label).free);
    // The anchor moves with the label.
    QCOMPARE(placer.placement(label).anchor, placed.bottomLeft());
}

// Two labels wanting one spot: the first keeps it, the second moves off it.
void tst_LabelPlacer::earlierKeepsItsSpot()
{
    LabelPlacer placer(field, 1);
    const int first = placer.addLabel(sliding());
    const int second = placer.addLabel(sliding());
    placer.place();
    QCOMPARE(placer.placement(first).rect, wanted);
    QVERIFY(!placer.placement(second).rect.intersects(wanted));
    QCOMPARE(placer.placement(second).rect.top(), wanted.top());
    QVERIFY(placer.placement(second).free);
}

// A label with a leader from a figure's head keeps the leader rising and
// attached, and no leader runs through another label.
void tst_LabelPlacer::leaderFollows()
{
    LabelPlacer placer(field, 1);
    placer.addObstacle(QRectF(60, 30, 100, 35));
    LabelPlacer::Label label = sliding(QRectF(100, 40, 40, 20));
    label.spots.removeLast();
    label.tracks = {QPointF(1, 0), QPointF(0, -1)};
    label.hasLeader = true;
    label.leader.from = QPointF(90, 95);
    label.leader.direction = QPointF(1, 0);
    label.leader.minRise = 5;
    const int tethered = placer.addLabel(label);
    // A second label just above the obstacle, in the way of a leader that
    // would rise straight through it.
    const int other = placer.addLabel(sliding(QRectF(70, 8, 40, 20)));
    placer.place();

    const LabelPlacer::Placement &p = placer.placement(tethered);
    QVERIFY(p.free);
    QVERIFY(!p.rect.intersects(QRectF(60, 30, 100, 35)));
    QCOMPARE(p.anchor, p.rect.bottomLeft());
    const QPointF bend = LabelPlacer::elbow(label.leader, p.anchor);
    QCOMPARE(bend.x(), 90.0);
    QVERIFY(bend.y() <= 90);
    const QRectF otherRect = placer.placement(other).rect;
    QVERIFY(!LabelPlacer::crosses(QLineF(label.leader.from, bend), otherRect));
    QVERIFY(!LabelPlacer::crosses(QLineF(bend, p.anchor), otherRect));
    QVERIFY(!p.rect.intersects(otherRect));
}

// With no free spot anywhere the label still lands inside the field.
void tst_LabelPlacer::noFreeSpot()
{
    LabelPlacer placer(field, 2);
    placer.addObstacle(field);
    const int label = placer.addLabel(sliding(QRectF(190, 90, 40, 20)));
    placer.place();
    QVERIFY(!placer.placement(label).free);
    QVERIFY(field.contains(placer.placement(label).rect));
}

void tst_LabelPlacer::crosses_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<bool>("crosses");
    // The rectangle is (10, 10) to (30, 20).
    QTest::newRow("through") << QLineF(0, 15, 40, 15) << true;
    QTest::newRow("diagonal through a corner") << QLineF(20, 0, 30, 12) << true;
    QTest::newRow("inside") << QLineF(12, 12, 14, 14) << true;
    QTest::newRow("above") << QLineF(0, 5, 40, 5) << false;
    QTest::newRow("past a corner") << QLineF(25, 0, 40, 15) << false;
    QTest::newRow("stops short") << QLineF(0, 15, 9, 15) << false;
    QTest::newRow("a point outside") << QLineF(5, 5, 5, 5) << false;
}

void tst_LabelPlacer::crosses()
{
    QFETCH(QLineF, line);
    QTEST(LabelPlacer::crosses(line, QRectF(10, 10, 20, 10)), "crosses");
}

QTEST_GUILESS_MAIN(tst_LabelPlacer)
#include "tst_labelplacer.moc"
