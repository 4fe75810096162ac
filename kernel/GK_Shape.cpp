#include <kernel/GK_Shape.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GK_Placement.h>

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Gap between the top and the side face of a lock core drawn side by side,
// as a share of the top face's width (with a floor in millimetres).
constexpr double kFaceGapShare = 0.25;
constexpr double kMinFaceGap = 10.0;

// The loop's usable vertices, closed; empty when fewer than two remain.
QPolygonF closedPolygon(const GU_Loop& loop)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(loop.count()) + 1);
    for (const position& p : loop)
        if (GK_Usable(p.x) && GK_Usable(p.y))
            polygon.append(QPointF(p.x, p.y));
    if (polygon.size() < 2)
        return {};
    polygon.append(polygon.first());
    return polygon;
}

void addPolygon(std::vector<QPolygonF>& to, QPolygonF polygon)
{
    if (!polygon.isEmpty())
        to.push_back(std::move(polygon));
}

void addCircle(GK_Shape& shape, const GK_Circle_Hole& hole)
{
    const position c = hole.get_cen();
    const double r = std::abs(hole.get_radius());
    if (GK_Usable(c.x) && GK_Usable(c.y) && GK_Usable(r) && r > 0.0)
        shape.circles.push_back({QPointF(c.x, c.y), r});
}

void addHole(GK_Shape& shape, const GK_Hole& hole)
{
    if (hole.is_circle())
        addCircle(shape, static_cast<const GK_Circle_Hole&>(hole));
    else if (const GU_Loop* loop = hole.get_loop())
        addPolygon(shape.holes, closedPolygon(*loop));
}

GK_Shape hingeShape(const GK_Hinges& hinge)
{
    GK_Shape shape;
    addPolygon(shape.outlines, closedPolygon(hinge.GetLoopOut()));
    for (const GK_Circle_Hole* hole : hinge.GetListHole())
        if (hole)
            addCircle(shape, *hole);
    return shape;
}

GK_Shape faceShape(const GU_Loop& outline, const GU_OwnedList<GK_Hole>& holes)
{
    GK_Shape shape;
    addPolygon(shape.outlines, closedPolygon(outline));
    for (const GK_Hole* hole : holes)
        if (hole)
            addHole(shape, *hole);
    return shape;
}

void appendMapped(GK_Shape& to, const GK_Shape& from, const QTransform& t)
{
    for (const QPolygonF& p : from.leaf)
        to.leaf.push_back(t.map(p));
    for (const QPolygonF& p : from.outlines)
        to.outlines.push_back(t.map(p));
    for (const QPolygonF& p : from.holes)
        to.holes.push_back(t.map(p));
    for (const GK_ShapeCircle& c : from.circles)
        to.circles.push_back({t.map(c.centre), c.radius});
}

GK_Shape lockCoreShape(const GK_LockCore& lockCore)
{
    GK_Shape shape = faceShape(lockCore.GetTopLoop(), lockCore.GetTopList());
    const GK_Shape side = faceShape(lockCore.GetSideLoop(), lockCore.GetSideList());
    const std::optional<QRectF> topBox = shape.bounds();
    const std::optional<QRectF> sideBox = side.bounds();
    if (!topBox || !sideBox) {
        appendMapped(shape, side, QTransform());
        return shape;
    }
    const QRectF& top = *topBox;
    // The side face stands to the right of the top face, bottoms aligned.
    const double gap = std::max(kMinFaceGap, top.width() * kFaceGapShare);
    const QTransform beside =
        QTransform::fromTranslate(top.right() + gap - sideBox->left(), top.top() - sideBox->top());
    appendMapped(shape, side, beside);
    return shape;
}

QTransform toQTransform(const GK_Affine& t)
{
    return QTransform(t.a, t.b, t.c, t.d, t.e, t.f);
}

GK_Shape doorShape(const GK_DoorWithHinges& door)
{
    GK_Shape shape;
    const GK_DoorLayout layout = GK_LayOutDoor(door);
    if (!GK_Usable(layout.length) || !GK_Usable(layout.width))
        return shape;
    shape.leaf.push_back(QPolygonF({QPointF(0, 0), QPointF(layout.length, 0), QPointF(layout.length, layout.width),
                                    QPointF(0, layout.width), QPointF(0, 0)}));
    if (const GK_Hinges* hinge = door.GetHingesModel()) {
        const GK_Shape part = hingeShape(*hinge);
        for (const std::optional<GK_Affine>& placed : layout.hinges)
            if (placed)
                appendMapped(shape, part, toQTransform(*placed));
    }
    // The leaf shows the lock core's body, that is its side face.
    if (const GK_LockCore* lockCore = door.GetLockCoreModel(); lockCore && layout.lockCore)
        appendMapped(shape, faceShape(lockCore->GetSideLoop(), lockCore->GetSideList()),
                     toQTransform(*layout.lockCore));
    return shape;
}

void grow(double& lo, double& hi, double v)
{
    lo = std::min(lo, v);
    hi = std::max(hi, v);
}

} // namespace

std::optional<QRectF> GK_Shape::bounds() const
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    double x0 = inf, x1 = -inf, y0 = inf, y1 = -inf;
    auto addPolygons = [&](const std::vector<QPolygonF>& polygons) {
        for (const QPolygonF& polygon : polygons)
            for (const QPointF& p : polygon) {
                grow(x0, x1, p.x());
                grow(y0, y1, p.y());
            }
    };
    addPolygons(leaf);
    addPolygons(outlines);
    addPolygons(holes);
    for (const GK_ShapeCircle& c : circles) {
        grow(x0, x1, c.centre.x() - c.radius);
        grow(x0, x1, c.centre.x() + c.radius);
        grow(y0, y1, c.centre.y() - c.radius);
        grow(y0, y1, c.centre.y() + c.radius);
    }
    if (x0 > x1)
        return std::nullopt;
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

GK_Shape GK_BuildShape(const GK_Object& object)
{
    switch (object.type()) {
    case GK_TYPE_HINGES:
        return hingeShape(static_cast<const GK_Hinges&>(object));
    case GK_TYPE_LOCKCORE:
        return lockCoreShape(static_cast<const GK_LockCore&>(object));
    case GK_TYPE_DOOR:
        return doorShape(static_cast<const GK_DoorWithHinges&>(object));
    default:
        return {};
    }
}
