#include <importer/Containment.h>

#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>

#include <algorithm>

namespace {

// Queries between two looks at the cancel request.
constexpr std::size_t kQueriesPerCancelCheck = 4096;

} // namespace

bool Containment::pointInside(const Outline& outline, double x, double y)
{
    if (m_failure || !outline.box.contains(x, y))
        return false;
    if (++m_queries % kQueriesPerCancelCheck == 0 && m_progress.cancelled()) {
        m_failure = {ImportProblem::Cancelled};
        return false;
    }
    auto it = m_indexes.find(&outline);
    if (it == m_indexes.end()) {
        m_spent += outline.points.size();
        it = m_indexes.try_emplace(&outline, outline.points, outline.box).first;
    }
    m_spent += it->second.cost(y) + 1;
    if (m_spent > import_limits::kMaxContainmentTests) {
        m_failure = {ImportProblem::ContainmentTooCostly};
        m_failure.limit = import_limits::kMaxContainmentTests;
        return false;
    }
    return it->second.contains(x, y);
}

bool Containment::circleInside(const Outline& outline, const PlacedCircle& circle)
{
    return pointInside(outline, circle.centre.x, circle.centre.y);
}

bool Containment::outlineInside(const Outline& outer, const Outline& inner)
{
    if (!outer.box.contains(inner.box))
        return false;
    return std::all_of(inner.points.begin(), inner.points.end(),
                       [&](const position& p) { return pointInside(outer, p.x, p.y); });
}
