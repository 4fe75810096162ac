#pragma once

#include <memory>

class GK_DisplayContext;

// Type codes of the model objects.
inline constexpr int GK_TYPE_HINGES = 133;
inline constexpr int GK_TYPE_LOCKCORE = 134;
inline constexpr int GK_TYPE_DOOR = 135;

// Base of the model objects that can stand in a drawing. Each object links to
// the next object of the drawing it stands in (the drawing owns the chain) and
// carries a visibility flag; both are read and written directly by callers.
class GK_Object {
public:
    virtual ~GK_Object() = default;

    // Destroys and frees this object.
    virtual void destroy();
    // 133 hinge, 134 lock core, 135 door.
    virtual int type() const = 0;
    // Stores a new object equal to this one in *out, which the caller has set
    // to null. The new object shares no data with this one.
    virtual void copy(GK_Object** out) const = 0;
    // Called on a fresh copy before it enters a drawing.
    virtual void prepare_display(GK_DisplayContext* dc);

    GK_Object* next = nullptr;
    unsigned char visible = 1;

protected:
    GK_Object() = default;
    // A copy is not linked into any drawing; it keeps the source's visibility.
    GK_Object(const GK_Object& other) : visible(other.visible) {}
    // Assigning content leaves the target's drawing link and visibility alone.
    GK_Object& operator=(const GK_Object&) { return *this; }
};

// Frees kernel objects through their own destroy operation.
struct GK_ObjectDeleter {
    void operator()(GK_Object* object) const
    {
        if (object)
            object->destroy();
    }
};

// Typed copy through the virtual copy operation.
template <typename T>
std::unique_ptr<T> gk_copy(const T& object)
{
    GK_Object* out = nullptr;
    object.copy(&out);
    return std::unique_ptr<T>(static_cast<T*>(out));
}
