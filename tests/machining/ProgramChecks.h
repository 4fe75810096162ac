#pragma once

// What a machining program must do for a door, worked out here from the
// door's models without the program's own code, and the checks that judge a
// replayed program against it.

#include "GcodeSim.h"

#include <kernel/GK_DoorWithHinges.h>

#include <string>
#include <vector>

namespace check {

struct P2 {
    double u = 0.0, v = 0.0;
};

// Holes and pockets in their plane: the top face (u, v) = (x, y), depth
// down z; the lock edge (u, v) = (x, z), depth into the door from the edge.
struct Hole {
    std::string name;
    bool edge = false;
    P2 centre;
    double diameter = 0.0;
    double depth = 0.0;
};

struct Pocket {
    std::string name;
    bool edge = false;
    int toolType = 0;
    std::vector<P2> outline;
    double depth = 0.0;
};

struct Door {
    double length = 0.0, width = 0.0, thickness = 0.0, breakthrough = 0.0;
    double edgeY = 0.0, inward = 1.0; // the lock edge
    std::vector<Hole> holes;
    std::vector<Pocket> pockets;
};

Door ExpectHingeProgram(const GK_DoorWithHinges& door, double breakthrough);
Door ExpectLockProgram(const GK_DoorWithHinges& door, double breakthrough, double recessDepth);

// What the machine profile and the workshop allow the tools to do.
struct Rules {
    double passDiameters = 1.0; // the deepest pass, in tool diameters ...
    double passMax = 10.0;      // ... and in mm, the smaller counting
    double helixAngle = 3.0;    // degrees
    double peck = 0.0;          // mm a drill may go in at once; 0: any
    double safeHeight = 50.0;   // where the heads switch air and spindle
    double maxFeedPerTurn = 0.5; // mm per revolution at the S of the tool's start text
    double maxPlunge = 6000.0;  // mm/min along the tool's axis
};

// Every failure found, in words; empty when the program does what it must:
// the reader's own complaints (unknown words, the four texts of each tool
// use out of order, cuts outside a use, "%" unpaired); every hole at its
// centre and depth; every cut inside a feature that its tool may cut,
// within the outline inset by the tool radius and not below the feature;
// pockets cleared to 98 % of what the tool can reach; no tool wider than a
// hole cutting in it; helices turning counter-clockwise seen from above, so
// that the tool climbs. And by the rules: no rapid nearer than the tool's
// safe distance over the door except back down into a hole already bored;
// air and spindle switched only at the safe height; no drill moving
// sideways; no cut sideways taking more than a pass depth of material
// anywhere under the tool; no ramp steeper than the helix angle nor one
// diameter per turn; no drill going in more than a peck at once; no feed
// beyond the limits.
std::vector<std::string> CheckProgram(const sim::Run& run, const sim::Machine& machine, const Door& door,
                                      const Rules& rules);

// The share of the reachable area of the pocket that the run's cuts at the
// pocket's depth cleared, and the tool radius they cut with (0 when none).
struct Coverage {
    double share = 0.0;
    double radius = 0.0;
};
Coverage PocketCoverage(const sim::Run& run, const sim::Machine& machine, const Door& door, const Pocket& pocket);

} // namespace check
