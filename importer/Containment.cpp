#include <importer/Containment.h>

#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>

#include <algorithm>

namespace {

// Queries between two looks at the cancel request.
constexpr std::size_t kQueriesPerCancelCheck = 4096;

} // namespace

Containment::Containment(const std::vector<Outline>& outlines, const ImportProgress& progress)
    : m_outlines(outlines), m_progress(progress), m_index(outlines, import_limits::kMaxContainmentTests)
{
}

bool Containment::goOn()
{
    if (m_failure)
        return false;
    if (m_index.spent()) {
        m_failure = {ImportProblem::ContainmentTooCostly};
        m_failure.limit = import_limits::kMaxContainmentTests;
        return false;
    }
    if (++m_queries % kQueriesPerCancelCheck == 0 && m_progress.cancelled()) {
        m_failure = {ImportProblem::Cancelled};
        return false;
    }
    return true;
}

bool Containment::pointInside(std::size_t outline, double x, double y)
{
    const bool inside = goOn() && m_index.contains(outline, x, y);
    return goOn() && inside;
}

bool Containment::circleInside(std::size_t outline, const PlacedCircle& circle)
{
    return pointInside(outline, circle.centre.x, circle.centre.y);
}

bool Containment::outlineInside(std::size_t outer, std::size_t inner)
{
    if (!m_outlines[outer].box.contains(m_outlines[inner].box))
        return false;
    const std::vector<position>& points = m_outlines[inner].points;
    return std::all_of(points.begin(), points.end(),
                       [&](const position& p) { return pointInside(outer, p.x, p.y); });
}

bool Containment::outlineWithin(std::size_t outer, std::size_t inner, double tolerance)
{
    const GK_Box& box = m_outlines[outer].box;
    const GK_Box grown{box.x0 - tolerance, box.y0 - tolerance, box.x1 + tolerance, box.y1 + tolerance};
    if (m_outlines[outer].points.size() < 3 || !grown.contains(m_outlines[inner].box))
        return false;
    const std::vector<position>& points = m_outlines[inner].points;
    return std::all_of(points.begin(), points.end(), [&](const position& p) {
        return pointInside(outer, p.x, p.y) || (goOn() && m_index.nearBoundary(outer, p.x, p.y, tolerance) && goOn());
    });
}

std::size_t Containment::smallestAround(double x, double y, std::size_t above,
                                        const std::function<bool(std::size_t)>& accept)
{
    if (!goOn())
        return OutlineIndex::kNone;
    const std::size_t around = m_index.smallestAround(x, y, above, accept);
    return goOn() ? around : OutlineIndex::kNone;
}
