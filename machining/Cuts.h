#pragma once

#include <machining/Features.h>
#include <machining/Pocket.h>
#include <machining/ToolPath.h>

#include <library/KnifeInfo.h>

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

// A hole as wide as the tool: one plunge at its centre.
Job DrillJob(const HoleFeature& hole, const KnifeInfo& tool);
// A hole wider than the tool: helical rings down to its depth, from the
// inside out, so that no core is left; `pitch` is the descent per turn and
// the step between rings (mm).
Job HelixJob(const HoleFeature& hole, const KnifeInfo& tool, double pitch);
// A pocket by its planned passes.
Job PocketJob(const PocketFeature& pocket, const KnifeInfo& tool, const PocketPasses& passes);
