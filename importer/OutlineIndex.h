#pragma once

#include <importer/Outlines.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Containment queries among a sheet's outlines at a cost near the size of the
// answer. Outlines are bucketed by the grid cells their boxes cover (the few
// very large ones kept apart), so that those around a point are found without
// trying every outline, smallest first. The edges of each outline of more
// than a few vertices are sorted into horizontal bands, made when a query
// first reaches the outline, so that a test against it looks only at the
// edges near the point's height.
//
// Every query counts the cell entries it walks and the edges it tests (and
// the edges sorted into bands) as work; once the work passes the budget given,
// the index is spent and every query answers "none" or "outside".
class OutlineIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    OutlineIndex(const std::vector<Outline>& outlines, std::size_t budget);
    ~OutlineIndex();
    OutlineIndex(const OutlineIndex&) = delete;
    OutlineIndex& operator=(const OutlineIndex&) = delete;

    // The smallest outline, larger than `above` (an outline index, or kNone
    // for no bound; equal areas are ordered by index), whose box holds (x, y)
    // and that `accept` takes; kNone when there is none.
    std::size_t smallestAround(double x, double y, std::size_t above, const std::function<bool(std::size_t)>& accept);
    // Even-odd test along x: points on the boundary may fall either way.
    bool contains(std::size_t outline, double x, double y);
    // (x, y) lies within `tolerance` of the outline's boundary.
    bool nearBoundary(std::size_t outline, double x, double y, double tolerance);

    std::size_t work() const { return m_work; }
    bool spent() const { return m_work > m_budget; }

private:
    struct Bands;

    // The edges of the outline near heights y0 to y1: indices into `edges`
    // of its bands, or all its edges in order for an outline without bands.
    struct EdgeRange {
        const std::uint32_t* edges; // null: edge k is edge k
        std::size_t first, last;
    };

    std::size_t cellOf(double x, double y) const;
    EdgeRange edgesNear(std::size_t outline, double y0, double y1);

    const std::vector<Outline>& m_outlines;
    std::vector<std::size_t> m_byArea; // outline indices, smallest first
    std::vector<std::size_t> m_rank;   // position of each outline in m_byArea
    GK_Box m_extent;
    std::size_t m_side = 1; // cells per row and column
    double m_cellWidth = 1.0, m_cellHeight = 1.0;
    std::vector<std::size_t> m_cellStart; // first entry of each cell in m_cellRanks, and the end
    std::vector<std::size_t> m_cellRanks; // ranks, ascending within each cell
    std::vector<std::size_t> m_large;              // ranks of outlines covering many cells, ascending
    std::vector<std::unique_ptr<Bands>> m_bands;   // per outline, once reached
    std::size_t m_budget;
    std::size_t m_work = 0;
};
