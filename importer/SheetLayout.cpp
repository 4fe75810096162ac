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

bool touchesBorder(const GK_Box& frame, const GK_Box& inner)
{
    return inner.x0 - frame.x0 <= kTouch || frame.x1 - inner.x1 <= kTouch || inner.y0 - frame.y0 <= kTouch
           || frame.y1 - inner.y1 <= kTouch;
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

namespace {

// What each outline holds: other outlines, text, holes.
struct Holdings {
    explicit Holdings(std::size_t n) : outline(n, false), text(n, false), hole(n, false) {}
    std::vector<bool> outline, text, hole;
};

// The parent of each outline: the smallest one it nests in.
void nestOutlines(const std::vector<Outline>& outlines, Containment& containment, SheetLayout& layout,
                  Holdings& holds)
{
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        const GK_Box& box = outlines[i].box;
        const double cx = (box.x0 + box.x1) / 2.0, cy = (box.y0 + box.y1) / 2.0;
        const std::size_t around = containment.smallestAround(
            cx, cy, i, [&](std::size_t o) { return containment.outlineWithin(o, i, kNestTolerance); });
        layout.parent[i] = around;
        if (around != SheetLayout::kNone)
            holds.outline[around] = true;
    }
}

// The outline around each circle and whether it is a hole, and the outlines
// that text lies in: text anywhere inside an outline counts for it and for
// all around it.
template <typename RoleOf>
void placeCirclesAndText(const ImportGeometry& geometry, Containment& containment, RoleOf roleOf,
                         SheetLayout& layout, Holdings& holds)
{
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
            holds.hole[around] = true;
    }
    for (const position& at : geometry.annotations)
        for (std::size_t o = smallestAroundPoint(at.x, at.y); o != SheetLayout::kNone && !holds.text[o];
             o = layout.parent[o])
            holds.text[o] = true;
}

// Tells frames (and title blocks, inner borders) from candidate parts; which
// outlines are frames.
template <typename RoleOf>
std::vector<bool> classifyOutlines(const std::vector<Outline>& outlines, RoleOf roleOf, const Holdings& holds,
                                   SheetLayout& layout)
{
    const std::size_t n = outlines.size();
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
        const bool framing = holds.outline[i]
                             || (inFrame && (touchesBorder(outlines[p].box, o.box)
                                             || o.area >= kInnerBorderShare * outlines[p].area));
        if (holds.text[i] && !holds.hole[i] && framing && isRectangle(o.points))
            isFrame[i] = true;
        else
            layout.isCandidate[i] = true;
    }
    return isFrame;
}

} // namespace

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
    Holdings holds(n);
    nestOutlines(outlines, containment, layout, holds);
    placeCirclesAndText(geometry, containment, roleOf, layout, holds);
    if (containment.failure()) {
        layout.failure = containment.failure();
        return layout;
    }

    const std::vector<bool> isFrame = classifyOutlines(outlines, roleOf, holds, layout);
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
