#include <orders/JobSheet.h>

#include <orders/RunTexts.h>

#include <kernel/GK_Placement.h>
#include <kernel/GK_Shape.h>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <vector>

namespace {

// Spacing of stacked dimension lines, and the gap between an extension line
// and what it measures (so the outline stays clear), in text heights.
constexpr double kDimStep = 1.8;
constexpr double kGap = 0.5;

// A part as placed on the leaf: its box in leaf millimetres.
struct PlacedPart {
    double x0, y0, x1, y1;
    double centre() const { return (x0 + x1) / 2; }
};

std::optional<PlacedPart> placedBox(const GK_Box& box, const GK_Affine& t)
{
    PlacedPart p{1e300, 1e300, -1e300, -1e300};
    for (const auto& [x, y] : {std::pair{box.x0, box.y0}, {box.x1, box.y0}, {box.x1, box.y1}, {box.x0, box.y1}}) {
        const double px = t.a * x + t.c * y + t.e, py = t.b * x + t.d * y + t.f;
        if (!GK_Usable(px) || !GK_Usable(py))
            return std::nullopt;
        p.x0 = std::min(p.x0, px);
        p.x1 = std::max(p.x1, px);
        p.y0 = std::min(p.y0, py);
        p.y1 = std::max(p.y1, py);
    }
    return p;
}

// Leaf millimetres to the area: y grows upwards, as the drawing view shows it.
class LeafMap {
public:
    LeafMap(double scale, double left, double bottom) : m_s(scale), m_left(left), m_bottom(bottom) {}
    QPointF operator()(double x, double y) const { return {m_left + x * m_s, m_bottom - y * m_s}; }
    QTransform transform() const { return QTransform(m_s, 0, 0, -m_s, m_left, m_bottom); }

private:
    double m_s, m_left, m_bottom;
};

class Dimensions {
public:
    Dimensions(QPainter& painter, double unit) : m_p(painter), m_u(unit) {}

    // A dimension along the leaf between a and b (page points on one
    // horizontal), its line at height lineY, extension lines from the points.
    void along(QPointF a, QPointF b, double lineY, const QString& label)
    {
        const double ga = sign(lineY - a.y()) * kGap * m_u, gb = sign(lineY - b.y()) * kGap * m_u;
        m_p.drawLine(a + QPointF(0, ga), QPointF(a.x(), lineY + ga));
        m_p.drawLine(b + QPointF(0, gb), QPointF(b.x(), lineY + gb));
        line(QPointF(a.x(), lineY), QPointF(b.x(), lineY));
        const QRectF text(std::min(a.x(), b.x()), lineY - m_u * 1.05, std::abs(b.x() - a.x()), m_u);
        m_p.drawText(text.adjusted(-m_u * 4, 0, m_u * 4, 0), Qt::AlignHCenter | Qt::AlignBottom, label);
    }

    // A dimension across the leaf between a and b (on one vertical), its line at lineX.
    void across(QPointF a, QPointF b, double lineX, const QString& label, bool labelLeft)
    {
        const double ga = sign(lineX - a.x()) * kGap * m_u, gb = sign(lineX - b.x()) * kGap * m_u;
        m_p.drawLine(a + QPointF(ga, 0), QPointF(lineX + ga, a.y()));
        m_p.drawLine(b + QPointF(gb, 0), QPointF(lineX + gb, b.y()));
        line(QPointF(lineX, a.y()), QPointF(lineX, b.y()));
        const double mid = (a.y() + b.y()) / 2;
        const QRectF text = labelLeft ? QRectF(lineX - m_u * 6.2, mid - m_u / 2, m_u * 6, m_u)
                                      : QRectF(lineX + m_u * 0.2, mid - m_u / 2, m_u * 6, m_u);
        m_p.drawText(text, (labelLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, label);
    }

private:
    static double sign(double v) { return v < 0 ? -1.0 : 1.0; }

    // The line with a slash at each end.
    void line(QPointF a, QPointF b)
    {
        m_p.drawLine(a, b);
        const double t = m_u * 0.25;
        for (const QPointF& e : {a, b})
            m_p.drawLine(e + QPointF(-t, t), e + QPointF(t, -t));
    }

    QPainter& m_p;
    double m_u;
};

QString mm(double value)
{
    return QString::fromStdString(SizeText(value));
}

} // namespace

void PaintDimensionedDoor(QPainter& painter, const QRectF& area, const GK_DoorWithHinges& door)
{
    const GK_DoorLayout layout = GK_LayOutDoor(door);
    if (!GK_Usable(layout.length) || !GK_Usable(layout.width) || layout.length <= 0 || layout.width <= 0)
        return;

    std::vector<PlacedPart> hinges;
    if (const GK_Hinges* model = door.GetHingesModel())
        if (const std::optional<GK_Box> box = GK_HingeBounds(*model))
            for (const std::optional<GK_Affine>& placed : layout.hinges)
                if (placed)
                    if (const std::optional<PlacedPart> p = placedBox(*box, *placed))
                        hinges.push_back(*p);
    std::optional<PlacedPart> lock;
    if (const GK_LockCore* model = door.GetLockCoreModel(); model && layout.lockCore)
        if (const std::optional<GK_Box> box = GK_FaceBounds(model->GetSideLoop(), model->GetSideList()))
            lock = placedBox(*box, *layout.lockCore);

    // The hinges' dimensions stand beside their edge, the lock core's beside
    // the other; the overall length below everything.
    const bool hingesAbove = layout.hingesAtFarEdge;
    const int below = (hingesAbove ? (lock ? 1 : 0) : static_cast<int>(hinges.size())) + 1;
    const int above = hingesAbove ? static_cast<int>(hinges.size()) : (lock ? 1 : 0);

    const double u = QFontMetricsF(painter.font(), painter.device()).height();
    const double left = u * 2, right = u * 7.5;
    const double top = u * (kDimStep * above + 0.8), bottom = u * (kDimStep * below + 0.8);
    const double scale = std::min((area.width() - left - right) / layout.length,
                                  (area.height() - top - bottom) / layout.width);
    if (!(scale > 0))
        return;
    const double leafW = layout.length * scale, leafH = layout.width * scale;
    const double x0 = area.left() + left + (area.width() - left - right - leafW) / 2;
    const double y0 = area.top() + top + (area.height() - top - bottom - leafH) / 2;
    const LeafMap at(scale, x0, y0 + leafH);

    painter.save();
    const double thin = u / 14;
    QPen pen(Qt::black, thin * 2.5);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // The leaf and its parts as the drawing builds them.
    const GK_Shape shape = GK_BuildShape(door);
    const QTransform toPage = at.transform();
    for (const QPolygonF& polygon : shape.leaf)
        painter.drawPolyline(toPage.map(polygon));
    pen.setWidthF(thin * 1.5);
    painter.setPen(pen);
    for (const std::vector<QPolygonF>* polygons : {&shape.outlines, &shape.holes})
        for (const QPolygonF& polygon : *polygons)
            painter.drawPolyline(toPage.map(polygon));
    for (const GK_ShapeCircle& c : shape.circles)
        painter.drawEllipse(toPage.map(c.centre), c.radius * scale, c.radius * scale);

    pen.setWidthF(thin);
    painter.setPen(pen);
    Dimensions dims(painter, u);
    const QPointF corner = at(0, 0), farCorner = at(0, layout.width);
    const double nearLine = at(0, 0).y(), farLine = at(0, layout.width).y();

    // Along the leaf from its end: each part's centre.
    const auto alongFromEnd = [&](double x, bool farEdge, int row) {
        const double lineY = farEdge ? farLine - u * kDimStep * (row + 1) : nearLine + u * kDimStep * (row + 1);
        dims.along(farEdge ? farCorner : corner, at(x, farEdge ? layout.width : 0), lineY, mm(x));
    };
    for (std::size_t i = 0; i < hinges.size(); ++i)
        alongFromEnd(hinges[i].centre(), hingesAbove, static_cast<int>(i));
    if (lock)
        alongFromEnd(lock->centre(), !hingesAbove, 0);
    dims.along(corner, at(layout.length, 0), nearLine + u * kDimStep * below, mm(layout.length));

    // Across the leaf from the edge: how far the first hinge and the lock
    // core reach in, just before each; the width right of the leaf.
    const auto acrossFromEdge = [&](const PlacedPart& part, bool farEdge) {
        const double edge = farEdge ? layout.width : 0.0;
        const double reach = farEdge ? part.y0 : part.y1;
        dims.across(at(part.x0, edge), at(part.x0, reach), at(part.x0, 0).x() - u, mm(std::abs(edge - reach)), true);
    };
    if (!hinges.empty())
        acrossFromEdge(hinges.front(), hingesAbove);
    if (lock)
        acrossFromEdge(*lock, !hingesAbove);
    dims.across(at(layout.length, 0), at(layout.length, layout.width), x0 + leafW + u * 1.5, mm(layout.width), false);
    painter.restore();
}
