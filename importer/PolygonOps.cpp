#include <importer/PolygonOps.h>

#include <algorithm>
#include <cmath>

GK_Box boundingBox(const std::vector<position>& pts)
{
    GK_Box box;
    if (pts.empty())
        return box;
    box = {pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const position& p : pts) {
        box.x0 = std::min(box.x0, p.x);
        box.x1 = std::max(box.x1, p.x);
        box.y0 = std::min(box.y0, p.y);
        box.y1 = std::max(box.y1, p.y);
    }
    return box;
}

double signedArea(const std::vector<position>& pts)
{
    const std::size_t n = pts.size();
    if (n < 3)
        return 0.0;
    // Relative to the first vertex, to keep precision far from the origin.
    double twice = 0.0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double ax = pts[i].x - pts[0].x, ay = pts[i].y - pts[0].y;
        const double bx = pts[i + 1].x - pts[0].x, by = pts[i + 1].y - pts[0].y;
        twice += ax * by - bx * ay;
    }
    return twice / 2.0;
}

position areaCentroid(const std::vector<position>& pts)
{
    const std::size_t n = pts.size();
    if (n == 0)
        return {};
    double cx = 0.0, cy = 0.0, twice = 0.0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double ax = pts[i].x - pts[0].x, ay = pts[i].y - pts[0].y;
        const double bx = pts[i + 1].x - pts[0].x, by = pts[i + 1].y - pts[0].y;
        const double cross = ax * by - bx * ay;
        twice += cross;
        cx += (ax + bx) * cross;
        cy += (ay + by) * cross;
    }
    if (twice == 0.0) {
        double sx = 0.0, sy = 0.0;
        for (const position& p : pts) {
            sx += p.x;
            sy += p.y;
        }
        return {sx / static_cast<double>(n), sy / static_cast<double>(n), 0.0};
    }
    return {pts[0].x + cx / (3.0 * twice), pts[0].y + cy / (3.0 * twice), 0.0};
}

bool pointInPolygon(const std::vector<position>& pts, double x, double y)
{
    bool inside = false;
    const std::size_t n = pts.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const position& a = pts[i];
        const position& b = pts[j];
        if ((a.y > y) != (b.y > y)) {
            const double crossX = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < crossX)
                inside = !inside;
        }
    }
    return inside;
}

double distanceToSegment(const position& a, const position& b, double x, double y)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

void removeRepeatedVertices(std::vector<position>& pts, double tolerance)
{
    if (pts.empty())
        return;
    std::size_t kept = 1;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const position& last = pts[kept - 1];
        if (std::hypot(pts[i].x - last.x, pts[i].y - last.y) > tolerance)
            pts[kept++] = pts[i];
    }
    pts.resize(kept);
    while (pts.size() > 1 && std::hypot(pts.back().x - pts.front().x, pts.back().y - pts.front().y) <= tolerance)
        pts.pop_back();
}

namespace {

// Sine and cosine of the turn at b from the direction a->b to b->c.
struct Turn {
    double sin = 0.0, cos = 1.0;
};

Turn turnAt(const position& a, const position& b, const position& c)
{
    const double ux = b.x - a.x, uy = b.y - a.y;
    const double vx = c.x - b.x, vy = c.y - b.y;
    const double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
    if (!(lengths > 0.0))
        return {};
    return {(ux * vy - uy * vx) / lengths, (ux * vx + uy * vy) / lengths};
}

// A turn this small is a straight run; one this close to a quarter turn is a
// right angle.
constexpr double kStraight = 1e-6;
constexpr double kSquare = 1e-3;

} // namespace

bool isRectangle(const std::vector<position>& pts)
{
    std::vector<position> corners;
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Turn turn = turnAt(pts[(i + n - 1) % n], pts[i], pts[(i + 1) % n]);
        if (std::abs(turn.sin) > kStraight || turn.cos < 0.0)
            corners.push_back(pts[i]);
        if (corners.size() > 4)
            return false;
    }
    if (corners.size() != 4)
        return false;
    double side = 0.0;
    for (std::size_t i = 0; i < 4; ++i) {
        const Turn turn = turnAt(corners[(i + 3) % 4], corners[i], corners[(i + 1) % 4]);
        if (std::abs(turn.cos) > kSquare || side * turn.sin < 0.0)
            return false;
        side = turn.sin;
    }
    return true;
}
