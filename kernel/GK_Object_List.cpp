#include <kernel/GK_Object_List.h>

bool GK_Object_List::add_tail(GK_Object* object)
{
    if (!object || object->next || object == m_tail)
        return false;
    if (m_tail)
        m_tail->next = object;
    else
        m_head = object;
    m_tail = object;
    ++m_count;
    return true;
}

bool GK_Object_List::contains(const GK_Object* object) const
{
    for (const GK_Object* o = m_head; o; o = o->next)
        if (o == object)
            return true;
    return false;
}

bool GK_Object_List::remove(GK_Object* object)
{
    GK_Object* previous = nullptr;
    for (GK_Object* o = m_head; o; previous = o, o = o->next) {
        if (o != object)
            continue;
        (previous ? previous->next : m_head) = o->next;
        if (m_tail == o)
            m_tail = previous;
        o->next = nullptr;
        --m_count;
        return true;
    }
    return false;
}

void GK_Object_List::clear()
{
    GK_Object* o = m_head;
    m_head = m_tail = nullptr;
    m_count = 0;
    while (o) {
        GK_Object* following = o->next;
        o->next = nullptr;
        o->destroy();
        o = following;
    }
}
