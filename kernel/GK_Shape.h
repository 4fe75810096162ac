#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <optional>
#include <vector>

class GK_Object;

// A round hole as drawn: centre and radius in model millimetres.
struct GK_ShapeCircle {
    QPointF centre;
    double radius = 0.0;
};

// The display geometry of one drawing object in model millimetres, built once
// when the object enters a drawing. Closed outlines carry their first vertex
// again at the end so they paint as one polyline. Points that are not finite
// or lie beyond kMaxPlacedCoordinate are left out, so every stored value is
// safe to hand to the painter.
struct GK_Shape {
    std::vector<QPolygonF> leaf;     // door leaves
    std::vector<QPolygonF> outlines; // hardware outlines
    std::vector<QPolygonF> holes;    // outline holes
    std::vector<GK_ShapeCircle> circles;

    // Bounds of everything above; nothing when the shape is empty.
    std::optional<QRectF> bounds() const;
    bool empty() const { return leaf.empty() && outlines.empty() && holes.empty() && circles.empty(); }
};

// Builds the shape of a hinge (133), lock core (134) or door (135); any other
// object gives an empty shape.
GK_Shape GK_BuildShape(const GK_Object& object);
