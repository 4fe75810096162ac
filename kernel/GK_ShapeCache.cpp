#include <kernel/GK_ShapeCache.h>

#include <kernel/GK_ShapeThinning.h>

void GK_ShapeCache::prepare(const GK_Object& object)
{
    m_shapes.insert_or_assign(&object, Entry{GK_BuildShape(object), {}});
}

GK_ShapeCache::Entry& GK_ShapeCache::entryFor(const GK_Object& object)
{
    auto it = m_shapes.find(&object);
    if (it == m_shapes.end())
        it = m_shapes.emplace(&object, Entry{GK_BuildShape(object), {}}).first;
    return it->second;
}

const GK_Shape& GK_ShapeCache::shapeFor(const GK_Object& object)
{
    return entryFor(object).shape;
}

const GK_Shape& GK_ShapeCache::shapeAt(const GK_Object& object, double tolerance)
{
    Entry& entry = entryFor(object);
    if (entry.tolerance != tolerance) {
        entry.thinned = GK_ThinShape(entry.shape, tolerance);
        entry.tolerance = tolerance;
    }
    return entry.thinned;
}
