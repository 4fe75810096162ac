#include <machining/FeedChecks.h>

#include <machining/ToolChoice.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

std::optional<double> SpindleSpeed(const std::string& drillStart)
{
    for (std::size_t i = 0; i < drillStart.size(); ++i) {
        const char c = drillStart[i];
        if (c != 'S' && c != 's')
            continue;
        // A word's letter: not the end of a longer name.
        if (i > 0 && std::isalpha(static_cast<unsigned char>(drillStart[i - 1])))
            continue;
        const char* begin = drillStart.c_str() + i + 1;
        char* end = nullptr;
        const double speed = std::strtod(begin, &end);
        if (end != begin && std::isdigit(static_cast<unsigned char>(*begin)) && speed > 0.0)
            return speed;
    }
    return std::nullopt;
}

std::vector<PlanWarning> FeedWarnings(const std::vector<ToolUse>& uses)
{
    std::vector<PlanWarning> warnings;
    std::vector<int> seen;
    for (const ToolUse& use : uses) {
        const KnifeInfo& tool = use.tool;
        if (std::find(seen.begin(), seen.end(), tool.ID) != seen.end())
            continue;
        seen.push_back(tool.ID);
        const int plunge = PlungeFeed(tool);
        if (const std::optional<double> speed = SpindleSpeed(tool.DrillStart)) {
            if (tool.Vel / *speed > kMaxFeedPerTurn)
                warnings.push_back({WarningKind::FeedPerTurn, tool.ID, {}, static_cast<double>(tool.Vel), *speed});
            if (plunge != tool.Vel && plunge / *speed > kMaxFeedPerTurn)
                warnings.push_back({WarningKind::PlungePerTurn, tool.ID, {}, static_cast<double>(plunge), *speed});
        }
        if (plunge > kMaxPlungeFeed)
            warnings.push_back({WarningKind::PlungeFeed, tool.ID, {}, static_cast<double>(plunge), 0.0});
    }
    return warnings;
}
