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

void paintInset(QPaintDevice &device, const SceneParams &params, bool correction, qreal scale,
                const QPoint &at = origin, const QRect &bounds = roomy)
{
    QPainter painter(&device);
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
        font.setPixelSize(caption->pixelSize);
        const double middle =
            caption->at.x() + QFontMetrics(font).horizontalAdvance(captions.at(i)) / 2.0;
        QVERIFY2(std::abs(middle - (X + b / 2.0)) <= 1.0, qPrintable(captions.at(i)));
        const int top = i == 0 ? int(80 * scale + Y) : int(Y + b + 65 * scale);
        QVERIFY(caption->at.y() > top && caption->at.y() < top + metrics.height() + 20);
        QCOMPARE(caption->colour, QColor(Qt::black));
    }
}

void tst_CameraInset::arcs_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<qreal>("scale");
    QTest::newRow("pitch 10, horizontal 15") << 10 << 15 << 1.0;
    QTest::newRow("pitch 12, horizontal 45 at 2") << 12 << 45 << 2.0;
    QTest::newRow("pitch 45, horizontal 30 at 1.5") << 45 << 30 << 1.5;
}

// Each angle shows as a wedge at the pivot its icon turns about, between the
// direction it is measured from (the pitch from the horizontal towards the
// lens, the horizontal angle from straight down the road) and the turned
// icon: halfway between them the picture differs from its mirror image across
// the reference, from just clear of the reference line out to 12 px or more.
void tst_CameraInset::arcs()
{
    QFETCH(int, pitch);
    QFETCH(int, horizontal);
    QFETCH(qreal, scale);
    SceneParams params = SampleCameras::lanes(pitch);
    params.horizontalAngle = horizontal;
    GeometryRecorder recorder(roomy.size());
    paintInset(recorder, params, true, scale);
    QImage image(roomy.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    paintInset(image, params, true, scale);
    for (const auto &gauge :
         {qMakePair(pitch, QPointF(-1, 0)), qMakePair(horizontal, QPointF(0, 1))}) {
        const GeometryRecorder::Image *icon = nullptr;
        for (const GeometryRecorder::Image &i : recorder.images())
            icon = std::abs(turn(i.transform) + gauge.first) < 1e-9 ? &i : icon;
        QVERIFY(icon);
        const QPointF pivot = icon->transform.map(QPointF(0, 0));
        const QPointF d = gauge.second;
        const QPointF sum = d + icon->transform.map(d) - pivot;
        const QPointF half = sum / std::hypot(sum.x(), sum.y());
        const QPointF mirrored = d * (2 * QPointF::dotProduct(half, d)) - half;
        const double clear = 2 * scale / std::sin(Angles::toRadians(gauge.first) / 2);
        int reach = 0;
        for (int r = int(std::ceil(clear)); r < 100 * scale; ++r) {
            if (std::abs(qGray(image.pixel((pivot + half * r).toPoint())) -
                         qGray(image.pixel((pivot + mirrored * r).toPoint()))) < 20)
                break;
            reach = r;
        }
        QVERIFY2(reach >= std::max(12 * scale, clear), qPrintable(QString::number(reach)));
    }
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

// In every language each caption fits inside its inner box, clear of its
// edges, shrunk or with the box widened when it is long, and the inset still
// fits the scene.
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
        const QFontMetrics metrics(font);
        const QRect box = metrics.boundingRect(t.text);
        const QRectF piece(t.at.x(), t.at.y() + box.top(), metrics.horizontalAdvance(t.text),
                           box.height());
        captions[t.at.y()] = captions.value(t.at.y(), piece).united(piece);
    }
    QCOMPARE(captions.size(), 2);
    int i = 0;
    for (const QRectF &caption : captions) {
        const QRectF box = inner.at(i++).adjusted(6 * scale, 6 * scale, -6 * scale, -6 * scale);
        QVERIFY2(caption.left() >= box.left() && caption.right() <= box.right(),
                 qPrintable(QStringLiteral("%1..%2 in %3..%4")
                                .arg(caption.left())
                                .arg(caption.right())
                                .arg(box.left())
                                .arg(box.right())));
        QVERIFY(caption.top() >= box.top() && caption.bottom() <= box.bottom());
    }
}

void tst_CameraInset::cleanupTestCase()
{
    releaseLanguageTable();
}

QTEST_MAIN(tst_CameraInset)
#include "tst_camerainset.moc"
