#include <machining/Cuts.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Helices in the lock edge are written as straight moves that stray from the
// true circle by at most this much (mm).
constexpr double kChordTolerance = 0.005;

Job startJob(const FeatureRef& feature, const KnifeInfo& tool, const WorkFrame& frame)
{
    Job job;
    job.feature = feature;
    job.tool = &tool;
    job.frame = frame;
    return job;
}

void add(Job& job, MoveKind kind, const position& to)
{
    job.cuts.push_back(Move{kind, to, {}, 0.0, {}});
}

// The rings of a helix: the radii the tool centre circles at, inside first.
// The outermost leaves the hole's wall; each next one lies at most a pitch
// inwards, and the innermost covers the centre.
std::vector<double> ringRadii(double outer, double toolRadius, double pitch)
{
    std::vector<double> radii{outer};
    while (radii.back() > toolRadius)
        radii.push_back(std::max(0.0, radii.back() - pitch));
    std::reverse(radii.begin(), radii.end());
    return radii;
}

// One ring from the surface down to the hole's depth, then once round at
// the bottom, then back out. Rings turn counter-clockwise seen from above:
// with the spindle turning clockwise the tool climbs along the wall.
void helixRing(Job& job, const HoleFeature& hole, double radius, double pitch, double safe)
{
    const WorkFrame& f = hole.frame;
    const Point2 c = hole.centre;
    const Point2 start{c.x + radius, c.y};
    // Half turns, each going down by the same amount, no more than half a pitch.
    const int halves = std::max(1, static_cast<int>(std::ceil(hole.depth / (pitch / 2.0))));
    // Once round at the bottom, and a half more where that brings the tool
    // back over the start, from where it leaves straight out.
    const int bottomHalves = 2 + halves % 2;
    add(job, MoveKind::Feed, f.at(start, 0.0));
    if (!f.edge) {
        for (int k = 1; k <= halves + bottomHalves; ++k) {
            const Point2 p{c.x + (k % 2 ? -radius : radius), c.y};
            const double depth = hole.depth * std::min(k, halves) / halves;
            job.cuts.push_back(Move{MoveKind::ArcCcw, f.at(p, depth), c, 0.0, {}});
        }
    } else {
        const double step = radius > kChordTolerance ? std::acos(1.0 - kChordTolerance / radius) * 2.0 : std::numbers::pi;
        const int perHalf = std::max(2, static_cast<int>(std::ceil(std::numbers::pi / step)));
        const int total = (halves + bottomHalves) * perHalf;
        for (int k = 1; k <= total; ++k) {
            const double angle = std::numbers::pi * k / perHalf;
            const double depth = hole.depth * std::min(1.0, static_cast<double>(k) / (halves * perHalf));
            add(job, MoveKind::Feed, f.at({c.x + radius * std::cos(angle), c.y + radius * std::sin(angle)}, depth));
        }
    }
    add(job, MoveKind::Rapid, f.at(start, -safe));
}

} // namespace

Job DrillJob(const HoleFeature& hole, const KnifeInfo& tool)
{
    Job job = startJob(hole.ref, tool, hole.frame);
    job.entry = job.exit = hole.centre;
    Move drill{MoveKind::Drill, hole.frame.at(hole.centre, hole.depth), {}, 0.0, {}};
    const position back = hole.frame.at(hole.centre, -tool.SafeDistance);
    drill.retract = hole.frame.edge ? back.y : back.z;
    job.cuts.push_back(drill);
    return job;
}

Job HelixJob(const HoleFeature& hole, const KnifeInfo& tool, double pitch)
{
    Job job = startJob(hole.ref, tool, hole.frame);
    const double toolRadius = tool.Diameter / 2.0;
    const std::vector<double> radii = ringRadii(hole.diameter / 2.0 - toolRadius, toolRadius, pitch);
    const double safe = tool.SafeDistance;
    bool first = true;
    for (const double radius : radii) {
        const Point2 start{hole.centre.x + radius, hole.centre.y};
        if (first)
            job.entry = start;
        else
            add(job, MoveKind::Rapid, hole.frame.at(start, -safe));
        first = false;
        if (radius == 0.0) {
            const Job plunge = DrillJob(hole, tool);
            job.cuts.insert(job.cuts.end(), plunge.cuts.begin(), plunge.cuts.end());
        } else {
            helixRing(job, hole, radius, pitch, safe);
        }
        job.exit = start;
    }
    return job;
}

Job PocketJob(const PocketFeature& pocket, const KnifeInfo& tool, const PocketPasses& passes)
{
    Job job = startJob(pocket.ref, tool, pocket.frame);
    const WorkFrame& f = pocket.frame;
    const double safe = tool.SafeDistance;
    bool first = true;
    for (const std::vector<Point2>& run : passes.runs) {
        if (run.empty())
            continue;
        if (first)
            job.entry = run.front();
        else
            add(job, MoveKind::Rapid, f.at(run.front(), -safe));
        first = false;
        for (const Point2& p : run)
            add(job, MoveKind::Feed, f.at(p, pocket.depth));
        add(job, MoveKind::Rapid, f.at(run.back(), -safe));
        job.exit = run.back();
    }
    return job;
}
