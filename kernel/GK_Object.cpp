#include "GK_Object.h"

void GK_Object::destroy()
{
    delete this;
}

void GK_Object::prepare_display(GK_DisplayContext*) {}
