#pragma once

#include <importer/Outlines.h>

#include <cstddef>
#include <functional>
#include <vector>

// Finds the smallest outline around a point without trying every outline:
// outlines are bucketed by the grid cells their boxes cover (the few very
// large ones kept apart) and tried from the smallest up.
class OutlineIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit OutlineIndex(const std::vector<Outline>& outlines);

    // The smallest outline, larger than `above` (an outline index, or kNone
    // for no bound; equal areas are ordered by index), whose box holds (x, y)
    // and that `accept` takes; kNone when there is none.
    std::size_t smallestAround(double x, double y, std::size_t above,
                               const std::function<bool(std::size_t)>& accept) const;

private:
    std::size_t cellOf(double x, double y) const;

    const std::vector<Outline>& m_outlines;
    std::vector<std::size_t> m_byArea; // outline indices, smallest first
    std::vector<std::size_t> m_rank;   // position of each outline in m_byArea
    Box m_extent;
    std::size_t m_side = 1; // cells per row and column
    double m_cellWidth = 1.0, m_cellHeight = 1.0;
    std::vector<std::vector<std::size_t>> m_cells; // ranks, ascending
    std::vector<std::size_t> m_large;              // ranks of outlines covering many cells, ascending
};
