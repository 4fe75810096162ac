#pragma once

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Geometry.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_Hole.h>
#include <kernel/GU_List.h>
#include <kernel/GU_Loop.h>
#include <kernel/position.h>

#include <memory>
#include <optional>
#include <vector>

// Where the parts of a door lie on its leaf. The drawing of a door and the
// machining programs both place hinges and the lock core through these
// functions, so what is drawn is what is cut. A part is only ever turned by a
// quarter turn, mirrored and moved (GK_Affine).

// Coordinates beyond this magnitude, and values that are not finite, are left
// out of drawings and placements.
inline constexpr double kMaxPlacedCoordinate = 1e9; // millimetres
bool GK_Usable(double v);

// The box around what a part shows on the leaf, from its usable values only:
// the hinge's outline and round holes; the lock core's side face (its body)
// with the side holes. An outline counts once it has two usable vertices, a
// round hole once its radius is above zero. Nothing when no value is usable.
std::optional<GK_Box> GK_HingeBounds(const GK_Hinges& hinge);
std::optional<GK_Box> GK_FaceBounds(const GU_Loop& outline, const GU_OwnedList<GK_Hole>& holes);

// Places a part whose box is given at a position along the door: a part
// taller than wide is turned a quarter turn so that its longer side runs
// along the edge; its box is centred on at.x and lies at the distance at.y
// from the edge, reaching into the leaf. At the far edge (y = width) the part
// is mirrored so that the same side faces the edge as at the near edge.
// Nothing when the position is not usable.
std::optional<GK_Affine> GK_PlaceOnEdge(const GK_Box& part, const position& at, bool farEdge, double width);

// The whole layout of a door.
struct GK_DoorLayout {
    double length = 0.0, width = 0.0, thickness = 0.0;
    // The hinges lie at the far edge (y = width) when the door's hinges-up flag
    // is 1; the lock core lies at the other edge.
    bool hingesAtFarEdge = false;
    // One entry per hinge position of the door, in order; empty for a
    // position that cannot be placed, and all empty without a hinge model.
    std::vector<std::optional<GK_Affine>> hinges;
    // The placement of the lock core's side face; empty without a lock core.
    std::optional<GK_Affine> lockCore;
};

GK_DoorLayout GK_LayOutDoor(const GK_DoorWithHinges& door);

// A part of a door that stands off its leaf, and by how much.
struct GK_PartOffLeaf {
    bool lockCore = false; // otherwise a hinge
    std::size_t hinge = 0; // the hinge position, from 0
    double by = 0.0;       // millimetres beyond the leaf's edges, the most of the four sides
};

// The parts of the door's layout whose placed boxes reach beyond the leaf
// (0..length along, 0..width across) by more than tolerance, hinges in order,
// then the lock core.
std::vector<GK_PartOffLeaf> GK_PartsOffLeaf(const GK_DoorWithHinges& door, double tolerance);

// The door in another size, by the rule every order row follows: the first
// and the last hinge keep their distance from their ends of the leaf and the
// hinges between them are spread evenly between those two (a length equal to
// the door's, within 1e-9, keeps every position as it is); a lone hinge, like
// the lock core, keeps its distance from the end it is nearer to (from end 0
// at the middle); distances across the width keep their edge; the thickness
// is the new one (through depths and the edge work follow it). hingesUp as
// GK_DoorWithHinges::SetHingesUp. The positions keep their list order; name,
// comments and the models are door's, the models shared.
std::unique_ptr<GK_DoorWithHinges> GK_DoorInSize(const GK_DoorWithHinges& door, double length, double width,
                                                 double thickness, int hingesUp);
