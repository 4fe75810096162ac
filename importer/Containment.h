#pragma once

#include <importer/ImportReport.h>
#include <importer/OutlineIndex.h>
#include <importer/Outlines.h>

#include <cstddef>
#include <functional>
#include <vector>

class ImportProgress;

// Tells which circles and outlines of a sheet lie inside which of its
// outlines, at a bounded cost: every cell entry walked and every edge tested
// counts against the import's budget. Once the budget is spent or the import
// cancelled, every answer is "outside" and failure() says why, so that
// nothing is made of the answers. Outlines are given by their index.
class Containment {
public:
    Containment(const std::vector<Outline>& outlines, const ImportProgress& progress);

    bool circleInside(std::size_t outline, const PlacedCircle& circle);
    bool pointInside(std::size_t outline, double x, double y);
    // Every vertex of `inner` lies inside `outer`.
    bool outlineInside(std::size_t outer, std::size_t inner);
    // Every vertex of `inner` lies inside `outer` or within `tolerance` of its
    // boundary, so that outlines sharing edges (a title block in the corner of
    // its frame) still nest.
    bool outlineWithin(std::size_t outer, std::size_t inner, double tolerance);
    // The smallest outline larger than `above` (or any, for OutlineIndex::kNone)
    // whose box holds (x, y) and that `accept` takes, or OutlineIndex::kNone.
    std::size_t smallestAround(double x, double y, std::size_t above, const std::function<bool(std::size_t)>& accept);

    const ImportFailure& failure() const { return m_failure; }

private:
    // False, with the failure set, once the import is cancelled or the budget spent.
    bool goOn();

    const std::vector<Outline>& m_outlines;
    const ImportProgress& m_progress;
    OutlineIndex m_index;
    std::size_t m_queries = 0;
    ImportFailure m_failure;
};
