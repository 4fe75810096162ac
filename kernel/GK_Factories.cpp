#include <kernel/GK_Factories.h>

std::unique_ptr<GK_Hinges> api_gk_make_hinges(const GU_Pt_List& outline)
{
    return std::make_unique<GK_Hinges>(outline);
}

std::unique_ptr<GK_Circle_Hole> api_gk_make_circle_hole(const position& centre, double diameter, double depth)
{
    return std::make_unique<GK_Circle_Hole>(centre, diameter, depth);
}

std::unique_ptr<GK_Hole> api_gk_make_hole(const GU_Pt_List& outline, double depth)
{
    return std::make_unique<GK_Hole>(outline, depth);
}

std::unique_ptr<GK_LockCore> api_gk_make_lockcore(const GU_Pt_List& top, const GU_Pt_List& side)
{
    return std::make_unique<GK_LockCore>(top, side);
}

std::unique_ptr<GK_DoorWithHinges> api_gk_make_door_with_hinges(std::string name, std::string comments,
                                                                 double length, double width, double thickness)
{
    return std::make_unique<GK_DoorWithHinges>(std::move(name), std::move(comments), length, width, thickness);
}
