#include <kernel/GK_Hole.h>

GK_Hole::GK_Hole(const GU_Pt_List& outline, double depth) : m_loop(GU_Loop(outline)), m_depth(depth) {}

std::unique_ptr<GK_Hole> GK_Hole::clone() const
{
    return std::unique_ptr<GK_Hole>(new GK_Hole(*this));
}

GK_Circle_Hole::GK_Circle_Hole(const position& centre, double diameter, double depth)
    : GK_Hole(depth), m_centre(centre), m_diameter(diameter)
{
}

std::unique_ptr<GK_Hole> GK_Circle_Hole::clone() const
{
    return clone_circle();
}

std::unique_ptr<GK_Circle_Hole> GK_Circle_Hole::clone_circle() const
{
    return std::unique_ptr<GK_Circle_Hole>(new GK_Circle_Hole(*this));
}
