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

void CameraInset::paintInset(int cameraHeight)
{
    const double s = m_scale;
    const int x0 = m_origin.x() + 10;
    const int y0 = m_origin.y() - cameraHeight + 10;
    const int b = px(130 * s);
    const int m = px(10 * s);
    const int n = px(50 * s);
    const int hn = n / 2;
    const int c = x0 + b / 2;
    ScenePictures &pictures = ScenePictures::instance();

    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(outerColour);
    m_painter.drawRect(QRect(x0, y0, b, m_correction ? 2 * b - m : b));
    m_painter.setPen(QPen(innerBorder, 1));
    m_painter.setBrush(innerColour);
    m_painter.drawRect(QRect(x0 + m, y0 + m, b - 2 * m, b - 2 * m));
    if (m_correction)
        m_painter.drawRect(QRect(x0 + m, y0 + b, b - 2 * m, b - 2 * m));
    m_painter.restore();

    // Reference lines and captions.
    const int pitchY = px(35 * s) + y0;
    const QPoint pitchPivot(c + hn, pitchY);
    const int levelY = px(y0 + b + 15 * s);
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    m_painter.drawLine(QPoint(c - hn, pitchY), pitchPivot);
    if (m_correction) {
        m_painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        m_painter.drawLine(QPoint(c - hn, levelY), QPoint(c + hn, levelY));
        m_painter.drawLine(QPoint(c, levelY), QPoint(c, px(40 * s + levelY)));
    }
    m_painter.restore();

    m_painter.save();
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics(m_font);
    const QString separator = languageText(TextId::Separator);
    const QString pitchText = QStringLiteral("%1%2%3").arg(
        languageText(TextId::PitchCaption), separator, QString::number(m_params.pitchAngle));
    const int pitchHeight = metrics.boundingRect(pitchText).height();
    m_painter.drawText(QRect(x0, px(75 * s + y0), b, pitchHeight + 20), Qt::AlignCenter, pitchText);
    if (m_correction) {
        const QString levelText =
            QStringLiteral("%1%2%3").arg(languageText(TextId::HorizontalCaption), separator,
                                         QString::number(m_params.horizontalAngle));
        const int levelHeight = metrics.boundingRect(levelText).height();
        m_painter.drawText(QRect(x0, px(y0 + b + 65 * s), b, levelHeight + 20), Qt::AlignCenter,
                           levelText);
    }
    m_painter.restore();

    // Pitch: an arc from the horizontal and the camera turned down about its
    // mount.
    m_painter.save();
    m_painter.setPen(Qt::black);
    m_painter.drawArc(QRect(pitchPivot.x() - n / 4, pitchPivot.y() - n / 4, hn, hn), 180 * 16,
                      arcSpan(m_params.pitchAngle));
    m_painter.translate(pitchPivot);
    m_painter.rotate(-double(m_params.pitchAngle));
    const QImage pitch = pictures.scaled(ScenePictures::Pitch, QSize(px(70 * s), n));
    if (!pitch.isNull())
        m_painter.drawImage(QPoint(px(-57 * s), px(-12 * s)), pitch);
    m_painter.restore();

    if (!m_correction)
        return;
    m_painter.save();
    m_painter.setPen(Qt::black);
    m_painter.drawArc(QRect(px(c - 15 * s), px(levelY - 15 * s), px(30 * s), px(30 * s)), 270 * 16,
                      arcSpan(m_params.horizontalAngle));
    m_painter.translate(QPoint(c, levelY));
    m_painter.rotate(-double(m_params.horizontalAngle));
    const QImage level = pictures.scaled(ScenePictures::Level, QSize(n, n));
    if (!level.isNull())
        m_painter.drawImage(QPoint(px(-20 * s), px(-7 * s)), level);
    m_painter.restore();
}
