#pragma once

#include <importer/PolygonOps.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Point-in-polygon queries against one outline, each testing only the edges
// that reach the query's height: the edges are sorted into horizontal bands.
// Points on the boundary may fall either way (an even-odd test along x).
class OutlineIndex {
public:
    OutlineIndex(const std::vector<position>& pts, const Box& box);

    // The number of edges a query at height y tests.
    std::size_t cost(double y) const;
    bool contains(double x, double y) const;

private:
    std::size_t bandOf(double y) const;

    const std::vector<position>& m_pts;
    double m_minY;
    double m_bandHeight;
    std::size_t m_bands;
    std::vector<std::uint32_t> m_start; // first entry of each band in m_edges, and the end
    std::vector<std::uint32_t> m_edges; // edge i runs from vertex i to vertex i - 1
};
