#pragma once

#include <string>

// One tool of the machine's tool table. Texts are GBK byte strings.
struct KnifeInfo {
    int ID = 0;                 // tool number
    double Diameter = 0.0;      // mm
    double SafeDistance = 10.0; // mm
    int Vel = 0;                // speed
    int Type = 0;               // 0 hinge tool, 1 vertical tool, 2 lock-hole side tool
    int IsMain = 0;             // main spindle flag
    int Enable = 1;             // enabled flag
    std::string AirForward;
    std::string AirBack;
    std::string DrillStart;
    std::string DrillStop;
};
