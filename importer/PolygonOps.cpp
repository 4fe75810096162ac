#include <importer/PolygonOps.h>

#include <algorithm>
#include <cmath>

Box boundingBox(const std::vector<position>& pts)
{
    Box box;
    if (pts.empty())
        return box;
    box = {pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const position& p : pts) {
        box.minX = std::min(box.minX, p.x);
        box.maxX = std::max(box.maxX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxY = std::max(box.maxY, p.y);
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
