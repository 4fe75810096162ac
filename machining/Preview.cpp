#include <machining/Preview.h>

#include <machining/Motion.h>

#include <algorithm>

std::vector<PreviewStroke> PreviewStrokes(const std::vector<const MachiningPlan*>& plans)
{
    std::vector<PreviewStroke> strokes;
    std::vector<int> toolIds;
    for (const MachiningPlan* plan : plans) {
        for (std::size_t i = 0; i < plan->uses.size(); ++i) {
            const ToolUse& use = plan->uses[i];
            auto known = std::find(toolIds.begin(), toolIds.end(), use.tool.ID);
            if (known == toolIds.end())
                known = toolIds.insert(toolIds.end(), use.tool.ID);
            const int tool = static_cast<int>(known - toolIds.begin());
            for (const Segment& s : TraceToolUse(use, StartOfToolUse(plan->uses, i))) {
                const Point2 from{s.from.x, s.from.y};
                const Point2 to{s.to.x, s.to.y};
                // Moves straight along z show as nothing from above.
                if (from == to)
                    continue;
                if (strokes.empty() || strokes.back().tool != tool || strokes.back().rapid != s.rapid ||
                    !(strokes.back().points.back() == from))
                    strokes.push_back({tool, s.rapid, {from}});
                strokes.back().points.push_back(to);
            }
        }
    }
    return strokes;
}
