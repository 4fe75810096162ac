#include <importer/ModelBuilder.h>

#include <importer/Containment.h>

#include <kernel/GK_Factories.h>

#include <algorithm>

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

// The sheet's candidates, largest first; the first drawn among equals.
std::vector<std::size_t> candidatesBySize(const ImportGeometry& geometry, const SheetLayout& layout)
{
    std::vector<std::size_t> bySize = layout.candidates;
    std::stable_sort(bySize.begin(), bySize.end(), [&](std::size_t a, std::size_t b) {
        return geometry.outlines[a].area > geometry.outlines[b].area;
    });
    return bySize;
}

// False, with the reason in the report, when the sheet offers no candidate.
bool hasCandidates(const ImportGeometry& geometry, const SheetLayout& layout, ImportReport& report)
{
    if (!layout.candidates.empty())
        return true;
    report.failure = {geometry.outlines.empty() ? ImportProblem::NoClosedOutline : ImportProblem::NoPart};
    return false;
}

void noteLeftOut(ImportReport& report, std::size_t outside, std::size_t insideNotImported)
{
    if (outside > 0)
        report.notes.push_back(ImportNote{NoteKind::LeftOutside, outside, {}});
    if (insideNotImported > 0)
        report.notes.push_back(ImportNote{NoteKind::NotCircleInside, insideNotImported, {}});
}

} // namespace

std::optional<std::size_t> defaultHingeOutline(const ImportGeometry& geometry, const SheetLayout& layout,
                                               ImportReport& report)
{
    if (!hasCandidates(geometry, layout, report))
        return std::nullopt;
    std::vector<bool> holdsHole(geometry.outlines.size(), false);
    for (std::size_t c = 0; c < geometry.circles.size(); ++c) {
        const std::size_t around = layout.candidateAroundCircle(c);
        if (layout.holeCircle[c] && around != SheetLayout::kNone)
            holdsHole[around] = true;
    }
    const std::vector<std::size_t> bySize = candidatesBySize(geometry, layout);
    const auto withHole = std::find_if(bySize.begin(), bySize.end(), [&](std::size_t i) { return holdsHole[i]; });
    return withHole != bySize.end() ? *withHole : bySize.front();
}

std::optional<LockCoreFaces> defaultLockCoreFaces(const ImportGeometry& geometry, const SheetLayout& layout,
                                                  const TextEncoding& encoding, ImportReport& report,
                                                  const ImportProgress& progress)
{
    if (!hasCandidates(geometry, layout, report))
        return std::nullopt;
    if (layout.candidates.size() == 1) {
        report.failure = {ImportProblem::OneOutline};
        return std::nullopt;
    }
    const auto& outlines = geometry.outlines;
    const std::vector<std::size_t> bySize = candidatesBySize(geometry, layout);
    const std::size_t first = bySize[0];
    Containment containment(outlines, progress);
    const auto apart = std::find_if(bySize.begin() + 1, bySize.end(), [&](std::size_t k) {
        return !containment.outlineInside(first, k) && !containment.outlineInside(k, first);
    });
    if (containment.failure()) {
        report.failure = containment.failure();
        return std::nullopt;
    }
    if (apart == bySize.end()) {
        report.failure = {ImportProblem::NestedOutlines};
        return std::nullopt;
    }
    const std::size_t second = *apart;

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
    report.notes.push_back(ImportNote{byLayer ? NoteKind::FacesByLayer : NoteKind::FacesByPosition, 0, {}});
    return firstIsTop ? LockCoreFaces{first, second} : LockCoreFaces{second, first};
}

std::unique_ptr<GK_Hinges> buildHinges(const ImportGeometry& geometry, const SheetLayout& layout, std::size_t chosen,
                                       ImportReport& report, const ImportProgress& progress)
{
    Containment containment(geometry.outlines, progress);
    const Outline& outline = geometry.outlines[chosen];
    auto hinges = api_gk_make_hinges(pointList(outline.points));

    std::size_t outside = 0;
    for (std::size_t c = 0; c < geometry.circles.size(); ++c) {
        if (!layout.holeCircle[c])
            continue;
        if (containment.circleInside(chosen, geometry.circles[c])) {
            hinges->AddHoleToList(circleHole(geometry.circles[c]).release());
            ++report.holes;
        } else {
            ++outside;
        }
    }
    for (const std::size_t i : layout.candidates)
        if (i != chosen && containment.outlineInside(chosen, i))
            ++report.leftInside;
    if (containment.failure()) {
        report.failure = containment.failure();
        return nullptr;
    }
    noteLeftOut(report, outside, report.leftInside);
    return hinges;
}

std::unique_ptr<GK_LockCore> buildLockCore(const ImportGeometry& geometry, const SheetLayout& layout,
                                           LockCoreFaces faces, ImportReport& report, const ImportProgress& progress)
{
    Containment containment(geometry.outlines, progress);
    const auto& outlines = geometry.outlines;
    const Outline& top = outlines[faces.top];
    const Outline& side = outlines[faces.side];
    auto lockCore = api_gk_make_lockcore(pointList(top.points), pointList(side.points));

    // Circles and outlines together, in drawing order.
    struct Candidate {
        std::size_t order;
        const PlacedCircle* circle;
        std::size_t outline;
    };
    std::vector<Candidate> candidates;
    for (std::size_t c = 0; c < geometry.circles.size(); ++c)
        if (layout.holeCircle[c])
            candidates.push_back({geometry.circles[c].order, &geometry.circles[c], 0});
    for (const std::size_t i : layout.candidates)
        if (i != faces.top && i != faces.side)
            candidates.push_back({outlines[i].order, nullptr, i});
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.order < b.order; });

    std::size_t outside = 0;
    for (const Candidate& c : candidates) {
        GU_OwnedList<GK_Hole>* target = nullptr;
        std::unique_ptr<GK_Hole> hole;
        if (c.circle) {
            if (containment.circleInside(faces.top, *c.circle))
                target = &lockCore->GetTopList();
            else if (containment.circleInside(faces.side, *c.circle))
                target = &lockCore->GetSideList();
            if (target)
                hole = circleHole(*c.circle);
        } else {
            if (containment.outlineInside(faces.top, c.outline))
                target = &lockCore->GetTopList();
            else if (containment.outlineInside(faces.side, c.outline))
                target = &lockCore->GetSideList();
            if (target)
                hole = api_gk_make_hole(pointList(outlines[c.outline].points), outlines[c.outline].depth);
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
