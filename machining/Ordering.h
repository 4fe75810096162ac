#pragma once

#include <machining/Cuts.h>
#include <machining/ToolPath.h>

#include <library/MachineProfile.h>

#include <vector>

// Joins the jobs into tool uses: one use per tool, in the order of the
// first feature each tool cuts; within a use, always the nearest job next
// whose feature may be cut already (a hinge's holes after its mortise).
std::vector<ToolUse> OrderJobs(std::vector<Job> jobs, const MachineProfile& profile);
