#pragma once

#include "scenelayout.h"
#include "sceneoutline.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

class QPainter;
struct SceneParams;
struct SceneResult;

// Paints the oblique plan view of one calculation: ground, road and lanes, the
// picture footprint and detection band, distance and width dimensions, the
// camera with its angle inset, figures with their pixel sizes and the legend.
// It needs no widget, so the scene widget, the command-line renderer and the
// benchmark all paint through it.
class ScenePainter final
{
public:
    // scale is the screen scale factor; 0 (no screen) paints at scale 1.
    ScenePainter(QPainter &painter, const SceneParams &params, const SceneResult &result,
                 const QSize &size, qreal scale);

    void paint();

    // Paints one scene; the painter's state is left as it was.
    static void render(QPainter &painter, const SceneParams &params, const SceneResult &result,
                       const QSize &size, qreal scale);

    // The footprint and band colours are shared by every scene: painting the
    // vehicle-lane scenario switches them to its own, and they stay switched.
    static QColor footprintColour();
    static QColor bandColour();
    static void restoreStartColours();

    // The drawing extents of a calculation as the layout takes them.
    static SceneLayout::Extents extentsOf(const SceneParams &params, const SceneResult &result);

    // A distance or width as the dimensions write it: two decimals, or the
    // text for an unbounded value.
    static QString valueText(double value);

private:
    enum class Side { Left, Right };
    enum class Figure { Person, Car };

    void paintGround();
    void paintCentreLine();
    void paintRoad();
    void paintCameraAxis();
    void paintFootprint();
    void paintBand();
    void paintDistanceDimensions();
    void paintFootprintWidths();
    void paintBandWidths();
    void paintCamera();
    void paintFigures();
    void paintLegend();

    void distanceDimension(const QPoint &left, const QPoint &right, const QString &label,
                           double offset, Qt::PenStyle style, bool centred);
    void widthDimension(const QPoint &from, const QPoint &to, const QString &label, double shift,
                        const QPoint &labelOffset);
    void figure(const QPoint &left, const QPoint &right, double offset, Figure figure, Side side,
                int leader, double labelLength, const QString &text, bool textAtEnd);
    void legendEntry(int x, int y, const QString &text, const QColor &colour);
    void cutToGround(BandCorners &band) const;
    void dot(const QPoint &at);

    QPainter &m_painter;
    const SceneParams &m_params;
    const SceneResult &m_result;
    QSize m_size;
    qreal m_scale;
    SceneLayout m_layout;
    SceneOutline m_outline;
    QFont m_font;
};
