#include <importer/OutlineIndex.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace {

constexpr std::size_t kMaxSide = 256;
// An outline whose box covers more cells than this is tried for every point.
constexpr std::size_t kMaxCellsPerOutline = 64;

// Edges per band on average, and band entries per edge at most: an outline
// of long edges gets fewer bands, so that its bands never outgrow a few times
// the outline.
constexpr std::size_t kEdgesPerBand = 4;
constexpr std::size_t kMaxEntriesPerEdge = 8;
// An outline of fewer vertices would get one band: its edges are tested as
// they come, without bands to make.
constexpr std::size_t kMinBandedPoints = 2 * kEdgesPerBand;

// The band of height y, clamped to the bands there are.
std::size_t bandAt(double y, double minY, double bandHeight, std::size_t bands)
{
    const double at = std::clamp((y - minY) / bandHeight, 0.0, static_cast<double>(bands - 1));
    return std::isnan(at) ? 0 : static_cast<std::size_t>(at);
}

} // namespace

// The edges of one outline sorted by the horizontal bands their heights reach;
// edge i runs from vertex i to vertex i - 1.
struct OutlineIndex::Bands {
    Bands(const std::vector<position>& pts, const GK_Box& box);

    std::size_t of(double y) const { return bandAt(y, minY, height, count); }

    double minY;
    double height = 1.0;
    std::size_t count = 1;
    std::vector<std::uint32_t> start; // first entry of each band in edges, and the end
    std::vector<std::uint32_t> edges;
};

OutlineIndex::Bands::Bands(const std::vector<position>& pts, const GK_Box& box) : minY(box.y0)
{
    const std::size_t n = pts.size();
    const double extent = box.y1 - box.y0;
    const auto spanOf = [&](std::size_t i, std::size_t bands, double bandHeight) {
        const position& a = pts[i];
        const position& b = pts[i == 0 ? n - 1 : i - 1];
        return std::pair{bandAt(std::min(a.y, b.y), minY, bandHeight, bands),
                         bandAt(std::max(a.y, b.y), minY, bandHeight, bands)};
    };
    std::size_t bands = std::max<std::size_t>(1, n / kEdgesPerBand);
    if (!(extent > 0.0) || !std::isfinite(extent))
        bands = 1;
    while (bands > 1) {
        std::size_t entries = 0;
        for (std::size_t i = 0; i < n && entries <= kMaxEntriesPerEdge * n; ++i) {
            const auto [low, high] = spanOf(i, bands, extent / static_cast<double>(bands));
            entries += high - low + 1;
        }
        if (entries <= kMaxEntriesPerEdge * n)
            break;
        bands /= 2;
    }
    count = bands;
    height = bands > 1 ? extent / static_cast<double>(bands) : 1.0;

    start.assign(count + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [low, high] = spanOf(i, count, height);
        for (std::size_t band = low; band <= high; ++band)
            ++start[band + 1];
    }
    for (std::size_t band = 0; band < count; ++band)
        start[band + 1] += start[band];
    edges.resize(start.back());
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [low, high] = spanOf(i, count, height);
        for (std::size_t band = low; band <= high; ++band)
            edges[fill[band]++] = static_cast<std::uint32_t>(i);
    }
}

OutlineIndex::OutlineIndex(const std::vector<Outline>& outlines, std::size_t budget)
    : m_outlines(outlines), m_bands(outlines.size()), m_budget(budget)
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
        m_extent.x0 = std::min(m_extent.x0, o.box.x0);
        m_extent.y0 = std::min(m_extent.y0, o.box.y0);
        m_extent.x1 = std::max(m_extent.x1, o.box.x1);
        m_extent.y1 = std::max(m_extent.y1, o.box.y1);
    }
    m_side = std::clamp<std::size_t>(static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(n)))), 1, kMaxSide);
    m_cellWidth = (m_extent.x1 - m_extent.x0) / static_cast<double>(m_side);
    m_cellHeight = (m_extent.y1 - m_extent.y0) / static_cast<double>(m_side);
    if (!(m_cellWidth > 0.0))
        m_cellWidth = 1.0;
    if (!(m_cellHeight > 0.0))
        m_cellHeight = 1.0;

    // The cells each outline covers, or none for a large one.
    struct Span {
        std::size_t x0, y0, x1, y1;
    };
    const auto spanOf = [&](std::size_t r) -> std::optional<Span> {
        const GK_Box& box = outlines[m_byArea[r]].box;
        const std::size_t first = cellOf(box.x0, box.y0);
        const std::size_t last = cellOf(box.x1, box.y1);
        const Span span{first % m_side, first / m_side, last % m_side, last / m_side};
        if ((span.x1 - span.x0 + 1) * (span.y1 - span.y0 + 1) > kMaxCellsPerOutline)
            return std::nullopt;
        return span;
    };
    const auto forEachCell = [&](const Span& span, auto visit) {
        for (std::size_t y = span.y0; y <= span.y1; ++y)
            for (std::size_t x = span.x0; x <= span.x1; ++x)
                visit(y * m_side + x);
    };
    // Counted first, then filled: ranks go in ascending, so every cell's
    // entries are sorted as they are filled.
    m_cellStart.assign(m_side * m_side + 1, 0);
    for (std::size_t r = 0; r < n; ++r) {
        if (const auto span = spanOf(r))
            forEachCell(*span, [&](std::size_t cell) { ++m_cellStart[cell + 1]; });
        else
            m_large.push_back(r);
    }
    std::partial_sum(m_cellStart.begin(), m_cellStart.end(), m_cellStart.begin());
    m_cellRanks.resize(m_cellStart.back());
    std::vector<std::size_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::size_t r = 0; r < n; ++r)
        if (const auto span = spanOf(r))
            forEachCell(*span, [&](std::size_t cell) { m_cellRanks[fill[cell]++] = r; });
}

OutlineIndex::~OutlineIndex() = default;

std::size_t OutlineIndex::cellOf(double x, double y) const
{
    const auto clampCell = [this](double v) {
        if (!(v > 0.0))
            return std::size_t(0);
        return std::min(m_side - 1, static_cast<std::size_t>(v));
    };
    return clampCell((y - m_extent.y0) / m_cellHeight) * m_side + clampCell((x - m_extent.x0) / m_cellWidth);
}

std::size_t OutlineIndex::smallestAround(double x, double y, std::size_t above,
                                         const std::function<bool(std::size_t)>& accept)
{
    if (m_byArea.empty() || !m_extent.contains(x, y))
        return kNone;
    const std::size_t from = above == kNone ? 0 : m_rank[above] + 1;
    const std::size_t cell = cellOf(x, y);
    const auto cellEnd = m_cellRanks.begin() + static_cast<std::ptrdiff_t>(m_cellStart[cell + 1]);
    auto a = std::lower_bound(m_cellRanks.begin() + static_cast<std::ptrdiff_t>(m_cellStart[cell]), cellEnd, from);
    auto b = std::lower_bound(m_large.begin(), m_large.end(), from);
    // Both lists ascend: walk them as one.
    while ((a != cellEnd || b != m_large.end()) && !spent()) {
        ++m_work;
        const bool fromCell = b == m_large.end() || (a != cellEnd && *a < *b);
        const std::size_t outline = m_byArea[fromCell ? *a++ : *b++];
        if (m_outlines[outline].box.contains(x, y) && accept(outline) && !spent())
            return outline;
    }
    return kNone;
}

OutlineIndex::EdgeRange OutlineIndex::edgesNear(std::size_t outline, double y0, double y1)
{
    const Outline& o = m_outlines[outline];
    if (o.points.size() < kMinBandedPoints)
        return {nullptr, 0, o.points.size()};
    std::unique_ptr<Bands>& bands = m_bands[outline];
    if (!bands) {
        m_work += o.points.size();
        bands = std::make_unique<Bands>(o.points, o.box);
    }
    return {bands->edges.data(), bands->start[bands->of(y0)], bands->start[bands->of(y1) + 1]};
}

bool OutlineIndex::contains(std::size_t outline, double x, double y)
{
    const Outline& o = m_outlines[outline];
    if (spent() || o.points.size() < 3 || !o.box.contains(x, y))
        return false;
    const EdgeRange range = edgesNear(outline, y, y);
    const std::vector<position>& pts = o.points;
    const std::size_t n = pts.size();
    m_work += range.last - range.first + 1;
    bool inside = false;
    for (std::size_t k = range.first; k < range.last; ++k) {
        const std::size_t i = range.edges ? range.edges[k] : k;
        const position& a = pts[i];
        const position& b = pts[i == 0 ? n - 1 : i - 1];
        if ((a.y > y) != (b.y > y)) {
            const double crossX = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < crossX)
                inside = !inside;
        }
    }
    return inside && !spent();
}

bool OutlineIndex::nearBoundary(std::size_t outline, double x, double y, double tolerance)
{
    const Outline& o = m_outlines[outline];
    if (spent() || o.points.empty())
        return false;
    const EdgeRange range = edgesNear(outline, y - tolerance, y + tolerance);
    const std::vector<position>& pts = o.points;
    const std::size_t n = pts.size();
    m_work += range.last - range.first + 1;
    if (spent())
        return false;
    for (std::size_t k = range.first; k < range.last; ++k) {
        const std::size_t i = range.edges ? range.edges[k] : k;
        if (distanceToSegment(pts[i == 0 ? n - 1 : i - 1], pts[i], x, y) <= tolerance)
            return true;
    }
    return false;
}
