#include <kernel/GK_ViewTransform.h>

#include <algorithm>
#include <cmath>

namespace {
bool isFiniteValue(double v)
{
    return std::isfinite(v);
}
} // namespace

void GK_ViewTransform::setViewport(QSizeF size)
{
    m_viewport = QSizeF(std::max(0.0, size.width()), std::max(0.0, size.height()));
}

void GK_ViewTransform::zoomAbout(double factor, double px, double py)
{
    if (!isFiniteValue(factor) || factor <= 0.0 || !isFiniteValue(px) || !isFiniteValue(py))
        return;
    const double target = std::clamp(m_scale * factor, kMinScale, kMaxScale);
    const double applied = target / m_scale;
    m_tx = px - (px - m_tx) * applied;
    m_ty = py - (py - m_ty) * applied;
    m_scale = target;
    clampTranslation();
}

void GK_ViewTransform::panBy(double dx, double dy)
{
    if (!isFiniteValue(dx) || !isFiniteValue(dy))
        return;
    m_tx += dx;
    m_ty += dy;
    clampTranslation();
}

void GK_ViewTransform::fit(const QRectF& box, double margin)
{
    const bool usable = isFiniteValue(box.left()) && isFiniteValue(box.top()) && isFiniteValue(box.width()) && isFiniteValue(box.height())
                        && box.width() >= 0.0 && box.height() >= 0.0;
    if (!usable) {
        reset();
        return;
    }
    const double room = std::max(0.0, margin);
    const double freeW = std::max(1.0, m_viewport.width() - 2.0 * room);
    const double freeH = std::max(1.0, m_viewport.height() - 2.0 * room);
    double scale = 1.0;
    if (box.width() > 0.0 && box.height() > 0.0)
        scale = std::min(freeW / box.width(), freeH / box.height());
    else if (box.width() > 0.0)
        scale = freeW / box.width();
    else if (box.height() > 0.0)
        scale = freeH / box.height();
    m_scale = std::clamp(scale, kMinScale, kMaxScale);
    const QPointF centre = box.center();
    m_tx = m_viewport.width() / 2.0 - centre.x() * m_scale;
    m_ty = m_viewport.height() / 2.0 + centre.y() * m_scale;
    clampTranslation();
}

void GK_ViewTransform::reset()
{
    m_scale = 1.0;
    m_tx = m_viewport.width() / 2.0;
    m_ty = m_viewport.height() / 2.0;
}

QPointF GK_ViewTransform::toWindow(double x, double y) const
{
    return {x * m_scale + m_tx, -y * m_scale + m_ty};
}

QPointF GK_ViewTransform::toModel(QPointF windowPoint) const
{
    return {(windowPoint.x() - m_tx) / m_scale, -(windowPoint.y() - m_ty) / m_scale};
}

QTransform GK_ViewTransform::toQTransform() const
{
    return QTransform(m_scale, 0.0, 0.0, -m_scale, m_tx, m_ty);
}

void GK_ViewTransform::clampTranslation()
{
    m_tx = std::clamp(m_tx, -kMaxTranslation, kMaxTranslation);
    m_ty = std::clamp(m_ty, -kMaxTranslation, kMaxTranslation);
}
