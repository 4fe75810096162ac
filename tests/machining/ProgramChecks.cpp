#include "ProgramChecks.h"

#include <kernel/GK_Hinges.h>
#include <kernel/GK_Hole.h>
#include <kernel/GK_LockCore.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <set>

namespace check {
namespace {

constexpr double kTol = 0.01;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Box {
    double u0 = kInf, v0 = kInf, u1 = -kInf, v1 = -kInf;
    void add(double u, double v)
    {
        u0 = std::min(u0, u);
        v0 = std::min(v0, v);
        u1 = std::max(u1, u);
        v1 = std::max(v1, v);
    }
};

// A part laid on a door edge the way the drawing shows it: turned a quarter
// turn when taller than wide, centred on the position along the door, its
// box against the edge; mirrored at the far edge.
class EdgePlacement {
public:
    EdgePlacement(const Box& box, double atX, double atY, bool far, double width) : m_far(far), m_width(width), m_atY(atY)
    {
        m_turn = box.v1 - box.v0 > box.u1 - box.u0;
        Box o;
        for (const P2& c : {P2{box.u0, box.v0}, P2{box.u1, box.v1}}) {
            const P2 t = turn(c);
            o.add(t.u, t.v);
        }
        m_du = atX - (o.u0 + o.u1) / 2;
        m_v0 = o.v0;
    }

    P2 operator()(double x, double y) const
    {
        const P2 t = turn({x, y});
        const double off = t.v - m_v0;
        return {t.u + m_du, m_far ? m_width - m_atY - off : m_atY + off};
    }

private:
    P2 turn(const P2& p) const { return m_turn ? P2{-p.v, p.u} : p; }

    bool m_turn = false;
    bool m_far;
    double m_width;
    double m_atY;
    double m_du = 0.0;
    double m_v0 = 0.0;
};

void addLoop(Box& b, const GU_Loop& loop)
{
    for (const position& p : loop)
        b.add(p.x, p.y);
}

void addHoles(Box& b, const GU_OwnedList<GK_Hole>& holes)
{
    for (const GK_Hole* h : holes) {
        if (h->is_circle()) {
            const auto* c = static_cast<const GK_Circle_Hole*>(h);
            const double r = std::abs(c->get_radius());
            b.add(c->get_cen().x - r, c->get_cen().y - r);
            b.add(c->get_cen().x + r, c->get_cen().y + r);
        } else if (h->get_loop()) {
            addLoop(b, *h->get_loop());
        }
    }
}

template <typename Map>
std::vector<P2> mapLoop(const GU_Loop& loop, const Map& map)
{
    std::vector<P2> out;
    for (const position& p : loop)
        out.push_back(map(p.x, p.y));
    return out;
}

Door frame(const GK_DoorWithHinges& door, double breakthrough)
{
    Door d;
    door.GetDoorSize(d.length, d.width, d.thickness);
    d.breakthrough = breakthrough;
    const bool lockFar = door.HingesUp() != 1;
    d.edgeY = lockFar ? d.width : 0.0;
    d.inward = lockFar ? -1.0 : 1.0;
    return d;
}

// --- geometry of the checks ---

double segmentDistance(const P2& p, const P2& a, const P2& b)
{
    const double du = b.u - a.u, dv = b.v - a.v;
    const double l2 = du * du + dv * dv;
    const double t = l2 > 0 ? std::clamp(((p.u - a.u) * du + (p.v - a.v) * dv) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(p.u - a.u - t * du, p.v - a.v - t * dv);
}

bool insidePolygon(const P2& p, const std::vector<P2>& poly)
{
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const P2& a = poly[i];
        const P2& b = poly[j];
        if ((a.v > p.v) != (b.v > p.v) && p.u < (b.u - a.u) * (p.v - a.v) / (b.v - a.v) + a.u)
            in = !in;
    }
    return in;
}

double boundaryDistance(const P2& p, const std::vector<P2>& poly)
{
    double d = kInf;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        d = std::min(d, segmentDistance(p, poly[j], poly[i]));
    return d;
}

struct Planar {
    P2 p;
    double depth;
};

Planar planar(const sim::Pt& pt, bool edge, const Door& door)
{
    if (edge)
        return {{pt.x, pt.z}, door.inward * (pt.y - door.edgeY)};
    return {{pt.x, pt.y}, -pt.z};
}

bool edgeTool(const sim::Machine& m, int tool)
{
    return tool >= 0 && m.tools[tool].type == 2;
}

double radiusOf(const sim::Machine& m, int tool)
{
    return tool >= 0 ? m.tools[tool].diameter / 2 : 0.0;
}

// Points along a move, at most 0.25 mm apart.
template <typename F>
void along(const sim::Move& mv, F f)
{
    const double len = std::hypot(mv.to.x - mv.from.x, mv.to.y - mv.from.y, mv.to.z - mv.from.z);
    const int n = std::max(1, static_cast<int>(std::ceil(len / 0.25)));
    for (int k = 0; k <= n; ++k) {
        const double t = static_cast<double>(k) / n;
        f(sim::Pt{mv.from.x + (mv.to.x - mv.from.x) * t, mv.from.y + (mv.to.y - mv.from.y) * t,
                  mv.from.z + (mv.to.z - mv.from.z) * t});
    }
}

bool holeToolType(int type, bool edge)
{
    return edge ? type == 2 : (type == 0 || type == 1);
}

bool allowedInside(const Planar& q, int tool, const sim::Machine& m, const Door& door, bool edge)
{
    const double r = radiusOf(m, tool);
    const int type = m.tools[tool].type;
    for (const Hole& h : door.holes)
        if (h.edge == edge && holeToolType(type, edge) && q.depth <= h.depth + kTol &&
            std::hypot(q.p.u - h.centre.u, q.p.v - h.centre.v) <= std::max(0.0, h.diameter / 2 - r) + kTol)
            return true;
    for (const Pocket& pk : door.pockets)
        if (pk.edge == edge && pk.toolType == type && q.depth <= pk.depth + kTol && insidePolygon(q.p, pk.outline) &&
            boundaryDistance(q.p, pk.outline) >= r - kTol)
            return true;
    return false;
}

void checkHole(const Hole& h, const sim::Run& run, const sim::Machine& m, const Door& door,
               std::vector<std::string>& fails)
{
    bool drilled = false;
    double deepest = -kInf;
    double widest = 0.0;
    std::set<int> sectors;
    for (const sim::Move& mv : run.moves) {
        if (mv.rapid || mv.tool < 0 || edgeTool(m, mv.tool) != h.edge)
            continue;
        const double r = radiusOf(m, mv.tool);
        if (r * 2 > h.diameter + 0.05)
            continue;
        const Planar a = planar(mv.from, h.edge, door);
        const Planar b = planar(mv.to, h.edge, door);
        const double da = std::hypot(a.p.u - h.centre.u, a.p.v - h.centre.v);
        const double db = std::hypot(b.p.u - h.centre.u, b.p.v - h.centre.v);
        if (da > h.diameter / 2 || db > h.diameter / 2)
            continue;
        if (std::abs(r * 2 - h.diameter) <= 0.05) {
            // A plunge at the centre to the depth.
            if (da <= kTol && db <= kTol && std::abs(b.depth - h.depth) <= kTol)
                drilled = true;
            continue;
        }
        // Helix: the tool circles the wall's radius at the bottom.
        if (db > h.diameter / 2 - r + kTol)
            continue;
        if (std::abs(b.depth - h.depth) <= kTol && std::abs(db - (h.diameter / 2 - r)) <= kTol) {
            const double angle = std::atan2(b.p.v - h.centre.v, b.p.u - h.centre.u);
            sectors.insert(static_cast<int>(std::floor((angle + std::numbers::pi) / (std::numbers::pi / 4))) % 8);
        }
        deepest = std::max(deepest, b.depth);
        widest = std::max(widest, db + r);
    }
    if (drilled)
        return;
    if (sectors.size() == 8 && std::abs(deepest - h.depth) <= kTol && std::abs(widest - h.diameter / 2) <= kTol)
        return;
    fails.push_back(h.name + ": not made at its centre and depth");
}

// Exact squared Euclidean distance transform of a grid (in cells), after
// Felzenszwalb and Huttenlocher: 0 for set cells.
std::vector<double> distanceTransform(const std::vector<char>& set, int w, int h)
{
    const double big = 1e20;
    std::vector<double> g(set.size());
    for (std::size_t i = 0; i < set.size(); ++i)
        g[i] = set[i] ? 0.0 : big;
    const auto pass1d = [&](std::vector<double>& f, int n) {
        std::vector<double> d(n), z(n + 1);
        std::vector<int> v(n);
        int k = 0;
        v[0] = 0;
        z[0] = -big;
        z[1] = big;
        for (int q = 1; q < n; ++q) {
            double s;
            while (true) {
                s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
                if (s > z[k] || k == 0)
                    break;
                --k;
            }
            if (s <= z[k]) {
                v[k] = q;
                z[k + 1] = big;
                continue;
            }
            ++k;
            v[k] = q;
            z[k] = s;
            z[k + 1] = big;
        }
        k = 0;
        for (int q = 0; q < n; ++q) {
            while (z[k + 1] < q)
                ++k;
            d[q] = double(q - v[k]) * (q - v[k]) + f[v[k]];
        }
        f = d;
    };
    std::vector<double> line;
    for (int x = 0; x < w; ++x) {
        line.assign(h, 0);
        for (int y = 0; y < h; ++y)
            line[y] = g[y * w + x];
        pass1d(line, h);
        for (int y = 0; y < h; ++y)
            g[y * w + x] = line[y];
    }
    for (int y = 0; y < h; ++y) {
        line.assign(g.begin() + y * w, g.begin() + (y + 1) * w);
        pass1d(line, w);
        std::copy(line.begin(), line.end(), g.begin() + y * w);
    }
    return g;
}

} // namespace

Door ExpectHingeProgram(const GK_DoorWithHinges& door, double breakthrough)
{
    Door d = frame(door, breakthrough);
    const GK_Hinges* hinge = door.GetHingesModel();
    if (!hinge)
        return d;
    Box box;
    addLoop(box, hinge->GetLoopOut());
    for (const GK_Circle_Hole* c : hinge->GetListHole()) {
        const double r = std::abs(c->get_radius());
        box.add(c->get_cen().x - r, c->get_cen().y - r);
        box.add(c->get_cen().x + r, c->get_cen().y + r);
    }
    const bool far = door.HingesUp() == 1;
    const bool mortise = hinge->GetMortise() && hinge->GetThick() > 0;
    int part = 0;
    for (const position& at : door.GetHingesPos()) {
        ++part;
        const EdgePlacement place(box, at.x, at.y, far, d.width);
        const std::string name = "hinge " + std::to_string(part);
        if (mortise)
            d.pockets.push_back({name + " mortise", false, 0, mapLoop(hinge->GetLoopOut(), place), hinge->GetThick()});
        int n = 0;
        for (const GK_Circle_Hole* c : hinge->GetListHole()) {
            ++n;
            double depth = std::abs(c->get_z());
            if (depth == 0 && mortise)
                depth = hinge->GetThick();
            if (depth == 0)
                continue;
            d.holes.push_back({name + " hole " + std::to_string(n), false, place(c->get_cen().x, c->get_cen().y),
                               2 * std::abs(c->get_radius()), depth});
        }
    }
    return d;
}

Door ExpectLockProgram(const GK_DoorWithHinges& door, double breakthrough, double recessDepth)
{
    Door d = frame(door, breakthrough);
    const GK_LockCore* lock = door.GetLockCoreModel();
    if (!lock)
        return d;
    Box side;
    addLoop(side, lock->GetSideLoop());
    addHoles(side, lock->GetSideList());
    const bool far = door.HingesUp() != 1;
    const EdgePlacement place(side, door.GetLockCorePos().x, door.GetLockCorePos().y, far, d.width);
    const double through = d.thickness + breakthrough;
    int n = 0;
    for (const GK_Hole* h : lock->GetSideList()) {
        ++n;
        const std::string name = "side hole " + std::to_string(n);
        if (h->is_circle()) {
            const auto* c = static_cast<const GK_Circle_Hole*>(h);
            d.holes.push_back({name, false, place(c->get_cen().x, c->get_cen().y), 2 * std::abs(c->get_radius()),
                               c->get_z() != 0 ? std::abs(c->get_z()) : through});
        } else {
            d.pockets.push_back({name, false, 1, mapLoop(*h->get_loop(), place), through});
        }
    }

    // The body: its length along the door and its reach into it.
    Box body;
    double reach = 0;
    for (const P2& c : {P2{side.u0, side.v0}, P2{side.u1, side.v0}, P2{side.u0, side.v1}, P2{side.u1, side.v1}}) {
        const P2 q = place(c.u, c.v);
        body.add(q.u, q.v);
        reach = std::max(reach, d.inward * (q.v - d.edgeY));
    }

    // The faceplate on the edge: long side along the door, centred on the
    // lock position and across the thickness.
    Box top;
    addLoop(top, lock->GetTopLoop());
    addHoles(top, lock->GetTopList());
    const bool turn = top.v1 - top.v0 > top.u1 - top.u0;
    const double cu = turn ? -(top.v0 + top.v1) / 2 : (top.u0 + top.u1) / 2;
    const double cv = turn ? (top.u0 + top.u1) / 2 : (top.v0 + top.v1) / 2;
    const double lockX = door.GetLockCorePos().x;
    const double midZ = -d.thickness / 2;
    const auto plate = [&](double x, double y) {
        const P2 t = turn ? P2{-y, x} : P2{x, y};
        return P2{t.u - cu + lockX, t.v - cv + midZ};
    };
    d.pockets.push_back({"faceplate recess", true, 2, mapLoop(lock->GetTopLoop(), plate), recessDepth});
    if (lock->GetThick() > 0) {
        const double t = lock->GetThick() / 2;
        d.pockets.push_back({"body slot", true, 2,
                             {{body.u0, midZ - t}, {body.u1, midZ - t}, {body.u1, midZ + t}, {body.u0, midZ + t}},
                             reach});
    }
    n = 0;
    for (const GK_Hole* h : lock->GetTopList()) {
        ++n;
        const std::string name = "faceplate hole " + std::to_string(n);
        if (h->is_circle()) {
            const auto* c = static_cast<const GK_Circle_Hole*>(h);
            d.holes.push_back({name, true, plate(c->get_cen().x, c->get_cen().y), 2 * std::abs(c->get_radius()),
                               c->get_z() != 0 ? std::abs(c->get_z()) : reach});
        } else {
            d.pockets.push_back({name, true, 2, mapLoop(*h->get_loop(), plate), reach});
        }
    }
    return d;
}

Coverage PocketCoverage(const sim::Run& run, const sim::Machine& m, const Door& door, const Pocket& pk)
{
    // The tool centres' tracks at the pocket's bottom, by tool radius: an
    // outline hole inside a pocket may be cut there by a smaller tool.
    std::map<double, std::vector<std::pair<P2, P2>>> tracks;
    for (const sim::Move& mv : run.moves) {
        if (mv.rapid || mv.tool < 0 || edgeTool(m, mv.tool) != pk.edge)
            continue;
        const Planar a = planar(mv.from, pk.edge, door);
        const Planar b = planar(mv.to, pk.edge, door);
        if (std::abs(a.depth - pk.depth) > kTol || std::abs(b.depth - pk.depth) > kTol)
            continue;
        if (!insidePolygon(a.p, pk.outline) || !insidePolygon(b.p, pk.outline))
            continue;
        tracks[radiusOf(m, mv.tool)].push_back({a.p, b.p});
    }
    if (tracks.empty())
        return {};
    // The pocket's own tool is the largest that cut in it.
    const double radius = tracks.rbegin()->first;

    Box box;
    for (const P2& p : pk.outline)
        box.add(p.u, p.v);
    const double area = (box.u1 - box.u0) * (box.v1 - box.v0);
    const double cell = std::max(0.05, std::sqrt(area / 400000.0));
    const int w = static_cast<int>(std::ceil((box.u1 - box.u0) / cell)) + 1;
    const int h = static_cast<int>(std::ceil((box.v1 - box.v0) / cell)) + 1;
    const auto centreOf = [&](int x, int y) { return P2{box.u0 + (x + 0.5) * cell, box.v0 + (y + 0.5) * cell}; };

    std::vector<char> inside(w * h), centres(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const P2 p = centreOf(x, y);
            inside[y * w + x] = insidePolygon(p, pk.outline);
            // A cell counts as a place for the tool centre when some point of
            // it may be one: a slot as wide as the tool has a line of them.
            centres[y * w + x] = inside[y * w + x] && boundaryDistance(p, pk.outline) >= radius - kTol - cell * 0.71;
        }
    std::vector<char> cleared(w * h);
    for (const auto& [r, track] : tracks) {
        std::vector<char> path(w * h);
        for (const auto& [a, b] : track) {
            const double len = std::hypot(b.u - a.u, b.v - a.v);
            const int n = std::max(1, static_cast<int>(std::ceil(len / (cell / 2))));
            for (int k = 0; k <= n; ++k) {
                const double t = static_cast<double>(k) / n;
                const int x = static_cast<int>((a.u + (b.u - a.u) * t - box.u0) / cell);
                const int y = static_cast<int>((a.v + (b.v - a.v) * t - box.v0) / cell);
                if (x >= 0 && x < w && y >= 0 && y < h)
                    path[y * w + x] = 1;
            }
        }
        const std::vector<double> toPath = distanceTransform(path, w, h);
        for (int i = 0; i < w * h; ++i)
            cleared[i] = cleared[i] || std::sqrt(toPath[i]) <= r / cell + 0.75;
    }
    const std::vector<double> toCentres = distanceTransform(centres, w, h);
    long reachable = 0, done = 0;
    for (int i = 0; i < w * h; ++i) {
        if (!inside[i] || std::sqrt(toCentres[i]) > radius / cell + 0.75)
            continue;
        ++reachable;
        done += cleared[i];
    }
    return {reachable ? static_cast<double>(done) / reachable : 0.0, radius};
}

std::vector<std::string> CheckProgram(const sim::Run& run, const sim::Machine& m, const Door& door)
{
    std::vector<std::string> fails = run.errors;
    if (run.moves.empty())
        fails.push_back("no moves");

    for (const Hole& h : door.holes)
        checkHole(h, run, m, door, fails);

    for (const Pocket& pk : door.pockets) {
        const Coverage c = PocketCoverage(run, m, door, pk);
        if (c.share < 0.98)
            fails.push_back(pk.name + ": only " + std::to_string(c.share * 100) + " % of the reachable area cleared");
    }

    std::size_t reported = fails.size();
    const auto once = [&](const std::string& what) {
        if (fails.size() < reported + 20)
            fails.push_back(what);
    };
    for (const sim::Move& mv : run.moves) {
        const bool edge = edgeTool(m, mv.tool);
        const std::string where = "line " + std::to_string(mv.line) + ": ";
        if (mv.rapid) {
            const double safe = mv.tool >= 0 ? m.tools[mv.tool].safe : 0.0;
            const Planar a = planar(mv.from, edge, door);
            const Planar b = planar(mv.to, edge, door);
            const bool inPlane = std::hypot(a.p.u - b.p.u, a.p.v - b.p.v) > 1e-6;
            // A retract straight back out may start anywhere.
            if (!inPlane && b.depth <= a.depth)
                continue;
            along(mv, [&](const sim::Pt& pt) {
                const Planar q = planar(pt, edge, door);
                const bool over = edge ? (pt.x >= 0 && pt.x <= door.length && pt.z >= -door.thickness && pt.z <= 0)
                                       : (pt.x >= 0 && pt.x <= door.length && pt.y >= 0 && pt.y <= door.width);
                if (over && q.depth > -safe + kTol)
                    once(where + "rapid nearer to the door than the safe distance");
            });
            continue;
        }
        if (mv.turn < 0)
            once(where + "helix turning clockwise: the tool would not climb");
        along(mv, [&](const sim::Pt& pt) {
            const Planar q = planar(pt, edge, door);
            if (!edge && pt.z < -(door.thickness + door.breakthrough) - kTol)
                once(where + "cut below the bottom face beyond the breakthrough");
            if (edge && q.depth > door.width + kTol)
                once(where + "cut through the door's width");
            if (q.depth > kTol && mv.tool >= 0 && !allowedInside(q, mv.tool, m, door, edge))
                once(where + "cut outside every feature its tool may cut");
        });
    }
    return fails;
}

} // namespace check
