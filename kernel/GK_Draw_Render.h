#pragma once

#include <kernel/GK_ShapeCache.h>
#include <kernel/GK_ViewTransform.h>

#include <functional>
#include <optional>

class GK_Drawing;
class GK_Window;
class QPainter;

// Maps a drawing into its window and paints it: background, then every
// visible object from its prepared shape.
class GK_Draw_Render {
public:
    // Pixels left free around the drawing when it is fitted to the window.
    static constexpr double kDefaultFitMargin = 8.0;

    // zoomedFlag is the byte of the owning context that records a user zoom.
    explicit GK_Draw_Render(unsigned char& zoomedFlag) : m_zoomed(zoomedFlag) {}

    void attach(GK_Window* window) { m_window = window; }
    void setFitMargin(double pixels) { m_fitMargin = pixels; }
    void setAntialiased(bool on) { m_antialiased = on; }
    double fitMargin() const { return m_fitMargin; }
    // What the window paints over the drawing beyond its objects, in drawing
    // millimetres, for fitting the drawing to the window; none by default.
    using ExtraBounds = std::function<std::optional<QRectF>()>;
    void setExtraBounds(ExtraBounds bounds) { m_extraBounds = std::move(bounds); }
    std::optional<QRectF> extraBounds() const { return m_extraBounds ? m_extraBounds() : std::nullopt; }

    // Takes the window's current client size as the viewport.
    void compute_transf();
    // Paints the background and the visible objects; a null painter paints nothing.
    void draw(QPainter* painter, const GK_Drawing& drawing);
    // Zooms by factor about the window point (x, y), which stays in place.
    void scale_view(double factor, double x, double y);
    // Moves the drawing by (dx, dy) window pixels, as a drag does.
    void pan_view(double dx, double dy);
    // Asks the window to repaint the whole drawing.
    void redraw_all();
    // Asks the window for a repaint.
    void invalidate();

    GK_DisplayContext* display_context() { return &m_shapes; }
    GK_ShapeCache& shapes() { return m_shapes; }
    GK_ViewTransform& transform() { return m_transform; }
    const GK_ViewTransform& transform() const { return m_transform; }

private:
    void requestRepaint();

    unsigned char& m_zoomed;
    GK_Window* m_window = nullptr;
    GK_ViewTransform m_transform;
    GK_ShapeCache m_shapes;
    double m_fitMargin = kDefaultFitMargin;
    ExtraBounds m_extraBounds;
    bool m_antialiased = true;
};
