#include <machining/Plane.h>

#include <algorithm>
#include <cmath>

double Distance(const Point2& a, const Point2& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

Point2 NearestOnSegment(const Point2& p, const Point2& a, const Point2& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0.0)
        return a;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return {a.x + t * dx, a.y + t * dy};
}

GK_Box BoundsOf(const Polygon2& points)
{
    if (points.empty())
        return {};
    GK_Box b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point2& p : points) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    return b;
}
