#include <app/MachiningOverlay.h>

#include <dialogs/ProgramTexts.h>

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Colours apart from the drawing's own grey, dark blue and red.
const std::array<QColor, 8> kToolColors{QColor(0xE0, 0x80, 0x00), QColor(0x00, 0x99, 0x33), QColor(0x99, 0x33, 0xCC),
                                        QColor(0x00, 0x99, 0x99), QColor(0xCC, 0x00, 0x99), QColor(0x80, 0x80, 0x00),
                                        QColor(0x99, 0x55, 0x22), QColor(0x33, 0x99, 0xFF)};
const QColor kEdgeColor(0x40, 0x40, 0x40);     // the leaf's grey
const QColor kEdgeFill(0xF4, 0xF4, 0xF4);
const QColor kLegendText(0x20, 0x20, 0x20);
const QColor kLegendFrame(0xA0, 0xA0, 0xA0);
const QColor kLegendBack(0xFF, 0xFF, 0xFF, 0xEB); // the drawing shows faintly through

// The gap between the leaf and the lock edge's view: at least the door's
// thickness and a share of its length, so that the caption fits between.
constexpr double kMinEdgeGap = 20.0; // mm
constexpr double kEdgeGapShare = 0.04;

// The legend, in window pixels.
constexpr double kLegendMargin = 8.0;
constexpr double kLegendPadding = 6.0;
constexpr double kSampleWidth = 24.0;
constexpr double kSampleGap = 6.0;
constexpr double kRowSpacing = 3.0;

// How near the mouse must be to a cut to name it, in pixels.
constexpr double kHoverPixels = 5.0;
// How far an arc's chords may stray from it, in pixels: too little to see.
constexpr double kArcPixels = 0.25;

QPen hairline(const QColor& colour, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, 0.0, style);
    pen.setCosmetic(true);
    return pen;
}

// How many pixels the most stretched direction of a millimetre spans.
double largestStretch(const QTransform& t)
{
    const double squares = t.m11() * t.m11() + t.m12() * t.m12() + t.m21() * t.m21() + t.m22() * t.m22();
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    return std::sqrt((squares + std::sqrt(std::max(0.0, squares * squares - 4.0 * det * det))) / 2.0);
}

double distanceToPolyline(const QPointF& p, const QPolygonF& line)
{
    double best = std::numeric_limits<double>::infinity();
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1];
        const QPointF ab = line[i] - a;
        const double length2 = QPointF::dotProduct(ab, ab);
        const double t = length2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
        best = std::min(best, QLineF(p, a + t * ab).length());
    }
    return best;
}

} // namespace

void MachiningOverlay::set(const MachiningPreview& preview)
{
    m_tools = preview.tools;
    m_strokes = preview.strokes;
    m_holes.clear();
    m_edge = preview.edge;
    m_edgeGap = std::max({kMinEdgeGap, preview.thickness, kEdgeGapShare * preview.length});
    m_edgeView.reset();
    if (m_edge) {
        const QPointF top = onEdgeView({0.0, 0.0});
        const QPointF bottom = onEdgeView({preview.length, -preview.thickness});
        m_edgeView = QRectF(top, bottom).normalized();
    }
    for (const PreviewPlunge& plunge : preview.plunges) {
        const QPointF centre = plunge.edge ? onEdgeView(plunge.at) : QPointF(plunge.at.x, plunge.at.y);
        const double radius = m_tools[static_cast<std::size_t>(plunge.tool)].diameter / 2.0;
        m_holes.push_back({plunge.tool, centre, radius, plunge.feature, plunge.depth});
    }
}

QPointF MachiningOverlay::onEdgeView(const Point2& p) const
{
    // Folded out away from the leaf: the top face's corner nearest to it.
    return {p.x, m_edge->edgeY - m_edge->inward * (m_edgeGap - p.y)};
}

QPolygonF MachiningOverlay::lineOf(const PreviewStroke& stroke, double tolerance, const QRectF& shown) const
{
    // The lock edge's view only moves or mirrors its plane: chords stay as
    // close, and what is shown lies in the plane where it is moved back to.
    QRectF inPlane = shown;
    if (stroke.edge) {
        const auto back = [&](double y) { return m_edge->inward * (y - m_edge->edgeY) + m_edgeGap; };
        inPlane = QRectF(QPointF(shown.left(), back(shown.top())), QPointF(shown.right(), back(shown.bottom())))
                      .normalized();
    }
    const std::vector<Point2> points =
        StrokePolyline(stroke, tolerance, {inPlane.left(), inPlane.top(), inPlane.right(), inPlane.bottom()});
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const Point2& p : points)
        line.append(stroke.edge ? onEdgeView(p) : QPointF(p.x, p.y));
    return line;
}

QColor MachiningOverlay::toolColor(int tool)
{
    return kToolColors[static_cast<std::size_t>(tool) % kToolColors.size()];
}

void MachiningOverlay::paint(QPainter& painter, const QTransform& toWindow) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintEdgeView(painter, toWindow);
    painter.setBrush(Qt::NoBrush);
    painter.setTransform(toWindow);
    const double tolerance = kArcPixels / largestStretch(toWindow);
    const QRectF shown = toWindow.inverted().mapRect(QRectF(painter.viewport()));
    for (const PreviewStroke& stroke : m_strokes) {
        painter.setPen(hairline(toolColor(stroke.tool), stroke.rapid ? Qt::DashLine : Qt::SolidLine));
        painter.drawPolyline(lineOf(stroke, tolerance, shown));
    }
    for (const Hole& hole : m_holes) {
        painter.setPen(hairline(toolColor(hole.tool)));
        painter.drawEllipse(hole.centre, hole.radius, hole.radius);
    }
    painter.resetTransform();
    paintLegend(painter);
    painter.restore();
}

void MachiningOverlay::paintEdgeView(QPainter& painter, const QTransform& toWindow) const
{
    if (!m_edgeView)
        return;
    painter.setTransform(toWindow);
    painter.setPen(hairline(kEdgeColor));
    painter.setBrush(kEdgeFill);
    painter.drawRect(*m_edgeView);
    painter.resetTransform();
    // The caption stands in the gap between the leaf and the edge's view,
    // where it fits.
    const QPointF leafCorner = toWindow.map(QPointF(0.0, m_edge->edgeY));
    const QPointF viewCorner = toWindow.map(onEdgeView({0.0, 0.0}));
    const QFontMetricsF metrics(painter.font());
    const QRectF gap = QRectF(leafCorner, QPointF(leafCorner.x() + metrics.horizontalAdvance(PreviewEdgeText()) + 4.0,
                                                  viewCorner.y()))
                           .normalized();
    if (gap.height() < metrics.height())
        return;
    painter.setPen(kLegendText);
    painter.drawText(gap.adjusted(2.0, 0.0, 0.0, 0.0), Qt::AlignLeft | Qt::AlignVCenter, PreviewEdgeText());
}

QRectF MachiningOverlay::legendArea(const QFont& font) const
{
    if (empty())
        return {};
    const QFontMetricsF metrics(font);
    double textWidth = std::max(metrics.horizontalAdvance(PreviewRapidText()),
                                m_holes.empty() ? 0.0 : metrics.horizontalAdvance(PreviewDrillText()));
    for (const PreviewTool& tool : m_tools)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(PreviewToolText(tool)));
    const std::size_t rows = m_tools.size() + 1 + (m_holes.empty() ? 0 : 1);
    return {kLegendMargin, kLegendMargin, 2.0 * kLegendPadding + kSampleWidth + kSampleGap + textWidth,
            2.0 * kLegendPadding + static_cast<double>(rows) * (metrics.height() + kRowSpacing)};
}

void MachiningOverlay::paintLegend(QPainter& painter) const
{
    const QRectF area = legendArea(painter.font());
    if (area.isEmpty())
        return;
    painter.setPen(hairline(kLegendFrame));
    painter.setBrush(kLegendBack);
    painter.drawRect(area);
    painter.setBrush(Qt::NoBrush);
    const double rowHeight = QFontMetricsF(painter.font()).height() + kRowSpacing;
    const double sampleX = area.left() + kLegendPadding;
    const double textX = sampleX + kSampleWidth + kSampleGap;
    double y = area.top() + kLegendPadding;
    const auto row = [&](const QPen& pen, const QString& text, bool circle) {
        const double middle = y + rowHeight / 2.0;
        painter.setPen(pen);
        if (circle)
            painter.drawEllipse(QPointF(sampleX + kSampleWidth / 2.0, middle), rowHeight / 3.0, rowHeight / 3.0);
        else
            painter.drawLine(QPointF(sampleX, middle), QPointF(sampleX + kSampleWidth, middle));
        painter.setPen(kLegendText);
        painter.drawText(QRectF(textX, y, area.right() - textX, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += rowHeight;
    };
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        QPen pen = hairline(toolColor(static_cast<int>(i)));
        pen.setWidthF(2.0); // a sample wide enough to tell the colour by
        row(pen, PreviewToolText(m_tools[i]), false);
    }
    row(hairline(kLegendText, Qt::DashLine), PreviewRapidText(), false);
    if (!m_holes.empty())
        row(hairline(kLegendText), PreviewDrillText(), true);
}

QString MachiningOverlay::hoverText(QPointF windowPoint, const QTransform& toWindow) const
{
    bool invertible = false;
    const QTransform toDrawing = toWindow.inverted(&invertible);
    const double scale = std::sqrt(std::abs(toWindow.determinant()));
    if (!invertible || scale <= 0.0)
        return {};
    const QPointF at = toDrawing.map(windowPoint);
    const double reach = kHoverPixels / scale;
    double best = std::numeric_limits<double>::infinity();
    const PreviewStroke* nearestPath = nullptr;
    const Hole* nearestHole = nullptr;
    // A hole counts over its whole area, a cut along its line.
    for (const Hole& hole : m_holes) {
        const double d = std::max(0.0, QLineF(at, hole.centre).length() - hole.radius);
        if (d <= reach && d < best) {
            best = d;
            nearestHole = &hole;
        }
    }
    const double tolerance = kArcPixels / scale;
    const QRectF near(at - QPointF(reach, reach), at + QPointF(reach, reach));
    for (const PreviewStroke& path : m_strokes) {
        if (path.rapid)
            continue;
        const double d = distanceToPolyline(at, lineOf(path, tolerance, near));
        if (d <= reach && d < best) {
            best = d;
            nearestPath = &path;
            nearestHole = nullptr;
        }
    }
    if (nearestHole)
        return PreviewHoverStatus(nearestHole->feature, m_tools[static_cast<std::size_t>(nearestHole->tool)],
                                  nearestHole->depth);
    if (nearestPath)
        return PreviewHoverStatus(nearestPath->feature, m_tools[static_cast<std::size_t>(nearestPath->tool)],
                                  nearestPath->depth);
    return {};
}
