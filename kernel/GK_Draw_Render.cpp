#include <kernel/GK_Draw_Render.h>

#include <kernel/GK_BackColor.h>
#include <kernel/GK_Drawing.h>
#include <kernel/GK_Window.h>

#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace {

// Workshop drawing colours: the leaf in grey, hardware outlines in dark blue,
// holes in red, all one pixel wide whatever the zoom.
const QColor kLeafColor(0x40, 0x40, 0x40);
const QColor kOutlineColor(0x10, 0x30, 0x80);
const QColor kHoleColor(0xD0, 0x20, 0x20);
// Vertices are left out of a paint where no point of the line moves by more
// than this (pixels).
constexpr double kThinningPixels = 0.25;

QPen hairline(const QColor& color)
{
    QPen pen(color, 0.0);
    pen.setCosmetic(true);
    return pen;
}

void paintShape(QPainter& painter, const GK_Shape& shape)
{
    painter.setPen(hairline(kLeafColor));
    for (const QPolygonF& p : shape.leaf)
        painter.drawPolyline(p);
    painter.setPen(hairline(kOutlineColor));
    for (const QPolygonF& p : shape.outlines)
        painter.drawPolyline(p);
    painter.setPen(hairline(kHoleColor));
    for (const QPolygonF& p : shape.holes)
        painter.drawPolyline(p);
    for (const GK_ShapeCircle& c : shape.circles)
        painter.drawEllipse(c.centre, c.radius, c.radius);
}

} // namespace

void GK_Draw_Render::compute_transf()
{
    if (m_window)
        m_transform.setViewport(m_window->clientSize());
}

void GK_Draw_Render::draw(QPainter* painter, const GK_Drawing& drawing)
{
    if (!painter)
        return;
    painter->save();
    painter->resetTransform();
    const QSizeF size = m_transform.viewport();
    painter->fillRect(QRectF(QPointF(0, 0), size), ColorFromColorRef(g_back_color));
    painter->setRenderHint(QPainter::Antialiasing, m_antialiased);
    painter->setBrush(Qt::NoBrush);
    painter->setTransform(m_transform.toQTransform());
    // In the device's own pixels, on a high-density screen too; the scale is
    // kept within its range, never zero.
    const QPaintDevice* device = painter->device();
    const double tolerance = kThinningPixels / (m_transform.scale() * (device ? device->devicePixelRatioF() : 1.0));
    for (const GK_Object* o = drawing.list().first(); o; o = o->next)
        if (o->visible)
            paintShape(*painter, m_shapes.shapeAt(*o, tolerance));
    painter->restore();
}

void GK_Draw_Render::scale_view(double factor, double x, double y)
{
    const double before = m_transform.scale();
    m_transform.zoomAbout(factor, x, y);
    if (m_transform.scale() != before)
        m_zoomed = 1;
}

void GK_Draw_Render::pan_view(double dx, double dy)
{
    if (dx == 0.0 && dy == 0.0)
        return;
    m_transform.panBy(dx, dy);
    m_zoomed = 1;
}

void GK_Draw_Render::redraw_all()
{
    requestRepaint();
}

void GK_Draw_Render::invalidate()
{
    requestRepaint();
}

void GK_Draw_Render::requestRepaint()
{
    if (m_window)
        m_window->requestRepaint();
}
