#include <machining/Cuts.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Helices in the lock edge are written as straight moves that stray from the
// true circle by at most this much (mm).
constexpr double kChordTolerance = 0.005;
// Below this a profile's pass depth would take forever.
constexpr double kMinPassDepth = 0.1; // mm

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
// The outermost leaves the hole's wall; each next one lies at most a
// stepover inwards, and the innermost covers the centre without shrinking
// to a plunge.
std::vector<double> ringRadii(double outer, double toolRadius, double stepover)
{
    std::vector<double> radii{outer};
    while (radii.back() > toolRadius)
        radii.push_back(std::max(radii.back() - stepover, std::min(outer, toolRadius / 2.0)));
    std::reverse(radii.begin(), radii.end());
    return radii;
}

// One ring from depth `from` down to `to`, then once round at the bottom,
// then back out. Rings turn counter-clockwise seen from above: with the
// spindle turning clockwise the tool climbs along the wall.
struct Ring {
    double radius;
    double from, to;
};

void helixRing(Job& job, const HoleFeature& hole, const Ring& ring, double perTurn, double safe)
{
    const WorkFrame& f = hole.frame;
    const Point2 c = hole.centre;
    const double radius = ring.radius;
    const Point2 start{c.x + radius, c.y};
    // Half turns, each going down by the same amount, no more than half a turn's descent.
    const int halves = std::max(1, static_cast<int>(std::ceil((ring.to - ring.from) / (perTurn / 2.0) - 1e-9)));
    // Once round at the bottom, and a half more where that brings the tool
    // back over the start, from where it leaves straight out.
    const int bottomHalves = 2 + halves % 2;
    add(job, MoveKind::Plunge, f.at(start, ring.from));
    const auto depthAt = [&](double halvesDone) {
        return ring.from + (ring.to - ring.from) * std::min(1.0, halvesDone / halves);
    };
    if (!f.edge) {
        for (int k = 1; k <= halves + bottomHalves; ++k) {
            const Point2 p{c.x + (k % 2 ? -radius : radius), c.y};
            job.cuts.push_back(Move{MoveKind::ArcCcw, f.at(p, depthAt(k)), c, 0.0, {}});
        }
    } else {
        const double step = radius > kChordTolerance ? std::acos(1.0 - kChordTolerance / radius) * 2.0 : std::numbers::pi;
        const int perHalf = std::max(2, static_cast<int>(std::ceil(std::numbers::pi / step)));
        const int total = (halves + bottomHalves) * perHalf;
        for (int k = 1; k <= total; ++k) {
            const double angle = std::numbers::pi * k / perHalf;
            add(job, MoveKind::Feed,
                f.at({c.x + radius * std::cos(angle), c.y + radius * std::sin(angle)},
                     depthAt(static_cast<double>(k) / perHalf)));
        }
    }
    add(job, MoveKind::Rapid, f.at(start, -safe));
}

} // namespace

CutLimits LimitsFor(const KnifeInfo& tool, const MachineProfile& profile)
{
    CutLimits limits;
    // A profile without a usable limit cuts a diameter deep, the common rule.
    double pass = std::min(profile.PassDepthDiameters * tool.Diameter, profile.PassDepthMax);
    limits.passDepth = std::isfinite(pass) && pass >= kMinPassDepth ? pass : std::max(kMinPassDepth, tool.Diameter);
    const double angle = std::clamp(std::isfinite(profile.HelixAngle) ? profile.HelixAngle : 0.0, kMinHelixAngle, kMaxHelixAngle);
    limits.helixSlope = std::tan(angle * std::numbers::pi / 180.0);
    limits.stepover = tool.Diameter * profile.Stepover / 100.0;
    limits.peck = std::isfinite(profile.PeckDepth) && profile.PeckDepth >= kMinPassDepth ? profile.PeckDepth : 0.0;
    return limits;
}

std::vector<double> PassDepths(double depth, double passDepth)
{
    const int passes = std::max(1, static_cast<int>(std::ceil(depth / passDepth - 1e-9)));
    std::vector<double> depths;
    for (int k = 1; k < passes; ++k)
        depths.push_back(depth * k / passes);
    depths.push_back(depth);
    return depths;
}

Job DrillJob(const HoleFeature& hole, const KnifeInfo& tool, double peck)
{
    Job job = startJob(hole.ref, tool, hole.frame);
    job.entry = job.exit = hole.centre;
    Move drill{MoveKind::Drill, hole.frame.at(hole.centre, hole.depth), {}, 0.0, {}, peck};
    const position back = hole.frame.at(hole.centre, -tool.SafeDistance);
    drill.retract = hole.frame.edge ? back.y : back.z;
    job.cuts.push_back(drill);
    return job;
}

Job HelixJob(const HoleFeature& hole, const KnifeInfo& tool, const CutLimits& limits)
{
    Job job = startJob(hole.ref, tool, hole.frame);
    const double toolRadius = tool.Diameter / 2.0;
    const std::vector<double> radii = ringRadii(hole.diameter / 2.0 - toolRadius, toolRadius, limits.stepover);
    const double safe = tool.SafeDistance;
    job.entry = {hole.centre.x + radii.front(), hole.centre.y};
    bool first = true;
    double from = 0.0;
    for (const double to : PassDepths(hole.depth, limits.passDepth)) {
        for (const double radius : radii) {
            const Point2 start{hole.centre.x + radius, hole.centre.y};
            if (!first)
                add(job, MoveKind::Rapid, hole.frame.at(start, -safe));
            first = false;
            const double perTurn = std::min(2.0 * std::numbers::pi * radius * limits.helixSlope, tool.Diameter);
            helixRing(job, hole, {radius, from, to}, perTurn, safe);
            job.exit = start;
        }
        from = to;
    }
    return job;
}

Job PocketJob(const PocketFeature& pocket, const KnifeInfo& tool, const PocketPasses& passes, double passDepth)
{
    Job job = startJob(pocket.ref, tool, pocket.frame);
    const WorkFrame& f = pocket.frame;
    const double safe = tool.SafeDistance;
    bool first = true;
    for (const double depth : PassDepths(pocket.depth, passDepth))
        for (const std::vector<Point2>& run : passes.runs) {
            if (run.empty())
                continue;
            if (first)
                job.entry = run.front();
            else
                add(job, MoveKind::Rapid, f.at(run.front(), -safe));
            first = false;
            add(job, MoveKind::Plunge, f.at(run.front(), depth));
            for (std::size_t i = 1; i < run.size(); ++i)
                add(job, MoveKind::Feed, f.at(run[i], depth));
            add(job, MoveKind::Rapid, f.at(run.back(), -safe));
            job.exit = run.back();
        }
    return job;
}
