#pragma once

#include <commands/ImportChoice.h>

#include <QPolygonF>
#include <QRectF>
#include <QTransform>

#include <vector>

class QPainter;

// The picture of an import as the view paints it in place of the drawing:
// the sheet's parts thin and grey, those already saved green and dashed, the
// chosen outline (or the lock core's top and side face) thick with its size,
// and the holes that go with it in red; the other parts' holes thin and pale.
class ImportOverlay {
public:
    void set(const ImportPicture& picture);
    void clear();
    bool empty() const { return m_outlines.empty(); }
    // The extent of everything shown, millimetres.
    QRectF bounds() const { return m_bounds; }

    void paint(QPainter& painter, const QTransform& toWindow) const;

    // The pens of the chosen model's holes and of the other parts' holes.
    static QColor holeColor();
    static QColor otherHoleColor();

private:
    struct Outline {
        ImportPicture::Role role;
        QPolygonF points;
    };
    std::vector<Outline> m_outlines;
    std::vector<QPolygonF> m_holeOutlines;
    std::vector<ImportPicture::Circle> m_holeCircles;
    std::vector<QPolygonF> m_otherHoleOutlines;
    std::vector<ImportPicture::Circle> m_otherHoleCircles;
    QRectF m_bounds;
};
