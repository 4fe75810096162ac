#include <machining/Ordering.h>

#include <algorithm>
#include <limits>

namespace {

// Features in the order their kinds are listed in Features.h come first.
int rank(const FeatureRef& feature)
{
    return static_cast<int>(feature.kind);
}

// A hinge's holes wait for the mortise of the same hinge.
bool mayFollow(const Job& job, const std::vector<const Job*>& pending)
{
    if (job.feature.kind != FeatureKind::HingeHole)
        return true;
    return std::none_of(pending.begin(), pending.end(), [&](const Job* other) {
        return other->feature.kind == FeatureKind::HingeMortise && other->feature.part == job.feature.part;
    });
}

void rapid(ToolUse& use, MoveKind kind, const position& to)
{
    use.moves.push_back(Move{kind, to, {}, 0.0, {}});
}

} // namespace

std::vector<ToolUse> OrderJobs(std::vector<Job> jobs, const MachineProfile& profile)
{
    // Tools in the order of the first feature they cut.
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return rank(a.feature) < rank(b.feature); });
    std::vector<const KnifeInfo*> tools;
    for (const Job& job : jobs)
        if (std::find(tools.begin(), tools.end(), job.tool) == tools.end())
            tools.push_back(job.tool);

    std::vector<ToolUse> uses;
    Point2 at{0.0, 0.0};
    for (const KnifeInfo* tool : tools) {
        std::vector<const Job*> pending;
        for (const Job& job : jobs)
            if (job.tool == tool)
                pending.push_back(&job);
        ToolUse use;
        use.tool = *tool;
        use.frame = pending.front()->frame;
        const double safe = tool->SafeDistance;
        const double travel = std::max(profile.SafeHeight, safe);
        bool first = true;
        Point2 exit = at;
        while (!pending.empty()) {
            auto next = pending.end();
            double best = std::numeric_limits<double>::infinity();
            for (auto it = pending.begin(); it != pending.end(); ++it) {
                const double d = Distance(at, (*it)->entry);
                if (d < best && mayFollow(**it, pending)) {
                    best = d;
                    next = it;
                }
            }
            const Job& job = **next;
            const WorkFrame& f = use.frame;
            if (first) {
                rapid(use, MoveKind::Retract, f.at(job.entry, -travel));
                rapid(use, MoveKind::Rapid, f.at(job.entry, -travel));
            }
            rapid(use, MoveKind::Rapid, f.at(job.entry, -safe));
            first = false;
            use.moves.push_back(Move{MoveKind::Note, f.at(job.entry, -safe), {}, 0.0, job.feature});
            use.moves.insert(use.moves.end(), job.cuts.begin(), job.cuts.end());
            at = exit = job.exit;
            pending.erase(next);
        }
        rapid(use, MoveKind::Rapid, use.frame.at(exit, -travel));
        uses.push_back(std::move(use));
    }
    return uses;
}
