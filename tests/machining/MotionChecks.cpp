// The tools' motion replayed in order over a height map of what has been
// cut, judged against the rules of the profile and the workshop.
#include "CheckGeometry.h"

#include <cstdlib>
#include <numbers>
#include <optional>
#include <unordered_map>

namespace check {
namespace {

// Grid cells of the height map (mm): the tool's disc is stamped cell by cell.
constexpr double kCell = 0.5;
// Two coordinates written with three decimals.
constexpr double kRounding = 0.002;

// The deepest cut so far at each cell of a plane.
class HeightMap {
public:
    double at(const P2& p) const
    {
        const auto it = m_depth.find(key(cellOf(p.u), cellOf(p.v)));
        return it == m_depth.end() ? 0.0 : it->second;
    }

    // Cuts the tool's disc down to the depth; how much material it took at
    // the cell where it took most.
    double stamp(const P2& c, double radius, double depth)
    {
        double most = 0.0;
        const long u0 = cellOf(c.u - radius), u1 = cellOf(c.u + radius);
        const long v0 = cellOf(c.v - radius), v1 = cellOf(c.v + radius);
        for (long u = u0; u <= u1; ++u)
            for (long v = v0; v <= v1; ++v) {
                if (std::hypot((u + 0.5) * kCell - c.u, (v + 0.5) * kCell - c.v) > radius)
                    continue;
                double& cell = m_depth[key(u, v)];
                most = std::max(most, depth - cell);
                cell = std::max(cell, depth);
            }
        return most;
    }

private:
    static long cellOf(double x) { return static_cast<long>(std::floor(x / kCell)); }
    static long long key(long u, long v) { return (static_cast<long long>(u) << 32) ^ (v & 0xffffffffLL); }
    std::unordered_map<long long, double> m_depth;
};

// The spindle speed the tool's start text sets: its S word.
std::optional<double> spindleSpeed(const std::string& text)
{
    for (std::size_t i = text.find('S'); i != std::string::npos; i = text.find('S', i + 1)) {
        char* end = nullptr;
        const double s = std::strtod(text.c_str() + i + 1, &end);
        if (end != text.c_str() + i + 1 && s > 0)
            return s;
    }
    return std::nullopt;
}

class MotionJudge {
public:
    MotionJudge(const sim::Machine& m, const Door& door, const Rules& rules, std::vector<std::string>& fails)
        : m_m(m), m_door(door), m_rules(rules), m_fails(fails), m_report(fails)
    {
    }

    void move(const sim::Move& mv)
    {
        const bool edge = edgeTool(m_m, mv.tool);
        const Planar a = planar(mv.from, edge, m_door);
        const Planar b = planar(mv.to, edge, m_door);
        const double sideways = std::hypot(a.p.u - b.p.u, a.p.v - b.p.v);
        m_where = "line " + std::to_string(mv.line) + ": ";
        if (mv.rapid)
            rapid(mv, edge, a, b, sideways);
        else if (mv.tool >= 0)
            cut(mv, edge, a, b, sideways);
    }

    void starts(const std::vector<sim::UseStart>& starts)
    {
        for (const sim::UseStart& s : starts) {
            const bool edge = edgeTool(m_m, s.tool);
            const double out = edge ? -m_door.inward * (s.depthAxis - m_door.edgeY) : s.depthAxis;
            if (!s.known || out < m_rules.safeHeight - kTol)
                m_fails.push_back("line " + std::to_string(s.line) + ": air and spindle switched below the safe height");
        }
    }

private:
    HeightMap& map(bool edge) { return edge ? m_edge : m_face; }

    void rapid(const sim::Move& mv, bool edge, const Planar& a, const Planar& b, double sideways)
    {
        // Straight back out may start anywhere; straight down only into a
        // hole already bored there.
        if (sideways <= 1e-6 && (b.depth <= a.depth || b.depth <= map(edge).at(b.p) - kTol))
            return;
        const double safe = mv.tool >= 0 ? m_m.tools[mv.tool].safe : 0.0;
        along(mv, [&](const sim::Pt& pt) {
            const Planar q = planar(pt, edge, m_door);
            const bool over = edge ? (pt.x >= 0 && pt.x <= m_door.length && pt.z >= -m_door.thickness && pt.z <= 0)
                                   : (pt.x >= 0 && pt.x <= m_door.length && pt.y >= 0 && pt.y <= m_door.width);
            if (over && q.depth > -safe + kTol)
                m_report(m_where + "rapid nearer to the door than the safe distance");
        });
    }

    void cut(const sim::Move& mv, bool edge, const Planar& a, const Planar& b, double sideways)
    {
        const sim::Tool& tool = m_m.tools[mv.tool];
        const bool axial = sideways <= 1e-6;
        if (tool.drill && !axial)
            m_report(m_where + "drill moved sideways");
        feed(mv, tool, axial);
        const double descent = b.depth - a.depth;
        if (!axial && descent > kTol && b.depth > 0) {
            // Coordinates written to a thousandth may steepen a short piece by that much.
            const double slope = descent / sideways;
            if (descent > std::tan(m_rules.helixAngle * std::numbers::pi / 180) * sideways * 1.02 + kRounding)
                m_report(m_where + "ramp steeper than the helix angle");
            if (mv.radius > 0 && slope * 2 * std::numbers::pi * mv.radius > tool.diameter + kTol)
                m_report(m_where + "helix deeper than one diameter per turn");
        }
        const double pass = std::min(m_rules.passDiameters * tool.diameter, m_rules.passMax);
        double most = 0.0;
        sampled(a, b, [&](const P2& p, double depth) {
            if (depth > 0)
                most = std::max(most, map(edge).stamp(p, tool.diameter / 2, depth));
        });
        if (!axial && most > pass + kTol)
            m_report(m_where + "pass of " + std::to_string(most) + " mm, deeper than " + std::to_string(pass));
        if (axial && tool.drill && m_rules.peck > 0 && most > m_rules.peck + kTol)
            m_report(m_where + "drill in " + std::to_string(most) + " mm at once, more than a peck");
    }

    void feed(const sim::Move& mv, const sim::Tool& tool, bool axial)
    {
        if (axial && mv.feed > m_rules.maxPlunge + 0.5)
            m_report(m_where + "plunge at F" + std::to_string(mv.feed));
        if (const std::optional<double> s = spindleSpeed(tool.drillStart); s && mv.feed / *s > m_rules.maxFeedPerTurn + 1e-9)
            m_report(m_where + "feed of " + std::to_string(mv.feed / *s) + " mm per revolution");
    }

    // Points along a piece of a cut, a half cell apart.
    template <typename F>
    static void sampled(const Planar& a, const Planar& b, F f)
    {
        const double len = std::hypot(b.p.u - a.p.u, b.p.v - a.p.v);
        const int n = std::max(1, static_cast<int>(std::ceil(len / (kCell / 2))));
        for (int k = 1; k <= n; ++k) {
            const double t = static_cast<double>(k) / n;
            f(P2{a.p.u + (b.p.u - a.p.u) * t, a.p.v + (b.p.v - a.p.v) * t}, a.depth + (b.depth - a.depth) * t);
        }
    }

    const sim::Machine& m_m;
    const Door& m_door;
    const Rules& m_rules;
    std::vector<std::string>& m_fails;
    Reporter m_report;
    HeightMap m_face, m_edge;
    std::string m_where;
};

// The deepest pocket of the plane around the point: where a hole in it starts.
double topOf(const Hole& h, const Door& door)
{
    double top = 0.0;
    for (const Pocket& pk : door.pockets)
        if (pk.edge == h.edge && insidePolygon(h.centre, pk.outline))
            top = std::max(top, pk.depth);
    return top;
}

bool insideDeeperPocket(const Planar& q, bool edge, const Door& door)
{
    return std::any_of(door.pockets.begin(), door.pockets.end(), [&](const Pocket& pk) {
        return pk.edge == edge && q.depth <= pk.depth + kTol && insidePolygon(q.p, pk.outline);
    });
}

// No tool wider than a hole cuts into it below where it starts.
void checkWiderTools(const sim::Run& run, const sim::Machine& m, const Door& door, std::vector<std::string>& fails)
{
    Reporter report(fails);
    for (const Hole& h : door.holes) {
        const double top = topOf(h, door);
        for (const sim::Move& mv : run.moves) {
            if (mv.rapid || mv.tool < 0 || edgeTool(m, mv.tool) != h.edge || m.tools[mv.tool].diameter <= h.diameter + 0.05)
                continue;
            const double reach = h.diameter / 2 + radiusOf(m, mv.tool) - kTol;
            along(mv, [&](const sim::Pt& pt) {
                const Planar q = planar(pt, h.edge, door);
                if (q.depth > top + kTol && std::hypot(q.p.u - h.centre.u, q.p.v - h.centre.v) < reach &&
                    !insideDeeperPocket(q, h.edge, door))
                    report("line " + std::to_string(mv.line) + ": a tool wider than " + h.name + " cuts in it");
            });
        }
    }
}

} // namespace

void CheckMotion(const sim::Run& run, const sim::Machine& m, const Door& door, const Rules& rules,
                 std::vector<std::string>& fails)
{
    MotionJudge judge(m, door, rules, fails);
    judge.starts(run.starts);
    for (const sim::Move& mv : run.moves)
        judge.move(mv);
    checkWiderTools(run, m, door, fails);
}

} // namespace check
