#pragma once

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_Hole.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GU_Pt_List.h>
#include <kernel/position.h>

#include <memory>
#include <string>

// Factories of the model objects. Each returns a new object owned by the
// caller; points are copied in.

// A hinge from its outline (at least three points), without holes.
std::unique_ptr<GK_Hinges> api_gk_make_hinges(const GU_Pt_List& outline);
// A round hole; it reports diameter / 2 as its radius and depth as its z.
std::unique_ptr<GK_Circle_Hole> api_gk_make_circle_hole(const position& centre, double diameter, double depth);
// An outline hole (at least three points).
std::unique_ptr<GK_Hole> api_gk_make_hole(const GU_Pt_List& outline, double depth);
// A lock core from its top and side outlines, without holes.
std::unique_ptr<GK_LockCore> api_gk_make_lockcore(const GU_Pt_List& top, const GU_Pt_List& side);
// A door of the given size, without models or positions, hinges not up.
std::unique_ptr<GK_DoorWithHinges> api_gk_make_door_with_hinges(std::string name, std::string comments,
                                                                 double length, double width, double thickness);
