#include <app/MachiningOverlay.h>

#include <QPainter>
#include <QPen>

#include <array>

namespace {
// Colours apart from the drawing's own grey, dark blue and red.
const std::array<QColor, 8> kToolColors{QColor(0xE0, 0x80, 0x00), QColor(0x00, 0x99, 0x33), QColor(0x99, 0x33, 0xCC),
                                        QColor(0x00, 0x99, 0x99), QColor(0xCC, 0x00, 0x99), QColor(0x80, 0x80, 0x00),
                                        QColor(0x99, 0x55, 0x22), QColor(0x33, 0x99, 0xFF)};
} // namespace

void MachiningOverlay::set(const std::vector<PreviewStroke>& strokes)
{
    m_paths.clear();
    m_paths.reserve(strokes.size());
    for (const PreviewStroke& stroke : strokes) {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(stroke.points.size()));
        for (const Point2& p : stroke.points)
            line.append(QPointF(p.x, p.y));
        m_paths.push_back({stroke.tool, stroke.rapid, std::move(line)});
    }
}

QColor MachiningOverlay::toolColor(int tool)
{
    return kToolColors[static_cast<std::size_t>(tool) % kToolColors.size()];
}

void MachiningOverlay::paint(QPainter& painter, const QTransform& toWindow) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setTransform(toWindow);
    for (const Path& path : m_paths) {
        QPen pen(toolColor(path.tool), 0.0, path.rapid ? Qt::DashLine : Qt::SolidLine);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPolyline(path.line);
    }
    painter.restore();
}
