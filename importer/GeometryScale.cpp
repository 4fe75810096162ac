#include <importer/GeometryScale.h>

#include <importer/ImportLimits.h>

#include <algorithm>
#include <cmath>

namespace {

void scale(position& p, double factor)
{
    p.x *= factor;
    p.y *= factor;
    p.z *= factor;
}

double largestMagnitude(const GK_Box& box)
{
    return std::max({std::fabs(box.x0), std::fabs(box.x1), std::fabs(box.y0), std::fabs(box.y1)});
}

} // namespace

bool scaleGeometry(ImportGeometry& geometry, double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0)
        return false;
    // Outlines and circles were placed within the limit; their boxes bound
    // every point, so checking the boxes and centres is enough.
    double largest = 0.0;
    for (const Outline& o : geometry.outlines)
        largest = std::max(largest, largestMagnitude(o.box));
    for (const PlacedCircle& c : geometry.circles)
        largest = std::max({largest, std::fabs(c.centre.x) + c.radius, std::fabs(c.centre.y) + c.radius});
    if (!(largest * factor <= import_limits::kMaxCoordinate))
        return false;

    for (Outline& o : geometry.outlines) {
        for (position& p : o.points)
            scale(p, factor);
        o.box = {o.box.x0 * factor, o.box.y0 * factor, o.box.x1 * factor, o.box.y1 * factor};
        o.area *= factor * factor;
        scale(o.centroid, factor);
        o.depth *= factor;
    }
    for (PlacedCircle& c : geometry.circles) {
        scale(c.centre, factor);
        c.radius *= factor;
        c.depth *= factor;
    }
    for (position& p : geometry.annotations)
        scale(p, factor);
    return true;
}
