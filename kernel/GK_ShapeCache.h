#pragma once

#include <kernel/GK_DisplayContext.h>
#include <kernel/GK_Shape.h>

#include <unordered_map>

// The renderer's display context: the display geometry of each object of the
// drawing, keyed by the object. Filled when an object is prepared for display
// (or at its first paint, for an object that was not), dropped when the object
// leaves the drawing.
class GK_ShapeCache : public GK_DisplayContext {
public:
    void prepare(const GK_Object& object) override;
    // The object's shape, built now if it was never prepared.
    const GK_Shape& shapeFor(const GK_Object& object);
    void forget(const GK_Object* object) { m_shapes.erase(object); }
    void clear() { m_shapes.clear(); }
    bool contains(const GK_Object* object) const { return m_shapes.count(object) != 0; }

private:
    std::unordered_map<const GK_Object*, GK_Shape> m_shapes;
};
