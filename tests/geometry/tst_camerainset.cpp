#include "angles.h"
#include "camerainset.h"
#include "geometryfixtures.h"
#include "geometryrecorder.h"
#include "languagetable.h"
#include "samplecameras.h"
#include "sceneparams.h"

#include <QtTest>

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

Q_DECLARE_METATYPE(SceneParams)

// The camera, the pole marker and the angle inset, read from a recording of
// what the inset paints: every position below is worked out by hand from the
// origin, the pole height and the screen scale.
class tst_CameraInset : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void placement_data();
    void placement();
    void arcs_data();
    void arcs();
};

namespace
{

const QPoint origin(999, 563);
const QColor labelColour(1, 185, 209, 255);
const QColor outerColour(146, 160, 170, 255);
const QColor innerColour(125, 138, 147, 255);
const QColor innerBorder(31, 68, 72, 255);

void paintInset(GeometryRecorder &recorder, const SceneParams &params, bool correction, qreal scale)
{
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(int(14 * scale));
    QPainter painter(&recorder);
    CameraInset(painter, origin, params, correction, scale, font, labelColour).paint();
}

const GeometryRecorder::Shape *findRect(const GeometryRecorder &recorder, const QRect &rect)
{
    for (const GeometryRecorder::Shape &s : recorder.rects()) {
        if (s.rect == QRectF(rect))
            return &s;
    }
    return nullptr;
}

// The turn of a transform in degrees, clockwise on screen.
double turn(const QTransform &t)
{
    return std::atan2(t.m12(), t.m11()) * 180 / Angles::Pi;
}

bool closeTo(const QPointF &a, const QPointF &b, double tolerance = 0.01)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

// A point on the ellipse inscribed in rect at a Qt angle (degrees,
// counter-clockwise from three o'clock).
QPointF onArc(const QRectF &rect, double degrees)
{
    const double a = Angles::toRadians(degrees);
    return rect.center() +
           QPointF(std::cos(a) * rect.width() / 2, -std::sin(a) * rect.height() / 2);
}

const GeometryRecorder::Image *imageOfSize(const GeometryRecorder &recorder, const QSize &size)
{
    for (const GeometryRecorder::Image &image : recorder.images()) {
        if (image.target.size() == QSizeF(size))
            return &image;
    }
    return nullptr;
}

} // namespace

void tst_CameraInset::initTestCase()
{
    QVERIFY(GeometryFixtures::loadEnglish());
}

void tst_CameraInset::placement_data()
{
    QTest::addColumn<double>("pole");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("correction");
    QTest::addColumn<int>("camera");    // side of the drawn camera picture
    QTest::addColumn<QPoint>("corner"); // its top-left corner

    // ipc.png is 150 px square, so the camera is 100 x g x s.
    QTest::newRow("6 m pole") << 6.0 << 1.0 << false << 100 << QPoint(923, 470);
    QTest::newRow("1.7 m pole is half size") << 1.7 << 1.0 << false << 50 << QPoint(961, 516);
    QTest::newRow("2.8 m pole") << 2.8 << 1.0 << false << 80 << QPoint(938, 488);
    QTest::newRow("6 m pole at 1.5") << 6.0 << 1.5 << false << 150 << QPoint(885, 423);
    QTest::newRow("6 m pole with correction") << 6.0 << 1.0 << true << 100 << QPoint(923, 470);
    QTest::newRow("2.8 m pole at 2 with correction")
        << 2.8 << 2.0 << true << 160 << QPoint(877, 414);
}

void tst_CameraInset::placement()
{
    QFETCH(double, pole);
    QFETCH(qreal, scale);
    QFETCH(bool, correction);
    QFETCH(int, camera);
    QFETCH(QPoint, corner);

    SceneParams params = SampleCameras::lanes();
    params.ipcHeight = pole;
    params.horizontalAngle = 10;
    GeometryRecorder recorder(QSize(1280, 720));
    paintInset(recorder, params, correction, scale);

    QVERIFY(!recorder.images().isEmpty());
    const GeometryRecorder::Image &ipc = recorder.images().first();
    QCOMPARE(ipc.target, QRectF(corner, QSizeF(camera, camera)));

    // Pole marker: 15 px (scaled) left of the origin, three quarters of the
    // camera high, "H1" 20 px further left at three eighths.
    const int x = int(origin.x() - 15 * scale);
    const QLineF pole3(QPointF(x, origin.y()), QPointF(x, origin.y() - camera * 3 / 4));
    bool haveMarker = false;
    for (const GeometryRecorder::Line &line : recorder.lines())
        haveMarker = haveMarker || (line.line == pole3 && line.colour == labelColour);
    QVERIFY(haveMarker);
    const GeometryRecorder::Text *h1 = recorder.text(QStringLiteral("H1"));
    QVERIFY(h1);
    QCOMPARE(h1->at, QPointF(int(x - 20 * scale), origin.y() - camera * 3 / 8));
    QCOMPARE(h1->colour, labelColour);

    // Boxes: outer b square (2b - m high with the correction), inner boxes
    // inset by m.
    const int X = origin.x() + 10;
    const int Y = origin.y() - camera + 10;
    const int b = int(130 * scale);
    const int m = int(10 * scale);
    const GeometryRecorder::Shape *outer =
        findRect(recorder, QRect(X, Y, b, correction ? 2 * b - m : b));
    QVERIFY(outer);
    QCOMPARE(outer->brush, outerColour);
    QCOMPARE(outer->penStyle, Qt::NoPen);
    const GeometryRecorder::Shape *inner =
        findRect(recorder, QRect(X + m, Y + m, b - 2 * m, b - 2 * m));
    QVERIFY(inner);
    QCOMPARE(inner->brush, innerColour);
    QCOMPARE(inner->pen, innerBorder);
    QCOMPARE(bool(findRect(recorder, QRect(X + m, Y + b, b - 2 * m, b - 2 * m))), correction);

    // Captions centred in the box width.
    const QStringList captions = {languageText(45) + languageText(47) + QStringLiteral("15"),
                                  languageText(61) + languageText(47) + QStringLiteral("10")};
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(int(14 * scale));
    const QFontMetrics metrics(font);
    for (int i = 0; i < captions.size(); ++i) {
        const GeometryRecorder::Text *caption = recorder.text(captions.at(i));
        QCOMPARE(bool(caption), i == 0 || correction);
        if (!caption)
            continue;
        const double middle = caption->at.x() + metrics.horizontalAdvance(captions.at(i)) / 2.0;
        QVERIFY2(std::abs(middle - (X + b / 2.0)) <= 1.0, qPrintable(captions.at(i)));
        const int top = i == 0 ? int(75 * scale + Y) : int(Y + b + 65 * scale);
        QVERIFY(caption->at.y() > top && caption->at.y() < top + metrics.height() + 20);
        QCOMPARE(caption->colour, QColor(Qt::black));
    }
}

void tst_CameraInset::arcs_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("correction");

    QTest::newRow("pitch 15") << 15 << 0 << 1.0 << false;
    QTest::newRow("pitch 0 draws the icon unturned") << 0 << 0 << 1.0 << false;
    QTest::newRow("pitch 45 at 1.5") << 45 << 0 << 1.5 << false;
    QTest::newRow("pitch 15, horizontal 10") << 15 << 10 << 1.0 << true;
    QTest::newRow("pitch 30, horizontal 25 at 2") << 30 << 25 << 2.0 << true;
}

// The pitch arc starts at nine o'clock and the horizontal arc at six, each
// sweeping the angle counter-clockwise; the icons turn by minus the angle
// about their pivots.
void tst_CameraInset::arcs()
{
    QFETCH(int, pitch);
    QFETCH(int, horizontal);
    QFETCH(qreal, scale);
    QFETCH(bool, correction);

    SceneParams params = SampleCameras::lanes(pitch);
    params.horizontalAngle = horizontal;
    GeometryRecorder recorder(QSize(1280, 720));
    paintInset(recorder, params, correction, scale);

    const int camera = int(100 * scale); // 6 m pole: full size
    const int X = origin.x() + 10;
    const int Y = origin.y() - camera + 10;
    const int b = int(130 * scale);
    const int n = int(50 * scale);
    const int hn = n / 2;
    const int c = X + b / 2;
    const QPoint pitchPivot(c + hn, int(35 * scale) + Y);
    const int levelY = int(Y + b + 15 * scale);

    // An empty arc paints nothing.
    QCOMPARE(recorder.paths().size(), (pitch != 0 ? 1 : 0) + (correction ? 1 : 0));
    const QRectF pitchSquare(pitchPivot.x() - n / 4, pitchPivot.y() - n / 4, hn, hn);
    if (pitch != 0) {
        const QPainterPath &pitchArc = recorder.paths().first().path;
        QVERIFY(closeTo(pitchArc.elementAt(0), onArc(pitchSquare, 180)));
        QVERIFY(closeTo(pitchArc.currentPosition(), onArc(pitchSquare, 180 + pitch)));
    }

    const GeometryRecorder::Image *icon = imageOfSize(recorder, QSize(int(70 * scale), n));
    QVERIFY(icon);
    QCOMPARE(icon->target.topLeft(), QPointF(int(-57 * scale), int(-12 * scale)));
    QVERIFY(closeTo(icon->transform.map(QPointF(0, 0)), pitchPivot));
    QVERIFY(std::abs(turn(icon->transform) + pitch) < 1e-9);

    const GeometryRecorder::Image *level = imageOfSize(recorder, QSize(n, n));
    QCOMPARE(bool(level), correction);
    if (!correction)
        return;
    const QRectF levelSquare(int(c - 15 * scale), int(levelY - 15 * scale), int(30 * scale),
                             int(30 * scale));
    const QPainterPath &levelArc = recorder.paths().last().path;
    QVERIFY(closeTo(levelArc.elementAt(0), onArc(levelSquare, 270)));
    QVERIFY(closeTo(levelArc.currentPosition(), onArc(levelSquare, 270 + horizontal)));
    QCOMPARE(level->target.topLeft(), QPointF(int(-20 * scale), int(-7 * scale)));
    QVERIFY(closeTo(level->transform.map(QPointF(0, 0)), QPointF(c, levelY)));
    QVERIFY(std::abs(turn(level->transform) + horizontal) < 1e-9);

    // The reference lines: dotted for the pitch, dashed for the horizontal.
    int dotted = 0;
    int dashed = 0;
    for (const GeometryRecorder::Line &line : recorder.lines()) {
        if (line.line == QLineF(c - hn, pitchPivot.y(), pitchPivot.x(), pitchPivot.y()))
            dotted += line.style == Qt::DotLine ? 1 : 0;
        if (line.line == QLineF(c - hn, levelY, c + hn, levelY) ||
            line.line == QLineF(c, levelY, c, int(40 * scale + levelY)))
            dashed += line.style == Qt::DashLine ? 1 : 0;
    }
    QCOMPARE(dotted, 1);
    QCOMPARE(dashed, 2);
}

QTEST_MAIN(tst_CameraInset)
#include "tst_camerainset.moc"
