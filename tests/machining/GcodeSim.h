#pragma once

// An independent reader of the machining programs: it knows G-code and the
// machine, not how the programs are written. It replays a program and turns
// it back into straight moves in the leaf's frame (x along the door, y
// across, z up from the top face), for the checks to judge.

#include <string>
#include <vector>

namespace sim {

struct Tool {
    int id = 0;
    int type = 0; // 2: the side head
    double diameter = 0.0;
    double safe = 0.0;
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
};

struct Run {
    std::vector<Move> moves;
    std::vector<std::string> errors;
    int toolUses = 0;
    bool ended = false; // M30 seen
};

Run Replay(const std::string& program, const Machine& machine);

} // namespace sim
