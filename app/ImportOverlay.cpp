#include <app/ImportOverlay.h>

#include <QPainter>
#include <QPen>

namespace {

QPolygonF polygonOf(const std::vector<position>& points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const position& p : points)
        polygon.append(QPointF(p.x, p.y));
    return polygon;
}

QPen penFor(ImportPicture::Role role)
{
    using Role = ImportPicture::Role;
    QPen pen;
    pen.setCosmetic(true);
    switch (role) {
    case Role::Part:
        pen = QPen(QColor(0x90, 0x90, 0x90), 1.0);
        break;
    case Role::Saved:
        pen = QPen(QColor(0x00, 0x99, 0x33), 1.0, Qt::DashLine);
        break;
    case Role::Chosen:
    case Role::TopFace:
        pen = QPen(QColor(0x00, 0x55, 0xCC), 2.5);
        break;
    case Role::SideFace:
        pen = QPen(QColor(0xE0, 0x80, 0x00), 2.5);
        break;
    }
    pen.setCosmetic(true);
    return pen;
}

void paintHoles(QPainter& painter, const QTransform& toWindow, const std::vector<QPolygonF>& outlines,
                const std::vector<ImportPicture::Circle>& circles)
{
    for (const QPolygonF& hole : outlines)
        painter.drawPolygon(toWindow.map(hole));
    for (const ImportPicture::Circle& circle : circles) {
        const QPointF centre = toWindow.map(QPointF(circle.centre.x, circle.centre.y));
        const double r = toWindow.map(QLineF(0, 0, circle.radius, 0)).length();
        painter.drawEllipse(centre, r, r);
    }
}

QString labelFor(ImportPicture::Role role, const QRectF& box)
{
    const QString size = QStringLiteral("%1 × %2").arg(box.width(), 0, 'f', 2).arg(box.height(), 0, 'f', 2);
    switch (role) {
    case ImportPicture::Role::TopFace:
        return QStringLiteral("顶面 ") + size;
    case ImportPicture::Role::SideFace:
        return QStringLiteral("侧面 ") + size;
    case ImportPicture::Role::Chosen:
        return size;
    default:
        return QString();
    }
}

} // namespace

void ImportOverlay::set(const ImportPicture& picture)
{
    clear();
    for (const ImportPicture::Shape& shape : picture.outlines) {
        m_outlines.push_back({shape.role, polygonOf(shape.points)});
        m_bounds = m_bounds.united(m_outlines.back().points.boundingRect());
    }
    for (const auto& hole : picture.holeOutlines)
        m_holeOutlines.push_back(polygonOf(hole));
    m_holeCircles = picture.holeCircles;
    for (const auto& hole : picture.otherHoleOutlines)
        m_otherHoleOutlines.push_back(polygonOf(hole));
    m_otherHoleCircles = picture.otherHoleCircles;
}

QColor ImportOverlay::holeColor()
{
    return QColor(0xCC, 0x00, 0x00);
}

QColor ImportOverlay::otherHoleColor()
{
    return QColor(0xE8, 0x90, 0x90);
}

void ImportOverlay::clear()
{
    m_outlines.clear();
    m_holeOutlines.clear();
    m_holeCircles.clear();
    m_otherHoleOutlines.clear();
    m_otherHoleCircles.clear();
    m_bounds = QRectF();
}

void ImportOverlay::paint(QPainter& painter, const QTransform& toWindow) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const Outline& outline : m_outlines) {
        painter.setPen(penFor(outline.role));
        painter.drawPolygon(toWindow.map(outline.points));
    }
    QPen otherHolePen(otherHoleColor(), 1.0);
    otherHolePen.setCosmetic(true);
    painter.setPen(otherHolePen);
    paintHoles(painter, toWindow, m_otherHoleOutlines, m_otherHoleCircles);
    QPen holePen(holeColor(), 2.0);
    holePen.setCosmetic(true);
    painter.setPen(holePen);
    paintHoles(painter, toWindow, m_holeOutlines, m_holeCircles);
    // Sizes above the chosen outlines, in window pixels so that they keep
    // their size however the drawing is zoomed.
    for (const Outline& outline : m_outlines) {
        const QRectF box = outline.points.boundingRect();
        const QString label = labelFor(outline.role, box);
        if (label.isEmpty())
            continue;
        painter.setPen(penFor(outline.role).color());
        const QPointF at = toWindow.map(QPointF(box.left(), box.bottom()));
        painter.drawText(at + QPointF(0, -6), label);
    }
    painter.restore();
}
