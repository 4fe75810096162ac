#pragma once

#include <kernel/GK_Object.h>

#include <cstddef>

// The objects of a drawing, chained through their next links. The list owns
// its objects: removing hands one back, and destroying or clearing the list
// destroys every object through its own destroy operation.
class GK_Object_List {
public:
    GK_Object_List() = default;
    ~GK_Object_List() { clear(); }
    GK_Object_List(const GK_Object_List&) = delete;
    GK_Object_List& operator=(const GK_Object_List&) = delete;

    // Appends an object that stands in no drawing; the list owns it from then
    // on. A null object, or one already linked, is refused.
    bool add_tail(GK_Object* object);
    GK_Object* first() const { return m_head; }
    std::size_t count() const { return m_count; }
    bool contains(const GK_Object* object) const;
    // Unlinks the object and hands ownership back; false when it is not here.
    bool remove(GK_Object* object);
    // Destroys every object, head to tail.
    void clear();

private:
    GK_Object* m_head = nullptr;
    GK_Object* m_tail = nullptr;
    std::size_t m_count = 0;
};
