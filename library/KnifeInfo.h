#pragma once

#include <string>

// What a tool may do: a drill cuts only along its axis, a cutter may also
// move sideways. A table that says nothing treats its tools as cutters, as
// programs written before the kind was known did.
enum class KnifeKind { Unset, Drill, Cutter };

// One tool of the machine's tool table. Texts are GBK byte strings.
struct KnifeInfo {
    int ID = 0;                 // tool number
    double Diameter = 0.0;      // mm
    double SafeDistance = 10.0; // mm
    int Vel = 0;                // feed, mm/min
    int PlungeVel = 0;          // feed along the axis, mm/min; 0: not set, plunges at Vel
    KnifeKind Kind = KnifeKind::Unset;
    int Type = 0;               // 0 hinge tool, 1 vertical tool, 2 lock-hole side tool
    int IsMain = 0;             // main spindle flag
    int Enable = 1;             // enabled flag
    std::string AirForward;
    std::string AirBack;
    std::string DrillStart;
    std::string DrillStop;
};
