#include "labelplacer.h"

#include <QtMath>

#include <cmath>
#include <limits>

namespace
{

// Moves a spot by an offset.
LabelPlacer::Spot shifted(const LabelPlacer::Spot &spot, const QPointF &offset)
{
    return {spot.rect.translated(offset), spot.anchor + offset};
}

// Moves a spot the least distance that brings its box inside the bounds; a
// box larger than the bounds keeps its top-left corner inside.
LabelPlacer::Spot clamped(const LabelPlacer::Spot &spot, const QRectF &bounds)
{
    const QRectF r = spot.rect;
    double dx = 0.0;
    double dy = 0.0;
    if (r.right() > bounds.right())
        dx = bounds.right() - r.right();
    if (r.left() + dx < bounds.left())
        dx = bounds.left() - r.left();
    if (r.bottom() > bounds.bottom())
        dy = bounds.bottom() - r.bottom();
    if (r.top() + dy < bounds.top())
        dy = bounds.top() - r.top();
    return shifted(spot, QPointF(dx, dy));
}

bool inside(const QRectF &rect, const QRectF &bounds)
{
    return rect.left() >= bounds.left() && rect.top() >= bounds.top() &&
           rect.right() <= bounds.right() && rect.bottom() <= bounds.bottom();
}

// Bounds the search for a free spot anywhere, whatever the size of the scene.
constexpr double kMaxRings = 200.0;
constexpr double kMaxRingPoints = 720.0;

} // namespace

LabelPlacer::LabelPlacer(const QRectF &bounds, double step, double gap)
    : m_bounds(bounds), m_step(std::isfinite(step) && step >= 1.0 ? step : 1.0),
      m_gap(std::isfinite(gap) && gap > 0.0 ? gap : 0.0)
{
}

// Boxes that merely touch do not intersect, so the box grows by a little
// less than the gap: a label exactly the gap away is still apart.
QRectF LabelPlacer::withGap(const QRectF &rect) const
{
    const double g = std::max(0.0, m_gap - 1e-6);
    return rect.adjusted(-g, -g, g, g);
}

void LabelPlacer::addObstacle(const QRectF &rect, int owner)
{
    if (rect.isValid())
        m_obstacles.append({rect, owner});
}

void LabelPlacer::addLine(const QLineF &line, int layer, int owner)
{
    m_lines.append({line, layer, owner});
}

bool LabelPlacer::lineCrosses(const Line &line, int label, const QRectF &rect) const
{
    return line.owner != label && line.layer > m_labels.at(label).layer && crosses(line.line, rect);
}

int LabelPlacer::addLabel(const Label &label)
{
    m_labels.append(label);
    return m_labels.size() - 1;
}

QPointF LabelPlacer::elbow(const Leader &leader, const QPointF &anchor)
{
    const QPointF d = leader.direction;
    if (std::abs(d.x()) < 1e-9)
        return QPointF(leader.from.x(), anchor.y());
    const double t = (leader.from.x() - anchor.x()) / d.x();
    return QPointF(leader.from.x(), anchor.y() + d.y() * t);
}

// Liang-Barsky: clips the segment to the rectangle and reports whether
// anything of it is left.
bool LabelPlacer::crosses(const QLineF &line, const QRectF &rect)
{
    if (!rect.isValid())
        return false;
    const double dx = line.dx();
    const double dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - rect.left(), rect.right() - line.x1(), line.y1() - rect.top(),
                         rect.bottom() - line.y1()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

QVector<QLineF> LabelPlacer::leaderLegs(int label, const Spot &spot) const
{
    const Label &l = m_labels.at(label);
    if (!l.hasLeader)
        return {};
    const QPointF bend = elbow(l.leader, spot.anchor);
    return {QLineF(l.leader.from, bend), QLineF(bend, spot.anchor)};
}

// A leader must rise from its start, and must not run through its own label:
// its last leg meets the anchor just inside the label's box and may only cut
// the box's corner there.
bool LabelPlacer::leaderFits(int label, const Spot &spot) const
{
    const Label &l = m_labels.at(label);
    if (!l.hasLeader)
        return true;
    const QVector<QLineF> legs = leaderLegs(label, spot);
    if (legs.at(0).p2().y() > l.leader.from.y() - l.leader.minRise)
        return false;
    const QRectF &rect = spot.rect;
    if (crosses(legs.at(0), rect.adjusted(1, 1, -1, -1)))
        return false;
    const QLineF last = legs.at(1);
    const double length = last.length();
    if (!(length > 0.0))
        return true;
    // From the anchor back along the last leg to the box's edge.
    const QPointF a = spot.anchor;
    const QPointF back = (last.p1() - last.p2()) / length;
    double inside = std::numeric_limits<double>::infinity();
    if (back.x() > 0.0)
        inside = std::min(inside, (rect.right() - a.x()) / back.x());
    else if (back.x() < 0.0)
        inside = std::min(inside, (a.x() - rect.left()) / -back.x());
    if (back.y() > 0.0)
        inside = std::min(inside, (rect.bottom() - a.y()) / back.y());
    else if (back.y() < 0.0)
        inside = std::min(inside, (a.y() - rect.top()) / -back.y());
    return std::min(inside, length) <= rect.height() / 2;
}

bool LabelPlacer::isFree(int label, const Spot &spot, Pass pass) const
{
    const QRectF &rect = spot.rect;
    if (!inside(rect, m_bounds) || !leaderFits(label, spot))
        return false;
    for (const Obstacle &obstacle : m_obstacles) {
        if (obstacle.owner != label && rect.intersects(obstacle.rect))
            return false;
    }
    for (const Line &line : m_lines) {
        if (lineCrosses(line, label, rect))
            return false;
    }
    const QVector<QLineF> legs = leaderLegs(label, spot);
    for (int other = 0; other < m_labels.size(); ++other) {
        if (other == label)
            continue;
        // Labels still to be settled keep their leaders where they are
        // wanted while the wanted spots are handed out.
        const bool settled = m_settled.at(other);
        if (!settled && pass == Pass::Moved)
            continue;
        const Spot theirs = settled
                                ? Spot{m_placements.at(other).rect, m_placements.at(other).anchor}
                                : m_labels.at(other).spots.value(0);
        if (settled && withGap(rect).intersects(theirs.rect))
            return false;
        for (const QLineF &leg : leaderLegs(other, theirs)) {
            if (crosses(leg, rect))
                return false;
        }
        if (settled) {
            for (const QLineF &leg : legs) {
                if (crosses(leg, theirs.rect))
                    return false;
            }
        }
    }
    return true;
}

// How badly a spot is taken, for when no spot is free: labels covering each
// other count most, then obstacles, then lines crossing.
double LabelPlacer::crowding(int label, const Spot &spot) const
{
    double cost = 0.0;
    const QRectF &rect = spot.rect;
    for (const Obstacle &obstacle : m_obstacles) {
        if (obstacle.owner == label)
            continue;
        const QRectF common = rect.intersected(obstacle.rect);
        cost += 10.0 * common.width() * common.height();
    }
    for (const Line &line : m_lines) {
        if (lineCrosses(line, label, rect))
            cost += 50.0;
    }
    for (int other = 0; other < m_labels.size(); ++other) {
        if (other == label || !m_settled.at(other))
            continue;
        const QRectF common = withGap(rect).intersected(m_placements.at(other).rect);
        cost += 1000.0 * common.width() * common.height();
    }
    return cost;
}

void LabelPlacer::settle(int label, const Spot &spot, bool free)
{
    Placement &placement = m_placements[label];
    placement.rect = spot.rect;
    placement.anchor = spot.anchor;
    placement.free = free;
    m_settled[label] = true;
}

void LabelPlacer::move(int label)
{
    const Label &l = m_labels.at(label);
    const Spot wanted = l.spots.at(0);

    // Along the label's own tracks on each side of its line, nearest first.
    const int steps = int(std::min(1e4, std::max(0.0, l.reach) / m_step));
    for (int side = 0; side < l.spots.size(); ++side) {
        const Spot base = l.spots.at(side);
        if (side > 0 && isFree(label, base, Pass::Moved))
            return settle(label, base, true);
        for (int k = 1; k <= steps; ++k) {
            for (const QPointF &track : l.tracks) {
                for (const double sign : {1.0, -1.0}) {
                    const Spot spot = shifted(base, track * (sign * k * m_step));
                    if (isFree(label, spot, Pass::Moved))
                        return settle(label, spot, true);
                }
            }
        }
    }

    // Anywhere, in rings of growing radius around the wanted spot; the least
    // crowded spot inside the bounds when none is free.
    Spot best = clamped(wanted, m_bounds);
    double bestCost = crowding(label, best);
    const double farthest = std::hypot(m_bounds.width(), m_bounds.height());
    const double ringStep = std::max(2.0 * m_step, farthest / kMaxRings);
    for (double r = ringStep; r <= farthest; r += ringStep) {
        const int count = int(std::min(kMaxRingPoints, std::ceil(2.0 * M_PI * r / ringStep)));
        for (int i = 0; i < count; ++i) {
            const double a = 2.0 * M_PI * i / count;
            const Spot spot = shifted(wanted, QPointF(std::cos(a) * r, std::sin(a) * r));
            if (!inside(spot.rect, m_bounds))
                continue;
            if (isFree(label, spot, Pass::Moved))
                return settle(label, spot, true);
            if (!leaderFits(label, spot))
                continue;
            const double cost = crowding(label, spot);
            if (cost < bestCost) {
                bestCost = cost;
                best = spot;
            }
        }
    }
    settle(label, best, false);
}

void LabelPlacer::place()
{
    const int n = m_labels.size();
    m_placements = QVector<Placement>(n);
    m_settled = QVector<bool>(n, false);
    for (int i = 0; i < n; ++i) {
        const Label &l = m_labels.at(i);
        if (l.spots.isEmpty())
            settle(i, Spot{}, false);
        else if (isFree(i, l.spots.at(0), Pass::Wanted))
            settle(i, l.spots.at(0), true);
    }
    for (int i = 0; i < n; ++i) {
        if (!m_settled.at(i))
            move(i);
    }
}
