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

// Every failure found, in words; empty when the program does what it must:
// the reader's own complaints (unknown words, the four texts of each tool
// use out of order, cuts outside a use); every hole at its centre and depth;
// every cut inside a feature that its tool may cut, within the outline
// inset by the tool radius and not below the feature; pockets cleared to
// 98 % of what the tool can reach; no rapid nearer than the tool's safe
// distance over the door; nothing below the bottom face but the breakthrough;
// helices turning counter-clockwise seen from above, so that the tool climbs.
std::vector<std::string> CheckProgram(const sim::Run& run, const sim::Machine& machine, const Door& door);

// The share of the reachable area of the pocket that the run's cuts at the
// pocket's depth cleared, and the tool radius they cut with (0 when none).
struct Coverage {
    double share = 0.0;
    double radius = 0.0;
};
Coverage PocketCoverage(const sim::Run& run, const sim::Machine& machine, const Door& door, const Pocket& pocket);

} // namespace check
