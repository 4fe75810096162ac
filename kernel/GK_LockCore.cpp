#include <kernel/GK_LockCore.h>

namespace {
void cloneHoles(const GU_OwnedList<GK_Hole>& from, GU_OwnedList<GK_Hole>& to)
{
    to.clear();
    for (const GK_Hole* hole : from)
        to.add_tail(hole->clone());
}
} // namespace

GK_LockCore::GK_LockCore(const GU_Pt_List& top, const GU_Pt_List& side) : m_top(top), m_side(side) {}

GK_LockCore::GK_LockCore(const GK_LockCore& other) : GK_Part(other), m_top(other.m_top), m_side(other.m_side)
{
    copyHolesFrom(other);
}

GK_LockCore& GK_LockCore::operator=(const GK_LockCore& other)
{
    if (this == &other)
        return *this;
    GK_Part::operator=(other);
    m_top = other.m_top;
    m_side = other.m_side;
    copyHolesFrom(other);
    return *this;
}

void GK_LockCore::copyHolesFrom(const GK_LockCore& other)
{
    cloneHoles(other.m_topHoles, m_topHoles);
    cloneHoles(other.m_sideHoles, m_sideHoles);
}

void GK_LockCore::copy(GK_Object** out) const
{
    *out = new GK_LockCore(*this);
}
