#pragma once

#include <machining/ToolPath.h>

#include <library/MachineProfile.h>

#include <optional>
#include <vector>

// A piece of a tool's path in the leaf's frame: straight, or an arc of the
// top face.
struct Segment {
    position from;
    position to;
    bool rapid = false;
    bool plunge = false;  // a cut along the tool's axis, at its plunge feed
    std::size_t move = 0; // the index of the move it is part of in its use
    // Arcs: the centre's x and y, and the angle turned about it (radians,
    // counter-clockwise seen from above when positive); a change of z makes
    // it a helix. A sweep of 0 is a straight piece.
    Point2 centre;
    double sweep = 0.0;
};

// The path of a tool use as pieces, one to each arc, drills split into their
// approach, plunge and retract. The use starts from
// `start` (where the previous use ended); without one, the first retract,
// whose start is unknown, gives no piece.
std::vector<Segment> TraceToolUse(const ToolUse& use, const std::optional<position>& start);

// The depths below the surface at which a drill stops and clears its chips
// on the way down to `depth`, in steps of at most `peck`, the last one the
// depth itself; the depth alone without pecking.
std::vector<double> PeckDepths(double depth, double peck);

// Where a tool use leaves the tool.
position EndOfToolUse(const ToolUse& use);

// Where the i-th use of a program starts: where the last use of the same
// head ended; nothing for a head's first use.
std::optional<position> StartOfToolUse(const std::vector<ToolUse>& uses, std::size_t i);

// The machining time in seconds: cuts at each tool's feed, plunges at its
// plunge feed, rapid moves at the profile's rapid feed.
double EstimateSeconds(const std::vector<ToolUse>& uses, const MachineProfile& profile);
