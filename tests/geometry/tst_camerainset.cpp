#include "angles.h"
#include "camerainset.h"
#include "geometryfixtures.h"
#include "geometryrecorder.h"
#include "languagefile.h"
#include "languagetable.h"
#include "samplecameras.h"
#include "sceneparams.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

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
    void insetStaysInside_data();
    void insetStaysInside();
    void captionsFit_data();
    void captionsFit();
    void cleanupTestCase();

private:
    QTemporaryDir m_dir;
};

namespace
{

const QPoint origin(999, 563);
const QColor labelColour(1, 185, 209, 255);
const QColor outerColour(146, 160, 170, 255);
const QColor innerColour(125, 138, 147, 255);
const QColor innerBorder(31, 68, 72, 255);

// Room enough below and right of the origin for the inset to keep its place
// beside the camera.
const QRect roomy(0, 0, 2000, 1200);

QFont sceneFont(qreal scale)
{
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(int(14 * scale));
    return font;
}

void paintInset(GeometryRecorder &recorder, const SceneParams &params, bool correction, qreal scale,
                const QPoint &at = origin, const QRect &bounds = roomy)
{
    QPainter painter(&recorder);
    CameraInset(at, params, correction, scale, sceneFont(scale), labelColour, bounds)
        .paint(painter);
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
    // inset by m; the box hangs 10 px (scaled) right of and below the
    // camera's top.
    const int X = origin.x() + int(10 * scale);
    const int Y = origin.y() - camera + int(10 * scale);
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
        const int top = i == 0 ? int(75 * scale + Y) : int(Y + b + 80 * scale);
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
    QTest::newRow("pitch 10, horizontal 10") << 10 << 10 << 1.0 << true;
    QTest::newRow("pitch 3, horizontal 5") << 3 << 5 << 1.0 << true;
    QTest::newRow("pitch 0 draws the icon unturned") << 0 << 0 << 1.0 << false;
    QTest::newRow("pitch 45 at 1.5") << 45 << 0 << 1.5 << false;
    QTest::newRow("pitch 15, horizontal 15") << 15 << 15 << 1.0 << true;
    QTest::newRow("pitch 30, horizontal 25 at 2") << 30 << 25 << 2.0 << true;
    QTest::newRow("pitch 45, horizontal 45") << 45 << 45 << 1.0 << true;
}

namespace
{

// The arc's centre, radius and sweep, read from its first and last point and
// the pivot it must turn about.
struct Arc {
    QPointF start;
    QPointF end;
    double radius;
    double degrees;
};

Arc arcAbout(const QPainterPath &path, const QPointF &pivot)
{
    Arc arc;
    arc.start = path.elementAt(0);
    arc.end = path.currentPosition();
    const QLineF a(pivot, arc.start);
    const QLineF b(pivot, arc.end);
    arc.radius = a.length();
    arc.degrees = a.angleTo(b) > 180 ? 360 - a.angleTo(b) : a.angleTo(b);
    return arc;
}

bool insideBox(const QPointF &p, const QRectF &box)
{
    return p.x() >= box.left() && p.x() <= box.right() && p.y() >= box.top() &&
           p.y() <= box.bottom();
}

} // namespace

// The pitch arc starts on the pitch's dotted reference line and turns down
// about the icon's pivot, the horizontal arc starts on its dashed vertical
// and turns right; each sweeps its angle, stays inside its box and reaches
// far enough out that 10 degrees show as at least 12 pixels of arc at scale 1.
// The icons turn by minus the angle about the pivots.
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

    QVector<QRectF> inner;
    for (const GeometryRecorder::Shape &s : recorder.rects()) {
        if (s.brush == innerColour)
            inner.append(s.rect);
    }
    QCOMPARE(inner.size(), correction ? 2 : 1);

    QLineF pitchLine;
    QLineF levelLine;
    QLineF levelVertical;
    for (const GeometryRecorder::Line &line : recorder.lines()) {
        if (line.style == Qt::DotLine)
            pitchLine = line.line;
        else if (line.style == Qt::DashLine && line.line.dy() == 0)
            levelLine = line.line;
        else if (line.style == Qt::DashLine && line.line.dx() == 0)
            levelVertical = line.line;
    }
    QVERIFY(pitchLine.dy() == 0 && pitchLine.dx() > 0);
    const QPointF pitchPivot = pitchLine.p2();

    // An empty arc paints nothing; arcs are the unfilled paths.
    QVector<QPainterPath> arcs;
    for (const GeometryRecorder::Path &path : recorder.paths()) {
        if (path.brushStyle == Qt::NoBrush && path.pen == Qt::black)
            arcs.append(path.path);
    }
    QCOMPARE(arcs.size(), (pitch != 0 ? 1 : 0) + (correction ? 1 : 0));
    const double shortest = 12 * scale;
    if (pitch != 0) {
        const Arc arc = arcAbout(arcs.first(), pitchPivot);
        QVERIFY(closeTo(arc.start, pitchPivot - QPointF(arc.radius, 0)));
        QVERIFY(arc.start.x() >= pitchLine.x1());
        // Qt's curves meet the circle to within a fraction of a pixel.
        QVERIFY(std::abs(QLineF(pitchPivot, arc.end).length() - arc.radius) < 0.1);
        QVERIFY(std::abs(arc.degrees - pitch) < 0.1);
        QVERIFY(arc.end.y() > arc.start.y());
        QVERIFY(insideBox(arc.end, inner.first()));
        if (pitch >= 10)
            QVERIFY2(arc.radius * Angles::toRadians(pitch) >= shortest,
                     qPrintable(QString::number(arc.radius)));
    }

    const GeometryRecorder::Image *icon =
        imageOfSize(recorder, QSize(int(70 * scale), int(50 * scale)));
    QVERIFY(icon);
    QCOMPARE(icon->target.topLeft(), QPointF(int(-57 * scale), int(-12 * scale)));
    QVERIFY(closeTo(icon->transform.map(QPointF(0, 0)), pitchPivot));
    QVERIFY(std::abs(turn(icon->transform) + pitch) < 1e-9);

    const GeometryRecorder::Image *level =
        imageOfSize(recorder, QSize(int(50 * scale), int(50 * scale)));
    QCOMPARE(bool(level), correction);
    if (!correction)
        return;
    // The horizontal reference crosses the vertical at the pivot.
    const QPointF levelPivot = levelVertical.p1();
    QCOMPARE(levelLine.center(), levelPivot);
    const Arc arc = arcAbout(arcs.last(), levelPivot);
    QVERIFY(closeTo(arc.start, levelPivot + QPointF(0, arc.radius)));
    QVERIFY(arc.start.y() <= levelVertical.y2());
    QVERIFY(std::abs(arc.degrees - horizontal) < 0.1);
    QVERIFY(arc.end.x() > arc.start.x());
    QVERIFY(insideBox(arc.start, inner.last()) && insideBox(arc.end, inner.last()));
    if (horizontal >= 10)
        QVERIFY(arc.radius * Angles::toRadians(horizontal) >= shortest);
    QCOMPARE(level->target.topLeft(), QPointF(int(-20 * scale), int(-7 * scale)));
    QVERIFY(closeTo(level->transform.map(QPointF(0, 0)), levelPivot));
    QVERIFY(std::abs(turn(level->transform) + horizontal) < 1e-9);
}

void tst_CameraInset::insetStaysInside_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("correction");
    QTest::addColumn<QPoint>("at"); // the camera's origin; (0, 0): the pole base

    // The pole base lies at the middle of the ground's near edge, low on the
    // right; the camera of the horizontal mount can stand further right.
    QTest::newRow("smallest scene, one box") << QSize(950, 540) << 1.0 << false << QPoint();
    QTest::newRow("smallest scene, two boxes") << QSize(950, 540) << 1.0 << true << QPoint();
    QTest::newRow("smallest scene at 2, two boxes") << QSize(1900, 1080) << 2.0 << true << QPoint();
    QTest::newRow("panel scene, two boxes") << QSize(1000, 560) << 1.0 << true << QPoint();
    QTest::newRow("camera at the right edge")
        << QSize(1000, 560) << 1.0 << true << QPoint(990, 500);
    QTest::newRow("camera at the bottom") << QSize(1000, 560) << 2.0 << false << QPoint(600, 555);
}

// Wherever the camera stands, the inset box lies inside the scene, and its
// boxes, captions and icons move with it.
void tst_CameraInset::insetStaysInside()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(bool, correction);
    QFETCH(QPoint, at);
    if (at.isNull()) {
        const int w = size.width();
        const int h = size.height();
        at = QPoint((w - 50 + int(0.6 * w)) / 2, (int(0.6 * h) + h - 25) / 2);
    }
    SceneParams params = SampleCameras::lanes();
    params.horizontalAngle = 20;
    const QRect bounds(QPoint(0, 0), size);
    const CameraInset inset(at, params, correction, scale, sceneFont(scale), labelColour, bounds);
    const QRect box = inset.insetRect();
    QVERIFY2(bounds.contains(box), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                  .arg(box.x())
                                                  .arg(box.y())
                                                  .arg(box.width())
                                                  .arg(box.height())));
    // Two boxes are almost twice as high as one.
    QCOMPARE(box.height() > 1.5 * box.width(), correction);

    GeometryRecorder recorder(size);
    paintInset(recorder, params, correction, scale, at, bounds);
    const QFontMetrics metrics(sceneFont(scale));
    for (const GeometryRecorder::Shape &s : recorder.rects())
        QVERIFY(box.contains(s.rect.toRect()));
    int captions = 0;
    for (const GeometryRecorder::Text &t : recorder.texts()) {
        if (t.text == QLatin1String("H1"))
            continue;
        ++captions;
        const QRectF text = QRectF(metrics.boundingRect(t.text)).translated(t.at);
        QVERIFY2(QRectF(box).contains(text), qPrintable(t.text));
    }
    QCOMPARE(captions, correction ? 2 : 1);
}

void tst_CameraInset::captionsFit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qreal>("scale");

    QVERIFY(m_dir.isValid());
    // Longer captions than any language has yet, to show that the fit comes
    // from measuring.
    const QString path = m_dir.filePath(QStringLiteral("LONG.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language>\n";
    for (int i = 0; i < 97; ++i) {
        QByteArray text = "text " + QByteArray::number(i);
        if (i == 45)
            text = "Neigungswinkel der Kamera gegen die Waagerechte (\xc2\xb0)";
        else if (i == 61)
            text = "Horizontaler Schwenkwinkel gegen die Fahrbahn (\xc2\xb0)";
        else if (i == 47)
            text = ": ";
        xml += "<string>" + text + "</string>\n";
    }
    xml += "</language>\n";
    QCOMPARE(file.write(xml), qint64(xml.size()));
    file.close();
    for (const qreal scale : {1.0, 2.0}) {
        QTest::addRow("long captions at %g", scale) << path << scale;
        const QDir shipped(languageFolder());
        for (const QString &name : shipped.entryList({QStringLiteral("*.xml")}, QDir::Files))
            QTest::addRow("%s at %g", qPrintable(name), scale) << shipped.filePath(name) << scale;
    }
}

// In every language each caption fits inside its inner box, shrunk or with
// the box widened when it is long, and the inset still fits the scene.
void tst_CameraInset::captionsFit()
{
    QFETCH(QString, file);
    QFETCH(qreal, scale);
    loadLanguageTable(file);
    SceneParams params = SampleCameras::lanes(45);
    params.horizontalAngle = 45;
    const QRect bounds(0, 0, int(950 * scale), int(540 * scale));
    const QPoint at(int(0.8 * bounds.width()) - 25, int(0.8 * bounds.height()) - 12);
    const CameraInset inset(at, params, true, scale, sceneFont(scale), labelColour, bounds);
    QVERIFY(bounds.contains(inset.insetRect()));

    GeometryRecorder recorder(bounds.size());
    paintInset(recorder, params, true, scale, at, bounds);
    QVector<QRectF> inner;
    for (const GeometryRecorder::Shape &s : recorder.rects()) {
        if (s.brush == innerColour)
            inner.append(s.rect);
    }
    QCOMPARE(inner.size(), 2);
    // A caption in more than one script may come in several pieces; the
    // pieces of one caption share a baseline.
    QMap<double, QRectF> captions;
    for (const GeometryRecorder::Text &t : recorder.texts()) {
        if (t.text == QLatin1String("H1"))
            continue;
        QFont font = sceneFont(scale);
        font.setPixelSize(t.pixelSize);
        // Readable still: never below 9 pixels at scale 1.
        QVERIFY(t.pixelSize >= int(9 * scale));
        const QRectF piece(t.at.x(), t.at.y() - 1, QFontMetrics(font).horizontalAdvance(t.text), 1);
        captions[t.at.y()] = captions.value(t.at.y(), piece).united(piece);
    }
    QCOMPARE(captions.size(), 2);
    int i = 0;
    for (const QRectF &caption : captions) {
        const QRectF box = inner.at(i++);
        QVERIFY2(caption.left() >= box.left() && caption.right() <= box.right(),
                 qPrintable(QStringLiteral("%1..%2 in %3..%4")
                                .arg(caption.left())
                                .arg(caption.right())
                                .arg(box.left())
                                .arg(box.right())));
        QVERIFY(caption.top() > box.top() && caption.bottom() < box.bottom());
    }
}

void tst_CameraInset::cleanupTestCase()
{
    releaseLanguageTable();
}

QTEST_MAIN(tst_CameraInset)
#include "tst_camerainset.moc"
