#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;
struct SceneParams;

// The camera on its pole at the pole base of the plan view, a marker for the
// pole height and a small inset that shows the pitch angle (and, with the
// horizontal correction, the horizontal angle) as a number and a turned icon.
// Everything is laid out when the inset is made, so the scene can keep its
// labels clear of it before anything is painted.
class CameraInset final
{
public:
    // The font and label colour are the scene's, so the marker matches the
    // dimensions. The inset box stays inside bounds: it moves up or left from
    // its place beside the camera when that place would cut it.
    CameraInset(const QPoint &origin, const SceneParams &params, bool correction, qreal scale,
                const QFont &font, const QColor &labelColour, const QRect &bounds);

    // Paints the marker's text "H1" with its baseline starting at markerAt;
    // the other overload at its place beside the marker line.
    void paint(QPainter &painter, const QPointF &markerAt) const;
    void paint(QPainter &painter) const;

    // Where the parts lie, for the labels of the scene to keep clear of and
    // for the marker's text to be placed like them.
    QRect insetRect() const;
    QRectF cameraRect() const;
    QLineF markerLine() const;
    QPointF markerAt() const { return m_markerTextAt; }
    static QString markerText();
    // The font its captions are written in: the scene font, smaller when a
    // caption would not fit its box.
    const QFont &captionFont() const { return m_captionFont; }

    // How large the camera is drawn for a pole height: half size up to 1.7 m,
    // growing with the height up to full size from 3.5 m.
    static double sizeFactor(double poleHeight);

private:
    // Where the inset's parts sit, worked out from the camera picture's top:
    // one box for the pitch, a second one below it for the horizontal angle.
    struct Frame {
        int left;          // of the outer box
        int top;           // of the outer box
        int width;         // of the outer box; wider than box for long captions
        int box;           // height of one box
        int margin;        // between the outer and the inner boxes
        int icon;          // size of the turned icons
        int centreX;       // of the boxes
        QPoint pitchPivot; // where the pitch icon turns, on its reference line
        int levelY;        // the horizontal angle's reference line
    };

    void layOutCamera();
    void layOutMarker();
    void layOutInset(const QRect &bounds);
    int outerHeight() const;
    void paintCamera(QPainter &painter) const;
    void paintMarker(QPainter &painter, const QPointF &textAt) const;
    QRect innerBox(int index) const;
    qreal lineWidth() const;
    void paintBoxes(QPainter &painter) const;
    void paintReferenceLines(QPainter &painter) const;
    void paintCaptions(QPainter &painter) const;
    void paintSector(QPainter &painter, const QPoint &pivot, int radius, int from, qint32 degrees,
                     const QRect &box) const;
    void paintPitchIcon(QPainter &painter) const;
    void paintHorizontalIcon(QPainter &painter) const;

    QPoint m_origin;
    const SceneParams &m_params;
    bool m_correction;
    qreal m_scale;
    QFont m_font;
    QFont m_captionFont;
    QColor m_labelColour;

    QImage m_camera;
    QPoint m_cameraAt;
    int m_cameraHeight = 0;
    QPoint m_markerFoot;
    QPoint m_markerTop;
    QPoint m_markerTextAt;
    QString m_pitchText;
    QString m_levelText;
    Frame m_frame{};
};
