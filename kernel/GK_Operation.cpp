#include <kernel/GK_Operation.h>

#include <algorithm>
#include <optional>

void GK_Operation::init(GK_Window* window, std::string title, double fitMargin, int options)
{
    m_title = std::move(title);
    m_render.attach(window);
    m_render.setFitMargin(fitMargin > 0.0 ? fitMargin : GK_Draw_Render::kDefaultFitMargin);
    m_render.setAntialiased((options & kNoAntialiasing) == 0);
}

bool GK_Operation::delete_object(GK_Object* object)
{
    if (!m_drawing.list().remove(object))
        return false;
    m_render.shapes().forget(object);
    object->destroy();
    return true;
}

void GK_Operation::close_drawing()
{
    m_render.shapes().clear();
    m_drawing.list().clear();
}

void api_gk_zoom_all(GK_Operation& operation)
{
    GK_Draw_Render& render = operation.render();
    render.compute_transf();
    std::optional<QRectF> box;
    const auto unite = [&box](const std::optional<QRectF>& b) {
        if (b)
            box = box ? QRectF(QPointF(std::min(box->left(), b->left()), std::min(box->top(), b->top())),
                               QPointF(std::max(box->right(), b->right()), std::max(box->bottom(), b->bottom())))
                      : *b;
    };
    for (const GK_Object* o = operation.drawing().list().first(); o; o = o->next)
        if (o->visible)
            unite(render.shapes().shapeFor(*o).bounds());
    if (box)
        unite(render.extraBounds());
    if (box)
        render.transform().fit(*box, render.fitMargin());
    else
        render.transform().reset();
}
