#pragma once

// An independent reader of the machining programs: it knows G-code and the
// machine, not how the programs are written. It replays a program and turns
// it back into straight moves in the leaf's frame (x along the door, y
// across, z up from the top face), for the checks to judge. Motion lines
// between two tool uses belong to the head of the next one; G83 pecks come
// back down in rapid to kPeckClearance above the depth reached.

#include <string>
#include <vector>

namespace sim {

struct Tool {
    int id = 0;
    int type = 0; // 2: the side head
    double diameter = 0.0;
    double safe = 0.0;
    bool drill = false; // cuts only along its axis
    std::string airForward, drillStart, drillStop, airBack;
};

struct Machine {
    double length = 0.0, width = 0.0;
    int originCorner = 0; // 0 (0,0), 1 (length,0), 2 (length,width), 3 (0,width)
    int xDir = 1, yDir = 1;
    char side[3] = {'X', 'Y', 'Z'}; // the side head's letters for x, y, z
    bool crlf = true;
    std::vector<Tool> tools;
};

struct Pt {
    double x = 0.0, y = 0.0, z = 0.0;
};

struct Move {
    Pt from, to;
    bool rapid = false;
    int turn = 0;  // pieces of arcs: 1 counter-clockwise, -1 clockwise seen from above the leaf
    int tool = -1; // index into Machine::tools, -1 outside any tool use
    int line = 0;
    double feed = 0.0;   // cuts: mm/min
    double radius = 0.0; // pieces of arcs: the arc's radius
};

// Where a tool use begins: the head's depth axis (the leaf's z for the
// vertical spindles, its y for the side head) as the lines before the air
// text left it; unknown when they did not state it.
struct UseStart {
    int tool = -1;
    int line = 0;
    bool known = false;
    double depthAxis = 0.0;
};

struct Run {
    std::vector<Move> moves;
    std::vector<std::string> errors;
    std::vector<UseStart> starts;
    int toolUses = 0;
    bool ended = false; // M30 seen
};

inline constexpr double kPeckClearance = 0.5;

Run Replay(const std::string& program, const Machine& machine);

} // namespace sim
