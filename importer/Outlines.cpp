#include <importer/Outlines.h>

#include <importer/Chaining.h>
#include <importer/ImportLimits.h>

#include <algorithm>
#include <cmath>

namespace {

// Outlines enclosing less than this (square millimetres) are degenerate.
constexpr double kMinArea = 1e-6;

bool makeOutline(std::vector<position> points, const PlacedPath& source, std::size_t order, Outline& out)
{
    removeRepeatedVertices(points, import_tolerance::kJoin);
    if (points.size() < 3)
        return false;
    const double area = std::abs(signedArea(points));
    if (!(area > kMinArea))
        return false;
    for (position& p : points)
        p.z = 0.0;
    out.box = boundingBox(points);
    out.area = area;
    out.centroid = areaCentroid(points);
    out.points = std::move(points);
    out.depth = source.depth;
    out.layer = source.layer;
    out.order = order;
    return true;
}

} // namespace

ImportGeometry collectOutlines(PlacedDrawing&& placed, std::vector<std::string> layers, ImportReport& report,
                               std::optional<EndpointIndex> ends)
{
    ImportGeometry geometry;
    geometry.layers = std::move(layers);
    geometry.circles = std::move(placed.circles);
    geometry.annotations = std::move(placed.annotations);
    std::size_t degenerate = 0;

    std::vector<Piece> pieces;
    pieces.reserve(placed.paths.size());
    geometry.outlines.reserve(placed.paths.size());
    for (std::size_t i = 0; i < placed.paths.size(); ++i) {
        PlacedPath& path = placed.paths[i];
        if (!path.closed) {
            if (path.count >= 2)
                pieces.push_back({placed.pointsOf(path), i});
            continue;
        }
        const auto pts = placed.pointsOf(path);
        Outline outline;
        if (makeOutline({pts.begin(), pts.end()}, path, path.order, outline))
            geometry.outlines.push_back(std::move(outline));
        else
            ++degenerate;
    }

    const std::size_t closedOutlines = geometry.outlines.size();
    std::vector<Chain> chains = ends ? chainPieces(pieces, std::move(*ends))
                                     : chainPieces(std::move(pieces), import_tolerance::kJoin);
    for (Chain& chain : chains) {
        const PlacedPath& first = placed.paths[*std::min_element(chain.tags.begin(), chain.tags.end())];
        const bool almost = !chain.closed && chain.gap < import_tolerance::kAlmostClosed;
        if (!chain.closed) {
            OpenChain open;
            open.gap = chain.gap;
            open.startX = chain.points.front().x;
            open.startY = chain.points.front().y;
            open.endX = chain.points.back().x;
            open.endY = chain.points.back().y;
            open.pieces = chain.tags.size();
            open.closedAnyway = almost;
            report.openChains.push_back(open);
            if (!almost)
                continue;
        }
        Outline outline;
        if (makeOutline(std::move(chain.points), first, first.order, outline))
            geometry.outlines.push_back(std::move(outline));
        else if (chain.closed)
            ++degenerate;
    }
    // The closed paths and the chains each come in drawing order as a rule:
    // merged, they cost one pass instead of a sort that moves every outline
    // a dozen times over.
    const auto byOrder = [](const Outline& a, const Outline& b) { return a.order < b.order; };
    const auto chained = geometry.outlines.begin() + static_cast<std::ptrdiff_t>(closedOutlines);
    if (std::is_sorted(geometry.outlines.begin(), chained, byOrder) &&
        std::is_sorted(chained, geometry.outlines.end(), byOrder))
        std::inplace_merge(geometry.outlines.begin(), chained, geometry.outlines.end(), byOrder);
    else
        std::stable_sort(geometry.outlines.begin(), geometry.outlines.end(), byOrder);
    if (degenerate > 0)
        report.notes.push_back(ImportNote{NoteKind::ZeroArea, degenerate, {}});
    report.outlines = geometry.outlines.size();
    report.circles = geometry.circles.size();
    return geometry;
}
