#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

// Maps model millimetres (y up) to window pixels (y down):
//   sx = x * scale + tx,  sy = -y * scale + ty.
// A plain value object, so zooming and fitting can be checked without a
// window. The scale and the translation are clamped so that no sequence of
// zooms or fits on enormous coordinates drives them to infinity or zero.
class GK_ViewTransform {
public:
    static constexpr double kMinScale = 1e-6; // pixels per millimetre
    static constexpr double kMaxScale = 1e6;
    static constexpr double kMaxTranslation = 1e15; // pixels

    double scale() const { return m_scale; }
    double tx() const { return m_tx; }
    double ty() const { return m_ty; }
    QSizeF viewport() const { return m_viewport; }

    void setViewport(QSizeF size);

    // Zooms by factor about the window point (px, py), which keeps showing the
    // same model point. Non-finite or non-positive factors are ignored; a
    // factor that would leave the scale range is cut to the range.
    void zoomAbout(double factor, double px, double py);
    // Moves the drawing by (dx, dy) window pixels; non-finite moves are ignored.
    void panBy(double dx, double dy);
    // Shows box centred in the viewport at the largest scale that leaves
    // margin pixels free on every side. A box of no extent is centred at
    // scale 1; an invalid or non-finite box resets the view.
    void fit(const QRectF& box, double margin);
    // Scale 1 with the model origin in the middle of the viewport.
    void reset();

    QPointF toWindow(double x, double y) const;
    QPointF toModel(QPointF windowPoint) const;
    QTransform toQTransform() const;

private:
    void clampTranslation();

    QSizeF m_viewport;
    double m_scale = 1.0;
    double m_tx = 0.0;
    double m_ty = 0.0;
};
