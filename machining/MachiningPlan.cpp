#include <machining/MachiningPlan.h>

#include <machining/Cuts.h>
#include <machining/Ordering.h>
#include <machining/Pocket.h>
#include <machining/ToolChoice.h>

#include <kernel/GK_Placement.h>

#include <optional>

namespace {

// Makes the jobs of the features, or notes what no tool can make.
class JobPlanner {
public:
    JobPlanner(const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile, MachiningPlan& plan)
        : m_tools(tools), m_stepoverShare(profile.Stepover / 100.0), m_plan(plan)
    {
    }

    void hole(const HoleFeature& hole)
    {
        const std::vector<const KnifeInfo*> candidates = CandidateTools(m_tools, ToolKindsFor(hole.ref));
        if (const KnifeInfo* drill = DrillFor(candidates, hole.diameter))
            m_jobs.push_back(DrillJob(hole, *drill));
        else if (const KnifeInfo* mill = HelixToolFor(candidates, hole.diameter))
            m_jobs.push_back(HelixJob(hole, *mill, mill->Diameter * m_stepoverShare));
        else
            m_plan.missing.push_back({hole.ref, false, hole.diameter, 0.0, 0.0, hole.depth, ToolKindsFor(hole.ref)});
    }

    void pocket(const PocketFeature& pocket)
    {
        for (const KnifeInfo* tool : PocketToolOrder(CandidateTools(m_tools, ToolKindsFor(pocket.ref)))) {
            const double radius = tool->Diameter / 2.0;
            if (const std::optional<PocketPasses> passes = PlanPocket(pocket.outline, radius, radius * 2.0 * m_stepoverShare)) {
                m_jobs.push_back(PocketJob(pocket, *tool, *passes));
                if (passes->unreachableArea >= kListedUnreachedArea)
                    m_plan.unreached.push_back({pocket.ref, passes->unreachableArea});
                return;
            }
        }
        const Bounds2 b = BoundsOf(pocket.outline);
        m_plan.missing.push_back({pocket.ref, true, 0.0, b.x1 - b.x0, b.y1 - b.y0, pocket.depth, ToolKindsFor(pocket.ref)});
    }

    std::vector<Job> takeJobs() { return std::move(m_jobs); }

private:
    const GU_OwnedList<KnifeInfo>& m_tools;
    double m_stepoverShare;
    MachiningPlan& m_plan;
    std::vector<Job> m_jobs;
};

} // namespace

MachiningPlan PlanProgram(ProgramKind kind, const GK_DoorWithHinges& door, const GU_OwnedList<KnifeInfo>& tools,
                          const MachineProfile& profile)
{
    MachiningPlan plan;
    plan.kind = kind;
    plan.doorName = door.GetName();
    const GK_DoorLayout layout = GK_LayOutDoor(door);
    plan.length = layout.length;
    plan.width = layout.width;
    plan.thickness = layout.thickness;

    const DoorFeatures features = kind == ProgramKind::Hinges ? CollectHingeFeatures(door, layout, profile)
                                                              : CollectLockFeatures(door, layout, profile);
    plan.leftOut = features.leftOut;
    plan.outside = features.outside;
    if (!plan.outside.empty()) {
        plan.status = PlanStatus::OutsideDoor;
        return plan;
    }
    JobPlanner planner(tools, profile, plan);
    for (const PocketFeature& pocket : features.pockets)
        planner.pocket(pocket);
    for (const HoleFeature& hole : features.holes)
        planner.hole(hole);
    if (!plan.missing.empty()) {
        plan.status = PlanStatus::MissingTools;
        plan.unreached.clear();
        return plan;
    }
    plan.uses = OrderJobs(planner.takeJobs(), profile);
    plan.status = plan.uses.empty() ? PlanStatus::NothingToMachine : PlanStatus::Ready;
    return plan;
}
