#pragma once

#include <kernel/GK_Object_List.h>

// A drawing: the objects it shows, in the order they were added.
class GK_Drawing {
public:
    GK_Object_List& list() { return m_list; }
    const GK_Object_List& list() const { return m_list; }

private:
    GK_Object_List m_list;
};
