#pragma once

#include <machining/Preview.h>

#include <QColor>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <vector>

class QFont;
class QPainter;

// The machining preview as the view paints it over the door: one colour per
// tool, rapid moves dashed, cuts solid, one pixel wide whatever the zoom;
// drilled holes as circles of the drill's size. The side head's work is
// drawn in a view of the lock edge laid beside the leaf, as if the edge were
// folded out about its top corner. A legend in the window's top left corner
// names the tools.
class MachiningOverlay {
public:
    void set(const MachiningPreview& preview);
    bool empty() const { return m_strokes.empty() && m_holes.empty(); }
    // The paths and holes drawn.
    std::size_t pathCount() const { return m_strokes.size() + m_holes.size(); }

    // The lock edge's view in drawing millimetres; none without edge work.
    std::optional<QRectF> edgeView() const { return m_edgeView; }
    // Where the legend stands in the window, for a painter's font.
    QRectF legendArea(const QFont& font) const;

    // Paints with the view's transform from millimetres to pixels.
    void paint(QPainter& painter, const QTransform& toWindow) const;
    // The status text of the cut or hole under the window point (within a
    // few pixels); empty over anything else.
    QString hoverText(QPointF windowPoint, const QTransform& toWindow) const;

    // The colour of the preview's tool number (from 0).
    static QColor toolColor(int tool);

private:
    struct Hole {
        int tool;
        QPointF centre;
        double radius;
        FeatureRef feature;
        double depth;
    };

    // Where a point of the lock edge's plane (x, z) lies in the drawing.
    QPointF onEdgeView(const Point2& p) const;
    // The stroke in the drawing, its arcs in chords straying from them by at
    // most `tolerance` (mm) within `shown` (drawing millimetres).
    QPolygonF lineOf(const PreviewStroke& stroke, double tolerance, const QRectF& shown) const;
    void paintEdgeView(QPainter& painter, const QTransform& toWindow) const;
    void paintLegend(QPainter& painter) const;

    std::vector<PreviewTool> m_tools;
    std::vector<PreviewStroke> m_strokes;
    std::vector<Hole> m_holes;
    std::optional<WorkFrame> m_edge;
    double m_edgeGap = 0.0;
    std::optional<QRectF> m_edgeView;
};
