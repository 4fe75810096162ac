#pragma once

#include <machining/Plane.h>

#include <limits>
#include <optional>
#include <vector>

// The passes that clear a pocket with a round tool: contour-parallel passes
// from the inside out, each the outline offset inwards by the tool radius
// plus a whole number of stepovers, the last one (the finishing pass) the
// outline offset by the tool radius alone.
struct PocketPasses {
    // Runs of cutting at the pocket's depth, tool centre positions: each run
    // starts with a plunge at its first point and feeds through the rest.
    // Moves within a run stay inside the finishing pass.
    std::vector<std::vector<Point2>> runs;
    // Area of the outline, in mm², that the tool cannot reach (corners
    // sharper than the tool, necks narrower than it).
    double unreachableArea = 0.0;
};

// Plans the passes for a tool of the given radius with a stepover (mm) of at
// most the radius, only those whose offset from the outline is at most
// `band`: a smaller tool finishing what a larger one left along the walls
// needs no more. Nothing when the tool does not fit into the outline.
std::optional<PocketPasses> PlanPocket(const Polygon2& outline, double toolRadius, double stepover,
                                       double band = std::numeric_limits<double>::infinity());
