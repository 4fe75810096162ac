#include <kernel/GK_ShapeThinning.h>

#include <algorithm>
#include <cmath>

namespace {

// Polylines of fewer vertices are painted as they are.
constexpr qsizetype kMinThinned = 64;

double cross(QPointF a, QPointF b)
{
    return a.x() * b.y() - a.y() * b.x();
}

// Runs of vertices are replaced by one segment from the run's first vertex
// (the anchor) to its last while every vertex between lies within the
// tolerance of that segment: the directions a segment may take from the
// anchor, the wedge, narrow with each vertex farther out than the tolerance,
// and the run ends before a vertex that lies outside the wedge or nearer to
// the anchor than one before it (which would put that one past the segment's
// end). One pass, no vertex looked at twice.
QPolygonF thinned(const QPolygonF& line, double tolerance)
{
    if (line.size() < kMinThinned)
        return line;
    QPolygonF kept;
    kept.reserve(line.size() / 4);
    QPointF anchor = line.first();
    kept.append(anchor);
    double farthest = 0.0;
    bool wedged = false;
    QPointF left, right; // the wedge's sides, unit vectors, left counterclockwise of right
    for (qsizetype i = 1; i < line.size(); ++i) {
        QPointF v = line[i] - anchor;
        double d = std::hypot(v.x(), v.y());
        const bool fits = d >= farthest && (!wedged || (cross(right, v) >= 0.0 && cross(v, left) >= 0.0));
        if (!fits) {
            anchor = line[i - 1];
            kept.append(anchor);
            farthest = 0.0;
            wedged = false;
            v = line[i] - anchor;
            d = std::hypot(v.x(), v.y());
        }
        farthest = d;
        if (d <= tolerance)
            continue;
        const QPointF u = v / d;
        const double s = tolerance / d, c = std::sqrt(1.0 - s * s);
        const QPointF l(c * u.x() - s * u.y(), s * u.x() + c * u.y());
        const QPointF r(c * u.x() + s * u.y(), -s * u.x() + c * u.y());
        if (!wedged || cross(left, l) < 0.0)
            left = l;
        if (!wedged || cross(right, r) > 0.0)
            right = r;
        wedged = true;
    }
    kept.append(line.last());
    // Losing less than a quarter is not worth a copy.
    return kept.size() * 4 > line.size() * 3 ? line : kept;
}

std::vector<QPolygonF> thinnedAll(const std::vector<QPolygonF>& lines, double tolerance)
{
    std::vector<QPolygonF> out;
    out.reserve(lines.size());
    for (const QPolygonF& line : lines)
        out.push_back(thinned(line, tolerance));
    return out;
}

} // namespace

GK_Shape GK_ThinShape(const GK_Shape& shape, double tolerance)
{
    GK_Shape out;
    out.leaf = thinnedAll(shape.leaf, tolerance);
    out.outlines = thinnedAll(shape.outlines, tolerance);
    out.holes = thinnedAll(shape.holes, tolerance);
    out.circles = shape.circles;
    return out;
}
