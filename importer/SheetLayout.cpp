#include <importer/SheetLayout.h>

#include <importer/ImportLimits.h>
#include <importer/LayerRoles.h>
#include <importer/Containment.h>
#include <importer/ImportProgress.h>

#include <algorithm>
#include <numeric>

namespace {

// Outlines whose vertices lie this close to another's boundary still nest in it.
constexpr double kNestTolerance = import_tolerance::kJoin;
// A title block or an inner border whose side lies this close to its frame's
// border touches it (millimetres).
constexpr double kTouch = 0.5;
// An outline in a frame that fills at least this share of it is an inner border.
constexpr double kInnerBorderShare = 0.5;

bool touchesBorder(const Box& frame, const Box& inner)
{
    return inner.minX - frame.minX <= kTouch || frame.maxX - inner.maxX <= kTouch || inner.minY - frame.minY <= kTouch
           || frame.maxY - inner.maxY <= kTouch;
}

std::vector<LayerRole> rolesOfLayers(const std::vector<std::string>& layers, const TextEncoding& encoding)
{
    std::vector<LayerRole> roles;
    roles.reserve(layers.size());
    for (const std::string& raw : layers)
        roles.push_back(layerRoleOf(decodeDrawingText(raw, encoding)));
    return roles;
}

} // namespace

std::size_t SheetLayout::candidateAround(std::size_t outline) const
{
    while (outline != kNone && !isCandidate[outline])
        outline = parent[outline];
    return outline;
}

std::size_t SheetLayout::candidateAroundCircle(std::size_t circle) const
{
    const std::size_t around = circleParent[circle];
    return around == kNone ? kNone : candidateAround(around);
}

SheetLayout layOutSheet(const ImportGeometry& geometry, const TextEncoding& encoding, const ImportProgress& progress)
{
    const std::vector<Outline>& outlines = geometry.outlines;
    const std::size_t n = outlines.size();
    const std::vector<LayerRole> roles = rolesOfLayers(geometry.layers, encoding);
    const auto roleOf = [&](LayerId layer) { return layer < roles.size() ? roles[layer] : LayerRole::Ordinary; };
    Containment containment(outlines, progress);

    SheetLayout layout;
    layout.parent.assign(n, SheetLayout::kNone);
    layout.isCandidate.assign(n, false);
    std::vector<bool> holdsOutline(n, false), holdsText(n, false), holdsHole(n, false);

    for (std::size_t i = 0; i < n; ++i) {
        const Outline& inner = outlines[i];
        const double cx = (inner.box.minX + inner.box.maxX) / 2.0, cy = (inner.box.minY + inner.box.maxY) / 2.0;
        const std::size_t around = containment.smallestAround(
            cx, cy, i, [&](std::size_t o) { return containment.outlineWithin(o, i, kNestTolerance); });
        layout.parent[i] = around;
        if (around != SheetLayout::kNone)
            holdsOutline[around] = true;
    }
    const auto smallestAroundPoint = [&](double x, double y) {
        return containment.smallestAround(x, y, OutlineIndex::kNone,
                                          [&](std::size_t o) { return containment.pointInside(o, x, y); });
    };
    layout.circleParent.reserve(geometry.circles.size());
    layout.holeCircle.reserve(geometry.circles.size());
    for (const PlacedCircle& circle : geometry.circles) {
        const std::size_t around = smallestAroundPoint(circle.centre.x, circle.centre.y);
        const bool hole = roleOf(circle.layer) == LayerRole::Ordinary;
        layout.circleParent.push_back(around);
        layout.holeCircle.push_back(hole);
        if (hole && around != SheetLayout::kNone)
            holdsHole[around] = true;
    }
    // Text anywhere inside an outline counts for it and for all around it.
    for (const position& at : geometry.annotations)
        for (std::size_t o = smallestAroundPoint(at.x, at.y); o != SheetLayout::kNone && !holdsText[o];
             o = layout.parent[o])
            holdsText[o] = true;
    if (containment.failure()) {
        layout.failure = containment.failure();
        return layout;
    }

    // Largest first, so that an outline's parent is sorted before it.
    std::vector<std::size_t> bySize(n);
    std::iota(bySize.begin(), bySize.end(), std::size_t(0));
    std::sort(bySize.begin(), bySize.end(), [&](std::size_t a, std::size_t b) {
        return outlines[a].area > outlines[b].area || (outlines[a].area == outlines[b].area && a > b);
    });
    std::vector<bool> isFrame(n, false);
    for (const std::size_t i : bySize) {
        const Outline& o = outlines[i];
        const LayerRole role = roleOf(o.layer);
        if (role == LayerRole::Frame) {
            isFrame[i] = true;
            continue;
        }
        if (role == LayerRole::Annotation)
            continue;
        const std::size_t p = layout.parent[i];
        const bool inFrame = p != SheetLayout::kNone && isFrame[p];
        const bool framing = holdsOutline[i]
                             || (inFrame && (touchesBorder(outlines[p].box, o.box)
                                             || o.area >= kInnerBorderShare * outlines[p].area));
        if (holdsText[i] && !holdsHole[i] && framing && isRectangle(o.points))
            isFrame[i] = true;
        else
            layout.isCandidate[i] = true;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (isFrame[i])
            layout.frames.push_back(i);
        if (!layout.isCandidate[i])
            continue;
        layout.candidates.push_back(i);
        if (layout.candidateAround(layout.parent[i]) == SheetLayout::kNone)
            layout.parts.push_back(i);
    }
    return layout;
}
