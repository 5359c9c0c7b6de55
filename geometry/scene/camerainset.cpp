#include "camerainset.h"

#include "languagetable.h"
#include "scenegeometry.h"
#include "sceneparams.h"
#include "scenepictures.h"
#include "textid.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace
{

const QColor outerColour(146, 160, 170, 255);
const QColor innerColour(125, 138, 147, 255);
const QColor innerBorder(31, 68, 72, 255);

int px(double value)
{
    return SceneGeometry::toPixel(value);
}

// An angle in degrees as sixteenths for drawArc; beyond a full turn the arc
// is a full circle anyway.
int arcSpan(qint32 degrees)
{
    return int(qBound<qint64>(-5760, qint64(degrees) * 16, 5760));
}

void filledDot(QPainter &painter, const QPoint &at)
{
    painter.drawEllipse(QRect(at.x() - 1, at.y() - 1, 3, 3));
}

} // namespace

CameraInset::CameraInset(QPainter &painter, const QPoint &origin, const SceneParams &params,
                         bool correction, qreal scale, const QFont &font, const QColor &labelColour)
    : m_painter(painter), m_origin(origin), m_params(params), m_correction(correction),
      m_scale(scale), m_font(font), m_labelColour(labelColour)
{
}

double CameraInset::sizeFactor(double poleHeight)
{
    if (!(poleHeight > 1.7))
        return 0.5;
    if (poleHeight < 3.5)
        return poleHeight / 3.5;
    return 1.0;
}

void CameraInset::paint()
{
    const int height = paintCamera();
    paintPoleMarker(height);
    paintInset(height);
}

int CameraInset::paintCamera()
{
    const double g = sizeFactor(m_params.ipcHeight);
    const double s = m_scale;
    ScenePictures &pictures = ScenePictures::instance();
    const QImage &source = pictures.original(ScenePictures::Camera);
    const QSize size(px((2 * source.width() / 3) * g * s), px((2 * source.height() / 3) * g * s));
    const QImage image = pictures.scaled(ScenePictures::Camera, size);
    if (image.isNull())
        return 0;

    m_painter.save();
    const int x = px(m_origin.x() - image.width() + g * 24 * s);
    const int y = px(m_origin.y() - image.height() + g * 7 * s);
    m_painter.drawImage(QPoint(x, y), image);
    m_painter.restore();
    return image.height();
}

void CameraInset::paintPoleMarker(int cameraHeight)
{
    const double s = m_scale;
    const int x = px(m_origin.x() - 15 * s);
    const QPoint foot(x, m_origin.y());
    const QPoint top(x, m_origin.y() - cameraHeight * 3 / 4);

    m_painter.save();
    m_painter.setPen(m_labelColour);
    m_painter.setBrush(m_labelColour);
    m_painter.setFont(m_font);
    filledDot(m_painter, foot);
    filledDot(m_painter, top);
    m_painter.drawLine(foot, top);
    m_painter.drawText(QPoint(px(x - 20 * s), m_origin.y() - cameraHeight * 3 / 8),
                       QStringLiteral("H1"));
    m_painter.restore();
}

// Where the inset's parts sit, worked out once from the camera picture's top:
// one box for the pitch, a second one below it for the horizontal angle.
struct CameraInset::InsetFrame {
    int left;          // of the outer box
    int top;           // of the outer box
    int box;           // side of one box
    int margin;        // between the outer and the inner box
    int icon;          // size of the turned icons
    int centreX;       // of the boxes
    QPoint pitchPivot; // where the pitch icon turns, on its reference line
    int levelY;        // the horizontal angle's reference line
};

CameraInset::InsetFrame CameraInset::insetFrame(int cameraHeight) const
{
    const double s = m_scale;
    InsetFrame f;
    f.left = m_origin.x() + 10;
    f.top = m_origin.y() - cameraHeight + 10;
    f.box = px(130 * s);
    f.margin = px(10 * s);
    f.icon = px(50 * s);
    f.centreX = f.left + f.box / 2;
    f.pitchPivot = QPoint(f.centreX + f.icon / 2, px(35 * s) + f.top);
    f.levelY = px(f.top + f.box + 15 * s);
    return f;
}

void CameraInset::paintInset(int cameraHeight)
{
    const InsetFrame frame = insetFrame(cameraHeight);
    paintBoxes(frame);
    paintReferenceLines(frame);
    paintCaptions(frame);
    paintPitchIcon(frame);
    if (m_correction)
        paintHorizontalIcon(frame);
}

void CameraInset::paintBoxes(const InsetFrame &f)
{
    const int inner = f.box - 2 * f.margin;
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(outerColour);
    m_painter.drawRect(QRect(f.left, f.top, f.box, m_correction ? 2 * f.box - f.margin : f.box));
    m_painter.setPen(QPen(innerBorder, 1));
    m_painter.setBrush(innerColour);
    m_painter.drawRect(QRect(f.left + f.margin, f.top + f.margin, inner, inner));
    if (m_correction)
        m_painter.drawRect(QRect(f.left + f.margin, f.top + f.box, inner, inner));
    m_painter.restore();
}

// The horizontal each angle is measured from, and for the horizontal angle
// the road's direction.
void CameraInset::paintReferenceLines(const InsetFrame &f)
{
    const int halfIcon = f.icon / 2;
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    m_painter.drawLine(QPoint(f.centreX - halfIcon, f.pitchPivot.y()), f.pitchPivot);
    if (m_correction) {
        m_painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        m_painter.drawLine(QPoint(f.centreX - halfIcon, f.levelY),
                           QPoint(f.centreX + halfIcon, f.levelY));
        m_painter.drawLine(QPoint(f.centreX, f.levelY),
                           QPoint(f.centreX, px(40 * m_scale + f.levelY)));
    }
    m_painter.restore();
}

void CameraInset::paintCaptions(const InsetFrame &f)
{
    const double s = m_scale;
    m_painter.save();
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics(m_font);
    const QString separator = languageText(TextId::Separator);
    const QString pitchText = QStringLiteral("%1%2%3").arg(
        languageText(TextId::PitchCaption), separator, QString::number(m_params.pitchAngle));
    const int pitchHeight = metrics.boundingRect(pitchText).height();
    m_painter.drawText(QRect(f.left, px(75 * s + f.top), f.box, pitchHeight + 20), Qt::AlignCenter,
                       pitchText);
    if (m_correction) {
        const QString levelText =
            QStringLiteral("%1%2%3").arg(languageText(TextId::HorizontalCaption), separator,
                                         QString::number(m_params.horizontalAngle));
        const int levelHeight = metrics.boundingRect(levelText).height();
        m_painter.drawText(QRect(f.left, px(f.top + f.box + 65 * s), f.box, levelHeight + 20),
                           Qt::AlignCenter, levelText);
    }
    m_painter.restore();
}

// An arc from the horizontal and the camera turned down about its mount.
void CameraInset::paintPitchIcon(const InsetFrame &f)
{
    const double s = m_scale;
    const QPoint pivot = f.pitchPivot;
    m_painter.save();
    m_painter.setPen(Qt::black);
    m_painter.drawArc(QRect(pivot.x() - f.icon / 4, pivot.y() - f.icon / 4, f.icon / 2, f.icon / 2),
                      180 * 16, arcSpan(m_params.pitchAngle));
    m_painter.translate(pivot);
    m_painter.rotate(-double(m_params.pitchAngle));
    const QImage pitch =
        ScenePictures::instance().scaled(ScenePictures::Pitch, QSize(px(70 * s), f.icon));
    if (!pitch.isNull())
        m_painter.drawImage(QPoint(px(-57 * s), px(-12 * s)), pitch);
    m_painter.restore();
}

// An arc from the road's direction and the camera seen from above, turned.
void CameraInset::paintHorizontalIcon(const InsetFrame &f)
{
    const double s = m_scale;
    const int c = f.centreX;
    m_painter.save();
    m_painter.setPen(Qt::black);
    m_painter.drawArc(QRect(px(c - 15 * s), px(f.levelY - 15 * s), px(30 * s), px(30 * s)),
                      270 * 16, arcSpan(m_params.horizontalAngle));
    m_painter.translate(QPoint(c, f.levelY));
    m_painter.rotate(-double(m_params.horizontalAngle));
    const QImage level =
        ScenePictures::instance().scaled(ScenePictures::Level, QSize(f.icon, f.icon));
    if (!level.isNull())
        m_painter.drawImage(QPoint(px(-20 * s), px(-7 * s)), level);
    m_painter.restore();
}
