#include <importer/OutlineIndex.h>

#include <algorithm>
#include <cmath>

namespace {

// Bands per edge on average, and at most in all: an outline of long edges
// gets fewer bands, so the index never outgrows a few times the outline.
constexpr std::size_t kEdgesPerBand = 4;
constexpr std::size_t kMaxEntriesPerEdge = 8;

// The band of height y, clamped to the bands there are.
std::size_t band(double y, double minY, double bandHeight, std::size_t bands)
{
    const double at = std::clamp((y - minY) / bandHeight, 0.0, static_cast<double>(bands - 1));
    return std::isnan(at) ? 0 : static_cast<std::size_t>(at);
}

} // namespace

OutlineIndex::OutlineIndex(const std::vector<position>& pts, const Box& box)
    : m_pts(pts), m_minY(box.minY), m_bandHeight(0.0), m_bands(1)
{
    const std::size_t n = pts.size();
    const double height = box.maxY - box.minY;
    auto spanOf = [&](std::size_t i, std::size_t bands, double bandHeight) {
        const position& a = pts[i];
        const position& b = pts[i == 0 ? n - 1 : i - 1];
        return std::pair{band(std::min(a.y, b.y), m_minY, bandHeight, bands),
                         band(std::max(a.y, b.y), m_minY, bandHeight, bands)};
    };
    std::size_t bands = std::max<std::size_t>(1, n / kEdgesPerBand);
    while (bands > 1 && height > 0.0 && std::isfinite(height)) {
        std::size_t entries = 0;
        for (std::size_t i = 0; i < n && entries <= kMaxEntriesPerEdge * n; ++i) {
            const auto [low, high] = spanOf(i, bands, height / static_cast<double>(bands));
            entries += high - low + 1;
        }
        if (entries <= kMaxEntriesPerEdge * n)
            break;
        bands /= 2;
    }
    if (!(height > 0.0) || !std::isfinite(height))
        bands = 1;
    m_bands = bands;
    m_bandHeight = bands > 1 ? height / static_cast<double>(bands) : 1.0;

    m_start.assign(m_bands + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [low, high] = spanOf(i, m_bands, m_bandHeight);
        for (std::size_t band = low; band <= high; ++band)
            ++m_start[band + 1];
    }
    for (std::size_t band = 0; band < m_bands; ++band)
        m_start[band + 1] += m_start[band];
    m_edges.resize(m_start.back());
    std::vector<std::uint32_t> fill(m_start.begin(), m_start.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [low, high] = spanOf(i, m_bands, m_bandHeight);
        for (std::size_t band = low; band <= high; ++band)
            m_edges[fill[band]++] = static_cast<std::uint32_t>(i);
    }
}

std::size_t OutlineIndex::bandOf(double y) const
{
    return band(y, m_minY, m_bandHeight, m_bands);
}

std::size_t OutlineIndex::cost(double y) const
{
    const std::size_t band = bandOf(y);
    return m_start[band + 1] - m_start[band];
}

bool OutlineIndex::contains(double x, double y) const
{
    const std::size_t n = m_pts.size();
    const std::size_t band = bandOf(y);
    bool inside = false;
    for (std::uint32_t k = m_start[band]; k < m_start[band + 1]; ++k) {
        const std::size_t i = m_edges[k];
        const position& a = m_pts[i];
        const position& b = m_pts[i == 0 ? n - 1 : i - 1];
        if ((a.y > y) != (b.y > y)) {
            const double crossX = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < crossX)
                inside = !inside;
        }
    }
    return inside;
}
