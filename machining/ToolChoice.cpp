#include <machining/ToolChoice.h>

#include <algorithm>
#include <cmath>

namespace {
bool usable(const KnifeInfo& tool)
{
    return tool.Enable != 0 && std::isfinite(tool.Diameter) && tool.Diameter > 0.0 && tool.Vel > 0 &&
           std::isfinite(tool.SafeDistance) && tool.SafeDistance > 0.0 && tool.Type >= 0 && tool.Type <= 2;
}
} // namespace

int ToolKindsFor(const FeatureRef& feature)
{
    switch (feature.kind) {
    case FeatureKind::HingeMortise:
        return kHingeTools;
    case FeatureKind::HingeHole:
    case FeatureKind::LockHole:
        return kHingeTools | kVerticalTools;
    case FeatureKind::LockPocket:
        return kVerticalTools;
    case FeatureKind::FaceplateRecess:
    case FeatureKind::BodySlot:
    case FeatureKind::FaceplateHole:
    case FeatureKind::FaceplatePocket:
        return kSideTools;
    }
    return 0;
}

std::vector<const KnifeInfo*> CandidateTools(const GU_OwnedList<KnifeInfo>& tools, int kinds)
{
    std::vector<const KnifeInfo*> candidates;
    for (const KnifeInfo* tool : tools)
        if (tool && usable(*tool) && (kinds & (1 << tool->Type)))
            candidates.push_back(tool);
    std::stable_partition(candidates.begin(), candidates.end(), [](const KnifeInfo* t) { return t->IsMain != 0; });
    return candidates;
}

const KnifeInfo* DrillFor(const std::vector<const KnifeInfo*>& candidates, double diameter)
{
    for (const KnifeInfo* tool : candidates)
        if (std::abs(tool->Diameter - diameter) <= kDrillDiameterTolerance)
            return tool;
    return nullptr;
}

const KnifeInfo* HelixToolFor(const std::vector<const KnifeInfo*>& candidates, double diameter)
{
    const KnifeInfo* best = nullptr;
    for (const KnifeInfo* tool : candidates)
        if (tool->Diameter < diameter - kDrillDiameterTolerance && (!best || tool->Diameter > best->Diameter))
            best = tool;
    return best;
}

std::vector<const KnifeInfo*> PocketToolOrder(std::vector<const KnifeInfo*> candidates)
{
    std::stable_sort(candidates.begin(), candidates.end(), [](const KnifeInfo* a, const KnifeInfo* b) {
        if ((a->IsMain != 0) != (b->IsMain != 0))
            return a->IsMain != 0;
        return a->Diameter > b->Diameter;
    });
    return candidates;
}

int PlungeFeed(const KnifeInfo& tool)
{
    return tool.PlungeVel > 0 ? tool.PlungeVel : tool.Vel;
}

bool CutsSideways(const KnifeInfo& tool)
{
    return tool.Kind != KnifeKind::Drill;
}

std::vector<const KnifeInfo*> Cutters(std::vector<const KnifeInfo*> candidates)
{
    std::erase_if(candidates, [](const KnifeInfo* tool) { return !CutsSideways(*tool); });
    return candidates;
}
