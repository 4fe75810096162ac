#pragma once

#include <machining/Preview.h>

#include <QColor>
#include <QPolygonF>
#include <QTransform>

#include <vector>

class QPainter;

// The machining preview as the view paints it over the door: one colour per
// tool, rapid moves dashed, cuts solid, one pixel wide whatever the zoom.
class MachiningOverlay {
public:
    void set(const std::vector<PreviewStroke>& strokes);
    bool empty() const { return m_paths.empty(); }
    std::size_t pathCount() const { return m_paths.size(); }

    // Paints with the view's transform from millimetres to pixels.
    void paint(QPainter& painter, const QTransform& toWindow) const;

    // The colour of the preview's tool number (from 0).
    static QColor toolColor(int tool);

private:
    struct Path {
        int tool;
        bool rapid;
        QPolygonF line;
    };
    std::vector<Path> m_paths;
};
