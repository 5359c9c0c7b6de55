#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>

class QPainter;
struct SceneParams;

// The camera on its pole at the pole base of the plan view, a marker for the
// pole height and a small inset that shows the pitch angle (and, with the
// horizontal correction, the horizontal angle) as a number and a turned icon.
class CameraInset final
{
public:
    // The font and label colour are the scene's, so the marker matches the
    // dimensions.
    CameraInset(QPainter &painter, const QPoint &origin, const SceneParams &params, bool correction,
                qreal scale, const QFont &font, const QColor &labelColour);

    void paint();

    // How large the camera is drawn for a pole height: half size up to 1.7 m,
    // growing with the height up to full size from 3.5 m.
    static double sizeFactor(double poleHeight);

private:
    int paintCamera();
    void paintPoleMarker(int cameraHeight);
    struct InsetFrame;
    InsetFrame insetFrame(int cameraHeight) const;
    void paintInset(int cameraHeight);
    void paintBoxes(const InsetFrame &frame);
    void paintReferenceLines(const InsetFrame &frame);
    void paintCaptions(const InsetFrame &frame);
    void paintPitchIcon(const InsetFrame &frame);
    void paintHorizontalIcon(const InsetFrame &frame);

    QPainter &m_painter;
    QPoint m_origin;
    const SceneParams &m_params;
    bool m_correction;
    qreal m_scale;
    QFont m_font;
    QColor m_labelColour;
};
