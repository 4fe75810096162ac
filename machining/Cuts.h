#pragma once

#include <machining/Features.h>
#include <machining/Pocket.h>
#include <machining/ToolPath.h>

#include <library/KnifeInfo.h>
#include <library/MachineProfile.h>

#include <vector>

// The cuts of one feature with its tool. They start with the tool at its
// safe distance in front of the surface above `entry` and end there above
// `exit`.
struct Job {
    FeatureRef feature;
    const KnifeInfo* tool = nullptr;
    WorkFrame frame;
    Point2 entry;
    Point2 exit;
    std::vector<Move> cuts;
};

// How a tool may cut by the machine profile.
struct CutLimits {
    double passDepth = 0.0;  // the deepest a pass goes below the one before (mm)
    double helixSlope = 0.0; // the steepest helix: depth per length along the path
    double stepover = 0.0;   // between pocket passes and helix rings (mm)
    double peck = 0.0;       // drilling steps (mm); 0 drills in one go
};
CutLimits LimitsFor(const KnifeInfo& tool, const MachineProfile& profile);

// The depths of the passes down to `depth`: equal steps of at most
// `passDepth`, the last one the depth itself.
std::vector<double> PassDepths(double depth, double passDepth);

// A hole as wide as the tool: one plunge at its centre, pecking in steps of
// `peck` when above 0.
Job DrillJob(const HoleFeature& hole, const KnifeInfo& tool, double peck);
// A hole wider than the tool: pass by pass, helical rings from the inside
// out, so that no core is left, each ramping down at most the limits'
// slope and never more than one tool diameter per turn.
Job HelixJob(const HoleFeature& hole, const KnifeInfo& tool, const CutLimits& limits);
// A pocket by its planned passes, repeated at each pass depth.
Job PocketJob(const PocketFeature& pocket, const KnifeInfo& tool, const PocketPasses& passes, double passDepth);
