#include <app/VarnholtView.h>

#include <kernel/GK_BackColor.h>
#include <dialogs/GbkQString.h>

#include <QCursor>
#include <QGesture>
#include <QGestureEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr COLORREF kWhite = 0x00FFFFFF;
const char* const kDrawingTitle = "排钻系统";
} // namespace

CVarnholtView::CVarnholtView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VarnholtView"));
    setMinimumSize(kMinimumSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setMouseTracking(true); // the status bar names the cut under the mouse
    grabGesture(Qt::PinchGesture);
    g_back_color = kWhite;
    m_operation.init(this, QStringToGbk(QString::fromUtf8(kDrawingTitle)).value_or(std::string()), 0.0, 0);
    m_operation.render().compute_transf();
    // The lock edge's view lies beside the leaf: fitting leaves room for it.
    m_operation.render().setExtraBounds([this]() -> std::optional<QRectF> {
        return previewShown() ? m_preview.edgeView() : std::nullopt;
    });
}

CVarnholtView::~CVarnholtView()
{
    m_operation.close_drawing();
}

void CVarnholtView::OnShowDoor()
{
    for (GK_Object* o = m_operation.drawing().list().first(); o; o = o->next)
        o->visible = o->type() == GK_TYPE_DOOR ? 1 : 0;
    api_gk_zoom_all(m_operation);
    m_operation.render().invalidate();
}

void CVarnholtView::setMachiningPreview(const MachiningPreview& preview)
{
    const std::optional<QRectF> before = m_operation.render().extraBounds();
    m_preview.set(preview);
    if (m_operation.render().extraBounds() != before)
        api_gk_zoom_all(m_operation);
    hover(mapFromGlobal(QCursor::pos()));
    update();
}

void CVarnholtView::hover(QPointF at)
{
    QString text;
    if (previewShown() && m_import.empty() && rect().contains(at.toPoint()) &&
        !m_preview.legendArea(font()).contains(at))
        text = m_preview.hoverText(at, m_operation.render().transform().toQTransform());
    if (text == m_hovered)
        return;
    m_hovered = text;
    emit previewHovered(text);
}

bool CVarnholtView::doorShown() const
{
    for (const GK_Object* o = m_operation.drawing().list().first(); o; o = o->next)
        if (o->type() == GK_TYPE_DOOR && o->visible)
            return true;
    return false;
}

void CVarnholtView::showImportPreview(const ImportPicture& picture, ImportPreviewInput input)
{
    m_import.set(picture);
    m_importInput = std::move(input);
    fitImportPreview();
    update();
}

void CVarnholtView::hideImportPreview()
{
    m_import.clear();
    m_importInput = {};
    m_importCover = QRect();
    update();
}

void CVarnholtView::setImportPreviewCover(const QRect& covered)
{
    if (covered == m_importCover)
        return;
    m_importCover = covered;
    if (!m_import.empty()) {
        fitImportPreview();
        update();
    }
}

QRect CVarnholtView::importPreviewArea() const
{
    const QRect whole = rect();
    const QRect covered = m_importCover.intersected(whole);
    if (covered.isEmpty() || m_import.empty())
        return whole;
    // The strips left, right, above and below the covered part; the one that
    // shows the picture largest wins.
    const QRect strips[] = {
        QRect(QPoint(whole.left(), whole.top()), QPoint(covered.left() - 1, whole.bottom())),
        QRect(QPoint(covered.right() + 1, whole.top()), whole.bottomRight()),
        QRect(whole.topLeft(), QPoint(whole.right(), covered.top() - 1)),
        QRect(QPoint(whole.left(), covered.bottom() + 1), whole.bottomRight()),
    };
    const QSizeF picture = m_import.bounds().size().expandedTo(QSizeF(1e-9, 1e-9));
    QRect best = whole;
    double bestScale = -1.0;
    for (const QRect& strip : strips) {
        const double scale = std::min(strip.width() / picture.width(), strip.height() / picture.height());
        if (!strip.isEmpty() && scale > bestScale) {
            bestScale = scale;
            best = strip;
        }
    }
    return best;
}

void CVarnholtView::fitImportPreview()
{
    const QRect area = importPreviewArea();
    // A wider margin than the drawing's leaves room for the sizes written
    // above the outlines, unless the window is small.
    const double margin =
        std::min(4.0 * m_operation.render().fitMargin(), std::min(area.width(), area.height()) / 8.0);
    m_importTransform.setViewport(QSizeF(area.size()));
    m_importTransform.fit(m_import.bounds(), margin);
    m_importTransform.setViewport(QSizeF(size()));
    m_importTransform.panBy(area.left(), area.top());
}

void CVarnholtView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_import.empty()) {
        painter.fillRect(rect(), Qt::white);
        m_import.paint(painter, m_importTransform.toQTransform());
        return;
    }
    m_operation.render().draw(&painter, m_operation.drawing());
    // The paths belong over the door: not over a hinge or lock core shown alone.
    if (!m_preview.empty() && doorShown())
        m_preview.paint(painter, m_operation.render().transform().toQTransform());
}

void CVarnholtView::zoomAbout(double factor, QPointF at)
{
    if (!m_import.empty()) {
        m_importTransform.zoomAbout(factor, at.x(), at.y());
        update();
        return;
    }
    m_operation.render().scale_view(factor, at.x(), at.y());
    m_operation.render().redraw_all();
}

void CVarnholtView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        // One zoom step per notch: the small deltas of fine wheels and
        // touchpads add up to one, a turn the other way drops the rest.
        if ((m_wheelRest > 0 && delta < 0) || (m_wheelRest < 0 && delta > 0))
            m_wheelRest = 0;
        m_wheelRest += delta;
        const int steps = m_wheelRest / kWheelNotch;
        m_wheelRest -= steps * kWheelNotch;
        for (int i = 0; i < std::abs(steps); ++i)
            zoomAbout(steps > 0 ? kZoomIn : kZoomOut, event->position());
    }
    QWidget::wheelEvent(event);
}

bool CVarnholtView::event(QEvent* event)
{
    if (pinch(event))
        return true;
    return QWidget::event(event);
}

// A pinch zooms about its centre: the touchpad's native gesture, or the
// gesture Qt recognises from two fingers on a touch screen.
bool CVarnholtView::pinch(QEvent* event)
{
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture)
            return false;
        zoomAbout(1.0 + gesture->value(), gesture->position());
        return true;
    }
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        auto* pinchGesture = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture));
        if (!pinchGesture)
            return false;
        if (pinchGesture->changeFlags() & QPinchGesture::ScaleFactorChanged)
            zoomAbout(pinchGesture->scaleFactor(), mapFromGlobal(pinchGesture->centerPoint()));
        gestures->accept(pinchGesture);
        return true;
    }
    return false;
}

// The middle button drags the drawing.
void CVarnholtView::mousePressEvent(QMouseEvent* event)
{
    // The preview of an import takes a click as a choice; the drawing behind
    // it stays where it was.
    if (!m_import.empty()) {
        if (event->button() == Qt::LeftButton && m_importInput.picked) {
            const QPointF at = m_importTransform.toModel(event->position());
            // A copy: the pick may show a new picture with new input.
            const auto picked = m_importInput.picked;
            picked(at.x(), at.y());
        }
        return;
    }
    if (event->button() != Qt::MiddleButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragFrom = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void CVarnholtView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        hover(event->position());
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - m_dragFrom;
    m_dragFrom = at;
    m_operation.render().pan_view(moved.x(), moved.y());
    m_operation.render().redraw_all();
    event->accept();
}

void CVarnholtView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::MiddleButton || !m_dragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    unsetCursor();
    event->accept();
}

void CVarnholtView::leaveEvent(QEvent* event)
{
    hover(QPointF(-1.0, -1.0));
    QWidget::leaveEvent(event);
}

void CVarnholtView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    api_gk_zoom_all(m_operation);
    m_operation.m_zoomed = 0;
    m_operation.render().compute_transf();
    m_operation.render().invalidate();
    if (!m_import.empty())
        fitImportPreview();
}

bool CVarnholtView::focusNextPrevChild(bool next)
{
    // Tab chooses among the parts of an import instead of leaving the view.
    if (!m_import.empty() && m_importInput.cycled) {
        const auto cycled = m_importInput.cycled;
        cycled(next);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}
