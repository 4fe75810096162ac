#pragma once

#include <importer/ImportReport.h>
#include <importer/OutlineIndex.h>
#include <importer/Outlines.h>

#include <cstddef>
#include <unordered_map>

class ImportProgress;

// Tells which circles and outlines lie inside the model's outlines, at a
// bounded cost: an outline gets its index when a query first reaches it, and
// every edge tested counts against the import's budget. Once the budget is
// spent or the import cancelled, every answer is "outside" and failure()
// says why, so that the model is not used.
class Containment {
public:
    explicit Containment(const ImportProgress& progress) : m_progress(progress) {}

    bool circleInside(const Outline& outline, const PlacedCircle& circle);
    // Every vertex of `inner` lies inside `outer`.
    bool outlineInside(const Outline& outer, const Outline& inner);
    const ImportFailure& failure() const { return m_failure; }

private:
    bool pointInside(const Outline& outline, double x, double y);

    const ImportProgress& m_progress;
    std::unordered_map<const Outline*, OutlineIndex> m_indexes;
    std::size_t m_spent = 0;
    std::size_t m_queries = 0;
    ImportFailure m_failure;
};
