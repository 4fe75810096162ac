#include <machining/MachiningPlan.h>

#include <machining/Cuts.h>
#include <machining/FeedChecks.h>
#include <machining/Ordering.h>
#include <machining/Pocket.h>
#include <machining/ToolChoice.h>

#include <kernel/GK_Placement.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The largest tool diameter, to this resolution (mm), that would reach
// what is left unreached.
constexpr double kReachResolution = 0.1;

double unreachedWith(const Polygon2& outline, double radius)
{
    const std::optional<PocketPasses> passes = PlanPocket(outline, radius, radius, radius);
    return passes ? passes->unreachableArea : 0.0;
}

// Makes the jobs of the features, or notes what no tool can make.
class JobPlanner {
public:
    JobPlanner(const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile, MachiningPlan& plan)
        : m_tools(tools), m_profile(profile), m_plan(plan)
    {
    }

    // A drill only drills a hole of its own diameter; a wider hole is
    // milled by a helix with a cutter that fits.
    void hole(const HoleFeature& hole)
    {
        const std::vector<const KnifeInfo*> candidates = CandidateTools(m_tools, ToolKindsFor(hole.ref));
        if (const KnifeInfo* drill = DrillFor(candidates, hole.diameter))
            m_jobs.push_back(DrillJob(hole, *drill, LimitsFor(*drill, m_profile).peck));
        else if (const KnifeInfo* mill = HelixToolFor(Cutters(candidates), hole.diameter))
            m_jobs.push_back(HelixJob(hole, *mill, LimitsFor(*mill, m_profile)));
        else
            m_plan.missing.push_back({hole.ref, false, hole.diameter, 0.0, 0.0, hole.depth, ToolKindsFor(hole.ref)});
    }

    // The largest cutter that fits clears the pocket; the corners it leaves
    // are finished by a smaller one.
    void pocket(const PocketFeature& pocket)
    {
        const std::vector<const KnifeInfo*> cutters = PocketToolOrder(Cutters(CandidateTools(m_tools, ToolKindsFor(pocket.ref))));
        for (const KnifeInfo* tool : cutters) {
            const CutLimits limits = LimitsFor(*tool, m_profile);
            const std::optional<PocketPasses> passes = PlanPocket(pocket.outline, tool->Diameter / 2.0, limits.stepover);
            if (!passes)
                continue;
            m_jobs.push_back(PocketJob(pocket, *tool, *passes, limits.passDepth));
            if (passes->unreachableArea >= kListedUnreachedArea)
                finishCorners(pocket, *tool, passes->unreachableArea, cutters);
            return;
        }
        const GK_Box b = BoundsOf(pocket.outline);
        m_plan.missing.push_back({pocket.ref, true, 0.0, b.width(), b.height(), pocket.depth, ToolKindsFor(pocket.ref)});
    }

    std::vector<Job> takeJobs() { return std::move(m_jobs); }

private:
    // Rest machining: of the smaller cutters, the largest that leaves no
    // listed area, else the one that leaves least, goes along the walls as
    // far in as the first tool could not reach.
    void finishCorners(const PocketFeature& pocket, const KnifeInfo& first, double left,
                       const std::vector<const KnifeInfo*>& cutters)
    {
        const KnifeInfo* rest = nullptr;
        std::optional<PocketPasses> restPasses;
        for (const KnifeInfo* tool : cutters) {
            if (tool->Diameter >= first.Diameter - kDrillDiameterTolerance)
                continue;
            const double radius = tool->Diameter / 2.0;
            std::optional<PocketPasses> passes =
                PlanPocket(pocket.outline, radius, LimitsFor(*tool, m_profile).stepover, first.Diameter / 2.0 + radius);
            if (passes && (!restPasses || passes->unreachableArea < restPasses->unreachableArea - kListedUnreachedArea / 2.0)) {
                rest = tool;
                restPasses = std::move(passes);
                if (restPasses->unreachableArea < kListedUnreachedArea)
                    break;
            }
        }
        double tried = first.Diameter;
        if (rest) {
            m_jobs.push_back(PocketJob(pocket, *rest, *restPasses, LimitsFor(*rest, m_profile).passDepth));
            left = restPasses->unreachableArea;
            tried = rest->Diameter;
        }
        if (left >= kListedUnreachedArea)
            m_plan.unreached.push_back({pocket.ref, left, pocket.outline, tried});
    }

    const GU_OwnedList<KnifeInfo>& m_tools;
    const MachineProfile& m_profile;
    MachiningPlan& m_plan;
    std::vector<Job> m_jobs;
};

} // namespace

double ReachingDiameter(const UnreachedArea& unreached)
{
    // Halves the interval below the smallest radius tried until the area
    // left would not be listed.
    double low = 0.0, high = unreached.triedDiameter / 2.0;
    while (high - low > kReachResolution / 20.0) {
        const double mid = (low + high) / 2.0;
        (unreachedWith(unreached.outline, mid) < kListedUnreachedArea ? low : high) = mid;
    }
    return std::floor(2.0 * low / kReachResolution) * kReachResolution;
}

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
    for (const Overrun& overrun : features.outside) {
        plan.outside.push_back(overrun.ref);
        plan.overruns.push_back(overrun);
    }
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
    plan.warnings = FeedWarnings(plan.uses);
    for (const ThinWall& wall : features.thinWalls)
        plan.warnings.push_back({WarningKind::ThinWall, 0, wall.ref, wall.wall, 0.0});
    return plan;
}
