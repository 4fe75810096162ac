#include <kernel/GK_Placement.h>

#include <kernel/GK_LockCore.h>

#include <algorithm>
#include <cmath>

namespace {

class BoxBuilder {
public:
    void add(double x, double y)
    {
        m_box.x0 = m_any ? std::min(m_box.x0, x) : x;
        m_box.x1 = m_any ? std::max(m_box.x1, x) : x;
        m_box.y0 = m_any ? std::min(m_box.y0, y) : y;
        m_box.y1 = m_any ? std::max(m_box.y1, y) : y;
        m_any = true;
    }

    // Adds the loop's usable vertices once there are at least two of them.
    void addLoop(const GU_Loop& loop)
    {
        std::size_t usable = 0;
        for (const position& p : loop)
            if (GK_Usable(p.x) && GK_Usable(p.y) && ++usable == 2)
                break;
        if (usable < 2)
            return;
        for (const position& p : loop)
            if (GK_Usable(p.x) && GK_Usable(p.y))
                add(p.x, p.y);
    }

    void addCircle(const GK_Circle_Hole& hole)
    {
        const position c = hole.get_cen();
        const double r = std::abs(hole.get_radius());
        if (!(GK_Usable(c.x) && GK_Usable(c.y) && GK_Usable(r) && r > 0.0))
            return;
        add(c.x - r, c.y - r);
        add(c.x + r, c.y + r);
    }

    void addHole(const GK_Hole& hole)
    {
        if (hole.is_circle())
            addCircle(static_cast<const GK_Circle_Hole&>(hole));
        else if (const GU_Loop* loop = hole.get_loop())
            addLoop(*loop);
    }

    std::optional<GK_Box> box() const { return m_any ? std::optional<GK_Box>(m_box) : std::nullopt; }

private:
    GK_Box m_box;
    bool m_any = false;
};

// How far the part's box, placed, reaches beyond the leaf; 0 when it lies on it.
double overhang(const GK_Box& part, const GK_Affine& placed, double length, double width)
{
    double most = 0.0;
    for (const position& corner : {position{part.x0, part.y0, 0.0}, position{part.x1, part.y0, 0.0},
                                   position{part.x0, part.y1, 0.0}, position{part.x1, part.y1, 0.0}}) {
        const position p = placed.map(corner);
        most = std::max({most, -p.x, p.x - length, -p.y, p.y - width});
    }
    return most;
}

} // namespace

bool GK_Usable(double v)
{
    return std::isfinite(v) && std::abs(v) <= kMaxPlacedCoordinate;
}

std::optional<GK_Box> GK_HingeBounds(const GK_Hinges& hinge)
{
    BoxBuilder builder;
    builder.addLoop(hinge.GetLoopOut());
    for (const GK_Circle_Hole* hole : hinge.GetListHole())
        if (hole)
            builder.addCircle(*hole);
    return builder.box();
}

std::optional<GK_Box> GK_FaceBounds(const GU_Loop& outline, const GU_OwnedList<GK_Hole>& holes)
{
    BoxBuilder builder;
    builder.addLoop(outline);
    for (const GK_Hole* hole : holes)
        if (hole)
            builder.addHole(*hole);
    return builder.box();
}

std::optional<GK_Affine> GK_PlaceOnEdge(const GK_Box& part, const position& at, bool farEdge, double width)
{
    if (!GK_Usable(at.x) || !GK_Usable(at.y))
        return std::nullopt;
    // A quarter turn maps (x, y) to (-y, x).
    const bool turn = part.height() > part.width();
    GK_Affine placed = turn ? GK_Affine{0.0, 1.0, -1.0, 0.0, 0.0, 0.0} : GK_Affine{};
    const GK_Box box = turn ? GK_Box{-part.y1, part.x0, -part.y0, part.x1} : part;
    const double dx = at.x - (box.x0 + box.x1) / 2.0;
    placed.e = dx;
    if (farEdge) {
        placed.b = -placed.b;
        placed.d = -placed.d;
        placed.f = width - at.y + box.y0;
    } else {
        placed.f = at.y - box.y0;
    }
    return placed;
}

GK_DoorLayout GK_LayOutDoor(const GK_DoorWithHinges& door)
{
    GK_DoorLayout layout;
    door.GetDoorSize(layout.length, layout.width, layout.thickness);
    layout.hingesAtFarEdge = door.HingesUp() == 1;
    const GU_Pt_List& positions = door.GetHingesPos();
    layout.hinges.resize(positions.count());
    if (const GK_Hinges* hinge = door.GetHingesModel()) {
        if (const std::optional<GK_Box> box = GK_HingeBounds(*hinge))
            for (std::size_t i = 0; i < positions.count(); ++i)
                layout.hinges[i] = GK_PlaceOnEdge(*box, positions[i], layout.hingesAtFarEdge, layout.width);
    }
    if (const GK_LockCore* lockCore = door.GetLockCoreModel()) {
        if (const std::optional<GK_Box> box = GK_FaceBounds(lockCore->GetSideLoop(), lockCore->GetSideList()))
            layout.lockCore = GK_PlaceOnEdge(*box, door.GetLockCorePos(), !layout.hingesAtFarEdge, layout.width);
    }
    return layout;
}

std::vector<GK_PartOffLeaf> GK_PartsOffLeaf(const GK_DoorWithHinges& door, double tolerance)
{
    const GK_DoorLayout layout = GK_LayOutDoor(door);
    std::vector<GK_PartOffLeaf> off;
    if (const GK_Hinges* hinge = door.GetHingesModel()) {
        if (const std::optional<GK_Box> box = GK_HingeBounds(*hinge))
            for (std::size_t i = 0; i < layout.hinges.size(); ++i)
                if (layout.hinges[i])
                    if (const double by = overhang(*box, *layout.hinges[i], layout.length, layout.width); by > tolerance)
                        off.push_back({false, i, by});
    }
    if (const GK_LockCore* lockCore = door.GetLockCoreModel(); lockCore && layout.lockCore) {
        if (const std::optional<GK_Box> box = GK_FaceBounds(lockCore->GetSideLoop(), lockCore->GetSideList()))
            if (const double by = overhang(*box, *layout.lockCore, layout.length, layout.width); by > tolerance)
                off.push_back({true, 0, by});
    }
    return off;
}

namespace {

// A position along the old length at the same distance from the end it is
// nearer to (a tie counts as nearer to end 0).
double keepNearerEnd(double x, double oldLength, double newLength)
{
    return x <= oldLength / 2.0 ? x : newLength - (oldLength - x);
}

// The hinges' x along the new length, in the list's order: the first and the
// last (by x) keep their distance from their ends, the others are spread
// evenly between them in their order of x.
std::vector<double> hingesAlong(const GU_Pt_List& positions, double oldLength, double newLength)
{
    const std::size_t n = positions.count();
    std::vector<double> x(n);
    if (n == 0)
        return x;
    if (n == 1) {
        x[0] = keepNearerEnd(positions[0].x, oldLength, newLength);
        return x;
    }
    std::vector<std::size_t> byX(n);
    for (std::size_t i = 0; i < n; ++i)
        byX[i] = i;
    // Stable, so hinges at the same x keep their list order.
    std::stable_sort(byX.begin(), byX.end(), [&](std::size_t a, std::size_t b) { return positions[a].x < positions[b].x; });
    const double first = positions[byX.front()].x;
    const double last = newLength - (oldLength - positions[byX.back()].x);
    for (std::size_t k = 0; k < n; ++k)
        x[byX[k]] = k + 1 == n ? last : first + (last - first) * static_cast<double>(k) / static_cast<double>(n - 1);
    return x;
}

} // namespace

std::unique_ptr<GK_DoorWithHinges> GK_DoorInSize(const GK_DoorWithHinges& door, double length, double width,
                                                 double thickness, int hingesUp)
{
    double oldLength = 0.0, oldWidth = 0.0, oldThickness = 0.0;
    door.GetDoorSize(oldLength, oldWidth, oldThickness);
    auto sized = std::make_unique<GK_DoorWithHinges>(door.GetName(), door.GetComments(), length, width, thickness);
    sized->SetHingesModel(door.ShareHingesModel());
    sized->SetLockCoreModel(door.ShareLockCoreModel());
    sized->SetHingesUp(hingesUp);

    const GU_Pt_List& positions = door.GetHingesPos();
    position lock = door.GetLockCorePos();
    if (std::abs(length - oldLength) <= 1e-9) {
        for (const position& p : positions)
            sized->SetHingesPos(p);
    } else {
        const std::vector<double> x = hingesAlong(positions, oldLength, length);
        for (std::size_t i = 0; i < positions.count(); ++i)
            sized->SetHingesPos({x[i], positions[i].y, positions[i].z});
        lock.x = keepNearerEnd(lock.x, oldLength, length);
    }
    sized->SetLockCorePos(lock);
    return sized;
}
