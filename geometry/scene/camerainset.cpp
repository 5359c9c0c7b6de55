#include "camerainset.h"

#include "labelplate.h"
#include "languagetable.h"
#include "scenegeometry.h"
#include "sceneparams.h"
#include "scenepictures.h"
#include "textid.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace
{

const QColor outerColour(146, 160, 170, 255);
const QColor innerColour(125, 138, 147, 255);
const QColor innerBorder(31, 68, 72, 255);
// The angle between a reference line and its icon, filled like a gauge: a
// warm colour that stands out from the grey boxes and the black lines.
const QColor sectorFill(255, 193, 58, 210);
const QColor sectorEdge(122, 74, 0, 255);

// Lengths in pixels at scale 1.
constexpr int insetGap = 10;        // between the camera's origin and the inset box
constexpr int insetBox = 130;       // side of one box
constexpr int insetMargin = 10;     // between the outer and the inner box
constexpr int insetIcon = 50;       // the turned icons, and the pitch reference line
constexpr int captionPadding = 8;   // between a caption and its inner box's sides
constexpr int smallestCaption = 9;  // pixel size a long caption may shrink to
constexpr int pitchCaptionTop = 80; // below the first box's top, clear of a steep icon
constexpr int levelCaptionTop = 65; // below the second box's top
constexpr int levelLine = 40;       // the horizontal angle's reference, down from its pivot
// The sectors reach along their icons, short of the lens, so that even a
// small angle shows as a wedge between the reference line and the camera.
constexpr int pitchSector = 36;
constexpr int levelSector = 32;
constexpr double sectorEdgeWidth = 1.5;

int px(double value)
{
    return SceneGeometry::toPixel(value);
}

// An angle in degrees as sixteenths for drawPie; beyond a full turn the
// sector is a full circle anyway.
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
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(outerColour);
    painter.drawRect(insetRect());
    painter.setPen(QPen(innerBorder, lineWidth()));
    painter.setBrush(innerColour);
    painter.drawRect(innerBox(0));
    if (m_correction)
        painter.drawRect(innerBox(1));
    painter.restore();
}

QRect CameraInset::innerBox(int index) const
{
    const Frame &f = m_frame;
    const int top = index == 0 ? f.top + f.margin : f.top + f.box;
    return QRect(f.left + f.margin, top, f.width - 2 * f.margin, f.box - 2 * f.margin);
}

// Thin lines fade on a dense screen, so they grow with it.
qreal CameraInset::lineWidth() const
{
    return std::max<qreal>(1.0, m_scale);
}

// The horizontal each angle is measured from, and for the horizontal angle
// the road's direction.
void CameraInset::paintReferenceLines(QPainter &painter) const
{
    const Frame &f = m_frame;
    const int halfIcon = f.icon / 2;
    painter.save();
    painter.setPen(QPen(Qt::black, lineWidth(), Qt::DashLine));
    painter.drawLine(f.pitchPivot - QPoint(f.icon, 0), f.pitchPivot);
    if (m_correction) {
        painter.drawLine(QPoint(f.centreX - halfIcon, f.levelY),
                         QPoint(f.centreX + halfIcon, f.levelY));
        painter.drawLine(QPoint(f.centreX, f.levelY),
                         QPoint(f.centreX, f.levelY + px(levelLine * m_scale)));
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
    painter.drawText(QRect(f.left, px(pitchCaptionTop * s + f.top), f.width, pitchHeight + slack),
                     Qt::AlignCenter, m_pitchText);
    if (m_correction) {
        const int levelHeight = metrics.boundingRect(m_levelText).height();
        painter.drawText(
            QRect(f.left, px(f.top + f.box + levelCaptionTop * s), f.width, levelHeight + slack),
            Qt::AlignCenter, m_levelText);
    }
    painter.restore();
}

// The angle as a filled wedge at the pivot its icon turns about, from the
// reference direction (degrees counter-clockwise from three o'clock) over the
// angle, kept inside its box.
void CameraInset::paintSector(QPainter &painter, const QPoint &pivot, int radius, int from,
                              qint32 degrees, const QRect &box) const
{
    const QRect square(pivot.x() - radius, pivot.y() - radius, 2 * radius, 2 * radius);
    painter.save();
    painter.setClipRect(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sectorFill);
    painter.drawPie(square, from * 16, arcSpan(degrees));
    painter.setPen(QPen(sectorEdge, sectorEdgeWidth * lineWidth()));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(square, from * 16, arcSpan(degrees));
    painter.restore();
}

// The camera seen from the side, turned down about its mount.
void CameraInset::paintPitchIcon(QPainter &painter) const
{
    const Frame &f = m_frame;
    const double s = m_scale;
    const QPoint pivot = f.pitchPivot;
    paintSector(painter, pivot, px(pitchSector * s), 180, m_params.pitchAngle, innerBox(0));
    painter.save();
    painter.translate(pivot);
    painter.rotate(-double(m_params.pitchAngle));
    const QImage pitch =
        ScenePictures::instance().scaled(ScenePictures::Pitch, QSize(px(70 * s), f.icon));
    if (!pitch.isNull())
        painter.drawImage(QPoint(px(-57 * s), px(-12 * s)), pitch);
    painter.restore();
}

// The camera seen from above, turned away from the road's direction.
void CameraInset::paintHorizontalIcon(QPainter &painter) const
{
    const Frame &f = m_frame;
    const double s = m_scale;
    const QPoint pivot(f.centreX, f.levelY);
    paintSector(painter, pivot, px(levelSector * s), 270, m_params.horizontalAngle, innerBox(1));
    painter.save();
    painter.translate(pivot);
    painter.rotate(-double(m_params.horizontalAngle));
    const QImage level =
        ScenePictures::instance().scaled(ScenePictures::Level, QSize(f.icon, f.icon));
    if (!level.isNull())
        painter.drawImage(QPoint(px(-20 * s), px(-7 * s)), level);
    painter.restore();
}
