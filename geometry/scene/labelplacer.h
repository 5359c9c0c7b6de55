#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QVector>

// Finds a place for each label of the scene. A label stays where it is wanted
// when that spot is free; otherwise it moves the least distance that frees it:
// first along its own tracks (its dimension line, or the legs of its leader),
// then to the other side of its line, then to the nearest free spot in any
// direction. A spot is free when it lies inside the bounds, overlaps no
// obstacle and keeps a gap from every other label, no line painted over the
// label crosses it, and no other label's leader runs through it. Lines painted before a label
// lie under its plate and do not count. Labels are settled in the order they
// were added: the earlier keeps its spot when two want the same place.
class LabelPlacer final
{
public:
    // A place for a label: its box and the point where its leader meets it.
    struct Spot {
        QRectF rect;
        QPointF anchor;
    };

    // A leader that rises straight from a fixed point to an elbow and runs
    // from there along a direction to the label's anchor. It follows the
    // label: wherever the label goes, the elbow is where the vertical through
    // the start meets the last leg.
    struct Leader {
        QPointF from;
        QPointF direction;    // of the last leg; need not be unit length
        double minRise = 0.0; // how far the elbow stays above the start
    };

    struct Label {
        QVector<Spot> spots;     // the wanted spot first, then the other side
        QVector<QPointF> tracks; // unit directions it may slide along, both ways
        double reach = 0.0;      // how far it may slide along a track
        bool hasLeader = false;
        Leader leader;
        int layer = 0; // when it is painted, counted like the lines' layers
    };

    struct Placement {
        QRectF rect;
        QPointF anchor;
        bool free = false; // false when no free spot existed and the least
                           // crowded one was taken
    };

    // step: the distance between two tried spots, in pixels; gap: how far
    // apart two labels' boxes stay at least, so that they read as two.
    LabelPlacer(const QRectF &bounds, double step, double gap = 0.0);

    // owner: a label that may lie on the obstacle.
    void addObstacle(const QRectF &rect, int owner = -1);
    // layer: when the line is painted; it crosses only labels of a lower
    // layer. owner: the label whose own line this is; it may touch that label.
    void addLine(const QLineF &line, int layer, int owner = -1);
    // Returns the label's number, counted from 0 in the order of adding.
    int addLabel(const Label &label);

    void place();

    // Valid after place().
    const Placement &placement(int label) const { return m_placements.at(label); }

    // The bend of a leader that ends at the anchor.
    static QPointF elbow(const Leader &leader, const QPointF &anchor);
    // True when any part of the segment lies inside the rectangle.
    static bool crosses(const QLineF &line, const QRectF &rect);

private:
    struct Line {
        QLineF line;
        int layer;
        int owner;
    };
    bool lineCrosses(const Line &line, int label, const QRectF &rect) const;
    enum class Pass { Wanted, Moved };

    bool isFree(int label, const Spot &spot, Pass pass) const;
    double crowding(int label, const Spot &spot) const;
    bool leaderFits(int label, const Spot &spot) const;
    QRectF withGap(const QRectF &rect) const;
    QVector<QLineF> leaderLegs(int label, const Spot &spot) const;
    void settle(int label, const Spot &spot, bool free);
    void move(int label);

    QRectF m_bounds;
    double m_step;
    double m_gap;
    struct Obstacle {
        QRectF rect;
        int owner;
    };
    QVector<Obstacle> m_obstacles;
    QVector<Line> m_lines;
    QVector<Label> m_labels;
    QVector<Placement> m_placements;
    QVector<bool> m_settled;
};
