#include <kernel/GK_ShapeCache.h>

void GK_ShapeCache::prepare(const GK_Object& object)
{
    m_shapes.insert_or_assign(&object, GK_BuildShape(object));
}

const GK_Shape& GK_ShapeCache::shapeFor(const GK_Object& object)
{
    auto it = m_shapes.find(&object);
    if (it == m_shapes.end())
        it = m_shapes.emplace(&object, GK_BuildShape(object)).first;
    return it->second;
}
