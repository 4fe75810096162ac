#include <importer/ModelBuilder.h>

#include <importer/Containment.h>

#include <kernel/GK_Factories.h>

#include <algorithm>
#include <numeric>

namespace {

GU_Pt_List pointList(const std::vector<position>& points)
{
    GU_Pt_List list;
    list.reserve(points.size());
    for (const position& p : points)
        list.add_tail({p.x, p.y, 0.0});
    return list;
}

std::unique_ptr<GK_Circle_Hole> circleHole(const PlacedCircle& circle)
{
    return api_gk_make_circle_hole({circle.centre.x, circle.centre.y, 0.0}, 2.0 * circle.radius, circle.depth);
}

// Index of the outline of largest area; the first one drawn among equals.
std::size_t largestOutline(const std::vector<Outline>& outlines)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < outlines.size(); ++i)
        if (outlines[i].area > outlines[best].area)
            best = i;
    return best;
}

void noteLeftOut(ImportReport& report, std::size_t outside, std::size_t insideNotImported)
{
    if (outside > 0)
        report.notes.push_back(ImportNote{NoteKind::LeftOutside, outside, {}});
    if (insideNotImported > 0)
        report.notes.push_back(ImportNote{NoteKind::NotCircleInside, insideNotImported, {}});
}

} // namespace

std::unique_ptr<GK_Hinges> buildHinges(const ImportGeometry& geometry, ImportReport& report,
                                       const ImportProgress& progress)
{
    Containment containment(progress);
    if (geometry.outlines.empty()) {
        report.failure = {ImportProblem::NoClosedOutline};
        return nullptr;
    }
    const std::size_t chosen = largestOutline(geometry.outlines);
    const Outline& outline = geometry.outlines[chosen];
    auto hinges = api_gk_make_hinges(pointList(outline.points));

    std::size_t outside = 0;
    for (const PlacedCircle& circle : geometry.circles) {
        if (containment.circleInside(outline, circle)) {
            hinges->AddHoleToList(circleHole(circle).release());
            ++report.holes;
        } else {
            ++outside;
        }
    }
    for (std::size_t i = 0; i < geometry.outlines.size(); ++i)
        if (i != chosen && containment.outlineInside(outline, geometry.outlines[i]))
            ++report.leftInside;
    if (containment.failure()) {
        report.failure = containment.failure();
        return nullptr;
    }
    noteLeftOut(report, outside, report.leftInside);
    return hinges;
}

std::unique_ptr<GK_LockCore> buildLockCore(const ImportGeometry& geometry, const TextEncoding& encoding,
                                           ImportReport& report, const ImportProgress& progress)
{
    Containment containment(progress);
    const auto& outlines = geometry.outlines;
    if (outlines.empty()) {
        report.failure = {ImportProblem::NoClosedOutline};
        return nullptr;
    }
    if (outlines.size() == 1) {
        report.failure = {ImportProblem::OneOutline};
        return nullptr;
    }
    std::vector<std::size_t> bySize(outlines.size());
    std::iota(bySize.begin(), bySize.end(), 0);
    std::stable_sort(bySize.begin(), bySize.end(),
                     [&](std::size_t a, std::size_t b) { return outlines[a].area > outlines[b].area; });
    const std::size_t first = bySize[0];
    std::size_t second = first;
    for (std::size_t k = 1; k < bySize.size(); ++k) {
        const Outline& candidate = outlines[bySize[k]];
        if (!containment.outlineInside(outlines[first], candidate)
            && !containment.outlineInside(candidate, outlines[first])) {
            second = bySize[k];
            break;
        }
    }
    if (containment.failure()) {
        report.failure = containment.failure();
        return nullptr;
    }
    if (second == first) {
        report.failure = {ImportProblem::NestedOutlines};
        return nullptr;
    }

    const FaceHint hintFirst = faceHintOfLayer(decodeDrawingText(geometry.layers[outlines[first].layer], encoding));
    const FaceHint hintSecond = faceHintOfLayer(decodeDrawingText(geometry.layers[outlines[second].layer], encoding));
    bool firstIsTop = outlines[first].centroid.y >= outlines[second].centroid.y;
    bool byLayer = true;
    if (hintFirst == FaceHint::Top && hintSecond != FaceHint::Top)
        firstIsTop = true;
    else if (hintSecond == FaceHint::Top && hintFirst != FaceHint::Top)
        firstIsTop = false;
    else if (hintFirst == FaceHint::Side && hintSecond != FaceHint::Side)
        firstIsTop = false;
    else if (hintSecond == FaceHint::Side && hintFirst != FaceHint::Side)
        firstIsTop = true;
    else
        byLayer = false;
    const Outline& top = outlines[firstIsTop ? first : second];
    const Outline& side = outlines[firstIsTop ? second : first];
    report.notes.push_back(ImportNote{byLayer ? NoteKind::FacesByLayer : NoteKind::FacesByPosition, 0, {}});

    auto lockCore = api_gk_make_lockcore(pointList(top.points), pointList(side.points));

    // Circles and outlines together, in drawing order.
    struct Candidate {
        std::size_t order;
        const PlacedCircle* circle;
        const Outline* outline;
    };
    std::vector<Candidate> candidates;
    for (const PlacedCircle& c : geometry.circles)
        candidates.push_back({c.order, &c, nullptr});
    for (std::size_t i = 0; i < outlines.size(); ++i)
        if (i != first && i != second)
            candidates.push_back({outlines[i].order, nullptr, &outlines[i]});
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.order < b.order; });

    std::size_t outside = 0;
    for (const Candidate& c : candidates) {
        GU_OwnedList<GK_Hole>* target = nullptr;
        std::unique_ptr<GK_Hole> hole;
        if (c.circle) {
            if (containment.circleInside(top, *c.circle))
                target = &lockCore->GetTopList();
            else if (containment.circleInside(side, *c.circle))
                target = &lockCore->GetSideList();
            if (target)
                hole = circleHole(*c.circle);
        } else {
            if (containment.outlineInside(top, *c.outline))
                target = &lockCore->GetTopList();
            else if (containment.outlineInside(side, *c.outline))
                target = &lockCore->GetSideList();
            if (target)
                hole = api_gk_make_hole(pointList(c.outline->points), c.outline->depth);
        }
        if (!target) {
            ++outside;
            continue;
        }
        target->add_tail(std::move(hole));
        ++report.holes;
    }
    if (containment.failure()) {
        report.failure = containment.failure();
        return nullptr;
    }
    noteLeftOut(report, outside, 0);
    return lockCore;
}
