#include "scenepainter.h"

#include "angles.h"
#include "distancetext.h"
#include "labelplate.h"
#include "labeltext.h"
#include "languagetable.h"
#include "scenecalculation.h"
#include "scenegeometry.h"
#include "sceneparams.h"
#include "scenepictures.h"
#include "sceneresult.h"
#include "textid.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

const QColor groundColour(75, 88, 99, 255);
const QColor labelColour(1, 185, 209, 255);
const QColor figureColour(255, 86, 94, 255);
const QColor roadColour(39, 49, 58, 255);
const QColor laneColour(223, 224, 226, 255);
const QColor leaderColour(22, 22, 29, 255);
const QColor axisColour(243, 85, 88, 255);
const QColor legendColour(80, 80, 80, 255);

// Offsets and lengths below are in pixels at scale 1; the scene multiplies
// them by its scale, as it does its font.

// Where a width dimension's label sits against the centre of its line: near
// widths below and to the right, far widths above, clear of the band.
const QPoint nearWidthLabel(5, 10);
const QPoint farFootprintWidthLabel(-20, 0);
const QPoint personFarWidthLabel(-100, 10);
const QPoint correctedFarWidthLabel(0, -20);
const QPoint farBandWidthLabel(0, -40);

// How far a figure's leader rises from its head before it bends towards the
// label.
constexpr int nearFigureLeader = 10;
constexpr int farFigureLeader = 30;
constexpr int edgeFaceLeader = 20;
constexpr int captureCarLeader = 80;
// How far a figure's label may move along its leader before it tries the
// other side, and how far its leader keeps rising at least.
constexpr int figureLabelReach = 120;
constexpr int shortestLeader = 6;

// Where a figure's picture stands on its ground point, and where its leader
// starts: the car's front wheel and roof, the person's feet and head.
const QPoint carFoot(9, 17);
const QPoint personFoot(3, 3);
const QPoint carHead(3, -8);
constexpr int personHeadInset = 3; // from the picture's centre line
constexpr int personHeadDrop = 5;  // below the picture's top

// The legend: swatches at the left, two rows up from the bottom edge.
constexpr int legendLeft = 30;
constexpr int legendLowerRow = 55;
constexpr int legendUpperRow = 115;
const QSize legendSwatchSize(50, 25);
constexpr int legendTextGap = 65; // from the swatch's left edge
constexpr int legendTextDrop = 5; // below the swatch's top
constexpr int legendTextSlack = 100;
// The zones' legend: rows from the top right corner down, where the plan
// view leaves the widget empty.
constexpr int zoneLegendMargin = 20;
constexpr int zoneLegendPitch = 32;

// The distance between two spots a label tries when it has to move, and the
// least room between two labels' plates.
constexpr double placementStep = 2.0;
constexpr double labelGap = 2.0;

int px(double value)
{
    return SceneGeometry::toPixel(value);
}

QPointF middle(const QPoint &a, const QPoint &b)
{
    return (QPointF(a) + QPointF(b)) / 2.0;
}

// The direction from a to b as a unit vector; fallback when they coincide.
QPointF unit(const QPointF &a, const QPointF &b, const QPointF &fallback)
{
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    if (!(length > 1e-9) || !std::isfinite(length))
        return fallback;
    return d / length;
}

double distance(const QPointF &a, const QPointF &b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

// A translucent colour painted over an opaque one.
QColor over(const QColor &top, const QColor &below)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(top.redF() * a + below.redF() * (1 - a),
                            top.greenF() * a + below.greenF() * (1 - a),
                            top.blueF() * a + below.blueF() * (1 - a));
}

} // namespace

ScenePainter::ScenePainter(QPainter &painter, const SceneParams &params, const SceneResult &result,
                           const QSize &size, qreal scale, const SceneColours &colours,
                           const SceneOptions &options)
    : m_painter(painter), m_params(params), m_result(result), m_size(size),
      m_scale(scale > 0.0 && std::isfinite(scale) ? scale : 1.0),
      m_colours(colours.forScenario(params.scenario)), m_layout(size, extentsOf(params, result)),
      m_outline(params, result, m_layout), m_font(painter.font()),
      m_placer(QRectF(QPointF(0, 0), QSizeF(size)), placementStep * m_scale, labelGap * m_scale)
{
    m_font.setFamily(QStringLiteral("Arial"));
    m_font.setPixelSize(qMax(1, px(14 * m_scale)));
    if (options.densityZones)
        m_zones = DensityZones(params, result, m_layout, m_outline).zones();
}

ScenePainter::~ScenePainter() = default;

SceneColours ScenePainter::render(QPainter &painter, const SceneParams &params,
                                  const SceneResult &result, const QSize &size, qreal scale,
                                  const SceneColours &colours, const SceneOptions &options)
{
    painter.save();
    ScenePainter scene(painter, params, result, size, scale, colours, options);
    scene.paint();
    painter.restore();
    return scene.colours();
}

SceneLayout::Extents ScenePainter::extentsOf(const SceneParams &params, const SceneResult &result)
{
    SceneLayout::Extents extents;
    extents.drawDepth = result.drawDepth;
    extents.drawWidth = result.drawWidth;
    extents.lateralScale = result.lateralScale;
    extents.sensorWidth = params.sensorWidth;
    extents.focalLength = params.focalLength;
    return extents;
}

int ScenePainter::scaled(double length) const
{
    return px(length * m_scale);
}

void ScenePainter::paint()
{
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                             QPainter::SmoothPixmapTransform);

    layOut();
    paintGround();
    paintCentreLine();
    paintRoad();
    paintCameraAxis();
    paintFootprint();
    paintZones();
    paintBand();
    paintDistanceDimensions();
    paintWidths(m_footprintWidths);
    paintWidths(m_bandWidths);
    paintCamera();
    paintFigures();
    paintLegend();
}

// Works out every mark that carries a label or that a label must keep clear
// of, then places the labels; painting only reads the result.
void ScenePainter::layOut()
{
    m_inset =
        std::make_unique<CameraInset>(m_outline.origin(), m_params, m_outline.correction(), m_scale,
                                      m_font, labelColour, QRect(QPoint(0, 0), m_size));
    m_placer.addObstacle(m_inset->insetRect());
    layOutLegend();
    addLines();
    layOutDistanceDimensions();
    layOutFootprintWidths();
    layOutBandWidths();
    layOutMarker();
    layOutFigures();
    m_placer.place();
}

QVector<QLineF> ScenePainter::laneLines() const
{
    QVector<QLineF> lines;
    if (!m_outline.placed() || m_params.scenario != Scenario::Lanes)
        return lines;
    const int lanes = m_params.lanesNum;
    if (lanes == 2 || lanes == 4)
        lines.append(QLineF(m_layout.a(), m_layout.b()));
    if (lanes == 3 || lanes == 4) {
        const double d = (lanes == 3 ? 1.0 : 2.0) * m_params.lanesWidth;
        const GroundLine nearLane = m_layout.projectGround(m_layout.b(), d, 0.0, false);
        const GroundLine farLane = m_layout.projectGround(m_layout.a(), d, 0.0, false);
        lines.append(QLineF(nearLane.left, farLane.left));
        lines.append(QLineF(nearLane.right, farLane.right));
    }
    return lines;
}

bool ScenePainter::cameraAxis(QLineF *axis) const
{
    if (!m_outline.placed() || !m_outline.correction())
        return false;
    const double depth = m_result.drawDepth;
    const double h = Angles::toRadians(m_params.horizontalAngle);
    const GroundLine far =
        m_layout.projectGround(m_outline.origin(), 2.0 * std::tan(h) * depth, depth, false);
    *axis = QLineF(far.left, m_outline.origin());
    return true;
}

// The lines painted across the ground before any label, which carry no
// label of their own.
void ScenePainter::addLines()
{
    if (m_params.scenario == Scenario::Person)
        addGroundLine(QLineF(m_layout.a(), m_layout.b()), m_layer);
    for (const QLineF &line : laneLines())
        addGroundLine(line, m_layer);
    QLineF axis;
    if (cameraAxis(&axis))
        addGroundLine(axis, m_layer);
}

void ScenePainter::addGroundLine(const QLineF &line, int layer, int owner)
{
    QLineF inside;
    if (SceneGeometry::clipToConvex(line, m_layout.ground(), &inside))
        m_placer.addLine(inside, layer, owner);
}

int ScenePainter::addLabel(const QString &text, const QColor &colour,
                           const QVector<QPointF> &baselines, const QVector<QPointF> &anchors,
                           const QVector<QPointF> &tracks, double reach,
                           const LabelPlacer::Leader *leader)
{
    const LabelText written(text, m_font);
    const QRectF box = written.boundingRect();
    LabelPlacer::Label request;
    for (int i = 0; i < baselines.size(); ++i) {
        const QRectF plate = LabelPlate::around(box.translated(baselines.at(i)), m_scale);
        request.spots.append({plate, anchors.value(i, baselines.at(i))});
    }
    request.tracks = tracks;
    request.reach = reach;
    request.layer = ++m_layer;
    if (leader) {
        request.hasLeader = true;
        request.leader = *leader;
    }
    Label label;
    label.text = written;
    label.colour = colour;
    label.baseline = baselines.value(0) - request.spots.value(0).rect.topLeft();
    label.placed = m_placer.addLabel(request);
    m_labels.append(label);
    return m_labels.size() - 1;
}

void ScenePainter::layOutDistanceDimensions()
{
    if (!m_outline.placed())
        return;
    const int scenario = m_params.scenario;
    const bool correction = m_outline.correction();
    const double width = m_result.drawWidth;
    const Qt::PenStyle style = scenario == Scenario::Person ? Qt::DotLine : Qt::DashLine;
    const bool centred = scenario != Scenario::Person;
    const BandCorners &f = m_outline.footprint();
    const BandCorners &band = m_outline.band();

    auto label = [correction](const QString &name, double value) {
        if (correction)
            return name;
        return QStringLiteral("%1:%2m").arg(name, DistanceText::orUnbounded(value));
    };

    if (m_result.L1 != 0.0) {
        distanceDimension(f.c2, f.c3, label(QStringLiteral("L1"), m_result.L1),
                          scenario == Scenario::Lanes ? width / 3 : width / 2, style, centred);
    }
    if (m_outline.hasBand() && m_result.L2 != 0.0) {
        const QString name =
            scenario == Scenario::Capture ? QStringLiteral("L3") : QStringLiteral("L2");
        distanceDimension(band.c2, band.c3, label(name, m_result.L2),
                          scenario == Scenario::Lanes ? width / 2 : width / 3, style, centred);
    }
    if (m_outline.hasBand() && m_result.L3 != 0.0 && m_result.L3 != m_result.L2) {
        distanceDimension(band.c1, band.c4, label(QStringLiteral("L3"), m_result.L3), width / 6,
                          style, centred);
    }
    if (m_result.L4 != 0.0) {
        const QString name =
            scenario == Scenario::Capture ? QStringLiteral("L2") : QStringLiteral("L4");
        distanceDimension(f.c1, f.c4, label(name, m_result.L4),
                          scenario == Scenario::Capture ? width / 6 : 0.0, style, centred);
    }
}

void ScenePainter::layOutFootprintWidths()
{
    if (!m_outline.placed() || m_params.scenario != Scenario::Capture || m_result.L1 == 0.0 ||
        m_result.L4 == 0.0)
        return;
    BandCorners f = m_outline.footprint();
    cutToGround(f);
    const double shift = m_result.drawDepth / 100;
    widthDimension(m_footprintWidths, f.c2, f.c3,
                   QStringLiteral("W1:%1m").arg(DistanceText::orUnbounded(m_result.W1)), -shift,
                   nearWidthLabel);
    widthDimension(m_footprintWidths, f.c1, f.c4,
                   QStringLiteral("W2:%1m").arg(DistanceText::orUnbounded(m_result.W4)), shift,
                   farFootprintWidthLabel);
}

void ScenePainter::layOutBandWidths()
{
    if (!m_outline.placed() || !m_outline.hasBand())
        return;
    const int scenario = m_params.scenario;
    const bool correction = m_outline.correction();
    BandCorners band = m_outline.band();
    cutToGround(band);
    const double e = scenario == Scenario::Capture ? 0.0 : m_result.drawDepth / 100;

    if (m_result.L2 != 0.0) {
        const QString name =
            scenario == Scenario::Capture ? QStringLiteral("W3") : QStringLiteral("W2");
        const QString text =
            correction ? QStringLiteral("W2")
                       : QStringLiteral("%1:%2m").arg(name, DistanceText::orUnbounded(m_result.W2));
        widthDimension(m_bandWidths, band.c2, band.c3, text, -e, nearWidthLabel);
    }
    if (m_result.L3 != 0.0 && m_result.L3 != m_result.L2) {
        const QString text =
            correction ? QStringLiteral("W3")
                       : QStringLiteral("W3:%1m").arg(DistanceText::orUnbounded(m_result.W3));
        const QPoint offset = scenario == Scenario::Person ? personFarWidthLabel
                              : correction                 ? correctedFarWidthLabel
                                                           : farBandWidthLabel;
        widthDimension(m_bandWidths, band.c1, band.c4, text, e, offset);
    }
}

void ScenePainter::layOutFigures()
{
    if (!m_outline.placed())
        return;
    const int scenario = m_params.scenario;
    const QString target = languageText(TextId::FigureTarget);
    const BandCorners &band = m_outline.band();
    const bool hasBand = m_outline.hasBand();

    if (scenario == Scenario::Person || scenario == Scenario::Lanes) {
        const Figure kind = scenario == Scenario::Person ? Figure::Person : Figure::Car;
        const int lanes = m_params.lanesNum;
        const double offset =
            scenario == Scenario::Lanes && (lanes == 2 || lanes == 4) ? m_params.lanesWidth : 0.0;
        // The caption brings its colon, with the space some languages put
        // before it; a space parts it from the figure, as in the capture
        // point's labels.
        const QString pattern = QStringLiteral("%1 %2*%2");
        if (hasBand && m_result.L2 != 0.0) {
            figure(band.c2, band.c3, offset, kind, Side::Right, nearFigureLeader,
                   scenario == Scenario::Person ? 3.0 : 9.0,
                   pattern.arg(target, QString::number(m_result.nearPixels)), true);
        }
        if (hasBand && m_result.L3 != 0.0 && m_result.L3 != m_result.L2) {
            figure(band.c1, band.c4, offset, kind, Side::Left, farFigureLeader,
                   scenario == Scenario::Person ? 4.0 : 18.0,
                   pattern.arg(target, QString::number(m_result.farPixels)), true);
        }
        return;
    }
    if (scenario != Scenario::Capture)
        return;

    const double w1 = m_result.W1;
    const double offset = w1 / 2;
    const double pw = m_result.plateWidth;
    const double tH = m_params.targetHeight;
    auto faceText = [&](int face) {
        return QStringLiteral("%1 %2*%2 %3 %4*%5")
            .arg(target, QString::number(face), languageText(TextId::FigurePerson),
                 QString::number(toCount(face * 0.5 / 0.2)),
                 QString::number(toCount(face / 0.2 * tH)));
    };
    auto plateText = [&](int plate) {
        const int vehicle = pw > 0.0 ? toCount(plate * 1.8 / pw) : 0;
        return QStringLiteral("%1 %2*%2 %3 %4*%4")
            .arg(languageText(TextId::FigurePlate), QString::number(plate),
                 languageText(TextId::FigureVehicle), QString::number(vehicle));
    };

    const BandCorners &f = m_outline.footprint();
    figure(f.c1, f.c4, offset, Figure::Person, Side::Left, edgeFaceLeader, 1.5 * w1,
           faceText(m_result.faceAtL4), true);
    figure(f.c1, f.c4, offset, Figure::Car, Side::Right, nearFigureLeader, w1 * 2 / 3,
           plateText(m_result.plateAtL4), true);
    if (hasBand && m_result.L2 != 0.0) {
        figure(band.c2, band.c3, offset, Figure::Person, Side::Left, nearFigureLeader, w1 * 2 / 3,
               faceText(m_result.faceAtCapture), false);
        figure(band.c2, band.c3, offset, Figure::Car, Side::Right, captureCarLeader, 1.5 * w1,
               plateText(m_result.plateAtCapture), false);
    }
    figure(f.c2, f.c3, offset, Figure::Person, Side::Left, edgeFaceLeader, 1.5 * w1,
           faceText(m_result.faceAtL1), true);
    figure(f.c2, f.c3, offset, Figure::Car, Side::Right, nearFigureLeader, w1 * 2 / 3,
           plateText(m_result.plateAtL1), true);
}

// "H1" is written on the camera picture's pole beside its marker line; it
// slides along that line, or goes to the line's other side.
void ScenePainter::layOutMarker()
{
    const QLineF marker = m_inset->markerLine();
    const QString text = CameraInset::markerText();
    const QPointF at = m_inset->markerAt();
    const QRectF box = LabelText(text, m_font).boundingRect().translated(at);
    const QPointF across = SceneGeometry::reflect(box.center(), marker) - box.center();
    const double reach = std::max(marker.length(), box.height() * 2);
    m_markerLabel =
        addLabel(text, labelColour, {at, at + across}, {}, {QPointF(0, -1)}, reach, nullptr);
    const int placed = m_labels.at(m_markerLabel).placed;
    m_placer.addObstacle(m_inset->cameraRect(), placed);
    m_placer.addLine(marker, m_layer, placed);
}

QRect ScenePainter::legendSwatch(int row) const
{
    const int up = row == 0 ? legendLowerRow : legendUpperRow;
    return QRect(QPoint(scaled(legendLeft), m_size.height() - scaled(up)),
                 QSize(scaled(legendSwatchSize.width()), scaled(legendSwatchSize.height())));
}

QRect ScenePainter::zoneSwatch(int row) const
{
    return QRect(QPoint(m_zoneLegendLeft, scaled(zoneLegendMargin) + row * scaled(zoneLegendPitch)),
                 QSize(scaled(legendSwatchSize.width()), scaled(legendSwatchSize.height())));
}

void ScenePainter::layOutLegend()
{
    const QFontMetrics metrics(m_font);
    auto entry = [&](const QRect &swatch, const QString &text) {
        m_placer.addObstacle(swatch);
        m_placer.addObstacle(QRectF(swatch.x() + scaled(legendTextGap),
                                    swatch.y() + scaled(legendTextDrop),
                                    metrics.horizontalAdvance(text), swatch.height()));
    };
    if (m_params.scenario == Scenario::Capture) {
        entry(legendSwatch(0), languageText(TextId::LegendFootprint));
    } else {
        entry(legendSwatch(1), languageText(TextId::LegendFootprint));
        if (m_params.scenario == Scenario::Person || m_params.scenario == Scenario::Lanes)
            entry(legendSwatch(0), languageText(TextId::LegendBand));
    }

    int widest = 0;
    for (const DensityZones::Zone &zone : qAsConst(m_zones)) {
        const QString text = languageText(DensityZones::legendText(zone.densityClass));
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    m_zoneLegendLeft = m_size.width() - scaled(zoneLegendMargin) - scaled(legendTextGap) - widest;
    for (int row = 0; row < m_zones.size(); ++row) {
        const int text = DensityZones::legendText(m_zones.at(row).densityClass);
        entry(zoneSwatch(row), languageText(text));
    }
}

void ScenePainter::distanceDimension(const QPoint &left, const QPoint &right, const QString &label,
                                     double offset, Qt::PenStyle style, bool centred)
{
    const QPoint p1 = m_layout.p1();
    const QPoint p2 = m_layout.p2();
    const QPoint r2 = m_layout.projectGround(p2, offset, 0.0, false).right;
    const QPoint r1 = m_layout.projectGround(p1, offset, 0.0, false).right;
    QPointF i1;
    QPointF i2;
    if (!SceneGeometry::lineIntersection(r2, r1, left, right, &i1) ||
        !SceneGeometry::lineIntersection(p2, p1, left, right, &i2))
        return;
    const QPoint at1 = SceneGeometry::toPoint(i1);
    const QPoint at2 = SceneGeometry::toPoint(i2);

    const QPointF labelAt =
        centred ? QPointF(SceneGeometry::toPoint(middle(at1, r2)))
                : QPointF(m_layout.projectGround(r2, 0.0, m_result.drawDepth / 10, false).centre);
    // The other side of the dimension line mirrors the label's box across it.
    const QLineF line(at1, r2);
    const QRectF box = LabelText(label, m_font).boundingRect().translated(labelAt);
    const QPointF across = SceneGeometry::reflect(box.center(), line) - box.center();
    const QPointF along = unit(r2, at1, QPointF(-1, 0));
    const double reach = line.length() / 2 + box.width() / 2;
    const int index =
        addLabel(label, labelColour, {labelAt, labelAt + across}, {}, {along}, reach, nullptr);
    addGroundLine(QLineF(at2, left), m_layer, m_labels.at(index).placed);
    addGroundLine(line, m_layer, m_labels.at(index).placed);
    m_distances.append({at2, left, at1, r2, style, index});
}

void ScenePainter::widthDimension(QVector<WidthMark> &marks, const QPoint &from, const QPoint &to,
                                  const QString &label, double shift, const QPoint &labelOffset)
{
    const QPointF centre = middle(from, to);
    const QPointF span = QPointF(to - from);
    const double length = std::hypot(span.x(), span.y());
    const GroundLine line =
        m_layout.projectGround(centre, m_layout.pixelsToWidth(length), shift, false);

    const QPointF labelAt = QPointF(line.centre) + QPointF(labelOffset) * m_scale;
    const QLineF drawn(line.left, line.right);
    const QRectF box = LabelText(label, m_font).boundingRect().translated(labelAt);
    const QPointF across = SceneGeometry::reflect(box.center(), drawn) - box.center();
    const double lateral = m_layout.lateralAngle();
    const QPointF along =
        unit(line.left, line.right, QPointF(std::cos(lateral), -std::sin(lateral)));
    const double reach = drawn.length() / 2 + box.width() / 2;
    const int index =
        addLabel(label, labelColour, {labelAt, labelAt + across}, {}, {along}, reach, nullptr);
    m_placer.addLine(drawn, m_layer, m_labels.at(index).placed);
    marks.append({line.left, line.right, index});
}

void ScenePainter::figure(const QPoint &left, const QPoint &right, double offset, Figure kind,
                          Side side, int leader, double labelLength, const QString &text,
                          bool textAtEnd)
{
    const QPoint b = m_layout.b();
    const double depth = m_result.drawDepth;
    const GroundLine start = m_layout.projectGround(b, offset, 0.0, false);
    const GroundLine end = m_layout.projectGround(b, offset, depth, false);
    const QPoint trackStart = side == Side::Left ? start.left : start.right;
    const QPoint trackEnd = side == Side::Left ? end.left : end.right;
    QPointF crossing;
    if (!SceneGeometry::lineIntersection(trackStart, trackEnd, left, right, &crossing))
        return;
    const QPoint t = SceneGeometry::toPoint(crossing);

    // Farther figures are drawn smaller, down to half size at the far edge.
    const QPointF track = QPointF(trackEnd - trackStart);
    const double trackLength = std::hypot(track.x(), track.y());
    const QPointF run = QPointF(t - trackStart);
    double f = 1.0;
    if (trackLength > 0.0)
        f = 1.0 - std::hypot(run.x(), run.y()) / trackLength * 0.5;
    f = std::isfinite(f) ? qBound(0.5, f, 1.0) : 1.0;

    ScenePictures &pictures = ScenePictures::instance();
    const bool car = kind == Figure::Car;
    const ScenePictures::Picture picture = car ? ScenePictures::Car : ScenePictures::People;
    QSize size = pictures.original(picture).size();
    if (car)
        size /= 2;
    size = QSize(px(size.width() * f * m_scale), px(size.height() * f * m_scale));
    const QImage image = pictures.scaled(picture, size);
    const int w = image.width();
    const int h = image.height();

    FigureMark mark;
    mark.image = image;
    const QPoint foot = car ? carFoot : personFoot;
    mark.imageAt = t + QPoint(scaled(foot.x()), scaled(foot.y())) - QPoint(w, h);
    if (!image.isNull())
        m_placer.addObstacle(QRectF(mark.imageAt, image.size()));
    mark.head = car ? t + QPoint(scaled(carHead.x()), scaled(carHead.y()))
                    : QPoint(t.x() - (w / 2 - scaled(personHeadInset)),
                             t.y() - (h - scaled(personHeadDrop)));
    const QPoint knee(mark.head.x(), mark.head.y() - scaled(leader));
    const GroundLine labelLine = m_layout.projectGround(knee, labelLength, 0.0, false);
    const QPoint e = textAtEnd ? labelLine.right : labelLine.left;

    // The label line runs along the breadth; its text either starts at its
    // end or ends there. On the other side the line runs the other way from
    // the knee and the text turns round with it.
    const double lateral = m_layout.lateralAngle();
    const QPointF breadth(std::cos(lateral), -std::sin(lateral));
    const QPointF away = unit(knee, e, textAtEnd ? breadth : -breadth);
    const QPointF other = QPointF(knee) * 2.0 - QPointF(e);
    // A text that ends at a point is centred in its bounding box, which ends
    // there.
    const LabelText written(text, m_font);
    const QRectF box = written.boundingRect();
    const double advance = written.advance();
    auto ending = [&box, advance](const QPointF &at) {
        return QPointF(at.x() - (box.width() + advance) / 2, at.y() - box.height() - box.y());
    };
    const QPointF wanted = textAtEnd ? QPointF(e) : ending(e);
    const QPointF flipped = textAtEnd ? ending(other) : other;

    mark.leader.from = mark.head;
    mark.leader.direction = away;
    mark.leader.minRise = scaled(std::min(leader, shortestLeader));
    const double reach = std::max(distance(knee, e), double(scaled(figureLabelReach)));
    mark.label = addLabel(text, figureColour, {wanted, flipped}, {QPointF(e), other},
                          {away, QPointF(0, -1)}, reach, &mark.leader);
    m_figures.append(mark);
}

void ScenePainter::paintGround()
{
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(groundColour);
    m_painter.drawPolygon(m_layout.ground());
    m_painter.restore();
}

void ScenePainter::paintCentreLine()
{
    if (m_params.scenario != Scenario::Person)
        return;
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, m_scale, Qt::DotLine));
    m_painter.drawLine(m_layout.a(), m_layout.b());
    m_painter.restore();
}

void ScenePainter::paintRoad()
{
    if (!m_outline.placed() ||
        (m_params.scenario != Scenario::Lanes && m_params.scenario != Scenario::Capture))
        return;
    const double width = m_params.scenario == Scenario::Lanes
                             ? m_params.lanesNum * m_params.lanesWidth
                             : m_result.W1;
    const GroundLine nearEnd = m_layout.projectGround(m_layout.b(), width, 0.0, false);
    const GroundLine farEnd = m_layout.projectGround(m_layout.a(), width, 0.0, false);

    m_painter.save();
    m_painter.setClipRegion(QRegion(m_layout.ground()));
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(roadColour);
    m_painter.drawPolygon(QPolygon()
                          << nearEnd.left << nearEnd.right << farEnd.right << farEnd.left);
    m_painter.setPen(QPen(laneColour, m_scale));
    for (const QLineF &line : laneLines())
        m_painter.drawLine(line);
    m_painter.restore();
}

void ScenePainter::paintCameraAxis()
{
    QLineF axis;
    if (!cameraAxis(&axis))
        return;
    // At wide angles the axis runs far past the ground; keep it on the ground
    // like everything else measured in metres.
    m_painter.save();
    m_painter.setClipRegion(QRegion(m_layout.ground()));
    m_painter.setPen(QPen(axisColour, m_scale, Qt::DotLine));
    m_painter.drawLine(axis);
    m_painter.restore();
}

void ScenePainter::paintFootprint()
{
    if (!m_outline.placed())
        return;
    const BandCorners &f = m_outline.footprint();
    m_painter.save();
    m_painter.setClipRegion(QRegion(m_layout.ground()));
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(m_colours.footprint);
    m_painter.drawPolygon(QPolygon() << f.c1 << f.c2 << f.c3 << f.c4);
    m_painter.restore();
}

void ScenePainter::paintZones()
{
    if (m_zones.isEmpty())
        return;
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    // Smoothing the edges of these large translucent fills would cost
    // several times the fills themselves, and their sides lie on the
    // footprint's smoothed edges anyway.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DensityZones::Zone &zone : qAsConst(m_zones)) {
        m_painter.setBrush(DensityZones::colour(zone.densityClass));
        m_painter.drawPolygon(zone.area);
    }
    m_painter.restore();
}

void ScenePainter::paintBand()
{
    if (!m_outline.placed() || !m_outline.hasBand())
        return;
    const BandCorners &band = m_outline.band();
    m_painter.save();
    m_painter.setClipRegion(QRegion(m_layout.ground()));
    if (band.isLine()) {
        m_painter.setPen(QPen(m_colours.band, 2 * m_scale, Qt::DotLine));
        m_painter.drawLine(band.c2, band.c3);
    } else {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(m_colours.band);
        m_painter.drawPolygon(QPolygon() << band.c1 << band.c2 << band.c3 << band.c4);
    }
    m_painter.restore();
}

void ScenePainter::paintDistanceDimensions()
{
    for (const DistanceMark &mark : m_distances) {
        m_painter.save();
        m_painter.setClipRegion(QRegion(m_layout.ground()));
        m_painter.setPen(QPen(leaderColour, m_scale, mark.style));
        m_painter.drawLine(mark.leaderFrom, mark.leaderTo);
        m_painter.setPen(QPen(labelColour, m_scale));
        m_painter.setBrush(labelColour);
        dot(mark.from);
        dot(mark.to);
        m_painter.drawLine(mark.from, mark.to);
        m_painter.restore();
        paintLabel(mark.label);
    }
}

void ScenePainter::paintWidths(const QVector<WidthMark> &marks)
{
    for (const WidthMark &mark : marks) {
        m_painter.save();
        m_painter.setPen(QPen(labelColour, m_scale));
        m_painter.setBrush(labelColour);
        dot(mark.left);
        dot(mark.right);
        m_painter.drawLine(mark.left, mark.right);
        m_painter.restore();
        paintLabel(mark.label);
    }
}

void ScenePainter::paintCamera()
{
    const Label &marker = m_labels.at(m_markerLabel);
    const LabelPlacer::Placement &placed = m_placer.placement(marker.placed);
    m_painter.save();
    m_inset->paint(m_painter, placed.rect.topLeft() + marker.baseline);
    m_painter.restore();
}

void ScenePainter::paintFigures()
{
    for (const FigureMark &mark : m_figures) {
        m_painter.save();
        if (!mark.image.isNull())
            m_painter.drawImage(mark.imageAt, mark.image);
        const Label &label = m_labels.at(mark.label);
        const LabelPlacer::Placement &placed = m_placer.placement(label.placed);
        LabelPlate::paint(m_painter, placed.rect, m_scale);
        // The leader follows its label wherever the label was placed.
        const QPoint e = SceneGeometry::toPoint(placed.anchor);
        const QPoint knee = SceneGeometry::toPoint(LabelPlacer::elbow(mark.leader, placed.anchor));
        m_painter.setPen(QPen(figureColour, m_scale));
        m_painter.setBrush(Qt::NoBrush);
        dot(e);
        dot(mark.head);
        m_painter.drawLine(mark.head, knee);
        m_painter.drawLine(knee, e);
        m_painter.setFont(m_font);
        label.text.paint(m_painter, placed.rect.topLeft() + label.baseline);
        m_painter.restore();
    }
}

void ScenePainter::paintLabel(int index)
{
    const Label &label = m_labels.at(index);
    const LabelPlacer::Placement &placed = m_placer.placement(label.placed);
    m_painter.save();
    LabelPlate::paint(m_painter, placed.rect, m_scale);
    m_painter.setFont(m_font);
    m_painter.setPen(label.colour);
    label.text.paint(m_painter, placed.rect.topLeft() + label.baseline);
    m_painter.restore();
}

void ScenePainter::paintLegend()
{
    if (m_params.scenario == Scenario::Capture) {
        legendEntry(legendSwatch(0), languageText(TextId::LegendFootprint), m_colours.footprint);
    } else {
        legendEntry(legendSwatch(1), languageText(TextId::LegendFootprint), m_colours.footprint);
        if (m_params.scenario == Scenario::Person || m_params.scenario == Scenario::Lanes)
            legendEntry(legendSwatch(0), languageText(TextId::LegendBand), m_colours.band);
    }
    // A zone's box shows its colour as the plan shows it, over the footprint.
    const QColor footprint = over(m_colours.footprint, groundColour);
    for (int row = 0; row < m_zones.size(); ++row) {
        const int densityClass = m_zones.at(row).densityClass;
        legendEntry(zoneSwatch(row), languageText(DensityZones::legendText(densityClass)),
                    over(DensityZones::colour(densityClass), footprint));
    }
}

void ScenePainter::legendEntry(const QRect &swatch, const QString &text, const QColor &colour)
{
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    m_painter.drawRect(swatch);
    m_painter.setFont(m_font);
    m_painter.setPen(legendColour);
    const int textWidth = QFontMetrics(m_font).horizontalAdvance(text);
    m_painter.drawText(QRect(swatch.x() + scaled(legendTextGap),
                             swatch.y() + scaled(legendTextDrop),
                             textWidth + scaled(legendTextSlack), swatch.height()),
                       Qt::AlignLeft | Qt::AlignTop, text);
    m_painter.restore();
}

void ScenePainter::cutToGround(BandCorners &band) const
{
    if (band.isLine()) {
        SceneGeometry::cutLine(band, QLine(m_layout.p1(), m_layout.p2()),
                               QLine(m_layout.p4(), m_layout.p3()));
    } else {
        SceneGeometry::cutBand(band, m_layout.ground(), m_layout.lateralAngle());
    }
}

void ScenePainter::dot(const QPoint &at)
{
    const int side = std::max(3, px(3 * m_scale + 0.5));
    m_painter.drawEllipse(QRect(at.x() - side / 2, at.y() - side / 2, side, side));
}
