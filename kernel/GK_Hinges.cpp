#include <kernel/GK_Hinges.h>

GK_Hinges::GK_Hinges(const GU_Pt_List& outline) : m_outline(outline) {}

GK_Hinges::GK_Hinges(const GK_Hinges& other)
    : GK_Part(other), m_outline(other.m_outline), m_mortise(other.m_mortise)
{
    for (const GK_Circle_Hole* hole : other.m_holes)
        m_holes.add_tail(hole->clone_circle());
}

GK_Hinges& GK_Hinges::operator=(const GK_Hinges& other)
{
    if (this == &other)
        return *this;
    GK_Part::operator=(other);
    m_outline = other.m_outline;
    m_mortise = other.m_mortise;
    m_holes.clear();
    for (const GK_Circle_Hole* hole : other.m_holes)
        m_holes.add_tail(hole->clone_circle());
    return *this;
}

void GK_Hinges::copy(GK_Object** out) const
{
    *out = new GK_Hinges(*this);
}
