#include "camerainset.h"

#include "angles.h"
#include "labelplate.h"
#include "languagetable.h"
#include "scenegeometry.h"
#include "sceneparams.h"
#include "scenepictures.h"
#include "textid.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

const QColor outerColour(146, 160, 170, 255);
const QColor innerColour(125, 138, 147, 255);
const QColor innerBorder(31, 68, 72, 255);

// Lengths in pixels at scale 1.
constexpr int insetGap = 10;       // between the camera's origin and the inset box
constexpr int insetBox = 130;      // side of one box
constexpr int insetMargin = 10;    // between the outer and the inner box
constexpr int insetIcon = 50;      // the turned icons, and the pitch reference line
constexpr int captionPadding = 4;  // between a caption and its inner box's sides
constexpr int smallestCaption = 9; // pixel size a long caption may shrink to
// The angle marks reach out along their reference lines, far enough that an
// angle of 10 degrees or more shows as at least 12 pixels of arc; steep
// angles keep the shorter reach, clear of the captions.
constexpr int shortArcRadius = 48;
constexpr int longArcRadius = 70;
constexpr double shortestArc = 12;

int px(double value)
{
    return SceneGeometry::toPixel(value);
}

// The radius that gives an angle at least the shortest arc, within the reach
// of the marks.
int arcRadiusFor(qint32 degrees, double scale)
{
    const double radians = std::abs(Angles::toRadians(degrees));
    const double wanted = radians > 0 ? shortestArc / radians : double(longArcRadius);
    return px(std::ceil(std::clamp(wanted, double(shortArcRadius), double(longArcRadius)) * scale));
}

// An angle in degrees as sixteenths for drawArc; beyond a full turn the arc
// is a full circle anyway.
int arcSpan(qint32 degrees)
{
    return int(qBound<qint64>(-5760, qint64(degrees) * 16, 5760));
}

void filledDot(QPainter &painter, const QPoint &at, qreal scale)
{
    const int side = std::max(3, px(3 * scale + 0.5));
    painter.drawEllipse(QRect(at.x() - side / 2, at.y() - side / 2, side, side));
}

} // namespace

CameraInset::CameraInset(const QPoint &origin, const SceneParams &params, bool correction,
                         qreal scale, const QFont &font, const QColor &labelColour,
                         const QRect &bounds)
    : m_origin(origin), m_params(params), m_correction(correction), m_scale(scale), m_font(font),
      m_captionFont(font), m_labelColour(labelColour)
{
    const QString separator = languageText(TextId::Separator);
    m_pitchText = QStringLiteral("%1%2%3").arg(languageText(TextId::PitchCaption), separator,
                                               QString::number(m_params.pitchAngle));
    if (m_correction) {
        m_levelText =
            QStringLiteral("%1%2%3").arg(languageText(TextId::HorizontalCaption), separator,
                                         QString::number(m_params.horizontalAngle));
    }
    layOutCamera();
    layOutMarker();
    layOutInset(bounds);
}

double CameraInset::sizeFactor(double poleHeight)
{
    if (!(poleHeight > 1.7))
        return 0.5;
    if (poleHeight < 3.5)
        return poleHeight / 3.5;
    return 1.0;
}

void CameraInset::layOutCamera()
{
    const double g = sizeFactor(m_params.ipcHeight);
    const double s = m_scale;
    ScenePictures &pictures = ScenePictures::instance();
    const QImage &source = pictures.original(ScenePictures::Camera);
    const QSize size(px((2 * source.width() / 3) * g * s), px((2 * source.height() / 3) * g * s));
    m_camera = pictures.scaled(ScenePictures::Camera, size);
    if (m_camera.isNull())
        return;
    m_cameraHeight = m_camera.height();
    m_cameraAt = QPoint(px(m_origin.x() - m_camera.width() + g * 24 * s),
                        px(m_origin.y() - m_camera.height() + g * 7 * s));
}

void CameraInset::layOutMarker()
{
    const double s = m_scale;
    const int x = px(m_origin.x() - 15 * s);
    m_markerFoot = QPoint(x, m_origin.y());
    m_markerTop = QPoint(x, m_origin.y() - m_cameraHeight * 3 / 4);
    m_markerTextAt = QPoint(px(x - 20 * s), m_origin.y() - m_cameraHeight * 3 / 8);
}

QString CameraInset::markerText()
{
    return QStringLiteral("H1");
}

int CameraInset::outerHeight() const
{
    const Frame &f = m_frame;
    return m_correction ? 2 * f.box - f.margin : f.box;
}

void CameraInset::layOutInset(const QRect &bounds)
{
    const double s = m_scale;
    Frame &f = m_frame;
    f.box = px(insetBox * s);
    f.margin = px(insetMargin * s);
    f.icon = px(insetIcon * s);
    f.arcRadius = px(longArcRadius * s);
    f.width = f.box;

    // A caption too long for its box first shrinks, then widens the box.
    const int room = f.box - 2 * f.margin - 2 * px(captionPadding * s);
    int longest = 0;
    for (const QString &caption : {m_pitchText, m_levelText})
        longest = std::max(longest, QFontMetrics(m_font).horizontalAdvance(caption));
    if (longest > room && longest > 0) {
        const int smallest = std::max(1, px(smallestCaption * s));
        const int size =
            m_font.pixelSize() > 0 ? m_font.pixelSize() : QFontMetrics(m_font).height();
        m_captionFont.setPixelSize(std::max(smallest, size * room / longest));
        int fitted = 0;
        for (const QString &caption : {m_pitchText, m_levelText})
            fitted = std::max(fitted, QFontMetrics(m_captionFont).horizontalAdvance(caption));
        if (fitted > room)
            f.width = f.box + fitted - room;
    }

    // Beside the camera, moved up or left as far as the bounds need.
    int left = m_origin.x() + px(insetGap * s);
    int top = m_origin.y() - m_cameraHeight + px(insetGap * s);
    left -= std::max(0, left + f.width - (bounds.x() + bounds.width()));
    top -= std::max(0, top + outerHeight() - (bounds.y() + bounds.height()));
    f.left = std::max(left, bounds.x());
    f.top = std::max(top, bounds.y());

    f.centreX = f.left + f.width / 2;
    f.pitchPivot = QPoint(f.centreX + f.icon / 2, px(35 * s) + f.top);
    f.levelY = px(f.top + f.box + 15 * s);
}

QRect CameraInset::insetRect() const
{
    return QRect(m_frame.left, m_frame.top, m_frame.width, outerHeight());
}

QRectF CameraInset::cameraRect() const
{
    if (m_camera.isNull())
        return QRectF();
    return QRectF(m_cameraAt, m_camera.size());
}

QLineF CameraInset::markerLine() const
{
    return QLineF(m_markerFoot, m_markerTop);
}

void CameraInset::paint(QPainter &painter) const
{
    paint(painter, m_markerTextAt);
}

void CameraInset::paint(QPainter &painter, const QPointF &markerAt) const
{
    paintCamera(painter);
    paintMarker(painter, markerAt);
    paintBoxes(painter);
    paintReferenceLines(painter);
    paintCaptions(painter);
    paintPitchIcon(painter);
    if (m_correction)
        paintHorizontalIcon(painter);
}

void CameraInset::paintCamera(QPainter &painter) const
{
    if (!m_camera.isNull())
        painter.drawImage(m_cameraAt, m_camera);
}

void CameraInset::paintMarker(QPainter &painter, const QPointF &textAt) const
{
    painter.save();
    painter.setPen(QPen(m_labelColour, m_scale));
    painter.setBrush(m_labelColour);
    painter.setFont(m_font);
    filledDot(painter, m_markerFoot, m_scale);
    filledDot(painter, m_markerTop, m_scale);
    painter.drawLine(m_markerFoot, m_markerTop);
    const QRectF text = QFontMetrics(m_font).boundingRect(markerText());
    LabelPlate::paint(painter, LabelPlate::around(text.translated(textAt), m_scale), m_scale);
    painter.drawText(textAt, markerText());
    painter.restore();
}

void CameraInset::paintBoxes(QPainter &painter) const
{
    const Frame &f = m_frame;
    const int innerWidth = f.width - 2 * f.margin;
    const int inner = f.box - 2 * f.margin;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(outerColour);
    painter.drawRect(insetRect());
    painter.setPen(QPen(innerBorder, 1));
    painter.setBrush(innerColour);
    painter.drawRect(QRect(f.left + f.margin, f.top + f.margin, innerWidth, inner));
    if (m_correction)
        painter.drawRect(QRect(f.left + f.margin, f.top + f.box, innerWidth, inner));
    painter.restore();
}

// The horizontal each angle is measured from, and for the horizontal angle
// the road's direction.
void CameraInset::paintReferenceLines(QPainter &painter) const
{
    const Frame &f = m_frame;
    const int halfIcon = f.icon / 2;
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(f.pitchPivot - QPoint(f.arcRadius, 0), f.pitchPivot);
    if (m_correction) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawLine(QPoint(f.centreX - halfIcon, f.levelY),
                         QPoint(f.centreX + halfIcon, f.levelY));
        painter.drawLine(QPoint(f.centreX, f.levelY), QPoint(f.centreX, f.levelY + f.arcRadius));
    }
    painter.restore();
}

void CameraInset::paintCaptions(QPainter &painter) const
{
    const Frame &f = m_frame;
    const double s = m_scale;
    painter.save();
    painter.setFont(m_captionFont);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(m_captionFont);
    const int pitchHeight = metrics.boundingRect(m_pitchText).height();
    const int slack = px(20 * s);
    painter.drawText(QRect(f.left, px(75 * s + f.top), f.width, pitchHeight + slack),
                     Qt::AlignCenter, m_pitchText);
    if (m_correction) {
        const int levelHeight = metrics.boundingRect(m_levelText).height();
        painter.drawText(QRect(f.left, px(f.top + f.box + 80 * s), f.width, levelHeight + slack),
                         Qt::AlignCenter, m_levelText);
    }
    painter.restore();
}

// An arc from the horizontal and the camera turned down about its mount.
void CameraInset::paintPitchIcon(QPainter &painter) const
{
    const Frame &f = m_frame;
    const double s = m_scale;
    const QPoint pivot = f.pitchPivot;
    const int r = arcRadiusFor(m_params.pitchAngle, s);
    painter.save();
    painter.setPen(QPen(Qt::black, s));
    painter.drawArc(QRect(pivot.x() - r, pivot.y() - r, 2 * r, 2 * r), 180 * 16,
                    arcSpan(m_params.pitchAngle));
    painter.translate(pivot);
    painter.rotate(-double(m_params.pitchAngle));
    const QImage pitch =
        ScenePictures::instance().scaled(ScenePictures::Pitch, QSize(px(70 * s), f.icon));
    if (!pitch.isNull())
        painter.drawImage(QPoint(px(-57 * s), px(-12 * s)), pitch);
    painter.restore();
}

// An arc from the road's direction and the camera seen from above, turned.
void CameraInset::paintHorizontalIcon(QPainter &painter) const
{
    const Frame &f = m_frame;
    const double s = m_scale;
    const int c = f.centreX;
    const int r = arcRadiusFor(m_params.horizontalAngle, s);
    painter.save();
    painter.setPen(QPen(Qt::black, s));
    painter.drawArc(QRect(c - r, f.levelY - r, 2 * r, 2 * r), 270 * 16,
                    arcSpan(m_params.horizontalAngle));
    painter.translate(QPoint(c, f.levelY));
    painter.rotate(-double(m_params.horizontalAngle));
    const QImage level =
        ScenePictures::instance().scaled(ScenePictures::Level, QSize(f.icon, f.icon));
    if (!level.isNull())
        painter.drawImage(QPoint(px(-20 * s), px(-7 * s)), level);
    painter.restore();
}
