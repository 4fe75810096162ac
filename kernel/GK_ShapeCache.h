#pragma once

#include <kernel/GK_DisplayContext.h>
#include <kernel/GK_Shape.h>

#include <unordered_map>

// The renderer's display context: the display geometry of each object of the
// drawing, keyed by the object, and the same thinned for the zoom it was last
// painted at. Filled when an object is prepared for display (or at its first
// paint, for an object that was not), dropped when the object leaves the
// drawing.
class GK_ShapeCache : public GK_DisplayContext {
public:
    void prepare(const GK_Object& object) override;
    // The object's shape, built now if it was never prepared.
    const GK_Shape& shapeFor(const GK_Object& object);
    // The object's shape as painted with vertices `tolerance` apart
    // (GK_ShapeThinning.h); made again only when the tolerance changes.
    const GK_Shape& shapeAt(const GK_Object& object, double tolerance);
    void forget(const GK_Object* object) { m_shapes.erase(object); }
    void clear() { m_shapes.clear(); }
    bool contains(const GK_Object* object) const { return m_shapes.count(object) != 0; }

private:
    struct Entry {
        GK_Shape shape;
        GK_Shape thinned;
        double tolerance = -1.0; // of `thinned`; none made yet
    };
    Entry& entryFor(const GK_Object& object);

    std::unordered_map<const GK_Object*, Entry> m_shapes;
};
