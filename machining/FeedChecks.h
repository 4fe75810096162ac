#pragma once

#include <machining/MachiningPlan.h>
#include <machining/ToolPath.h>

#include <optional>
#include <string>
#include <vector>

// The spindle speed (rpm) that a tool's start text sets with its S word;
// nothing when it names none.
std::optional<double> SpindleSpeed(const std::string& drillStart);

// The feeds of the tools the uses take that pass the limits of
// MachiningPlan.h, each tool once, in the order of first use.
std::vector<PlanWarning> FeedWarnings(const std::vector<ToolUse>& uses);
