#include <kernel/GK_Object.h>

#include <kernel/GK_DisplayContext.h>

void GK_Object::destroy()
{
    delete this;
}

void GK_Object::prepare_display(GK_DisplayContext* dc)
{
    if (dc)
        dc->prepare(*this);
}
