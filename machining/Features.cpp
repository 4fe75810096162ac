#include <machining/Features.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Features may touch the leaf's faces and edges within this much (mm).
constexpr double kFitTolerance = 0.01;

Polygon2 placedOutline(const GU_Loop& loop, const GK_Affine& placed)
{
    Polygon2 outline;
    outline.reserve(loop.count());
    for (const position& p : loop)
        if (GK_Usable(p.x) && GK_Usable(p.y)) {
            const position q = placed.map(p);
            outline.push_back({q.x, q.y});
        }
    return outline;
}

Point2 placedPoint(const position& p, const GK_Affine& placed)
{
    const position q = placed.map(p);
    return {q.x, q.y};
}

bool usableHole(const GK_Circle_Hole& hole)
{
    const position c = hole.get_cen();
    return GK_Usable(c.x) && GK_Usable(c.y) && GK_Usable(hole.get_radius()) && GK_Usable(hole.get_z()) &&
           hole.get_radius() != 0.0;
}

// Collects features and notes those that do not fit into the leaf: the plane
// rectangle they must lie in and the deepest they may go.
class FeatureSink {
public:
    FeatureSink(DoorFeatures& out, GK_Box plane, double maxDepth, bool edge)
        : m_out(out), m_plane(plane), m_maxDepth(maxDepth), m_edge(edge)
    {
    }

    void hole(const HoleFeature& feature)
    {
        const double r = feature.diameter / 2.0;
        const Point2 c = feature.centre;
        if (const std::optional<Overrun> overrun = fits(feature.ref, {{c.x - r, c.y - r}, {c.x + r, c.y + r}}, feature.depth, true)) {
            m_out.outside.push_back(*overrun);
            return;
        }
        m_out.holes.push_back(feature);
        const double wall = std::min({c.x - r - m_plane.x0, m_plane.x1 - c.x - r, c.y - r - m_plane.y0, m_plane.y1 - c.y - r});
        if (!m_edge && wall < kMinHoleWall)
            m_out.thinWalls.push_back({feature.ref, std::max(0.0, wall)});
    }

    void pocket(PocketFeature feature)
    {
        if (feature.outline.size() < 3)
            return;
        if (const std::optional<Overrun> overrun = fits(feature.ref, feature.outline, feature.depth, false))
            m_out.outside.push_back(*overrun);
        else
            m_out.pockets.push_back(std::move(feature));
    }

    void leaveOut(const FeatureRef& ref) { m_out.leftOut.push_back(ref); }

private:
    std::optional<Overrun> fits(const FeatureRef& ref, const Polygon2& points, double depth, bool hole) const
    {
        const GK_Box b = BoundsOf(points);
        const double size = hole ? b.x1 - b.x0 : 0.0;
        if (b.x0 < m_plane.x0 - kFitTolerance || b.x1 > m_plane.x1 + kFitTolerance)
            return Overrun{ref, OverrunKind::Along, m_edge, hole, hole ? size : b.x1 - b.x0, b.x0, b.x1, m_plane.x1 - m_plane.x0};
        if (b.y0 < m_plane.y0 - kFitTolerance || b.y1 > m_plane.y1 + kFitTolerance)
            return Overrun{ref,          OverrunKind::Across, m_edge, hole, hole ? size : b.y1 - b.y0,
                           b.y0 - m_plane.y0, b.y1 - m_plane.y0, m_plane.y1 - m_plane.y0};
        if (depth > m_maxDepth + kFitTolerance)
            return Overrun{ref, OverrunKind::Depth, m_edge, hole, depth, 0.0, depth, m_maxDepth};
        return std::nullopt;
    }

    DoorFeatures& m_out;
    GK_Box m_plane;
    double m_maxDepth;
    bool m_edge;
};

GK_Box topFace(const GK_DoorLayout& layout)
{
    return {0.0, 0.0, layout.length, layout.width};
}

} // namespace

position WorkFrame::at(const Point2& p, double depth) const
{
    if (edge)
        return {p.x, edgeY + inward * depth, p.y};
    return {p.x, p.y, -depth};
}

WorkFrame LockEdgeFrame(const GK_DoorLayout& layout)
{
    // The lock core lies at the edge the hinges do not.
    const bool farEdge = !layout.hingesAtFarEdge;
    return WorkFrame{true, farEdge ? layout.width : 0.0, farEdge ? -1.0 : 1.0};
}

DoorFeatures CollectHingeFeatures(const GK_DoorWithHinges& door, const GK_DoorLayout& layout, const MachineProfile&)
{
    DoorFeatures features;
    const GK_Hinges* hinge = door.GetHingesModel();
    if (!hinge)
        return features;
    const WorkFrame face;
    FeatureSink sink(features, topFace(layout), layout.thickness, false);
    const double thick = hinge->GetThick();
    const bool mortised = hinge->GetMortise() && GK_Usable(thick) && thick > 0.0;
    for (std::size_t i = 0; i < layout.hinges.size(); ++i) {
        if (!layout.hinges[i])
            continue;
        const GK_Affine& placed = *layout.hinges[i];
        const int part = static_cast<int>(i) + 1;
        if (mortised)
            sink.pocket({{FeatureKind::HingeMortise, part, 0}, face, placedOutline(hinge->GetLoopOut(), placed), thick});
        int number = 0;
        for (const GK_Circle_Hole* hole : hinge->GetListHole()) {
            ++number;
            const FeatureRef ref{FeatureKind::HingeHole, part, number};
            if (!hole || !usableHole(*hole)) {
                sink.leaveOut(ref);
                continue;
            }
            const double depth = std::abs(hole->get_z());
            // Within a mortise a hole no deeper than its floor has been cut with it.
            if (mortised && depth <= thick)
                continue;
            if (depth == 0.0) {
                sink.leaveOut(ref);
                continue;
            }
            sink.hole({ref, face, placedPoint(hole->get_cen(), placed), 2.0 * std::abs(hole->get_radius()), depth});
        }
    }
    return features;
}

namespace {

// Hands each round hole of a lock face to circle and each outline hole to
// outline, with its number as the face lists it (counting from 1).
template <typename Circle, typename Outline>
void forEachHole(const GU_OwnedList<GK_Hole>& holes, Circle&& circle, Outline&& outline)
{
    int number = 0;
    for (const GK_Hole* hole : holes) {
        ++number;
        if (!hole)
            continue;
        if (hole->is_circle())
            circle(number, static_cast<const GK_Circle_Hole&>(*hole));
        else if (const GU_Loop* loop = hole->get_loop())
            outline(number, *loop);
    }
}

// The side face's holes, from the top face: every one through the door,
// whatever depth the model gives, outline holes pocketed through.
void collectSideHoles(const GK_LockCore& lock, const GK_Affine& placed, const GK_DoorLayout& layout, double through,
                      DoorFeatures& features)
{
    FeatureSink sink(features, topFace(layout), through, false);
    forEachHole(
        lock.GetSideList(),
        [&](int number, const GK_Circle_Hole& circle) {
            const FeatureRef ref{FeatureKind::LockHole, 0, number};
            if (usableHole(circle))
                sink.hole({ref, WorkFrame{}, placedPoint(circle.get_cen(), placed), 2.0 * std::abs(circle.get_radius()), through});
            else
                sink.leaveOut(ref);
        },
        [&](int number, const GU_Loop& loop) {
            sink.pocket({{FeatureKind::LockPocket, 0, number}, WorkFrame{}, placedOutline(loop, placed), through});
        });
}

// The lock body in the edge: its length along the door and how deep it
// reaches in, from the placed side face.
struct BodyExtent {
    double x0 = 0.0, x1 = 0.0, reach = 0.0;
};

BodyExtent bodyExtent(const GK_Box& side, const GK_Affine& placed, const WorkFrame& edge)
{
    BodyExtent body;
    bool first = true;
    for (const position& corner : {position{side.x0, side.y0, 0}, position{side.x1, side.y0, 0},
                                   position{side.x0, side.y1, 0}, position{side.x1, side.y1, 0}}) {
        const position q = placed.map(corner);
        const double depth = edge.inward * (q.y - edge.edgeY);
        body.x0 = first ? q.x : std::min(body.x0, q.x);
        body.x1 = first ? q.x : std::max(body.x1, q.x);
        body.reach = first ? depth : std::max(body.reach, depth);
        first = false;
    }
    return body;
}

// The top face's holes in the recess: round ones to their depth or as deep
// as the body, outline holes as deep as the body.
void collectFaceplateHoles(const GK_LockCore& lock, const GK_Affine& plate, const WorkFrame& edge, double reach,
                           FeatureSink& sink)
{
    forEachHole(
        lock.GetTopList(),
        [&](int number, const GK_Circle_Hole& circle) {
            const FeatureRef ref{FeatureKind::FaceplateHole, 0, number};
            if (!usableHole(circle)) {
                sink.leaveOut(ref);
                return;
            }
            const double depth = circle.get_z() != 0.0 ? std::abs(circle.get_z()) : reach;
            sink.hole({ref, edge, placedPoint(circle.get_cen(), plate), 2.0 * std::abs(circle.get_radius()), depth});
        },
        [&](int number, const GU_Loop& loop) {
            sink.pocket({{FeatureKind::FaceplatePocket, 0, number}, edge, placedOutline(loop, plate), reach});
        });
}

} // namespace

DoorFeatures CollectLockFeatures(const GK_DoorWithHinges& door, const GK_DoorLayout& layout,
                                 const MachineProfile& profile)
{
    DoorFeatures features;
    const GK_LockCore* lock = door.GetLockCoreModel();
    if (!lock || !layout.lockCore)
        return features;
    const GK_Affine& placed = *layout.lockCore;
    collectSideHoles(*lock, placed, layout, layout.thickness + profile.Breakthrough, features);

    const WorkFrame edge = LockEdgeFrame(layout);
    const std::optional<GK_Box> sideBox = GK_FaceBounds(lock->GetSideLoop(), lock->GetSideList());
    const std::optional<GK_Box> topBox = GK_FaceBounds(lock->GetTopLoop(), lock->GetTopList());
    if (!sideBox || !topBox)
        return features;
    const BodyExtent body = bodyExtent(*sideBox, placed, edge);
    FeatureSink edgeSink(features, {0.0, -layout.thickness, layout.length, 0.0}, layout.width, true);

    // The top face (the faceplate) lies on the edge with its long side along
    // the door, centred on the lock position and across the door's thickness:
    // placed like a part on an edge whose "leaf" is the edge plane.
    const bool turned = topBox->height() > topBox->width();
    const double across = turned ? topBox->width() : topBox->height();
    const std::optional<GK_Affine> plate = GK_PlaceOnEdge(
        *topBox, {door.GetLockCorePos().x, -layout.thickness / 2.0 - across / 2.0, 0.0}, false, 0.0);
    if (!plate)
        return features;
    edgeSink.pocket({{FeatureKind::FaceplateRecess, 0, 0}, edge, placedOutline(lock->GetTopLoop(), *plate),
                     profile.RecessDepth});

    const double lockThick = lock->GetThick();
    if (GK_Usable(lockThick) && lockThick > 0.0) {
        const double v0 = -layout.thickness / 2.0 - lockThick / 2.0;
        const double v1 = -layout.thickness / 2.0 + lockThick / 2.0;
        edgeSink.pocket({{FeatureKind::BodySlot, 0, 0}, edge,
                         {{body.x0, v0}, {body.x1, v0}, {body.x1, v1}, {body.x0, v1}}, body.reach});
    } else {
        edgeSink.leaveOut({FeatureKind::BodySlot, 0, 0});
    }
    collectFaceplateHoles(*lock, *plate, edge, body.reach, edgeSink);
    return features;
}
