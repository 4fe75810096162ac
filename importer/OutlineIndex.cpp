#include <importer/OutlineIndex.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr std::size_t kMaxSide = 256;
// An outline whose box covers more cells than this is tried for every point.
constexpr std::size_t kMaxCellsPerOutline = 64;

} // namespace

OutlineIndex::OutlineIndex(const std::vector<Outline>& outlines) : m_outlines(outlines)
{
    const std::size_t n = outlines.size();
    m_byArea.resize(n);
    std::iota(m_byArea.begin(), m_byArea.end(), std::size_t(0));
    std::sort(m_byArea.begin(), m_byArea.end(), [&](std::size_t a, std::size_t b) {
        return outlines[a].area < outlines[b].area || (outlines[a].area == outlines[b].area && a < b);
    });
    m_rank.resize(n);
    for (std::size_t r = 0; r < n; ++r)
        m_rank[m_byArea[r]] = r;
    if (n == 0)
        return;

    m_extent = outlines[0].box;
    for (const Outline& o : outlines) {
        m_extent.minX = std::min(m_extent.minX, o.box.minX);
        m_extent.minY = std::min(m_extent.minY, o.box.minY);
        m_extent.maxX = std::max(m_extent.maxX, o.box.maxX);
        m_extent.maxY = std::max(m_extent.maxY, o.box.maxY);
    }
    m_side = std::clamp<std::size_t>(static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(n)))), 1, kMaxSide);
    m_cellWidth = (m_extent.maxX - m_extent.minX) / static_cast<double>(m_side);
    m_cellHeight = (m_extent.maxY - m_extent.minY) / static_cast<double>(m_side);
    if (!(m_cellWidth > 0.0))
        m_cellWidth = 1.0;
    if (!(m_cellHeight > 0.0))
        m_cellHeight = 1.0;
    m_cells.resize(m_side * m_side);

    // Ranks go in ascending, so every list is sorted as it is built.
    for (std::size_t r = 0; r < n; ++r) {
        const Box& box = outlines[m_byArea[r]].box;
        const std::size_t first = cellOf(box.minX, box.minY);
        const std::size_t last = cellOf(box.maxX, box.maxY);
        const std::size_t x0 = first % m_side, y0 = first / m_side;
        const std::size_t x1 = last % m_side, y1 = last / m_side;
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCellsPerOutline) {
            m_large.push_back(r);
            continue;
        }
        for (std::size_t y = y0; y <= y1; ++y)
            for (std::size_t x = x0; x <= x1; ++x)
                m_cells[y * m_side + x].push_back(r);
    }
}

std::size_t OutlineIndex::cellOf(double x, double y) const
{
    const auto clampCell = [this](double v) {
        if (!(v > 0.0))
            return std::size_t(0);
        return std::min(m_side - 1, static_cast<std::size_t>(v));
    };
    return clampCell((y - m_extent.minY) / m_cellHeight) * m_side + clampCell((x - m_extent.minX) / m_cellWidth);
}

std::size_t OutlineIndex::smallestAround(double x, double y, std::size_t above,
                                         const std::function<bool(std::size_t)>& accept) const
{
    if (m_byArea.empty() || !m_extent.contains(x, y))
        return kNone;
    const std::size_t from = above == kNone ? 0 : m_rank[above] + 1;
    const std::vector<std::size_t>& cell = m_cells[cellOf(x, y)];
    auto a = std::lower_bound(cell.begin(), cell.end(), from);
    auto b = std::lower_bound(m_large.begin(), m_large.end(), from);
    // Both lists ascend: walk them as one.
    while (a != cell.end() || b != m_large.end()) {
        const bool fromCell = b == m_large.end() || (a != cell.end() && *a < *b);
        const std::size_t outline = m_byArea[fromCell ? *a++ : *b++];
        if (m_outlines[outline].box.contains(x, y) && accept(outline))
            return outline;
    }
    return kNone;
}
