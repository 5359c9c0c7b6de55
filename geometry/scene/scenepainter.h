#pragma once

#include "camerainset.h"
#include "densityzones.h"
#include "labelplacer.h"
#include "labeltext.h"
#include "scenecolours.h"
#include "scenelayout.h"
#include "sceneoptions.h"
#include "sceneoutline.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QSize>
#include <QString>
#include <QVector>

#include <memory>

class QPainter;
struct SceneParams;
struct SceneResult;

// Paints the oblique plan view of one calculation: ground, road and lanes, the
// picture footprint and detection band, distance and width dimensions, the
// camera with its angle inset, figures with their pixel sizes and the legend;
// on request the pixel-density zones under the band (SceneOptions). It needs no widget, so the
// scene widget, the command-line renderer and the benchmark all paint through it.
//
// Everything is laid out before anything is painted, so that each label can
// be kept clear of the other labels, the figures, the inset and the lines
// drawn after it; each label sits on a dark plate that keeps it readable on
// any fill. Lengths that are not metres on the ground grow with the scale.
class ScenePainter final
{
public:
    // scale is the screen scale factor; 0 (no screen) paints at scale 1.
    // colours are those the previous scene handed on (SceneColours);
    // options say what the scene shows beyond its fixed parts.
    ScenePainter(QPainter &painter, const SceneParams &params, const SceneResult &result,
                 const QSize &size, qreal scale, const SceneColours &colours = SceneColours(),
                 const SceneOptions &options = SceneOptions());
    ~ScenePainter();

    void paint();

    // The colours this scene is painted in and hands on to the next.
    const SceneColours &colours() const { return m_colours; }

    // Paints one scene; the painter's state is left as it was. Returns the
    // colours to hand on.
    static SceneColours render(QPainter &painter, const SceneParams &params,
                               const SceneResult &result, const QSize &size, qreal scale,
                               const SceneColours &colours = SceneColours(),
                               const SceneOptions &options = SceneOptions());

    // The drawing extents of a calculation as the layout takes them.
    static SceneLayout::Extents extentsOf(const SceneParams &params, const SceneResult &result);

private:
    enum class Side { Left, Right };
    enum class Figure { Person, Car };

    // A label as it will be painted once placed.
    struct Label {
        LabelText text;
        QColor colour;
        QPointF baseline; // from the top-left of its plate
        int placed = -1;  // its number in the placer
    };
    struct DistanceMark {
        QPoint leaderFrom;
        QPoint leaderTo;
        QPoint from; // on the measured line
        QPoint to;   // on the near edge
        Qt::PenStyle style;
        int label;
    };
    struct WidthMark {
        QPoint left;
        QPoint right;
        int label;
    };
    struct FigureMark {
        QImage image;
        QPoint imageAt;
        QPoint head;
        LabelPlacer::Leader leader;
        int label;
    };

    void layOut();
    void layOutDistanceDimensions();
    void layOutFootprintWidths();
    void layOutBandWidths();
    void layOutFigures();
    void layOutLegend();
    void layOutMarker();
    void addLines();

    void distanceDimension(const QPoint &left, const QPoint &right, const QString &label,
                           double offset, Qt::PenStyle style, bool centred);
    void widthDimension(QVector<WidthMark> &marks, const QPoint &from, const QPoint &to,
                        const QString &label, double shift, const QPoint &labelOffset);
    void figure(const QPoint &left, const QPoint &right, double offset, Figure figure, Side side,
                int leader, double labelLength, const QString &text, bool textAtEnd);
    int addLabel(const QString &text, const QColor &colour, const QVector<QPointF> &baselines,
                 const QVector<QPointF> &anchors, const QVector<QPointF> &tracks, double reach,
                 const LabelPlacer::Leader *leader);
    void addGroundLine(const QLineF &line, int layer, int owner = -1);

    void paintGround();
    void paintCentreLine();
    void paintRoad();
    void paintCameraAxis();
    void paintFootprint();
    void paintZones();
    void paintBand();
    void paintDistanceDimensions();
    void paintWidths(const QVector<WidthMark> &marks);
    void paintCamera();
    void paintFigures();
    void paintLegend();
    void paintLabel(int label);
    void legendEntry(const QRect &swatch, const QString &text, const QColor &colour);

    QVector<QLineF> laneLines() const;
    bool cameraAxis(QLineF *axis) const;
    // The legend's colour box in a row: 0 the lower, 1 the upper.
    QRect legendSwatch(int row) const;
    // The zones' legend at the top right: the colour box of a row, 0 the
    // top one, in a block as wide as its longest text needs.
    QRect zoneSwatch(int row) const;
    int scaled(double length) const;
    void cutToGround(BandCorners &band) const;
    void dot(const QPoint &at);

    QPainter &m_painter;
    const SceneParams &m_params;
    const SceneResult &m_result;
    QSize m_size;
    qreal m_scale;
    SceneColours m_colours;
    SceneLayout m_layout;
    SceneOutline m_outline;
    QVector<DensityZones::Zone> m_zones;
    int m_zoneLegendLeft = 0;
    QFont m_font;
    LabelPlacer m_placer;
    std::unique_ptr<CameraInset> m_inset;
    QVector<Label> m_labels;
    QVector<DistanceMark> m_distances;
    QVector<WidthMark> m_footprintWidths;
    QVector<WidthMark> m_bandWidths;
    QVector<FigureMark> m_figures;
    // Counts the steps of painting while laying out, so the placer knows
    // which lines are painted over which labels.
    int m_layer = 0;
    int m_markerLabel = -1;
};
