#pragma once

#include <machining/Features.h>
#include <machining/Plane.h>

#include <kernel/position.h>
#include <library/KnifeInfo.h>

#include <vector>

enum class MoveKind {
    Retract, // the depth axis alone to `to`; the plane axes stay where they are
    Rapid,   // straight to `to` at rapid speed
    Feed,    // straight to `to` at the tool's feed
    Plunge,  // along the depth axis alone to `to` at the tool's plunge feed
    ArcCw,   // top face only: an arc about `centre` to `to`, clockwise seen
    ArcCcw,  // from above; a change of z makes it a helix
    Drill,   // a hole: rapid in the plane at the current height to above `to`,
             // plunge along the depth axis to `to`, rapid back to `retract`;
             // with `peck` above 0 in steps of that depth, clearing the chips
             // at `retract` after each
    Note,    // names the feature whose cuts follow
};

// A pecking drill comes back down in rapid to this much above the depth it
// had reached (mm).
inline constexpr double kPeckClearance = 1.0;

// One step of a tool's path, in the leaf's frame (see Features.h).
struct Move {
    MoveKind kind = MoveKind::Rapid;
    position to;
    Point2 centre;        // arcs: the centre's x and y
    double retract = 0.0; // drills: the depth-axis coordinate (z, or y on the lock edge) after the hole
    FeatureRef feature;   // notes
    double peck = 0.0;    // drills: the depth of each step (mm); 0 drills in one go
};

// One use of a tool: brought in, its cuts, taken out again. The path starts
// with a retract to the travel height and ends there.
struct ToolUse {
    KnifeInfo tool;
    WorkFrame frame; // the top face for vertical spindles, the lock edge for the side head
    std::vector<Move> moves;
};
