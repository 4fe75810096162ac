#include <kernel/GK_DoorWithHinges.h>

GK_DoorWithHinges::GK_DoorWithHinges(std::string name, std::string comments, double length, double width,
                                     double thickness)
    : m_length(length), m_width(width), m_thickness(thickness)
{
    SetName(std::move(name));
    SetComments(std::move(comments));
}

void GK_DoorWithHinges::copy(GK_Object** out) const
{
    *out = new GK_DoorWithHinges(*this);
}

void GK_DoorWithHinges::GetDoorSize(double& length, double& width, double& thickness) const
{
    length = m_length;
    width = m_width;
    thickness = m_thickness;
}
